// Tests of the attribute value parsers: quotes, lengths, font sizes, colours and keywords.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "transform/AttrParse.h"

using P = CAttrParser;

TEST(AttrParse, StripQuotes)
{
    EXPECT_EQ(P::StripQuotes("\"abc\""), "abc");
    EXPECT_EQ(P::StripQuotes("\"abc"), "\"abc");
    EXPECT_EQ(P::StripQuotes("abc\""), "abc\"");
    EXPECT_EQ(P::StripQuotes("\""), "");
    EXPECT_EQ(P::StripQuotes("\"\""), "");
    EXPECT_EQ(P::StripQuotes(""), "");
    EXPECT_EQ(P::StripQuotes("'abc'"), "'abc'");
    EXPECT_EQ(P::StripQuotes("\"\"x\"\""), "\"x\""); // only one pair
    EXPECT_EQ(P::StripQuotes("\"a\"b\""), "a\"b");
}

TEST(AttrParse, Length)
{
    EXPECT_EQ(P::ParseLength("EXIST"), 1);
    EXPECT_EQ(P::ParseLength("exist"), 0);
    EXPECT_EQ(P::ParseLength("100"), 100);
    EXPECT_EQ(P::ParseLength("100%"), -100);
    EXPECT_EQ(P::ParseLength("12px"), 12);
    EXPECT_EQ(P::ParseLength(""), 0);
    EXPECT_EQ(P::ParseLength("%"), 0);
    EXPECT_EQ(P::ParseLength("-50"), -50);
    EXPECT_EQ(P::ParseLength("-50%"), 50);
    EXPECT_EQ(P::ParseLength("  +7"), 7);
    EXPECT_EQ(P::ParseLength("\t42%"), -42);
    EXPECT_EQ(P::ParseLength("50 %"), -50);
    EXPECT_EQ(P::ParseLength("x50"), 0);
    EXPECT_EQ(P::ParseLength("+-5"), 0);
    // Quotes are the caller's business: a quoted number reads as no digits.
    EXPECT_EQ(P::ParseLength("\"5\""), 0);
    // Overlong numbers saturate instead of wrapping.
    EXPECT_EQ(P::ParseLength("99999999999999999999"), 2147483647);
    EXPECT_EQ(P::ParseLength("-99999999999999999999%"), 2147483647);
}

TEST(AttrParse, FontSize)
{
    EXPECT_EQ(P::ParseFontSize(""), 3);
    EXPECT_EQ(P::ParseFontSize("+1"), 4);
    EXPECT_EQ(P::ParseFontSize("-2"), 1);
    EXPECT_EQ(P::ParseFontSize("7"), 7);
    EXPECT_EQ(P::ParseFontSize("+9"), 12);
    EXPECT_EQ(P::ParseFontSize("+0"), 3);
    EXPECT_EQ(P::ParseFontSize("-"), 3);
    EXPECT_EQ(P::ParseFontSize("big"), 0);
    EXPECT_EQ(P::ParseFontSize(" +2"), 2); // the sign test looks at the first byte only
    EXPECT_EQ(P::ParseFontSize("+99999999999"), 2147483647);
}

TEST(AttrParse, ColorNames)
{
    EXPECT_EQ(P::ParseColor("red"), RGB(255, 0, 0));
    EXPECT_EQ(P::ParseColor("Red"), RGB(255, 0, 0));
    EXPECT_EQ(P::ParseColor("Magent"), RGB(255, 0, 255));
    EXPECT_EQ(P::ColorNameToHex("magenta"), "MAGENTA");
    EXPECT_EQ(P::ParseColor("magenta"), RGB(0, 0xA, 0)); // "MA" and "NT" hold no leading hex digit; "GE" ->
                                                         // wait, see below
}
