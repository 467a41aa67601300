// Fuzz target: HTML to text with varying width, line limit and trimming, with and without a server.
#include <cstdint>

#include "FuzzSupport.h"
#include "korhtml/Html2Text.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::Start(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const uint8_t flags = in.Byte();
    const int width = in.Range(-3, 200);
    const int lines = in.Range(-3, 60);
    const std::string page = in.Rest();

    // Without a server the conversion makes one of its own and destroys it again.
    if (flags & 2)
        DestroyHtmlServer();
    CStringList images;
    CString text = Html2Text(CString(page), width, lines, flags & 1, images);
    // A positive line limit bounds the lines written (CR LF ends each; breaks of two lines and the
    // bullet or word after a cut preformatted block may pass it by a little).
    if (lines > 0) {
        int ends = 0;
        for (int i = 0; i + 1 < text.GetLength(); ++i)
            ends += text[i] == '\r' && text[i + 1] == '\n';
        if (ends > lines + 4)
            __builtin_trap();
    }
    if (!ExistHtmlServer())
        CreateHtmlServer();
    return 0;
}
