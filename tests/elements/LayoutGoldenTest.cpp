// Whole layouts of small pages in the box font, compared with their expected layout dumps.
#include "DocTestUtil.h"

#include "korhtml/HtmlSrvr.h"

#include <string>
#include <vector>

namespace {

class LayoutGoldenTest : public DocTest
{
};

struct Golden
{
    const char* rule;
    std::string html;
    std::vector<int> widths; // laid out at each in turn, dumps concatenated
    bool even;
    const char* expected;
};

// The box font: a byte of the 14-pixel body font is 7 wide, a byte of the 12-pixel fixed font 6.
// Lines are 14 high, 5 apart within a paragraph and 20 between paragraphs; margins are 10. Wrapping,
// alignment, rules and lists of ordinary pages are pinned by the recorded layouts of the example and
// real pages; these are the rules those pages do not reach.
TEST_F(LayoutGoldenTest, PagesLayOutAsExpected)
{
    const Golden goldens[] = {
        {"even alignment spreads a wrapped line, not one a BR closes; PRE keeps its tab",
         "<p>aa b cc dddd e<br>ff gg</p><center>mid</center><pre>x\ty</pre>",
         {81},
         true,
         "content\t81\t139\n"
         "74\t10\t10\t21\t14\t4\taa \n"
         "74\t34\t10\t14\t14\t0\tb \n"
         "74\t50\t10\t21\t14\t0\tcc \n"
         "74\t10\t30\t35\t14\t1\tdddd \n"
         "74\t45\t30\t7\t14\t0\te\n"
         "10\t52\t29\t0\t15\t0\t\n"
         "74\t10\t49\t21\t14\t2\tff \n"
         "74\t31\t49\t14\t14\t0\tgg\n"
         "74\t30\t83\t21\t14\t4\tmid\n"
         "74\t10\t117\t54\t12\t4\tx\\ty\n"},
        {"word sizes: one-byte characters 7, two-byte 14, entities decoded, the last word of a node "
         "without its blank; WBR an empty run as high as the text before it, 20 at the start",
         "<wbr>x<p>hello world</p><p>\xC7\xD1\xB1\xDBx  &lt;b&gt; end</p><p>ab<wbr>cd</p>"
         "<font size=7>ab</font><wbr>",
         {800},
         false,
         "content\t111\t212\n"
         "74\t10\t10\t0\t20\t0\t\n"
         "74\t10\t16\t7\t14\t0\tx\n"
         "74\t10\t50\t42\t14\t4\thello \n"
         "74\t52\t50\t35\t14\t0\tworld\n"
         "74\t10\t84\t42\t14\t4\t\xC7\xD1\xB1\xDBx \n"
         "74\t52\t84\t28\t14\t0\t<b> \n"
         "74\t80\t84\t21\t14\t0\tend\n"
         "74\t10\t118\t14\t14\t4\tab\n"
         "74\t24\t118\t0\t14\t0\t\n"
         "74\t24\t118\t14\t14\t0\tcd\n"
         "74\t10\t152\t50\t50\t4\tab\n"
         "74\t60\t152\t0\t50\t0\t\n"},
        {"preformatted runs: as wide as their longest line, a line break at the end starts no line, "
         "tabs to multiples of 8 characters; the parser drops the first line break",
         "<pre>ab\r\nabcd</pre><pre>a\tb\n\tc</pre><pre>abc\n</pre><pre>\r\n\r\nx</pre>",
         {800},
         false,
         "content\t74\t164\n"
         "74\t10\t10\t24\t24\t4\tab\\r\\n"
         "abcd\n"
         "74\t10\t54\t54\t24\t4\ta\\tb\\n"
         "\\tc\n"
         "74\t10\t98\t18\t12\t4\tabc\\n"
         "\n"
         "74\t10\t130\t6\t24\t4\t\\r\\n"
         "x\n"},
    };
    for (const Golden& g : goldens) {
        SCOPED_TRACE(g.rule);
        SetEvenAlign(g.even);
        TestDoc t(300, 200);
        ASSERT_EQ(t.OpenHtml(g.html), 1);
        std::string dumps;
        for (int width : g.widths) {
            t->Layout(width, 200);
            dumps += t.Dump();
        }
        EXPECT_EQ(dumps, g.expected);
    }
}

} // namespace
