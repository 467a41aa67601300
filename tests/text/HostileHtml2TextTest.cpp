// Hostile input to the text conversion: odd widths, huge runs, the most lines a page can give.
#include "korhtml/Html2Text.h"
#include "korhtml/HtmlSrvr.h"

#include "Hostile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using hostile::Repeat;

namespace {

std::string Text(const std::string& html, int width, int maxLines, int trim = 0)
{
    return Html2Text(CString(html), width, maxLines, trim).str();
}

size_t LineEnds(const std::string& s)
{
    size_t n = 0;
    for (size_t i = 0; i + 1 < s.size(); ++i)
        n += s[i] == '\r' && s[i + 1] == '\n';
    return n;
}

TEST(HostileHtml2Text, OddWidthsAndHugeRuns)
{
    const std::string mega(1 << 20, 'w');
    // A word longer than any line is written whole on a line of its own.
    std::string out = Text("<p>a " + mega + " b", 10, -1);
    EXPECT_NE(out.find(mega), std::string::npos);
    // A preformatted megabyte at width 1: a line per character, cut by the limit.
    out = Text("<pre>" + mega + "</pre>", 1, 100);
    EXPECT_LE(LineEnds(out), 101u);
    // An entity name of 1 MB, unknown, is one blank; a control byte separates words; NUL bytes pass.
    out = Text("<p>&" + mega + "; x\x01y" + std::string("\0z", 2), -1, -1);
    EXPECT_EQ(out.substr(0, 4), "\r\n\r\n");
    EXPECT_EQ(out.find(mega), std::string::npos);
    EXPECT_NE(out.find(std::string("x y\0z", 5)), std::string::npos);
    // Preformatted lines are kept up to the 65535 lines that -1 stands for.
    hostile::AtScale("lines of preformatted text", 20000, [](size_t n) {
        EXPECT_EQ(LineEnds(Text("<pre>" + Repeat("line\n", n) + "</pre>", 40, -1)),
                  std::min<size_t>(2 + n, 65535));
    });
}

} // namespace
