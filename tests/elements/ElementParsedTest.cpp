// Break bits, inherited alignment and list levels that the measure pass gives the elements of pages.
#include "DocTestUtil.h"

#include "korhtml/AttrValues.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/TextElement.h"
#include "kortag/kortag.h"

#include <functional>
#include <string>

namespace {

class ElementParsedTest : public DocTest
{
};

// One entry per visible element of the page after the measure pass: the word of a text run or the
// tag name of anything else, then "=" and the value unless the value is empty.
std::string Summary(const std::string& html, const std::function<std::string(CVisible*)>& value)
{
    TestDoc t(300, 200);
    if (!t.OpenHtml(html))
        return "<not opened>";
    std::string out;
    for (CVisible* e : t.Visibles()) {
        std::string label;
        if (e->m_nKind == KIND_TEXT) {
            CString raw = static_cast<FText*>(e)->m_strRaw;
            raw.TrimRight();
            label = raw.str();
        } else {
            label = GetHtmlDB()->GetTagName(e->m_nKind).str();
        }
        const std::string v = value(e);
        out += (out.empty() ? "" : " ") + label + (v.empty() ? "" : "=" + v);
    }
    return out;
}

struct Case
{
    const char* html;
    const char* expected;
};

// P, L for the break bits.
std::string Breaks(CVisible* e)
{
    return std::string(e->m_nBreak & BRK_PARA ? "P" : "") + (e->m_nBreak & BRK_LINE ? "L" : "");
}

TEST_F(ElementParsedTest, BreakBits)
{
    const Case cases[] = {
        // The first content of a paragraph and the first element after it; not those between.
        {"zero<p>one two</p>three<h1>big head</h1>", "zero one=P two three=P big=P head"},
        // Only the nearest paragraph and line-break elements count: the P's range does not reach w6.
        {"w1<p>w2 w3</p>w4 w5<div>w6</div>w7<p></p>w8 w9", "w1 w2=P w3 w4=P w5 w6=L w7=L w8=P w9"},
        {"<div>c<p></p></div>e", "c=L e=PL"}, // after an empty P that ends a DIV: both bits
        // A BR ends its line and the element after it starts the next; two in a row make an empty line.
        {"a<br>b<br><br>c<p><br>d", "a BR b=L BR BR=L c=L BR=P d=L"},
        // Each item starts a line, the first also its list's paragraph, as does the item after an
        // inner list; the text follows the bullet.
        {"<ul><li>a<ul><li>b</ul><li>c</ul><ol><li>d<li></ol>z", "LI=PL a LI=PL b LI=PL c LI=PL d LI=L z=P"},
        {"x<hr>rule", "x HR=P rule=P"},
        // Words of a cell start the cell's first line (a cell is its own nearest line-break element);
        // the element after the table starts a line.
        {"<table><tr><td>c1 x<td>c2</table>end", "TABLE=L TD c1=L x TD c2=L end=L"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Summary(c.html, Breaks), c.expected) << c.html;
}

TEST_F(ElementParsedTest, AlignmentComesFromTheNearestAligningAncestorUpToACell)
{
    auto align = [](CVisible* e) -> std::string {
        switch (e->m_nAlign) {
        case ALIGN_LEFT:
            return "";
        case ALIGN_CENTER:
            return "C";
        case ALIGN_RIGHT:
            return "R";
        default:
            return std::to_string(e->m_nAlign);
        }
    };
    const Case cases[] = {
        // An element without an alignment lets the next aligning ancestor decide; a cell is a context.
        {"<center>c1<p align=right>r1</p><p>c2</p><table><tr><td>in<p align=center>mid</p></table></center>",
         "c1=C r1=R c2=C TABLE=C TD=C in mid=C"},
        {"<div align=right><h2>h</h2><h3 align=left>l</h3></div>plain", "h=R l plain"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Summary(c.html, align), c.expected) << c.html;
}

TEST_F(ElementParsedTest, ListLevelsCountListsUpToACell)
{
    // The level, then "*" inside an item of the nearest list.
    auto level = [](CVisible* e) -> std::string {
        if (!e->m_nListLevel && !e->m_bInListItem)
            return "";
        return std::to_string(e->m_nListLevel) + (e->m_bInListItem ? "*" : "");
    };
    const Case cases[] = {
        {"<ul><li>a<ul><li>b</ul></ul><ol><ul>c</ul></ol>", "LI=1 a=1* LI=2 b=2* c=2"},
        // The cell counts the lists around its table; its content does not.
        {"<ul><li><table><tr><td>d</table></ul><dir><li>e</dir>f", "LI=1 TABLE=1* TD=1* d LI=1 e=1* f"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Summary(c.html, level), c.expected) << c.html;
}

} // namespace
