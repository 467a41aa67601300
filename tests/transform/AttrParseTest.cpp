// Tests of the attribute value parsers: quotes, lengths, font sizes, colours and keywords.
#include <gtest/gtest.h>

#include "korhtml/AttrValues.h"
#include "transform/Transformer.h"

// The parsers are static members of the transformer.
using P = CTransformer;

TEST(AttrParse, StripQuotes)
{
    EXPECT_EQ(P::StripQuotes("\"abc\""), "abc");
    EXPECT_EQ(P::StripQuotes("\"abc"), "\"abc");
    EXPECT_EQ(P::StripQuotes("\""), "");
    EXPECT_EQ(P::StripQuotes("\"\""), "");
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
    EXPECT_EQ(P::ParseLength("\t42%"), -42);
    EXPECT_EQ(P::ParseLength("50 %"), -50);
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
    // The seven-letter form is not a name: its groups "MA", "GE", "NT" hold no hex digit.
    EXPECT_EQ(P::ColorNameToHex("magenta"), "MAGENTA");
    EXPECT_EQ(P::ParseColor("magenta"), 0u);
    EXPECT_EQ(P::ParseColor("Baker's Chocolate"), RGB(0x5C, 0x33, 0x17));
    EXPECT_EQ(P::ParseColor("semi-sweet chocolate"), RGB(0x6B, 0x42, 0x26));
    EXPECT_EQ(P::ParseColor("Bronze II"), RGB(0xA6, 0x7D, 0x3D));
    EXPECT_EQ(P::ParseColor("coral"), P::ParseColor("ORANGE"));
    EXPECT_EQ(P::ParseColor("sky"), P::ParseColor("sky blue"));
    EXPECT_EQ(P::ParseColor("dark brown"), P::ParseColor("very dark brown"));
    EXPECT_EQ(P::ParseColor("yellow green"), RGB(0x99, 0xCC, 0x32)); // last entry
    EXPECT_EQ(P::ParseColor("grey"), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(P::ParseColor("gray"), 0u); // only the "GREY" spelling is listed
    // Names are not trimmed: a padded name goes to the hexadecimal step instead.
    EXPECT_EQ(P::ColorNameToHex(" red"), " RED");
    EXPECT_EQ(P::ColorNameToHex("sky  blue"), "SKY  BLUE");
}

TEST(AttrParse, ColorHexAndSystem)
{
    EXPECT_EQ(P::ParseColor("#00FF00"), RGB(0, 255, 0));
    EXPECT_EQ(P::ParseColor("00ff00"), RGB(0, 255, 0));
    EXPECT_EQ(P::ParseColor("#FFF"), 0u);
    EXPECT_EQ(P::ParseColor("#12345"), 0u); // six characters with the hash, but only five digits
    EXPECT_EQ(P::ParseColor(""), 0u);
    EXPECT_EQ(P::ParseColor("#1234567"), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(P::ParseColor("123456zz"), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(P::ParseColor("#GG0000"), RGB(0, 0, 0));
    EXPECT_EQ(P::ParseColor("#GGFF10"), RGB(0, 0xFF, 0x10));
    EXPECT_EQ(P::ParseColor("1G2H3I"), RGB(1, 2, 3));      // a lone leading digit is read alone
    EXPECT_EQ(P::ParseColor("##FF0000"), RGB(0, 0xF0, 0)); // groups "#F", "F0", "00"

    // The classic system colours: window text black, button face, highlight and shadow.
    EXPECT_EQ(P::ParseColor("systemtext"), RGB(0, 0, 0));
    EXPECT_EQ(P::ParseColor("System"), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(P::ParseColor("SYSTEMLIGHT"), RGB(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(P::ParseColor("SystemDark"), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(P::ParseColor("System "), RGB(0, 0, 0x0E)); // not a system name: groups "SY", "ST", "EM"
}

TEST(AttrParse, AlignAndVAlign)
{
    EXPECT_EQ(P::ParseAlign("center"), ALIGN_CENTER);
    EXPECT_EQ(P::ParseVAlign("center"), VALIGN_CENTER);
    EXPECT_EQ(P::ParseAlign("justify"), ALIGN_NONE);
    EXPECT_EQ(P::ParseAlign("Middle"), ALIGN_MIDDLE);
    EXPECT_EQ(P::ParseVAlign("middle"), VALIGN_MIDDLE);
    EXPECT_EQ(P::ParseAlign("bottom"), ALIGN_BOTTOM);
    EXPECT_EQ(P::ParseVAlign("BOTTOM"), VALIGN_BOTTOM);
    EXPECT_EQ(P::ParseVAlign("baseline"), VALIGN_BASELINE);
    EXPECT_EQ(P::ParseAlign("baseline"), ALIGN_NONE);
    EXPECT_EQ(P::ParseAlign("left "), ALIGN_NONE);
    EXPECT_EQ(P::ParseAlign("\"left\""), ALIGN_NONE);
}

TEST(AttrParse, OtherKeywords)
{
    EXPECT_EQ(P::ParseClear("all"), CLEAR_ALL);
    EXPECT_EQ(P::ParseClear("Right"), CLEAR_RIGHT);
    EXPECT_EQ(P::ParseClear("both"), CLEAR_NONE);

    EXPECT_EQ(P::ParseMethod("post"), METHOD_POST);
    EXPECT_EQ(P::ParseMethod("put"), METHOD_GET);

    EXPECT_EQ(P::ParseType("a"), TYPE_ALPHA);
    EXPECT_EQ(P::ParseType("i"), TYPE_ROMAN);
    EXPECT_EQ(P::ParseType("1"), TYPE_DECIMAL);
    EXPECT_EQ(P::ParseType("submit"), TYPE_SUBMIT);
    EXPECT_EQ(P::ParseType("checkbox "), TYPE_TEXT);
    EXPECT_EQ(P::ParseType("Hidden"), TYPE_HIDDEN);
    EXPECT_EQ(P::ParseType("int"), TYPE_INT);
    EXPECT_EQ(P::ParseType("01"), TYPE_TEXT);

    EXPECT_EQ(P::ParseSide("LEFT"), SIDE_LEFT);
    EXPECT_EQ(P::ParseSide("Down"), SIDE_DOWN);
    EXPECT_EQ(P::ParseSide("top"), SIDE_NONE);

    EXPECT_EQ(P::ParseShape("DEFAULT"), SHAPE_DEFAULT);
    EXPECT_EQ(P::ParseShape(""), SHAPE_DEFAULT);
    EXPECT_EQ(P::ParseShape("triangle"), SHAPE_DEFAULT);
    EXPECT_EQ(P::ParseShape("Rectangle"), SHAPE_RECT);
    EXPECT_EQ(P::ParseShape("polygon"), SHAPE_POLY);
    EXPECT_EQ(P::ParseShape("poly "), SHAPE_DEFAULT);
}
