// Tests of the style elements' font rules as text runs resolve them: nesting, sizes, faces, links, body.
#include "TextTestDoc.h"

#include "../TempDir.h"
#include "../GifWriter.h"
#include "korgr/ImageDax.h"
#include "korhtml/HtmlX.h"
#include "korhtml/SimpleElements.h"
#include "korlib/korlib.h"

#include <cstring>

namespace {

// The description of the font of the (first) word.
LOGFONT FontOf(TextDoc& doc, const char* word, int n = 0)
{
    return TextDoc::Font(doc.Word(word, n));
}

const char kGulimChe[] = "\xB1\xBC\xB8\xB2\xC3\xBC"; // the fixed-pitch Korean face name

} // namespace

TEST_F(BoxFontTest, SimpleStylesNest)
{
    TextDoc doc("<body>plain <b><i>bi</i></b> <strong>st</strong> <em>em</em> <cite>ci</cite> <var>va</var>"
                "<address>ad</address><u>un <strike>us</strike></u> <sub>sb</sub> <sup>sp</sup>"
                "<dfn>df</dfn> <blink>bl</blink></body>");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    LOGFONT plain = FontOf(doc, "plain");
    EXPECT_EQ(std::memcmp(&plain, GetLogFont(0), sizeof(LOGFONT)), 0);
    LOGFONT bi = FontOf(doc, "bi");
    EXPECT_EQ(bi.lfWeight, 800);
    EXPECT_EQ(bi.lfItalic, 1);
    EXPECT_EQ(bi.lfHeight, -14);
    EXPECT_EQ(FontOf(doc, "st").lfWeight, 800);
    for (const char* w : {"em", "ci", "va", "ad"}) {
        EXPECT_EQ(FontOf(doc, w).lfItalic, 1) << w;
        EXPECT_EQ(FontOf(doc, w).lfWeight, 400) << w;
    }
    EXPECT_EQ(FontOf(doc, "un").lfUnderline, 1);
    EXPECT_EQ(FontOf(doc, "un").lfStrikeOut, 0);
    EXPECT_EQ(FontOf(doc, "us").lfUnderline, 1);
    EXPECT_EQ(FontOf(doc, "us").lfStrikeOut, 1);
    // SUB, SUP, DFN and BLINK leave the text as it is.
    for (const char* w : {"sb", "sp", "df", "bl"})
        EXPECT_EQ(doc.Word(w)->m_pFont, doc.Word("plain")->m_pFont) << w;
}

TEST_F(BoxFontTest, SimpleFontSizes)
{
    TextDoc doc("<body><font size=5><small>s4</small></font> <small><font size=5>s5</font></small>"
                "<font size=+2>p2</font> <font size=-1>m1</font> <font size=7>f7</font>"
                "<font size=0>z0</font> <font size=9>n9</font> <font size=+9>pp</font>"
                "<font size=1><small>s1</small></font> <small><small><small>x</small></small></small>"
                "<font color=red>c1 <font size=2>c2</font></font> <font face=\"Arial\">ar</font></body>");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    // The outer element is applied first.
    EXPECT_EQ(FontOf(doc, "s4").lfHeight, -18);
    EXPECT_EQ(FontOf(doc, "s5").lfHeight, -24);
    EXPECT_EQ(FontOf(doc, "p2").lfHeight, -24);
    EXPECT_EQ(FontOf(doc, "m1").lfHeight, -13);
    EXPECT_EQ(FontOf(doc, "f7").lfHeight, -50);
    EXPECT_EQ(doc.Word("f7")->m_nWidth, 50);
    EXPECT_EQ(doc.Word("f7")->m_nHeight, 50);
    // Sizes are clamped to 1..7 and the clamped size is kept.
    EXPECT_EQ(FontOf(doc, "z0").lfHeight, -12);
    EXPECT_EQ(FontOf(doc, "n9").lfHeight, -50);
    EXPECT_EQ(FontOf(doc, "pp").lfHeight, -50);
    FFont* n9 = static_cast<FFont*>(doc.Word("n9")->GetParentElement());
    EXPECT_EQ(n9->m_nSize, 7);
    FFont* z0 = static_cast<FFont*>(doc.Word("z0")->GetParentElement());
    EXPECT_EQ(z0->m_nSize, 1);
    // SMALL stops at size 1.
    EXPECT_EQ(FontOf(doc, "s1").lfHeight, -12);
    EXPECT_EQ(FontOf(doc, "x").lfHeight, -12);
    // Attributes that were not given change nothing.
    EXPECT_EQ(doc.Word("c1")->m_crText, RGB(255, 0, 0));
    EXPECT_EQ(doc.Word("c2")->m_crText, RGB(255, 0, 0));
    EXPECT_EQ(FontOf(doc, "c2").lfHeight, -13);
    EXPECT_EQ(doc.Word("ar")->m_crText, 0u);
    EXPECT_STREQ(FontOf(doc, "ar").lfFaceName, "Arial");
    EXPECT_EQ(FontOf(doc, "ar").lfHeight, -14);
}

TEST_F(BoxFontTest, SimpleBigStepsFromThePrecedingText)
{
    TextDoc doc("<body><big>first</big> <font size=3>t3</font><font size=7><big>b4</big></font>"
                " <font size=7>t7 <big>b7</big></font> <font size=1>t1</font><small><big>bs</big></small>"
                " <font size=6>t6</font> <big><big>bb</big></big></body>");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    // Without text before it BIG steps up from size 3.
    EXPECT_EQ(FontOf(doc, "first").lfHeight, -18);
    // The step comes from the text before the element, not from the enclosing FONT.
    EXPECT_EQ(FontOf(doc, "b4").lfHeight, -18);
    EXPECT_EQ(FontOf(doc, "b7").lfHeight, -50);
    // After size-1 text BIG gives size 2 even inside SMALL (applied before it).
    EXPECT_EQ(FontOf(doc, "bs").lfHeight, -13);
    // Two BIGs in a row both step from the same preceding text.
    EXPECT_EQ(FontOf(doc, "bb").lfHeight, -50);
}

TEST_F(BoxFontTest, SimpleHeadingsAndFixedFaces)
{
    TextDoc doc("<body><h1>h1</h1><h2>h2</h2><h3>h3</h3><h4>h4</h4><h5>h5</h5><h6>h6</h6>"
                "<u><i><h2>hu</h2></i></u><p><b><tt>tt</tt></b> <code>co</code> <kbd>kb</kbd> <samp>sa</samp>"
                "<font size=5><tt>big</tt></font></p><pre>pr</pre><b><pre>bp</pre></b><listing>li</listing>"
                "<xmp>xm</xmp></body>");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    const char* heads[] = {"h1", "h2", "h3", "h4", "h5", "h6"};
    const LONG heights[] = {-32, -24, -18, -14, -13, -12};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(FontOf(doc, heads[i]).lfHeight, heights[i]) << heads[i];
        EXPECT_EQ(FontOf(doc, heads[i]).lfWeight, 800) << heads[i];
    }
    // A heading keeps the styles set around it.
    LOGFONT hu = FontOf(doc, "hu");
    EXPECT_EQ(hu.lfItalic, 1);
    EXPECT_EQ(hu.lfUnderline, 1);
    EXPECT_EQ(hu.lfHeight, -24);

    const LOGFONT* fixed = GetLogFont(1);
    // The fixed faces take face and pitch only.
    for (const char* w : {"tt", "co", "kb", "sa", "xm"}) {
        LOGFONT lf = FontOf(doc, w);
        EXPECT_STREQ(lf.lfFaceName, fixed->lfFaceName) << w;
        EXPECT_EQ(lf.lfPitchAndFamily, fixed->lfPitchAndFamily) << w;
        EXPECT_EQ(lf.lfHeight, -14) << w;
    }
    EXPECT_EQ(FontOf(doc, "tt").lfWeight, 800);
    EXPECT_EQ(FontOf(doc, "big").lfHeight, -24);
    EXPECT_STREQ(FontOf(doc, "big").lfFaceName, kGulimChe);
    EXPECT_EQ(doc.Word("tt")->m_nWidth, 14);
    // PRE takes the fixed font's size as well, and keeps the weight from outside.
    FText* pr = doc.Texts()[doc.Texts().size() - 4];
    FText* bp = doc.Texts()[doc.Texts().size() - 3];
    FText* li = doc.Texts()[doc.Texts().size() - 2];
    EXPECT_EQ(pr->m_strText, "pr");
    LOGFONT prFont = TextDoc::Font(pr);
    EXPECT_EQ(std::memcmp(&prFont, fixed, sizeof(LOGFONT)), 0);
    EXPECT_EQ(pr->m_nWidth, 12);
    EXPECT_EQ(pr->m_nHeight, 12);
    EXPECT_EQ(TextDoc::Font(bp).lfWeight, 800);
    EXPECT_EQ(TextDoc::Font(bp).lfHeight, -12);
    EXPECT_EQ(li->m_strText, "li");
    EXPECT_EQ(TextDoc::Font(li).lfHeight, -13);
    EXPECT_STREQ(TextDoc::Font(li).lfFaceName, kGulimChe);
}

TEST_F(BoxFontTest, SimpleFontFaces)
{
    std::string longFace(40, 'a');
    std::string koreanFace;
    for (int i = 0; i < 16; ++i)
        koreanFace += "\xB1\xBC"; // 32 bytes: the 16th character does not fit
    TextDoc doc(
        std::string("<body><font face=Arial>ar</font> <font face=\"") + kGulimChe +
        "\">ko</font> "
        "<font face=\"" +
        longFace + "\">lo</font> <font face=\"" + koreanFace +
        "\">kl</font> "
        "<font face=Arial><font face=\"\">em</font></font> <font face=\"A\xB1\xBC\">mx</font></body>");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    LOGFONT ar = FontOf(doc, "ar");
    EXPECT_STREQ(ar.lfFaceName, "Arial");
    EXPECT_EQ(ar.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(ar.lfPitchAndFamily, KorGetPitchAndFamily("Arial"));
    LOGFONT ko = FontOf(doc, "ko");
    EXPECT_STREQ(ko.lfFaceName, kGulimChe);
    EXPECT_EQ(ko.lfCharSet, HANGEUL_CHARSET);
    EXPECT_EQ(std::string(FontOf(doc, "lo").lfFaceName), longFace.substr(0, 31));
    EXPECT_EQ(std::string(FontOf(doc, "kl").lfFaceName), koreanFace.substr(0, 30));
    // An empty face leaves the character set as it was.
    LOGFONT em = FontOf(doc, "em");
    EXPECT_STREQ(em.lfFaceName, "");
    EXPECT_EQ(em.lfCharSet, ANSI_CHARSET);
    // A name that mixes Korean and ASCII gets the Korean set.
    EXPECT_EQ(FontOf(doc, "mx").lfCharSet, HANGEUL_CHARSET);
}

TEST_F(BoxFontTest, SimpleLinkColours)
{
    TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    SetDataPath(CString((dir.Path() + "/").c_str()));
    AddOpenLink("seen.html");
    AddOpenLink("seenkor");
    TextDoc doc(
        "<body link=#0000ff vlink=#00ff00 text=#ff0000>"
        "<a href=\"seen.html\">vs</a> <a href=\"new.html\">nw</a> <a korlink=\"seenkor\">kv</a> "
        "<a korlink=\"newkor\">kn</a> <a name=\"n\">nm</a> <a href=\"new.html\" korlink=\"seenkor\">hk</a>"
        " <a href=\"new.html\"><font color=#123456>fc</font></a> tx</body>");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    const COLORREF link = RGB(0, 0, 255), vlink = RGB(0, 255, 0), text = RGB(255, 0, 0);
    EXPECT_EQ(doc.Word("vs")->m_crText, vlink);
    EXPECT_EQ(FontOf(doc, "vs").lfUnderline, 1);
    EXPECT_EQ(doc.Word("nw")->m_crText, link);
    EXPECT_EQ(FontOf(doc, "nw").lfUnderline, 1);
    EXPECT_EQ(FontOf(doc, "nw").lfWeight, 400);
    // A korlink is not underlined; until visited it is drawn in black weight.
    EXPECT_EQ(doc.Word("kv")->m_crText, vlink);
    EXPECT_EQ(FontOf(doc, "kv").lfUnderline, 0);
    EXPECT_EQ(FontOf(doc, "kv").lfWeight, 400);
    EXPECT_EQ(doc.Word("kn")->m_crText, link);
    EXPECT_EQ(FontOf(doc, "kn").lfUnderline, 0);
    EXPECT_EQ(FontOf(doc, "kn").lfWeight, 900);
    // A named target only changes nothing; an href wins over a korlink.
    EXPECT_EQ(doc.Word("nm")->m_crText, text);
    EXPECT_EQ(doc.Word("nm")->m_pFont, doc.Word("tx")->m_pFont);
    EXPECT_EQ(doc.Word("hk")->m_crText, link);
    EXPECT_EQ(FontOf(doc, "hk").lfUnderline, 1);
    // An inner colour wins over the link colour; the underline stays.
    EXPECT_EQ(doc.Word("fc")->m_crText, RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(FontOf(doc, "fc").lfUnderline, 1);
    EXPECT_EQ(doc.Word("tx")->m_crText, text);

    // Without a data path no link counts as visited.
    SetDataPath("");
    TextDoc again("<body><a href=\"seen.html\">vs</a></body>");
    again.Measure();
    EXPECT_EQ(again.Word("vs")->m_crText, 0xFF0000u); // the default link colour (blue)
}

TEST_F(BoxFontTest, SimpleBodyLoadsBackground)
{
    TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    ASSERT_TRUE(testgif::WriteFile(dir.File("tile.gif"),
                                   testgif::Encode(7, 5, {0xFF0000}, {testgif::Solid(0, 0, 7, 5, 0)})));
    CHtmlX doc(nullptr);
    doc.SetComponentPath(CString((dir.Path() + "/").c_str()));

    FBody plain(&doc);
    plain.LoadBackground();
    EXPECT_EQ(plain.m_pBackImage, nullptr);

    FBody body(&doc);
    body.m_strBackground = "tile.gif";
    body.LoadBackground();
    ASSERT_NE(body.m_pBackImage, nullptr);
    EXPECT_EQ(body.m_pBackImage->state, 3);
    EXPECT_EQ(body.m_nBackWidth, 7);
    EXPECT_EQ(body.m_nBackHeight, 5);
    // The image belongs to the document's image manager: a second body gets the same object.
    FBody other(&doc);
    other.m_strBackground = "tile.gif";
    other.LoadBackground();
    EXPECT_EQ(other.m_pBackImage, body.m_pBackImage);

    // A missing file leaves the stand-in for failed images (none here) and no size.
    FBody missing(&doc);
    missing.m_strBackground = "none.gif";
    missing.LoadBackground();
    EXPECT_EQ(missing.m_pBackImage, GetGlobalImage(2));
    EXPECT_EQ(missing.m_nBackWidth, missing.m_pBackImage ? missing.m_pBackImage->Width() : 0);
}
