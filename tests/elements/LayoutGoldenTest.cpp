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
// Lines are 14 high, 5 apart within a paragraph and 20 between paragraphs; margins are 10.
TEST_F(LayoutGoldenTest, PagesLayOutAsExpected)
{
    const Golden goldens[] = {
        {"words wrap between words, a word ending at the edge fits, a longer word is never split; at a "
         "greater width the wrapped word joins the line again",
         "<p>aaaa bbbb cccc</p><p>a wwwwwwwwwwwwwwww b</p>",
         {100, 200},
         false,
         "content\t139\t125\n"
         "74\t10\t10\t35\t14\t4\taaaa \n"
         "74\t45\t10\t35\t14\t0\tbbbb \n"
         "74\t10\t29\t28\t14\t1\tcccc\n"
         "74\t10\t63\t14\t14\t4\ta \n"
         "74\t10\t82\t119\t14\t1\twwwwwwwwwwwwwwww \n"
         "74\t10\t101\t7\t14\t1\tb\n"
         "content\t160\t68\n"
         "74\t10\t10\t35\t14\t4\taaaa \n"
         "74\t45\t10\t35\t14\t0\tbbbb \n"
         "74\t80\t10\t28\t14\t0\tcccc\n"
         "74\t10\t44\t14\t14\t4\ta \n"
         "74\t24\t44\t119\t14\t0\twwwwwwwwwwwwwwww \n"
         "74\t143\t44\t7\t14\t0\tb\n"},
        {"lines are centred or right-aligned by the nearest aligning element; a text node's opening "
         "separator adds no space",
         "<center>aa bb</center><p align=right>cc dd</p><center><p align=right>ee</p><p>ff</p></center>"
         "<div align=center><b>gg</b> hh</div>",
         {120},
         false,
         "content\t88\t170\n"
         "74\t42\t10\t21\t14\t4\taa \n"
         "74\t63\t10\t14\t14\t0\tbb\n"
         "74\t75\t44\t21\t14\t4\tcc \n"
         "74\t96\t44\t14\t14\t0\tdd\n"
         "74\t96\t78\t14\t14\t4\tee\n"
         "74\t53\t112\t14\t14\t4\tff\n"
         "74\t46\t146\t14\t14\t6\tgg\n"
         "74\t60\t146\t14\t14\t0\thh\n"},
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
        {"a full rule fills its line, a percentage rule is centred by CENTER, a pixel-wide rule takes "
         "no height; each starts a paragraph and so does the element after it",
         "w1<hr>w2<center><hr width=50%></center>w3<hr width=200>w4",
         {800},
         false,
         "content\t215\t204\n"
         "74\t10\t10\t14\t14\t0\tw1\n"
         "34\t10\t44\t780\t4\t4\t\n"
         "74\t10\t68\t14\t14\t4\tw2\n"
         "34\t205\t102\t390\t4\t4\t\n"
         "74\t10\t126\t14\t14\t4\tw3\n"
         "34\t10\t160\t200\t0\t4\t\n"
         "74\t10\t180\t14\t14\t4\tw4\n"},
        {"list items sit 10 x 5 on the bottom of their line, indented 20 per list; nested and ordered "
         "lists alike; the content size counts the indents",
         "<ul><li>w1<li>w2<ul><li>w3</ul></ul><ol><li>w4<li></ol>wA",
         {800},
         false,
         "content\t84\t165\n"
         "41\t30\t19\t10\t5\t6\t\n"
         "74\t40\t10\t14\t14\t0\tw1\n"
         "41\t30\t38\t10\t5\t2\t\n"
         "74\t40\t29\t14\t14\t0\tw2\n"
         "41\t50\t72\t10\t5\t6\t\n"
         "74\t60\t63\t14\t14\t0\tw3\n"
         "41\t30\t106\t10\t5\t6\t\n"
         "74\t40\t97\t14\t14\t0\tw4\n"
         "41\t30\t116\t10\t5\t2\t\n"
         "74\t10\t141\t14\t14\t4\twA\n"},
        {"a word wider than the view sits on a line of its own; narrower than the margins, every "
         "element does",
         "<p>a b wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww c d",
         {200, 12},
         false,
         "content\t279\t72\n"
         "74\t10\t10\t14\t14\t4\ta \n"
         "74\t24\t10\t14\t14\t0\tb \n"
         "74\t10\t29\t259\t14\t1\twwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww \n"
         "74\t10\t48\t14\t14\t1\tc \n"
         "74\t24\t48\t7\t14\t0\td\n"
         "content\t279\t110\n"
         "74\t10\t10\t14\t14\t4\ta \n"
         "74\t10\t29\t14\t14\t1\tb \n"
         "74\t10\t48\t259\t14\t1\twwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww \n"
         "74\t10\t67\t14\t14\t1\tc \n"
         "74\t10\t86\t7\t14\t1\td\n"},
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
