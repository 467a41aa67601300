// Fuzz target: every attribute value parser on arbitrary values (NUL bytes split the input into values).
#include <cstdint>
#include <cstring>

#include "transform/AttrParse.h"

// Keeps the results alive so that no call is optimised away.
volatile long g_sink;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* p = reinterpret_cast<const char*>(data);
    size_t start = 0;
    while (start <= size) {
        const void* nul = memchr(p + start, 0, size - start);
        size_t end = nul ? size_t(static_cast<const char*>(nul) - p) : size;
        CString value(p + start, int(end - start));
        CString stripped = CAttrParser::StripQuotes(value);
        if (stripped.GetLength() > value.GetLength())
            __builtin_trap();
        long sink = 0;
        for (const CString& v : {value, stripped}) {
            sink += CAttrParser::ParseLength(v);
            sink += CAttrParser::ParseFontSize(v);
            sink += long(CAttrParser::ParseColor(v));
            sink += CAttrParser::ColorNameToHex(v).GetLength();
            sink += CAttrParser::ParseAlign(v);
            sink += CAttrParser::ParseVAlign(v);
            sink += CAttrParser::ParseClear(v);
            sink += CAttrParser::ParseMethod(v);
            sink += CAttrParser::ParseType(v);
            sink += CAttrParser::ParseSide(v);
            sink += CAttrParser::ParseShape(v);
        }
        g_sink = g_sink + sink;
        start = end + 1;
    }
    return 0;
}
