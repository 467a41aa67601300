// A small GIF encoder for test fixtures (Qt reads GIF but cannot write it): frames, waits, transparency.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testgif {

struct Frame
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // palette indices, row by row, width * height of them
    int delay = 0;               // hundredths of a second
    int transparent = -1;        // transparent palette index, -1 for none
    int disposal = 0;            // 0 unspecified, 1 keep, 2 restore to background, 3 restore to previous
    bool control = true;         // write a graphic control extension before the frame
};

// The bytes of a GIF89a file of the given screen size with a global palette (0xRRGGBB entries, padded
// to a power of two) and the frames in order.
std::string Encode(int width, int height, const std::vector<uint32_t>& palette,
                   const std::vector<Frame>& frames, int background = 0);

// A frame covering (left, top, width, height) filled with one palette index.
Frame Solid(int left, int top, int width, int height, uint8_t index, int delay = 0, int transparent = -1,
            int disposal = 0);

} // namespace testgif
