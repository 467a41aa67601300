// Tables measured again, and the measure pass's shortcuts through nests of tables.
// (Repairs, grids, column positions and cell alignment are pinned by the tables case files.)
#include "DocTestUtil.h"
#include "TextTestDoc.h"

#include "korhtml/AttrValues.h"
#include "korhtml/TableElements.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

using TableTest = BoxFontTest;

// The subtree as kinds, children in brackets, words by their text: "63[69[64[a]]]".
std::string Shape(CElement* e)
{
    std::ostringstream out;
    if (e->m_nKind == KIND_TEXT) {
        CString raw = static_cast<FText*>(e)->m_strRaw;
        raw.TrimRight();
        out << raw.str();
    } else {
        out << e->m_nKind;
    }
    if (!e->IsLeaf()) {
        out << '[';
        for (CTreeNode* c = e->GetFirstChild(); c; c = c->GetNextSibling())
            out << (c == e->GetFirstChild() ? "" : " ") << Shape(static_cast<CElement*>(c));
        out << ']';
    }
    return out.str();
}

// The grid row by row: a cell by its numbers "col,row-colEnd,rowEnd" (no two cells share them), a
// placeholder by its offsets "+i,j", an empty slot ".".
std::string Grid(FTable* t)
{
    std::ostringstream out;
    for (int r = 0; r < t->m_nRows; ++r) {
        for (int c = 0; c < t->m_nCols; ++c) {
            CElement* e = static_cast<CElement*>(t->m_arGrid[r * t->m_nCols + c]);
            out << (c ? " " : "");
            if (!e) {
                out << '.';
            } else if (e->m_nKind == KIND_SPANCELL) {
                FSpanCell* s = static_cast<FSpanCell*>(e);
                out << '+' << s->m_nColOffset << ',' << s->m_nRowOffset;
            } else {
                FTableCell* cell = static_cast<FTableCell*>(e);
                out << cell->m_nCol << ',' << cell->m_nRow << '-' << cell->m_nColEnd << ','
                    << cell->m_nRowEnd;
            }
        }
        out << '\n';
    }
    return out.str();
}

std::vector<int> Positions(const CUIntArray& a)
{
    std::vector<int> out;
    for (int i = 0; i < a.GetSize(); ++i)
        out.push_back(int(a[i]));
    return out;
}

FTable* Table(TestDoc& t, int nth = 0)
{
    return static_cast<FTable*>(t.FindKind(TAG_TABLE, nth));
}

// A second measure finds the tree repaired and changes no link, and a well-formed table changes
// none the first time: what the measure pass remembers stays valid. The grid comes out the same.
TEST_F(TableTest, MeasuringAgainChangesNothing)
{
    TestDoc t;
    ASSERT_EQ(t.OpenHtml("<table><caption>c</caption>x<td rowspan=2 colspan=2>a<td>b<tr><td>d</table>"
                         "<table><tr><td>e<td>f</tr></table>"),
              1);
    for (int i = 0; i < 2; ++i) {
        FTable* table = Table(t, i);
        const std::string shape = Shape(table);
        const std::string grid = Grid(table);
        const std::vector<int> minPos = Positions(table->m_arMinPos);
        const int spans = table->m_lstSpans.GetCount();
        const unsigned long long edits = CTreeNode::GetEditCount();
        table->Measure(nullptr);
        EXPECT_EQ(CTreeNode::GetEditCount(), edits) << i;
        EXPECT_EQ(Shape(table), shape);
        EXPECT_EQ(Grid(table), grid);
        EXPECT_EQ(Positions(table->m_arMinPos), minPos);
        // The placeholders of the old grid are freed, not collected.
        EXPECT_EQ(table->m_lstSpans.GetCount(), spans);
    }
    // GetCell clamps into the grid.
    FTable* table = Table(t, 0);
    EXPECT_EQ(table->GetCell(-1, -1), table->m_arGrid[0]);
    EXPECT_EQ(table->GetCell(table->m_nRows, table->m_nCols),
              table->m_arGrid[table->m_nRows * table->m_nCols - 1]);
}

// What the rules give when every table is measured one by one, in the order the rules take, on a
// tree that no measure pass remembers anything of.
struct Measured
{
    std::string shape;
    std::vector<std::vector<int>> elements; // break, alignment, list level, list item of each visible
    std::vector<std::string> grids;
};

Measured Take(CElement* body)
{
    Measured m;
    m.shape = Shape(body);
    for (CVisible* v = body->GetNextVisible(FALSE, nullptr); v && v->IsDescendantOf(body);
         v = v->GetNextVisible(FALSE, nullptr)) {
        m.elements.push_back({v->m_nKind, v->m_nBreak, v->m_nAlign, v->m_nListLevel, v->m_bInListItem});
        if (v->m_nKind == TAG_TABLE) {
            FTable* t = static_cast<FTable*>(v);
            std::ostringstream out;
            out << Grid(t);
            for (int p : Positions(t->m_arMinPos))
                out << p << ' ';
            for (int p : Positions(t->m_arMaxPos))
                out << p << ' ';
            m.grids.push_back(out.str());
        }
    }
    return m;
}

// The document's measure pass takes shortcuts through nests of tables (what the tables' break bits
// depend on is worked out before the tables repair themselves, and the search for a caption passes
// over nested tables that hold none); the results are those of the plain order: every other visible
// element first, then for each outermost table its tables from the last one back to itself.
TEST_F(TableTest, MeasurePassEqualsThePlainOrder)
{
    const std::string page =
        "<p>start<table align=left><caption align=bottom>c1 <p>para</caption><tr><td>a"
        "<table><td>in1<td><table><caption>c2</caption>stray<tr><td>deep</table>"
        "<tr><td><ul><li><table align=right><tr><td>li</table></ul></table>"
        "<center><table><caption align=bottom>c3</caption>x<tr></table></center></table>"
        "after<table>t2<caption>c4</caption><td>z</table><h2>end</h2>"
        // A caption going after its table puts its paragraph and itself right before the next
        // table: that table starts a paragraph and a line, measured after the first moved it.
        "<table><caption align=bottom><p>cap</caption><td>q</table><table align=left><td>r</table>"
        "<table><td>s</table>";
    TestDoc doc;
    ASSERT_EQ(doc.OpenHtml(page), 1);
    const Measured fast = Take(doc->GetBody());

    TextDoc plain(page);
    CDC* dc = &plain.m_dc;
    for (CVisible* v : plain.Visibles())
        if (v->m_nKind != TAG_TABLE)
            v->Measure(dc);
    for (CElement* t = plain.m_pBody->FindNextByKind(TAG_TABLE, FALSE, nullptr); t;) {
        CElement* last = static_cast<CElement*>(t->GetRightMostLeaf())->FindPrevByKind(TAG_TABLE, TRUE, t);
        if (!last)
            last = t;
        for (CElement* x = last; x && x != t; x = x->FindPrevByKind(TAG_TABLE, FALSE, t))
            static_cast<CVisible*>(x)->Measure(dc);
        static_cast<CVisible*>(t)->Measure(dc);
        t = last->FindNextByKind(TAG_TABLE, FALSE, nullptr);
    }
    const Measured slow = Take(plain.m_pBody);

    EXPECT_EQ(fast.shape, slow.shape);
    EXPECT_EQ(fast.elements, slow.elements);
    EXPECT_EQ(fast.grids, slow.grids);
    FTable* floating = static_cast<FTable*>(doc.FindKind(TAG_TABLE, 7));
    ASSERT_NE(floating, nullptr);
    EXPECT_EQ(floating->m_nTableAlign, ALIGN_LEFT);
    EXPECT_EQ(floating->m_nBreak, BRK_PARA | BRK_LINE);
}

} // namespace
