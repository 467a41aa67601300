// The font rules of the style elements as text runs resolve them: nesting, sizes, faces, links.
#include "DocTestUtil.h"
#include "TempDir.h"

#include "korhtml/HtmlSrvr.h"
#include "korhtml/SimpleElements.h"
#include "korhtml/TextElement.h"
#include "korlib/korlib.h"

#include <cstring>
#include <string>

namespace {

class SimpleFontTest : public DocTest
{
};

const char kGulimChe[] = "\xB1\xBC\xB8\xB2\xC3\xBC"; // the fixed-pitch Korean face

LOGFONT FontOf(const FText* t)
{
    LOGFONT lf = {};
    if (t && t->m_pFont)
        t->m_pFont->GetLogFont(&lf);
    return lf;
}

// The pixel height, then the weight when not normal, i(talic), u(nderline), s(trike-out), and
// "fixed" for the fixed face or the face's name when it is not the body face.
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
    if (std::strcmp(lf.lfFaceName, kGulimChe) == 0)
        out += " fixed";
    else if (std::strcmp(lf.lfFaceName, GetLogFont(0)->lfFaceName) != 0)
        out += std::string(" face=") + lf.lfFaceName;
    return out;
}

TEST_F(SimpleFontTest, StylesSizesHeadingsAndFixedFaces)
{
    const struct
    {
        const char* html;
        const char* style;
    } cases[] = {
        // Every word of a page of styles in turn; SUB, SUP, DFN and BLINK change nothing.
        {"<b><i>x</i></b> <strong>x</strong> <em>x</em> <cite>x</cite> <var>x</var> <u>x "
         "<strike>x</strike></u> "
         "<sub>x</sub> <sup>x</sup> <dfn>x</dfn> <blink>x</blink><address>x</address>",
         "14 w800 i|14 w800|14 i|14 i|14 i|14 u|14 u s|14|14|14|14|14 i"},
        // The outer element is applied first; sizes below 1 are 1 and SMALL stops at 1.
        {"<font size=5><small>x</small></font>", "18"},
        {"<small><font size=5>x</font></small>", "24"},
        {"<font size=0>x</font>", "12"},
        {"<font size=1><small>x</small></font>", "12"},
        {"<font color=red>c1 <font size=2>x</font></font>", "14|13"}, // not given: no change
        {"<font face=Arial>x</font>", "14 face=Arial"},
        // BIG steps up from the text before it (size 3 without any), not from the enclosing FONT.
        {"<big>x</big>", "18"},
        {"<font size=3>t</font><font size=7><big>x</big></font>", "14|18"},
        {"<font size=7>t <big>x</big></font>", "50|50"},
        {"<font size=1>t</font><small><big>x</big></small>", "12|13"},
        {"<font size=6>t</font> <big><big>x</big></big>", "32|50"},
        // The other headings' sizes and relative font sizes are pinned by the pages' recorded layouts.
        {"<h4>x</h4>", "14 w800"},
        {"<u><i><h2>x</h2></i></u>", "24 w800 i u"}, // a heading keeps the styles around it
        // The fixed faces take face and pitch only; PRE keeps the weight around it.
        {"<b><tt>x</tt></b> <code>x</code>", "14 w800 fixed|14 fixed"},
        {"<xmp>x</xmp>", "14 fixed"},
        {"<font size=5><tt>x</tt></font>", "24 fixed"},
        {"<b><pre>x</pre></b>", "12 w800 fixed"},
        {"<listing>x</listing>", "13 fixed"}};
    for (const auto& c : cases) {
        TestDoc t(300, 200);
        ASSERT_EQ(t.OpenHtml(c.html), 1) << c.html;
        std::string styles;
        for (FText* word : t.Texts())
            styles += (styles.empty() ? "" : "|") + Style(word);
        EXPECT_EQ(styles, c.style) << c.html;
    }
    // The body's own text has exactly the standard body font; a fixed run the standard fixed font.
    TestDoc t(300, 200);
    ASSERT_EQ(t.OpenHtml("plain<pre>p</pre>"), 1);
    LOGFONT plain = FontOf(t.FindText("plain")), pre = FontOf(t.FindText("p"));
    EXPECT_EQ(std::memcmp(&plain, GetLogFont(0), sizeof(LOGFONT)), 0);
    EXPECT_EQ(std::memcmp(&pre, GetLogFont(1), sizeof(LOGFONT)), 0);
}

TEST_F(SimpleFontTest, FaceNamesAndCharacterSets)
{
    std::string longFace(40, 'a');
    std::string koreanFace;
    for (int i = 0; i < 16; ++i)
        koreanFace += "\xB1\xBC"; // 32 bytes: the 16th character does not fit
    TestDoc t(800, 200);
    ASSERT_EQ(t.OpenHtml(std::string("<font face=Arial>ar</font> <font face=\"") + kGulimChe +
                         "\">ko</font> " + "<font face=\"" + longFace + "\">lo</font> <font face=\"" +
                         koreanFace +
                         "\">kl</font> <font face=Arial><font face=\"\">em</font></font> "
                         "<font face=\"A\xB1\xBC\">mx</font>"),
              1);
    LOGFONT ar = FontOf(t.FindText("ar"));
    EXPECT_EQ(ar.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(ar.lfPitchAndFamily, KorGetPitchAndFamily("Arial"));
    EXPECT_EQ(FontOf(t.FindText("ko")).lfCharSet, HANGEUL_CHARSET);
    // Names are cut to 31 bytes, never inside a two-byte character.
    EXPECT_EQ(std::string(FontOf(t.FindText("lo")).lfFaceName), longFace.substr(0, 31));
    EXPECT_EQ(std::string(FontOf(t.FindText("kl")).lfFaceName), koreanFace.substr(0, 30));
    // An empty face leaves the character set as it was; a name with Korean in it gets the Korean set.
    EXPECT_STREQ(FontOf(t.FindText("em")).lfFaceName, "");
    EXPECT_EQ(FontOf(t.FindText("em")).lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(FontOf(t.FindText("mx")).lfCharSet, HANGEUL_CHARSET);
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
