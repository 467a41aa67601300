// A small GIF encoder for test fixtures: LZW with a fixed code width, reset before the table grows.
#include "GifWriter.h"

namespace testgif {
namespace {

void PutWord(std::string& out, int v)
{
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

int PaletteBits(size_t entries)
{
    int bits = 1;
    while ((size_t(1) << bits) < entries && bits < 8)
        ++bits;
    return bits;
}

void PutPalette(std::string& out, const std::vector<uint32_t>& palette, int bits)
{
    for (int i = 0; i < (1 << bits); ++i) {
        uint32_t c = size_t(i) < palette.size() ? palette[size_t(i)] : 0;
        out += char((c >> 16) & 0xFF);
        out += char((c >> 8) & 0xFF);
        out += char(c & 0xFF);
    }
}

// Image data with a minimum code size of 8: every pixel is one 9-bit code, and a clear code is sent
// before the decoder's table would reach 512 entries, so the code width never changes.
void PutImageData(std::string& out, const std::vector<uint8_t>& pixels)
{
    const int clear = 256, end = 257;
    std::string data;
    uint32_t acc = 0;
    int nbits = 0;
    auto code = [&](int c) {
        acc |= uint32_t(c) << nbits;
        nbits += 9;
        while (nbits >= 8) {
            data += char(acc & 0xFF);
            acc >>= 8;
            nbits -= 8;
        }
    };
    code(clear);
    int run = 0;
    for (uint8_t p : pixels) {
        if (run == 250) {
            code(clear);
            run = 0;
        }
        code(p);
        ++run;
    }
    code(end);
    if (nbits > 0)
        data += char(acc & 0xFF);
    out += char(8);
    for (size_t i = 0; i < data.size(); i += 255) {
        size_t n = data.size() - i < 255 ? data.size() - i : 255;
        out += char(n);
        out.append(data, i, n);
    }
    out += char(0);
}

} // namespace

std::string Encode(int width, int height, const std::vector<uint32_t>& palette,
                   const std::vector<Frame>& frames, int background)
{
    std::string out = "GIF89a";
    PutWord(out, width);
    PutWord(out, height);
    int bits = PaletteBits(palette.size());
    out += char(0x80 | ((bits - 1) << 4) | (bits - 1));
    out += char(background);
    out += char(0);
    PutPalette(out, palette, bits);
    for (const Frame& f : frames) {
        if (f.control) {
            out += "\x21\xF9\x04";
            out += char(((f.disposal & 7) << 2) | (f.transparent >= 0 ? 1 : 0));
            PutWord(out, f.delay);
            out += char(f.transparent >= 0 ? f.transparent : 0);
            out += char(0);
        }
        out += char(0x2C);
        PutWord(out, f.left);
        PutWord(out, f.top);
        PutWord(out, f.width);
        PutWord(out, f.height);
        out += char(0); // no local palette
        PutImageData(out, f.pixels);
    }
    out += char(0x3B);
    return out;
}

Frame Solid(int left, int top, int width, int height, uint8_t index, int delay, int transparent, int disposal)
{
    return Frame{
        left,  top,         width,    height, std::vector<uint8_t>(size_t(width) * size_t(height), index),
        delay, transparent, disposal, true};
}

} // namespace testgif
