// The measure pass's remembered answers equal the plain tree walks, also after the tree changed in a pass.
#include <gtest/gtest.h>

#include "TextTestDoc.h"
#include "korhtml/TableElements.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// What the measure pass leaves on an element that the pass's memo takes part in; the ends of its visible
// range as positions in the document's list of visible elements.
struct Static
{
    int nBreak, nAlign, nListLevel, bInListItem;
    CFont* pFont;
    COLORREF crText;
    long first, after;
    bool operator==(const Static&) const = default;
};

std::vector<Static> Take(TextDoc& doc)
{
    const std::vector<CVisible*> all = doc.Visibles();
    auto index = [&](CVisible* v) { return long(std::find(all.begin(), all.end(), v) - all.begin()); };
    std::vector<Static> out;
    for (CVisible* v : all) {
        Static s{v->m_nBreak, v->m_nAlign, v->m_nListLevel, v->m_bInListItem, nullptr, 0, -1, -1};
        if (v->m_nKind == KIND_TEXT) {
            s.pFont = static_cast<FText*>(v)->m_pFont;
            s.crText = static_cast<FText*>(v)->m_crText;
        }
        CVisible* first = nullptr;
        CVisible* after = nullptr;
        v->GetVisibleRange(&first, &after);
        s.first = first ? index(first) : -1;
        s.after = after ? index(after) : -1;
        out.push_back(s);
    }
    return out;
}

// A page that mixes everything a pass remembers: aligned blocks inside contexts, lists of
// several levels with items, fonts that set colours and fonts that do not, links, tables nested
// in tables, breaks and rules between words. Measured with a pass and, as a second tree,
// without, every visible element holds the same.
TEST_F(BoxFontTest, MeasurePassAnswersEqualTheTreeWalks)
{
    const std::string page =
        "<body text=#102030 link=#0000ff><h1 align=center>Head <i>it</i></h1><center>c1 <font "
        "color=#ff0000>red <b>bold <font size=+2>big</font></b></font> c2</center>"
        "<ul><li>one <a href=x.html>link <font face=\"Courier New\">code</font></a><ol><li>two<li>"
        "<p align=right>three<ul><li>four</ul></ol><li>five</ul><div align=right>right "
        "<ul><li><table border=1><tr><td>cell <p align=center>mid<td><table><tr><td>inner<ul><li>deep"
        "</ul></table>after</table></ul>tail</div><br>x<hr>y<dl><dt>t<dd>d<font size=1>small</font>"
        "</dl><pre>pre\ntext</pre><blockquote><font color=green>q<big>B</big></font></blockquote>";
    TextDoc cached(page);
    TextDoc walked(page);
    cached.Measure(true);
    walked.Measure(false);
    const std::vector<Static> a = Take(cached);
    const std::vector<Static> b = Take(walked);
    ASSERT_EQ(a.size(), b.size());
    ASSERT_GT(a.size(), 40u);
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_TRUE(a[i] == b[i]) << "element " << i << " of kind " << cached.Visibles()[i]->m_nKind;
}

// A pass over a tree that changes in its middle, the way a table repairs its structure while the
// measure pass runs: a word wrapped in a new cell, a list item moved out of its list, a font
// element wrapped in a new header cell (a font element itself), a new cell appended at the end. Measured
// again inside the same pass, every element holds what a tree measured the same way without a pass holds, so
// nothing remembered from before the changes is used.
TEST_F(BoxFontTest, MeasurePassFollowsTheTreeChangedInItsMiddle)
{
    const std::string page = "<body text=#102030><center>a <ul><li>b c<li>d</ul> e</center><p>f "
                             "<font color=#ff0000>g</font> h";
    auto change = [](TextDoc& doc) {
        doc.Word("c")->InsertParent(new FTableCell(nullptr));
        CElement* item = doc.Word("d")->GetParentElement();
        item->GetParentElement()->InsertNextSibling(item);
        doc.Word("g")->GetParentElement()->InsertParent(new FTableHeader(nullptr));
        doc.m_pBody->AddLastChild(new FTableCell(nullptr));
    };
    TextDoc live(page);
    TextDoc walked(page);
    std::vector<Static> a;
    {
        CMeasurePass pass;
        live.Measure(false); // through the pass opened here
        ASSERT_EQ(live.Word("c")->m_nListLevel, 1);
        ASSERT_EQ(live.Word("d")->m_nListLevel, 1);
        CFont* font = live.Word("g")->m_pFont;
        ASSERT_NE(font, nullptr);
        change(live);
        live.Measure(false);
        a = Take(live);

        // Each change did change the answers.
        EXPECT_EQ(live.Word("c")->m_nListLevel, 0);
        EXPECT_EQ(live.Word("d")->m_nListLevel, 0);
        EXPECT_NE(live.Word("g")->m_pFont, font);
        EXPECT_EQ(live.m_pBody->GetLastVisible()->m_nKind, TAG_TD);
    }
    walked.Measure(false);
    change(walked);
    walked.Measure(false);
    const std::vector<Static> b = Take(walked);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_TRUE(a[i] == b[i]) << "element " << i << " of kind " << walked.Visibles()[i]->m_nKind;
}

} // namespace
