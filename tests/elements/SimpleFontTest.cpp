// The standard fonts of body and fixed text, and the colours and styles of links.
#include "DocTestUtil.h"
#include "TempDir.h"

#include "korhtml/HtmlSrvr.h"
#include "korhtml/SimpleElements.h"
#include "korhtml/TextElement.h"

#include <cstring>
#include <string>

namespace {

class SimpleFontTest : public DocTest
{
};

LOGFONT FontOf(const FText* t)
{
    LOGFONT lf = {};
    if (t && t->m_pFont)
        t->m_pFont->GetLogFont(&lf);
    return lf;
}

// The pixel height, then the weight when not normal, i(talic), u(nderline), s(trike-out).
std::string Style(const FText* t)
{
    if (!t || !t->m_pFont)
        return "<no font>";
    const LOGFONT lf = FontOf(t);
    std::string out = std::to_string(-lf.lfHeight);
    if (lf.lfWeight != FW_NORMAL)
        out += " w" + std::to_string(lf.lfWeight);
    out += lf.lfItalic ? " i" : "";
    out += lf.lfUnderline ? " u" : "";
    out += lf.lfStrikeOut ? " s" : "";
    return out;
}

// Style elements, sizes, headings, fixed faces and face names are pinned by the fonts case file.
TEST_F(SimpleFontTest, BodyAndFixedTextTakeTheStandardFonts)
{
    // The body's own text has exactly the standard body font; a fixed run the standard fixed font.
    TestDoc t(300, 200);
    ASSERT_EQ(t.OpenHtml("plain<pre>p</pre>"), 1);
    LOGFONT plain = FontOf(t.FindText("plain")), pre = FontOf(t.FindText("p"));
    EXPECT_EQ(std::memcmp(&plain, GetLogFont(0), sizeof(LOGFONT)), 0);
    EXPECT_EQ(std::memcmp(&pre, GetLogFont(1), sizeof(LOGFONT)), 0);
}

TEST_F(SimpleFontTest, LinkColoursAndStyles)
{
    TempDir dir;
    SetDataPath(CString((dir.Path() + "/").c_str()));
    AddOpenLink("seen.html");
    AddOpenLink("seenkor");
    TestDoc t(800, 200);
    ASSERT_EQ(
        t.OpenHtml("<body link=#0000ff vlink=#00ff00 text=#ff0000>"
                   "<a href=\"seen.html\">vs</a> <a href=\"new.html\">nw</a> <a korlink=\"seenkor\">kv</a> "
                   "<a korlink=\"newkor\">kn</a> <a name=\"n\">nm</a> "
                   "<a href=\"new.html\" korlink=\"seenkor\">hk</a> "
                   "<a href=\"new.html\"><font color=#123456>fc</font></a> tx"),
        1);
    const COLORREF link = RGB(0, 0, 255), vlink = RGB(0, 255, 0), text = RGB(255, 0, 0);
    const struct
    {
        const char* word;
        COLORREF colour;
        const char* style;
    } cases[] = {
        {"vs", vlink, "14 u"},
        {"nw", link, "14 u"},
        // A korlink is not underlined; until visited it is drawn in black weight.
        {"kv", vlink, "14"},
        {"kn", link, "14 w900"},
        {"nm", text, "14"},                    // a named target only changes nothing
        {"hk", link, "14 u"},                  // an href wins over a korlink
        {"fc", RGB(0x12, 0x34, 0x56), "14 u"}, // an inner colour wins; the underline stays
        {"tx", text, "14"},
    };
    for (const auto& c : cases) {
        FText* w = t.FindText(c.word);
        ASSERT_NE(w, nullptr) << c.word;
        EXPECT_EQ(w->m_crText, c.colour) << c.word;
        EXPECT_EQ(Style(w), c.style) << c.word;
    }

    // Without a data path no link counts as visited.
    SetDataPath("");
    ASSERT_EQ(t.OpenHtml("<a href=\"seen.html\">vs</a>"), 1);
    EXPECT_EQ(t.FindText("vs")->m_crText, RGB(0, 0, 255)); // the default link colour
}

} // namespace
