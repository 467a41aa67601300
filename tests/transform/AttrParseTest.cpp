// Tests of the attribute value parsers: quotes, lengths, font sizes, colours and keywords.
#include <gtest/gtest.h>

#include "korhtml/AttrValues.h"
#include "transform/Transformer.h"

// The parsers are static members of the transformer.
using P = CTransformer;

namespace {

template <class T> struct Case
{
    const char* in;
    T out;
};

// Each case's input parsed gives its output.
template <class T, size_t N, class Parse> void ExpectAll(const Case<T> (&cases)[N], Parse parse)
{
    for (const Case<T>& c : cases)
        EXPECT_EQ(parse(c.in), c.out) << c.in;
}

} // namespace

TEST(AttrParse, QuotesLengthsAndFontSizes)
{
    // Only one pair of double quotes comes off, and only a complete one.
    const Case<const char*> quotes[] = {{"\"abc\"", "abc"},  {"\"abc", "\"abc"}, {"\"", ""},
                                        {"\"\"", ""},        {"'abc'", "'abc'"}, {"\"\"x\"\"", "\"x\""},
                                        {"\"a\"b\"", "a\"b"}};
    ExpectAll(quotes, P::StripQuotes);

    // A percentage is negative, a negative percentage positive; quotes are the caller's business;
    // overlong numbers saturate instead of wrapping.
    const Case<int> lengths[] = {{"EXIST", 1},  {"exist", 0}, {"100", 100}, {"100%", -100}, {"12px", 12},
                                 {"", 0},       {"%", 0},     {"-50", -50}, {"-50%", 50},   {"\t42%", -42},
                                 {"50 %", -50}, {"+-5", 0},   {"\"5\"", 0}};
    ExpectAll(lengths, P::ParseLength);
    EXPECT_EQ(P::ParseLength("99999999999999999999"), 2147483647);
    EXPECT_EQ(P::ParseLength("-99999999999999999999%"), 2147483647);

    // The sign test looks at the first byte only.
    const Case<int> sizes[] = {{"", 3},   {"+1", 4}, {"-2", 1},  {"+9", 12},
                               {"+0", 3}, {"-", 3},  {"big", 0}, {" +2", 2}};
    ExpectAll(sizes, P::ParseFontSize);
    EXPECT_EQ(P::ParseFontSize("+99999999999"), 2147483647);
}

TEST(AttrParse, Colours)
{
    // Names in any case (the last entry of the list too); "magenta" is no name and its groups "MA",
    // "GE", "NT" hold no hex digit; only the "GREY" spelling is listed. "#12345" has six characters
    // but five digits; a lone leading digit is read alone; "##FF0000" gives groups "#F", "F0", "00";
    // "System " is no system name but the groups "SY", "ST", "EM".
    const Case<unsigned> colours[] = {
        {"Red", 0xFF0000},     {"Magent", 0xFF00FF},  {"magenta", 0x000000},  {"grey", 0xC0C0C0},
        {"gray", 0x000000},    {"#00FF00", 0x00FF00}, {"00ff00", 0x00FF00},   {"#FFF", 0x000000},
        {"#12345", 0x000000},  {"", 0x000000},        {"#1234567", 0x123456}, {"123456zz", 0x123456},
        {"#GG0000", 0x000000}, {"#GGFF10", 0x00FF10}, {"1G2H3I", 0x010203},   {"##FF0000", 0x00F000}};
    const Case<unsigned> names[] = {{"systemtext", 0x000000},       {"System", 0xC0C0C0},
                                    {"SYSTEMLIGHT", 0xFFFFFF},      {"SystemDark", 0x808080},
                                    {"System ", 0x00000E},          {"yellow green", 0x99CC32},
                                    {"Baker's Chocolate", 0x5C3317}};
    auto hex = [](const char* in) { // as 0xRRGGBB
        COLORREF c = P::ParseColor(in);
        return unsigned(GetRValue(c)) << 16 | unsigned(GetGValue(c)) << 8 | GetBValue(c);
    };
    ExpectAll(colours, hex);
    ExpectAll(names, hex);
    EXPECT_EQ(P::ParseColor("dark brown"), P::ParseColor("very dark brown"));
    // Names are not trimmed: a padded name goes to the hexadecimal step instead.
    EXPECT_EQ(P::ColorNameToHex(" red"), " RED");
}

TEST(AttrParse, Keywords)
{
    // Whole words in any case; padding or quotes make an unknown word.
    const Case<int> align[] = {{"center", ALIGN_CENTER}, {"justify", ALIGN_NONE},  {"Middle", ALIGN_MIDDLE},
                               {"bottom", ALIGN_BOTTOM}, {"baseline", ALIGN_NONE}, {"left ", ALIGN_NONE},
                               {"\"left\"", ALIGN_NONE}};
    ExpectAll(align, P::ParseAlign);
    const Case<int> valign[] = {{"center", VALIGN_CENTER},
                                {"middle", VALIGN_MIDDLE},
                                {"BOTTOM", VALIGN_BOTTOM},
                                {"baseline", VALIGN_BASELINE}};
    ExpectAll(valign, P::ParseVAlign);
    const Case<int> clear[] = {{"all", CLEAR_ALL}, {"Right", CLEAR_RIGHT}, {"both", CLEAR_NONE}};
    ExpectAll(clear, P::ParseClear);
    EXPECT_EQ(P::ParseMethod("post"), METHOD_POST);
    EXPECT_EQ(P::ParseMethod("put"), METHOD_GET);
    const Case<int> types[] = {{"a", TYPE_ALPHA},       {"i", TYPE_ROMAN},        {"1", TYPE_DECIMAL},
                               {"submit", TYPE_SUBMIT}, {"checkbox ", TYPE_TEXT}, {"Hidden", TYPE_HIDDEN},
                               {"int", TYPE_INT},       {"01", TYPE_TEXT}};
    ExpectAll(types, P::ParseType);
    const Case<int> sides[] = {{"LEFT", SIDE_LEFT}, {"Down", SIDE_DOWN}, {"top", SIDE_NONE}};
    ExpectAll(sides, P::ParseSide);
    const Case<int> shapes[] = {{"DEFAULT", SHAPE_DEFAULT},  {"", SHAPE_DEFAULT},
                                {"triangle", SHAPE_DEFAULT}, {"Rectangle", SHAPE_RECT},
                                {"polygon", SHAPE_POLY},     {"poly ", SHAPE_DEFAULT}};
    ExpectAll(shapes, P::ParseShape);
}
