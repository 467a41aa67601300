// Attribute value parsers: quote stripping, lengths, font sizes, colours and keyword enumerations.
#include "transform/AttrParse.h"

#include <climits>
#include <cstdio>

#include "platform/gdi/gdi.h"

namespace {

// atoi without its undefined overflow: white space skipped, optional sign, decimal digits up to
// the first other byte; out-of-range values saturate.
int ToInt(const char* s)
{
    while (*s == ' ' || (*s >= '\t' && *s <= '\r'))
        ++s;
    bool negative = false;
    if (*s == '+' || *s == '-')
        negative = *s++ == '-';
    long long n = 0;
    for (; *s >= '0' && *s <= '9'; ++s) {
        if (n <= INT_MAX)
            n = n * 10 + (*s - '0');
    }
    if (negative)
        n = -n;
    if (n > INT_MAX)
        return INT_MAX;
    if (n < INT_MIN)
        return INT_MIN;
    return int(n);
}

int Negate(int n)
{
    return n == INT_MIN ? INT_MAX : -n;
}

struct NamedColor
{
    const char* name;
    const char* hex;
};

// Compared in this order; the first match wins. "MAGENT" is the table's own spelling.
const NamedColor g_colors[] = {
    {"WHITE", "FFFFFF"},
    {"RED", "FF0000"},
    {"GREEN", "00FF00"},
    {"BLUE", "0000FF"},
    {"MAGENT", "FF00FF"},
    {"CYAN", "00FFFF"},
    {"YELLOW", "FFFF00"},
    {"BLACK", "000000"},
    {"AQUAMARINE", "70DB93"},
    {"BAKER'S CHOCOLATE", "5C3317"},
    {"BLUE VIOLET", "9F5F9F"},
    {"BRASS", "B5A642"},
    {"BRIGHT GOLD", "D9D919"},
    {"BROWN", "A62A2A"},
    {"BRONZE", "8C7853"},
    {"BRONZE II", "A67D3D"},
    {"CADET BLUE", "5F9F9F"},
    {"COOL COPPER", "D98719"},
    {"COPPER", "B87333"},
    {"CORAL", "FF7F00"},
    {"CORN FLOWER BLUE", "42426F"},
    {"DARK BROWN", "5C4033"},
    {"DARK GREEN", "2F4F2F"},
    {"DARK GREEN COPPER", "4A766E"},
    {"DARK OLIVE GREEN", "4F4F2F"},
    {"DARK ORCHID", "9932CD"},
    {"DARK PURPLE", "871F78"},
    {"DARK SLATE BLUE", "6B238E"},
    {"DARK SLATE GREY", "2F4F4F"},
    {"DARK TAN", "97694F"},
    {"DARK TURQUOISE", "7093DB"},
    {"DARK WOOD", "855E42"},
    {"DIM GREY", "545454"},
    {"DUSTY ROSE", "856363"},
    {"FELDSPAR", "D19275"},
    {"FIREBRICK", "8E2323"},
    {"FOREST GREEN", "238E23"},
    {"GOLD", "CD7F32"},
    {"GOLDENROD", "DBDB70"},
    {"GREY", "C0C0C0"},
    {"GREEN COPPER", "527F76"},
    {"GREEN YELLOW", "93DB70"},
    {"HUNTER GREEN", "215E21"},
    {"INDIAN RED", "4E2F2F"},
    {"KHAKI", "9F9F5F"},
    {"LIGHT BLUE", "C0D9D9"},
    {"LIGHT GREY", "A8A8A8"},
    {"LIGHT STEEL BLUE", "8F8FBD"},
    {"LIGHT WOOD", "E9C2A6"},
    {"LIME GREEN", "32CD32"},
    {"MANDARIAN ORANGE", "E47833"},
    {"MAROON", "8E236B"},
    {"MEDIUM AQUAMARINE", "32CD99"},
    {"MEDIUM BLUE", "3232CD"},
    {"MEDIUM FOREST GREEN", "6B8E23"},
    {"MEDIUM GOLDENROD", "EAEAAE"},
    {"MEDIUM ORCHID", "9370DB"},
    {"MEDIUM SEA GREEN", "426F42"},
    {"MEDIUM SLATE BLUE", "7F00FF"},
    {"MEDIUM SPRING GREEN", "7FFF00"},
    {"MEDIUM TURQUOISE", "70DBDB"},
    {"MEDIUM VIOLET RED", "DB7093"},
    {"MEDIUM WOOD", "A68064"},
    {"MIDNIGHT BLUE", "2F2F4F"},
    {"NAVY BLUE", "23238E"},
    {"NAVY", "23238E"},
    {"NEON BLUE", "4D4DFF"},
    {"NEON PINK", "FF6EC7"},
    {"NEW MIDNIGHT BLUE", "00009C"},
    {"NEW TAN", "EBC79E"},
    {"OLD GOLD", "CFB53B"},
    {"ORANGE", "FF7F00"},
    {"ORANGE RED", "FF2400"},
    {"ORCHID", "DB70DB"},
    {"PALE GREEN", "8FBC8F"},
    {"PINK", "BC8F8F"},
    {"PLUM", "EAADEA"},
    {"QUARTZ", "D9D9F3"},
    {"RICH BLUE", "5959AB"},
    {"SALMON", "6F4242"},
    {"SCARLET", "8C1717"},
    {"SEA GREEN", "238E68"},
    {"SEMI-SWEET CHOCOLATE", "6B4226"},
    {"SIENNA", "8E6B23"},
    {"SILVER", "E6E8FA"},
    {"SKY", "3299CC"},
    {"SKY BLUE", "3299CC"},
    {"SLATE BLUE", "007FFF"},
    {"SPICY PINK", "FF1CAE"},
    {"SPRING GREEN", "00FF7F"},
    {"STEEL BLUE", "236B8E"},
    {"SUMMER SKY", "38B0DE"},
    {"TAN", "DB9370"},
    {"THISTLE", "D8BFD8"},
    {"TURQUOISE", "ADEAEA"},
    {"VERY DARK BROWN", "5C4033"},
    {"VERY LIGHT GREY", "CDCDCD"},
    {"VIOLET", "4F2F4F"},
    {"VIOLET RED", "CC3299"},
    {"WHEAT", "D8D8BF"},
    {"YELLOW GREEN", "99CC32"},
};
static_assert(sizeof(g_colors) / sizeof(g_colors[0]) == 101);

struct Keyword
{
    const char* word;
    int value;
};

// Upper-cases the value and looks it up exactly; no trimming, so padded keywords fall through.
template <size_t N> int LookupUpper(CString value, const Keyword (&table)[N], int otherwise)
{
    value.MakeUpper();
    for (const Keyword& k : table) {
        if (value == k.word)
            return k.value;
    }
    return otherwise;
}

// Low eight bits of a two-character group read with "%x"; nothing converted gives 0.
int HexGroup(const CString& group)
{
    unsigned int n = 0;
    if (std::sscanf(group, "%x", &n) != 1)
        n = 0;
    return int(n & 0xFF);
}

} // namespace

CString CAttrParser::StripQuotes(CString value)
{
    const int len = value.GetLength();
    if (len > 0 && value[0] == '"' && value[len - 1] == '"')
        return value.Mid(1, len - 2);
    return value;
}

int CAttrParser::ParseLength(CString value)
{
    // The tag tree gives "EXIST" to an attribute written without a value.
    if (value.str() == "EXIST")
        return 1;
    const int n = ToInt(value);
    const int len = value.GetLength();
    if (len > 0 && value[len - 1] == '%')
        return Negate(n);
    return n;
}

int CAttrParser::ParseFontSize(CString value)
{
    if (value.IsEmpty())
        return 3;
    const int n = ToInt(value);
    if (value[0] == '+' || value[0] == '-')
        return n > INT_MAX - 3 ? INT_MAX : n + 3; // relative to the base size 3
    return n;
}

COLORREF CAttrParser::ParseColor(CString value)
{
    if (value.CompareNoCase("System") == 0)
        return GetSysColor(COLOR_BTNFACE);
    if (value.CompareNoCase("SystemLight") == 0)
        return GetSysColor(COLOR_BTNHIGHLIGHT);
    if (value.CompareNoCase("SystemDark") == 0)
        return GetSysColor(COLOR_BTNSHADOW);
    if (value.CompareNoCase("SystemText") == 0)
        return GetSysColor(COLOR_WINDOWTEXT);

    value = ColorNameToHex(value);
    const int len = value.GetLength();
    if (len < 6)
        return 0;
    const int start = value[0] == '#' ? 1 : 0;
    if (len < start + 6)
        return 0;
    const int r = HexGroup(value.Mid(start, 2));
    const int g = HexGroup(value.Mid(start + 2, 2));
    const int b = HexGroup(value.Mid(start + 4, 2));
    return RGB(BYTE(r), BYTE(g), BYTE(b));
}

CString CAttrParser::ColorNameToHex(CString value)
{
    value.MakeUpper();
    for (const NamedColor& c : g_colors) {
        if (value == c.name)
            return CString(c.hex);
    }
    return value;
}

int CAttrParser::ParseAlign(CString value)
{
    static const Keyword table[] = {{"TOP", ALIGN_TOP},   {"MIDDLE", ALIGN_MIDDLE}, {"BOTTOM", ALIGN_BOTTOM},
                                    {"LEFT", ALIGN_LEFT}, {"RIGHT", ALIGN_RIGHT},   {"CENTER", ALIGN_CENTER}};
    return LookupUpper(value, table, ALIGN_NONE);
}

int CAttrParser::ParseVAlign(CString value)
{
    static const Keyword table[] = {{"TOP", VALIGN_TOP},
                                    {"MIDDLE", VALIGN_MIDDLE},
                                    {"CENTER", VALIGN_CENTER},
                                    {"BOTTOM", VALIGN_BOTTOM},
                                    {"BASELINE", VALIGN_BASELINE}};
    return LookupUpper(value, table, VALIGN_NONE);
}

int CAttrParser::ParseClear(CString value)
{
    static const Keyword table[] = {
        {"NONE", CLEAR_NONE}, {"LEFT", CLEAR_LEFT}, {"ALL", CLEAR_ALL}, {"RIGHT", CLEAR_RIGHT}};
    return LookupUpper(value, table, CLEAR_NONE);
}

int CAttrParser::ParseMethod(CString value)
{
    static const Keyword table[] = {{"GET", METHOD_GET}, {"POST", METHOD_POST}};
    return LookupUpper(value, table, METHOD_GET);
}

int CAttrParser::ParseType(CString value)
{
    // Upper-casing makes "a" and "i" the same as "A" and "I".
    static const Keyword table[] = {{"TEXT", TYPE_TEXT},
                                    {"PASSWORD", TYPE_PASSWORD},
                                    {"CHECKBOX", TYPE_CHECKBOX},
                                    {"RADIO", TYPE_RADIO},
                                    {"BUTTON", TYPE_BUTTON},
                                    {"SUBMIT", TYPE_SUBMIT},
                                    {"RESET", TYPE_RESET},
                                    {"FILE", TYPE_FILE},
                                    {"HIDDEN", TYPE_HIDDEN},
                                    {"IMAGE", TYPE_IMAGE},
                                    {"DISC", TYPE_DISC},
                                    {"SQUARE", TYPE_SQUARE},
                                    {"CIRCLE", TYPE_CIRCLE},
                                    {"1", TYPE_DECIMAL},
                                    {"A", TYPE_ALPHA},
                                    {"I", TYPE_ROMAN},
                                    {"INT", TYPE_INT}};
    return LookupUpper(value, table, TYPE_TEXT);
}

int CAttrParser::ParseSide(CString value)
{
    static const Keyword table[] = {
        {"left", SIDE_LEFT}, {"right", SIDE_RIGHT}, {"up", SIDE_UP}, {"down", SIDE_DOWN}};
    for (const Keyword& k : table) {
        if (value.CompareNoCase(k.word) == 0)
            return k.value;
    }
    return SIDE_NONE;
}

int CAttrParser::ParseShape(CString value)
{
    static const Keyword table[] = {
        {"RECT", SHAPE_RECT}, {"RECTANGLE", SHAPE_RECT}, {"CIRC", SHAPE_CIRCLE},    {"CIRCLE", SHAPE_CIRCLE},
        {"POLY", SHAPE_POLY}, {"POLYGON", SHAPE_POLY},   {"DEFAULT", SHAPE_DEFAULT}};
    return LookupUpper(value, table, SHAPE_DEFAULT);
}
