// Hostile pages through the parser and the transformer: size, attribute floods and bad bytes.
#include "DocTestUtil.h"
#include "ElementTree.h"
#include "Hostile.h"

#include "korhtml/HtmlSrvr.h"
#include "korhtml/TableElements.h"
#include "korhtml/TextElement.h"

#include <string>
#include <vector>

using hostile::Repeat;

namespace {

using HostileTransform = DocTest;

TEST_F(HostileTransform, ManyCopiesKeepEveryWord)
{
    const std::string block = "<p align=center>Some <b>bold</b> and <a href=\"x.html\">linked</a> words"
                              "<table border=1><tr><td width=50%>\xC7\xD1\xB1\xDB<td><img src=a.gif></table>"
                              "<ul><li>one<li>two</ul><pre>\n pre\ttext\n</pre><!-- c -->\n";
    const size_t wordsPerBlock = ElementTree(block).Words().size();
    ASSERT_EQ(wordsPerBlock, 9u);
    hostile::AtScale("dense page", 4000, [&](size_t copies) {
        ElementTree t(Repeat(block, copies));
        EXPECT_EQ(t.Words().size(), copies * wordsPerBlock);
    });
}

TEST_F(HostileTransform, FiftyMegabytePage)
{
    // Text-heavy blocks keep the element count moderate; the point is the size of the source.
    const std::string pre = Repeat("\xC7\xD1\xB1\xDB text line\n", 600);
    const std::string block = "<h2>Title</h2><p>A paragraph of words.<pre>\n" + pre + "</pre><script>" +
                              Repeat("var a = 1 < 2;", 100) + "</script><!--" + Repeat("comment ", 200) +
                              "-->\n";
    std::string page = "<title>T</title>";
    page.reserve((50u << 20) + block.size());
    size_t blocks = 0;
    while (page.size() < (50u << 20)) {
        page += block;
        ++blocks;
    }
    ElementTree t(page);
    ASSERT_NE(t.m_pRoot, nullptr);
    // One HEAD and one BODY hold everything.
    EXPECT_EQ(t.All(TAG_HEAD).size(), 1u);
    EXPECT_EQ(t.All(TAG_BODY).size(), 1u);
    EXPECT_EQ(t.All(TAG_H2).size(), blocks);
    size_t preBytes = 0, preRuns = 0, words = 0;
    for (CElement* e : t.All(KIND_TEXT)) {
        FText* run = static_cast<FText*>(e);
        if (run->IsPre()) {
            preBytes += size_t(run->m_strRaw.GetLength());
            ++preRuns;
        } else {
            ++words;
        }
    }
    EXPECT_EQ(preRuns, blocks);
    EXPECT_EQ(preBytes, blocks * pre.size());
    EXPECT_EQ(words, blocks * 5 + 1);
}

TEST_F(HostileTransform, HugeAttributes)
{
    // Attribute values of 1 MB, unquoted, quoted and never closed.
    const std::string mega(1 << 20, 'w');
    ElementTree values("<img src=" + mega + " alt=\"" + mega + "\"><a href=\"" + mega + ">x");
    EXPECT_EQ(values.All(TAG_IMG).size(), 1u);
    // 100 000 attributes: the first of each name wins, and the known ones still take effect.
    std::string tag = "<td";
    for (int i = 0; i < 100000; ++i)
        tag += i % 1000 ? " x" + std::to_string(i) : std::string(" colspan=") + std::to_string(i + 2);
    ElementTree table("<table><tr>" + tag + ">cell</table>");
    EXPECT_EQ(table.Words(), std::vector<std::string>{"cell"});
    ASSERT_NE(table.Nth<FTableCell>(TAG_TD), nullptr);
    EXPECT_EQ(table.Nth<FTableCell>(TAG_TD)->m_nColSpan, 2);
}

TEST_F(HostileTransform, BadBytesStayInTheirWords)
{
    // NUL and control bytes in text, names and values.
    const std::string nul("\0", 1);
    ElementTree controls("<p>a" + nul + "b \x01\x02\x7f c<b" + nul + "x=" + nul + ">d</b" + nul + "><" + nul +
                         ">e\x1b[31m");
    EXPECT_FALSE(controls.Words().empty());
    // Invalid CP949: lone lead bytes before markup, a lead byte before a blank, one at the very end.
    EXPECT_EQ(ElementTree("<p>\xB0<b>bold</b> \xC7 x\xFE<i>y</i>\x81").Words(),
              (std::vector<std::string>{"\xB0", "bold", "\xC7 ", "x\xFE", "y", "\x81"}));
}

} // namespace
