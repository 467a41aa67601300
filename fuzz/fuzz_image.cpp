// Fuzz target: image decoding from memory, then every frame's data, drawn whole, scaled and cut.
#include <cstdint>

#include "FuzzSupport.h"
#include "korgr/ImageDax.h"
#include "platform/gdi/gdi.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::Start(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first six bytes choose the drawing; the rest is the file.
    fuzz::Input in(data, size);
    const int cx = in.Range(-2, 90), cy = in.Range(-2, 90);
    const int sx = in.Byte() % 40 - 4, sy = in.Byte() % 40 - 4;
    const std::string file = in.Rest();

    CImageDax image;
    if (!image.LoadFromMemory(file.data(), int(file.size()))) {
        if (image.Width() != 0 || image.Height() != 0 || image.GetImageCount() != 1)
            __builtin_trap();
        return 0;
    }
    const int frames = image.GetImageCount();
    if (image.Width() <= 0 || image.Height() <= 0 || frames < 1)
        __builtin_trap();
    image.CreateMask(-1);

    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 64, 48);
    CBitmap* old = screen.SelectObject(&bitmap);
    for (int f = -1; f <= frames; ++f) {
        volatile int sink = image.GetWaitTime(f) + image.GetTransparentIndex(f) + image.IsTransparent(f);
        (void)sink;
        // Natural size only for pictures small enough to draw quickly; cut and scaled pieces always.
        if (static_cast<long long>(image.Width()) * image.Height() <= 1024 * 1024)
            image.Draw(&screen, -3, 5, f, nullptr);
        image.Draw(&screen, 2, -1, cx, cy, sx, sy, f, nullptr);
    }
    screen.SelectObject(old);
    return 0;
}
