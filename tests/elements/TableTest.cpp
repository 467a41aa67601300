// Table structure and column widths: the repair of rows and cells, captions, the grid, minimum and maximum
// positions.
#include "DocTestUtil.h"
#include "TextTestDoc.h"

#include "korhtml/AttrValues.h"
#include "korhtml/TableElements.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

using TableTest = BoxFontTest;

// The first word of a cell (its raw text without the trailing blank), or "" for an empty cell.
std::string FirstWord(CElement* cell)
{
    for (CTreeNode* n = cell->GetFirstChild(); n; n = n->GetDFSNext(cell)) {
        CElement* e = static_cast<CElement*>(n);
        if (e->m_nKind == KIND_TEXT) {
            CString raw = static_cast<FText*>(e)->m_strRaw;
            raw.TrimRight();
            return raw.str();
        }
    }
    return "";
}

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

// The grid row by row: a cell by its first word and its numbers "a(col,row-colEnd,rowEnd)", a
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
                out << FirstWord(cell) << '(' << cell->m_nCol << ',' << cell->m_nRow << '-' << cell->m_nColEnd
                    << ',' << cell->m_nRowEnd << ')';
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

// Cells directly under the table are wrapped in one row; stray content gets a cell of its own and
// a row with what follows it up to the next row or cell; a row without a cell gets an empty one.
TEST_F(TableTest, StructureRepair)
{
    struct Case
    {
        const char* html;
        const char* shape; // the body's content after measuring
    } cases[] = {
        {"<table><td>a<td>b</table>", "63[69[64[a] 64[b]]]"},
        {"<table>x y<tr><td>c</table>", "63[69[64[x] y] 69[64[c]]]"},
        {"<table><tr><td>a</td></tr>x<td>b</table>", "63[69[64[a]] 69[64[x]] 69[64[b]]]"},
        {"<table><tr></table>", "63[69[64]]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        TestDoc t;
        ASSERT_EQ(t.OpenHtml(c.html), 1);
        CElement* body = t->GetBody();
        std::string shape = Shape(body);
        EXPECT_EQ(shape, std::string("9[") + c.shape + "]");
    }
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
    EXPECT_EQ(Grid(Table(t, 0)), "x(0,0-1,1) . .\n"
                                 "a(0,1-2,3) +1,0 b(2,1-3,2)\n"
                                 "+0,1 +1,1 d(2,2-3,3)\n");
}

// The grid: spans fill their slots with placeholders, a rowspan past the last row is cut, a cell
// spanning rows and columns takes all its columns in the rows below, and the cells are numbered by
// the slots they start in.
TEST_F(TableTest, GridOfSpans)
{
    struct Case
    {
        const char* html;
        int rows, cols;
        const char* grid;
    } cases[] = {
        {"<table><tr><td rowspan=5>a<td>b<tr><td>c</table>", 2, 2,
         "a(0,0-1,2) b(1,0-2,1)\n"
         "+0,1 c(1,1-2,2)\n"},
        {"<table><tr><td colspan=2 rowspan=2>a<td>b<tr><td>c<td>d</table>", 2, 4,
         "a(0,0-2,2) +1,0 b(2,0-3,1) .\n"
         "+0,1 +1,1 c(2,1-3,2) d(3,1-4,2)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        TestDoc t;
        ASSERT_EQ(t.OpenHtml(c.html), 1);
        FTable* table = Table(t);
        EXPECT_EQ(table->m_nRows, c.rows);
        EXPECT_EQ(table->m_nCols, c.cols);
        EXPECT_EQ(Grid(table), c.grid);
        // GetCell clamps into the grid.
        EXPECT_EQ(table->GetCell(-1, -1), table->m_arGrid[0]);
        EXPECT_EQ(table->GetCell(c.rows, c.cols), table->m_arGrid[c.rows * c.cols - 1]);
    }
    // The rowspan was cut to the rows there are.
    TestDoc t;
    ASSERT_EQ(t.OpenHtml("<table><tr><td rowspan=5>a<td>b<tr><td>c</table>"), 1);
    EXPECT_EQ(static_cast<FTableCell*>(t.FindKind(TAG_TD))->m_nRowSpan, 2);
}

// Minimum and maximum positions, with the box font's 7 pixels a byte: a word w wide in a cell is
// w + 5 in the column (spacing 1, padding 2 twice) and w + 6 in the table; a line break ends a run of
// the maximum; spanning cells widen only their last column; the positions start at half the spacing.
TEST_F(TableTest, MinimumAndMaximumPositions)
{
    struct Case
    {
        const char* html;
        std::vector<int> minPos, maxPos;
        int minWidth, maxWidth;
    } cases[] = {
        // The widest run counts: "bbbbbb " 49 and "cc" 14.
        {"<table><tr><td>aa<br>bbbbbb cc</table>", {0, 54}, {0, 68}, 55, 69},
        // "span cell" (35 and 28) across both columns only pushes the second: 0 + 63 > 19 + 14.
        {"<table><tr><td>aa<td>bb<tr><td colspan=2>span cell</table>", {0, 19, 40}, {0, 19, 68}, 41, 69},
        // "word" is 28; spacing 4, padding 3: positions start at 2; a column is w + 4 + 6.
        {"<table cellspacing=4 cellpadding=3><tr><td>word</table>", {2, 40}, {2, 40}, 42, 42},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        TestDoc t;
        ASSERT_EQ(t.OpenHtml(c.html), 1);
        FTable* table = Table(t);
        EXPECT_EQ(Positions(table->m_arMinPos), c.minPos);
        EXPECT_EQ(Positions(table->m_arMaxPos), c.maxPos);
        EXPECT_EQ(table->m_nMinWidth, c.minWidth);
        EXPECT_EQ(table->m_nMaxWidth, c.maxWidth);
    }
}

// The first cell from the top with a width decides its column; spanning cells never do.
TEST_F(TableTest, ColumnWidthAttributes)
{
    TestDoc t;
    ASSERT_EQ(t.OpenHtml("<table><tr><td colspan=2 width=300>s<tr><td>a<td width=40%>b<tr><td width=50>c"
                         "<td width=7>d<tr><td width=90>e<td>f</table>"),
              1);
    FTable* table = Table(t);
    ASSERT_EQ(table->m_nCols, 2);
    EXPECT_EQ(int(table->m_arColWidth[0]), 50);
    EXPECT_EQ(int(table->m_arColWidth[1]), -40);
}

// A cell takes the row's alignments only where its own were given but not understood, and hands
// its alignment to its content; a header cell's text is extra bold.
TEST_F(TableTest, CellAlignmentAndHeaderFont)
{
    TestDoc t;
    ASSERT_EQ(t.OpenHtml("<center><table><tr align=right valign=bottom><td>a<td align=x valign=y>b"
                         "<td align=center>c<th>d</table></center>"),
              1);
    FTableCell* a = static_cast<FTableCell*>(t.FindKind(TAG_TD, 0));
    FTableCell* b = static_cast<FTableCell*>(t.FindKind(TAG_TD, 1));
    EXPECT_EQ(a->m_nCellAlign, ALIGN_LEFT);
    EXPECT_EQ(a->m_nVAlign, VALIGN_CENTER);
    EXPECT_EQ(b->m_nCellAlign, ALIGN_RIGHT);
    EXPECT_EQ(b->m_nVAlign, VALIGN_BOTTOM);
    // Not the centring around the table: the cell's own alignment.
    EXPECT_EQ(t.FindText("a")->m_nAlign, ALIGN_LEFT);
    EXPECT_EQ(t.FindText("b")->m_nAlign, ALIGN_RIGHT);
    EXPECT_EQ(t.FindText("c")->m_nAlign, ALIGN_CENTER);
    LOGFONT lf;
    ASSERT_TRUE(static_cast<FText*>(t.FindText("d"))->m_pFont->GetLogFont(&lf));
    EXPECT_EQ(lf.lfWeight, FW_EXTRABOLD);
    ASSERT_TRUE(static_cast<FText*>(t.FindText("c"))->m_pFont->GetLogFont(&lf));
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
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
