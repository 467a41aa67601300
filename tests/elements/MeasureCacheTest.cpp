// The measure pass's remembered answers equal the plain tree walks, and forgetting them works.
#include <gtest/gtest.h>

#include "TextTestDoc.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// What the measure pass leaves on an element that the cache takes part in; the ends of its visible
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

// A page that mixes everything the cache remembers: aligned blocks inside contexts, lists of
// several levels with items, fonts that set colours and fonts that do not, links, tables nested
// in tables, breaks and rules between words. Measured with the cache and, as a second tree,
// without, every visible element holds the same.
TEST_F(BoxFontTest, MeasureCacheAnswersEqualTheTreeWalks)
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

    // The lists, contexts and colours are really there, so the comparison is not between defaults.
    EXPECT_EQ(cached.Word("four")->m_nListLevel, 3);
    EXPECT_EQ(cached.Word("deep")->m_nListLevel, 1); // the cell ends the lists around the table
    EXPECT_NE(cached.Word("cell")->m_nAlign, cached.Word("right")->m_nAlign);
    EXPECT_EQ(cached.Word("bold")->m_crText, RGB(255, 0, 0));
    EXPECT_EQ(cached.Word("c1")->m_crText, RGB(0x10, 0x20, 0x30));
}

// After the tree changes inside a pass, Reset makes the searches see the new tree.
TEST_F(BoxFontTest, MeasureCacheResetForgetsTheOldTree)
{
    TextDoc doc("<p>a b<ul><li>c</ul>");
    FText* c = doc.Word("c");
    ASSERT_NE(c, nullptr);
    CMeasureCache cache;
    c->ComputeListLevel();
    EXPECT_EQ(c->m_nListLevel, 1);
    CElement* item = c->GetParentElement();
    CElement* list = item->GetParentElement();
    // The item leaves its list.
    item->Remove();
    list->InsertNextSibling(item);
    CMeasureCache::Reset();
    c->ComputeListLevel();
    EXPECT_EQ(c->m_nListLevel, 0);
    EXPECT_EQ(c->m_bInListItem, 1);
}

} // namespace
