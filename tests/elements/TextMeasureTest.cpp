// Tests of text runs: entity decoding, word and preformatted sizes in the box font, shared fonts.
#include "TextTestDoc.h"

#include "korhtml/SimpleElements.h"
#include "server/FontManager.h"

#include <string>

namespace {

std::string Decode(const char* raw, int len = -1)
{
    FText t(nullptr);
    t.m_strRaw = len < 0 ? CString(raw) : CString(raw, len);
    t.DecodeEntities();
    return t.m_strText.str();
}

} // namespace

TEST_F(BoxFontTest, TextDecodeEntities)
{
    EXPECT_EQ(Decode("plain "), "plain ");
    EXPECT_EQ(Decode("a&amp;b "), "a&b ");
    EXPECT_EQ(Decode("&lt;&gt;"), "<>");
    EXPECT_EQ(Decode("&nbsp;x"), " x");
    EXPECT_EQ(Decode("&quot;&copy;&eacute;&yuml;"), "\"\xA9\xE9\xFF");
    // Names are case-sensitive; unknown names give a space.
    EXPECT_EQ(Decode("&AMP;&bogus;"), "  ");
    // Numbers: up to three digits give that byte, four digits a space, no digits byte 0.
    EXPECT_EQ(Decode("&#65;&#066;&#9;"), "AB\t");
    EXPECT_EQ(Decode("&#1234;"), " ");
    EXPECT_EQ(Decode("&#;"), std::string(1, '\0'));
    EXPECT_EQ(Decode("&#x41;"), std::string(1, '\0'));
    // An empty name is byte 0, whether closed by a semicolon, a space or an ampersand.
    EXPECT_EQ(Decode("a&;b"), std::string("a\0b", 3));
    EXPECT_EQ(Decode("a& b"), std::string("a\0b", 3));
    // A terminating ampersand starts nothing: the letters after it are plain text.
    EXPECT_EQ(Decode("&&lt;"), std::string("\0lt;", 4));
    EXPECT_EQ(Decode("&lt&gt;"), "<gt;");
    // Without a semicolon the word's own trailing space ends the name and is consumed with it.
    EXPECT_EQ(Decode("AT&amp "), "AT&");
    // A name still open at the end is dropped.
    EXPECT_EQ(Decode("AT&T"), "AT");
    EXPECT_EQ(Decode("x&"), "x");
    // Bytes after a NUL are still decoded; a Korean word passes through untouched.
    EXPECT_EQ(Decode("\0&lt;", 5), std::string("\0<", 2));
    EXPECT_EQ(Decode("\xC7\xD1&amp;"), "\xC7\xD1&");
}

TEST_F(BoxFontTest, TextWordSizes)
{
    // The body font is 14 pixels: one-byte characters 7 wide, two-byte ones 14.
    TextDoc doc("<body><p>hello world</p><p>\xC7\xD1</p><p>\xC7\xD1\xB1\xDBx  &lt;b&gt; end</p>"
                "<p>ab<wbr>cd</p></body>");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    FText* hello = doc.Word("hello");
    EXPECT_EQ(hello->m_strText, "hello ");
    EXPECT_EQ(hello->m_nWidth, 42);
    EXPECT_EQ(hello->m_nHeight, 14);
    EXPECT_EQ(doc.Word("world")->m_nWidth, 35); // the last word of the node has no trailing space
    EXPECT_EQ(doc.Word("\xC7\xD1")->m_nWidth, 14);
    EXPECT_EQ(doc.Word("\xC7\xD1")->m_nHeight, 14);
    EXPECT_EQ(doc.Word("\xC7\xD1\xB1\xDBx")->m_nWidth, 14 + 14 + 7 + 7);
    FText* tag = doc.Word("&lt;b&gt;");
    EXPECT_EQ(tag->m_strText, "<b> ");
    EXPECT_EQ(tag->m_nWidth, 28);
    // A WBR is an empty run: no width, the height of the text before it.
    std::vector<FText*> texts = doc.Texts();
    FText* wbr = nullptr;
    for (FText* t : texts)
        if (t->m_strRaw.IsEmpty())
            wbr = t;
    ASSERT_NE(wbr, nullptr);
    EXPECT_EQ(wbr->m_nWidth, 0);
    EXPECT_EQ(wbr->m_nHeight, 14);

    TextDoc big("<body><font size=7>ab</font><wbr></body>");
    big.Measure();
    EXPECT_EQ(big.Word("ab")->m_nWidth, 50);
    EXPECT_EQ(big.Texts().back()->m_nHeight, 50);
    // Without any text before it an empty run is 20 high.
    TextDoc first("<body><wbr>x</body>");
    first.Measure();
    ASSERT_EQ(first.Texts().size(), 2u);
    EXPECT_EQ(first.Texts()[0]->m_nWidth, 0);
    EXPECT_EQ(first.Texts()[0]->m_nHeight, 20);
}

TEST_F(BoxFontTest, TextPreformattedSizes)
{
    // The fixed font is 12 pixels: 6 per byte, tabs to multiples of 48.
    TextDoc doc("<body><pre>ab\r\nabcd</pre><pre>a\tb\n\tc</pre><pre>abc\n</pre><pre>\r\n\r\nx</pre></body>");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    std::vector<FText*> texts = doc.Texts();
    ASSERT_EQ(texts.size(), 4u);
    for (FText* t : texts)
        EXPECT_TRUE(t->IsPre());
    EXPECT_EQ(texts[0]->m_nWidth, 24); // the second, longer line
    EXPECT_EQ(texts[0]->m_nHeight, 24);
    EXPECT_EQ(texts[1]->m_nWidth, 54);
    EXPECT_EQ(texts[1]->m_nHeight, 24);
    EXPECT_EQ(texts[2]->m_nWidth, 18); // a break at the very end starts no line
    EXPECT_EQ(texts[2]->m_nHeight, 12);
    // The parser drops the first line break; the empty lines count in the height only.
    EXPECT_EQ(texts[3]->m_strText, "\r\nx");
    EXPECT_EQ(texts[3]->m_nWidth, 6);
    EXPECT_EQ(texts[3]->m_nHeight, 24);
}

TEST_F(BoxFontTest, TextSharesFontsWithinANode)
{
    TextDoc doc("<body text=#102030>one two <b>bold</b> three <sub>s</sub> <i>it four</i></body>");
    ASSERT_NE(doc.m_pBody, nullptr);
    CFontManager* fonts = g_pHtmlSrvr->GetFontManager();
    doc.Measure();
    FText *one = doc.Word("one"), *two = doc.Word("two"), *bold = doc.Word("bold"),
          *three = doc.Word("three");
    ASSERT_NE(one->m_pFont, nullptr);
    EXPECT_EQ(two->m_pFont, one->m_pFont);
    EXPECT_EQ(one->m_crText, RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(two->m_crText, one->m_crText);
    EXPECT_NE(bold->m_pFont, one->m_pFont);
    EXPECT_EQ(TextDoc::Font(bold).lfWeight, 800);
    // After the tag the description is built again and lands on the same shared font.
    EXPECT_EQ(three->m_pFont, one->m_pFont);
    EXPECT_EQ(doc.Word("s")->m_pFont, one->m_pFont);
    EXPECT_EQ(doc.Word("four")->m_pFont, doc.Word("it")->m_pFont);
    EXPECT_EQ(TextDoc::Font(doc.Word("four")).lfItalic, 1);
    EXPECT_EQ(TextDoc::Font(one).lfHeight, -14);
    EXPECT_STREQ(TextDoc::Font(one).lfFaceName, GetLogFont(0)->lfFaceName);
    EXPECT_GE(fonts->m_listFont.GetCount(), 3);

    // Text outside every font element keeps no font and is measured in the DC's own font.
    FText loose(nullptr);
    loose.m_strRaw = "ab";
    loose.Measure(nullptr);
    EXPECT_EQ(loose.m_pFont, nullptr);
    EXPECT_EQ(loose.m_nWidth, 16); // the stock font of a new DC: 16 em
    EXPECT_EQ(loose.m_nHeight, 16);
}
