// Table structure and column widths: measuring nested tables, repairing rows and cells, the grid, cell
// widths.
#include "korhtml/TableElements.h"

#include "elements/TableParts.h"
#include "korhtml/AttrValues.h"
#include "platform/gdi/gdi.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

using table::ClampPos;
using table::El;
using table::IsCell;

// The tables of one MeasureNested run and how many captions each holds, so that the search for a
// table's caption passes over nested tables that hold none instead of walking a deep nest again for
// every level.
struct CTableNest
{
    std::vector<CVisible*> tables;                      // kind TABLE, document order
    std::unordered_map<CElement*, long long> inTable;   // captions in a table's subtree
    std::unordered_map<CElement*, long long> inCaption; // captions inside a caption, itself left out

    explicit CTableNest(CElement* root)
    {
        // Enter and leave every node once, without recursion; a count of the captions met so far
        // gives each table and caption the number inside it when it is left.
        struct Open
        {
            CElement* e;
            long long before;
        };
        std::vector<Open> open;
        long long seen = 0;
        auto enter = [&](CElement* e) {
            if (e->m_nKind == TAG_TABLE) {
                tables.push_back(static_cast<CVisible*>(e));
                open.push_back({e, seen});
            } else if (e->m_nKind == TAG_CAPTION) {
                open.push_back({e, ++seen});
            }
        };
        auto leave = [&](CElement* e) {
            if (open.empty() || open.back().e != e)
                return;
            (e->m_nKind == TAG_TABLE ? inTable : inCaption)[e] = seen - open.back().before;
            open.pop_back();
        };
        CTreeNode* n = root;
        enter(root);
        for (;;) {
            if (CTreeNode* child = n->GetFirstChild()) {
                n = child;
                enter(El(n));
                continue;
            }
            while (n != root && !n->GetNextSibling()) {
                leave(El(n));
                n = n->GetParent();
            }
            leave(El(n));
            if (n == root)
                break;
            n = n->GetNextSibling();
            enter(El(n));
        }
    }
};

namespace {

// The nest of the MeasureNested run in progress; only one measure pass runs at a time.
CTableNest* g_pNest = nullptr;

// The nearest paragraph and line-break elements at or before a node.
struct CPrevFound
{
    CElement* pPara = nullptr;
    CElement* pLine = nullptr;
};

// Walks back from n (n included) to the nearest paragraph and line-break elements; on reaching
// stop, what is still missing is what was found at or before stop.
void FindPrevFlagged(CTreeNode* n, const CTreeNode* stop, const CPrevFound& atStop, CPrevFound* found)
{
    found->pPara = found->pLine = nullptr;
    bool needPara = true, needLine = true;
    for (; n && (needPara || needLine); n = n->GetDFSPrev()) {
        if (n == stop) {
            if (needPara)
                found->pPara = atStop.pPara;
            if (needLine)
                found->pLine = atStop.pLine;
            return;
        }
        CElement* e = El(n);
        if (needPara && (e->m_dwFlags & EF_PARAGRAPH)) {
            found->pPara = e;
            needPara = false;
        }
        if (needLine && (e->m_dwFlags & EF_LINEBREAK)) {
            found->pLine = e;
            needLine = false;
        }
    }
}

// The break bits of e from the nearest paragraph and line-break elements at or before it: e starts
// the content of one of them, or is the first visible element after it.
int BreakBitsFrom(CVisible* e, const CPrevFound& found)
{
    int bits = 0;
    CVisible* first = nullptr;
    CVisible* after = nullptr;
    if (found.pPara) {
        found.pPara->GetVisibleRange(&first, &after);
        if (first == e || after == e)
            bits |= BRK_PARA;
    }
    first = after = nullptr;
    if (found.pLine) {
        found.pLine->GetVisibleRange(&first, &after);
        if (first == e || after == e)
            bits |= BRK_LINE;
    }
    return bits;
}

// Where the last outermost table's nest ends, and what a search from there finds. The tables of a
// page are measured in document order, each nest repairing only itself, so the next table's search
// can stop there instead of walking back over every table before it, as long as the tree has not
// changed since.
struct CLastNest
{
    unsigned long long nEdits = ~0ULL;
    CTreeNode* pEnd = nullptr;
    CPrevFound found;
    bool Valid() const { return nEdits == CTreeNode::GetEditCount(); }
};
CLastNest g_last;

// Grid slots a table may use beyond what its cells and rows need; spans that ask for more are cut.
constexpr long long kGridSlack = 16;
constexpr long long kSlotsPerItem = 4;

// The cells of a row (its children that are cells), in order.
template <class F> void ForEachCell(CElement* row, F f)
{
    for (CTreeNode* n = row->GetFirstChild(); n; n = n->GetNextSibling())
        if (IsCell(El(n)))
            f(static_cast<FTableCell*>(El(n)));
}

bool HasCell(CElement* row)
{
    for (CTreeNode* n = row->GetFirstChild(); n; n = n->GetNextSibling())
        if (IsCell(El(n)))
            return true;
    return false;
}

} // namespace

// ---- measuring ----

FTable* FTable::MeasureNested(CDC* dc)
{
    CTableNest nest(this);
    // The break bits, alignment and list level of the tables of the nest do not depend on how the
    // tables after them repair themselves, so they are worked out first, in document order, each
    // search for the paragraph and line-break elements before a table ending where the search for
    // the table before it started. The repairs then go from the innermost table out.
    CTreeNode* before = GetDFSPrev();
    CPrevFound stop;
    FindPrevFlagged(before, g_last.Valid() ? g_last.pEnd : nullptr, g_last.found, &stop);
    const CPrevFound outside = stop;
    CTreeNode* stopAt = before;
    for (CVisible* t : nest.tables) {
        FTable* table = dynamic_cast<FTable*>(t);
        if (table)
            table->SetLineBreakFlag();
        CPrevFound found;
        FindPrevFlagged(t, stopAt, stop, &found);
        stopAt = t;
        stop = found;
        if (table) {
            table->m_nBreak = BreakBitsFrom(table, found);
            table->InheritAlign();
            table->ComputeListLevel();
            table->m_bStaticDone = TRUE;
        }
    }
    CTableNest* outer = g_pNest;
    g_pNest = &nest;
    for (auto it = nest.tables.rbegin(); it != nest.tables.rend(); ++it)
        (*it)->Measure(dc);
    g_pNest = outer;

    // What the next outermost table's search needs of the tree up to the end of this one (and of
    // its caption, when that went after it): the nearest paragraph and line-break elements.
    CTreeNode* region = this;
    if (CTreeNode* next = GetNextSibling())
        if (El(next)->m_nKind == TAG_CAPTION)
            region = next;
    g_last.pEnd = region->GetRightMostLeaf();
    FindPrevFlagged(g_last.pEnd, before, outside, &g_last.found);
    g_last.nEdits = CTreeNode::GetEditCount();
    return static_cast<FTable*>(nest.tables.back());
}

void FTable::Measure(CDC* /*dc*/)
{
    if (m_bStaticDone) {
        m_bStaticDone = FALSE;
    } else {
        SetLineBreakFlag();
        ComputeBreaks();
        InheritAlign();
        ComputeListLevel();
    }
    CTableNest* nest = g_pNest && g_pNest->inTable.count(this) ? g_pNest : nullptr;
    if (CElement* caption = FindCaption(nest))
        MoveCaption(caption, nest);
    NormalizeRows();
    CountGrid();
    AllocateGrid();
    FillGrid();
    NumberCells();
    MeasureColumns();
}

void FTable::SetLineBreakFlag()
{
    // The same rule the transformer applied: only a floating table lets the text continue beside it.
    if (m_nTableAlign == ALIGN_LEFT || m_nTableAlign == ALIGN_RIGHT)
        m_dwFlags &= ~EF_LINEBREAK;
    else
        m_dwFlags |= EF_LINEBREAK;
}

CElement* FTable::FindCaption(CTableNest* nest)
{
    if (!nest)
        return FindDescendantByKind(TAG_CAPTION, FALSE, nullptr);
    if (nest->inTable[this] <= 0)
        return nullptr;
    for (CTreeNode* n = GetFirstChild(); n;) {
        CElement* e = El(n);
        if (e->m_nKind == TAG_CAPTION)
            return e;
        auto inner = e->m_nKind == TAG_TABLE ? nest->inTable.find(e) : nest->inTable.end();
        n = inner != nest->inTable.end() && inner->second <= 0 ? table::SkipSubtree(e, this)
                                                               : e->GetDFSNext(this);
    }
    return nullptr;
}

void FTable::MoveCaption(CElement* caption, CTableNest* nest)
{
    if (!GetParent())
        return; // nowhere to put it
    if (nest) {
        // The caption and the captions inside it leave every table between it and this one.
        const long long moved = 1 + nest->inCaption[caption];
        for (CTreeNode* a = caption->GetParent(); a; a = a->GetParent()) {
            auto found = El(a)->m_nKind == TAG_TABLE ? nest->inTable.find(El(a)) : nest->inTable.end();
            if (found != nest->inTable.end())
                found->second -= moved;
            if (a == this)
                break;
        }
    }
    FCaption* c = dynamic_cast<FCaption*>(caption);
    if (c && c->m_nAlign == ALIGN_BOTTOM)
        InsertNextSibling(caption);
    else
        InsertPrevSibling(caption);
}

void FTable::NormalizeRows()
{
    if (IsLeaf()) {
        FTableRow* row = new FTableRow(m_pDoc);
        row->AddLastChild(new FTableCell(m_pDoc));
        AddLastChild(row);
        return;
    }
    // The tree is changed only where it is not yet a table of rows of cells, so a well-formed table
    // (or one measured before) leaves the links, and what the measure pass remembers, as they are.
    for (CTreeNode* n = GetFirstChild(); n;) {
        CElement* child = El(n);
        if (child->m_nKind == TAG_TR) {
            static_cast<FTableRow*>(child)->m_nCarried = 0;
            if (!HasCell(child))
                child->AddFirstChild(new FTableCell(m_pDoc));
            n = child->GetNextSibling();
            continue;
        }
        FTableRow* row = new FTableRow(m_pDoc);
        if (IsCell(child)) {
            // The cell and the cells right after it make one row, where the first cell was.
            child->InsertParent(row);
            while (CTreeNode* next = row->GetNextSibling()) {
                if (!IsCell(El(next)))
                    break;
                row->AddLastChild(next);
            }
        } else {
            // Stray content gets a cell and a row of its own; what follows it up to the next row or
            // cell joins the row, outside the cell.
            FTableCell* cell = new FTableCell(m_pDoc);
            child->InsertParent(cell);
            cell->InsertParent(row);
            while (CTreeNode* next = row->GetNextSibling()) {
                if (El(next)->m_nKind == TAG_TR || IsCell(El(next)))
                    break;
                row->AddLastChild(next);
            }
        }
        n = row->GetNextSibling();
    }
}

void FTable::CountGrid()
{
    std::vector<FTableRow*> rows;
    for (CTreeNode* n = GetFirstChild(); n; n = n->GetNextSibling())
        if (El(n)->m_nKind == TAG_TR)
            rows.push_back(static_cast<FTableRow*>(El(n)));
    const long long nRows = (long long)rows.size();
    m_nRows = int(nRows);

    // A cell that spans rows takes its columns in each row below it; the columns carried into a
    // row are summed from where such spans start and end.
    std::vector<long long> carry(rows.size() + 1, 0);
    long long carried = 0;
    long long widest = 0;
    long long cells = 0;
    for (long long r = 0; r < nRows; ++r) {
        carried += carry[size_t(r)];
        rows[size_t(r)]->m_nCarried = carried > 0x3fffffff ? 0x3fffffff : int(carried);
        long long sum = 0;
        ForEachCell(rows[size_t(r)], [&](FTableCell* cell) {
            ++cells;
            sum += cell->m_nColSpan;
            if (cell->m_nRowSpan > 1) {
                if (cell->m_nRowSpan > nRows - r)
                    cell->m_nRowSpan = int(nRows - r);
                // Every column of the cell is taken in the rows below, not only one.
                carry[size_t(r + 1)] += cell->m_nColSpan;
                carry[size_t(r + cell->m_nRowSpan)] -= cell->m_nColSpan;
            }
        });
        widest = std::max(widest, sum + carried);
    }
    // The grid never holds more slots than its cells and rows can reasonably fill; wider spans are cut.
    const long long budget = kGridSlack + kSlotsPerItem * (cells + nRows);
    if (nRows > 0 && widest > budget / nRows)
        widest = std::max(1LL, budget / nRows);
    m_nCols = int(widest);
}

void FTable::AllocateGrid()
{
    m_arGrid.RemoveAll();
    m_arGrid.SetSize(m_nRows * m_nCols);
    m_arRowPos.RemoveAll();
    m_arRowPos.SetSize(m_nRows + 1);
    for (CUIntArray* a : {&m_arColPos, &m_arMinPos, &m_arMaxPos}) {
        a->RemoveAll();
        a->SetSize(m_nCols + 1);
    }
    m_arColWidth.RemoveAll();
    m_arColWidth.SetSize(m_nCols);
}

void FTable::DeleteSpans()
{
    POSITION pos = m_lstSpans.GetHeadPosition();
    while (pos)
        delete m_lstSpans.GetNext(pos);
    m_lstSpans.RemoveAll();
}

void FTable::FillGrid()
{
    // The placeholders of the previous grid are no longer referenced.
    DeleteSpans();
    const long long size = (long long)m_nRows * m_nCols;
    if (size == 0)
        return;
    auto slot = [&](long long i) -> void*& {
        if (i < 0)
            i = 0;
        if (i > size - 1)
            i = size - 1;
        return m_arGrid[int(i)];
    };
    // A consistent grid needs fewer placeholders than slots; spans that overlap or leave the grid
    // stop getting placeholders once that many have been made.
    long long spansLeft = size;
    auto addSpan = [&](long long i, int colOffset, int rowOffset) {
        if (spansLeft <= 0)
            return false;
        --spansLeft;
        FSpanCell* span = new FSpanCell(m_pDoc, colOffset, rowOffset);
        m_lstSpans.AddTail(span);
        slot(i) = span;
        return true;
    };

    long long r = 0;
    for (CTreeNode* n = GetFirstChild(); n; n = n->GetNextSibling()) {
        if (El(n)->m_nKind != TAG_TR)
            continue;
        long long c = 0;
        ForEachCell(El(n), [&](FTableCell* cell) {
            while (c < m_nCols && m_arGrid[int(r * m_nCols + c)])
                ++c;
            const long long at = r * m_nCols + c;
            slot(at) = cell;
            const int cs = cell->m_nColSpan - 1;
            const int rs = cell->m_nRowSpan - 1;
            if (cs == 0 && rs == 0) {
                ++c;
                return;
            }
            bool room = true;
            for (int i = 1; i <= cs && room; ++i)
                room = addSpan(at + i, i, 0);
            for (int j = 1; j <= rs && room; ++j)
                for (int i = 0; i <= cs && room; ++i)
                    room = addSpan(at + (long long)j * m_nCols + i, i, j);
            c += (long long)cs + 1;
        });
        ++r;
    }
}

void FTable::NumberCells()
{
    // A cell that lost its slot to an overlapping span is left unnumbered, not with old numbers.
    for (CTreeNode* n = GetFirstChild(); n; n = n->GetNextSibling())
        if (El(n)->m_nKind == TAG_TR)
            ForEachCell(El(n), [](FTableCell* cell) {
                cell->m_nCol = cell->m_nRow = cell->m_nColEnd = cell->m_nRowEnd = -1;
            });
    for (int r = 0; r < m_nRows; ++r) {
        int k = 0;
        for (int c = 0; c < m_nCols; ++c) {
            CElement* e = static_cast<CElement*>(m_arGrid[r * m_nCols + c]);
            if (!e)
                continue;
            if (IsCell(e)) {
                FTableCell* cell = static_cast<FTableCell*>(e);
                cell->m_nCol = k;
                cell->m_nRow = r;
                // The ends never lie past the grid, whatever the spans asked for.
                cell->m_nColEnd = int(std::min<long long>((long long)k + cell->m_nColSpan, m_nCols));
                cell->m_nRowEnd = int(std::min<long long>((long long)r + cell->m_nRowSpan, m_nRows));
            }
            ++k;
        }
    }
}

void FTable::MeasureColumns()
{
    for (CTreeNode* n = GetFirstChild(); n; n = n->GetNextSibling())
        if (El(n)->m_nKind == TAG_TR)
            ForEachCell(El(n), [](FTableCell* cell) {
                cell->m_nMeasuredMin = cell->CellMinWidth();
                cell->m_nMeasuredMax = cell->CellMaxWidth();
            });

    const int first = ClampPos((long long)m_nCellSpacing / 2 + m_nBorder);
    m_arMinPos[0] = UINT(first);
    for (int i = 0; i < m_nCols; ++i)
        m_arMinPos[i + 1] = UINT(ColumnMinPos(i));
    m_nMinWidth = ClampPos((long long)int(m_arMinPos[m_nCols]) + 2LL * m_nBorder - first + m_nCellSpacing);
    m_arMaxPos[0] = UINT(first);
    for (int i = 0; i < m_nCols; ++i)
        m_arMaxPos[i + 1] = UINT(ColumnMaxPos(i));
    m_nMaxWidth = ClampPos((long long)int(m_arMaxPos[m_nCols]) + 2LL * m_nBorder - first + m_nCellSpacing);

    // The first cell from the top with a width decides its column's; spanning cells never do.
    for (int r = 0; r < m_nRows; ++r) {
        for (int c = 0; c < m_nCols; ++c) {
            CElement* e = static_cast<CElement*>(m_arGrid[r * m_nCols + c]);
            if (!IsCell(e))
                continue;
            FTableCell* cell = static_cast<FTableCell*>(e);
            if (cell->m_nWidthAttr != 0 && cell->m_nColSpan == 1 && m_arColWidth[c] == 0)
                m_arColWidth[c] = UINT(cell->m_nWidthAttr);
        }
    }
}

CElement* FTable::GetCell(int row, int col) const
{
    const long long size = (long long)m_nRows * m_nCols;
    if (size <= 0 || m_arGrid.GetSize() < size)
        return nullptr;
    long long i = (long long)row * m_nCols + col;
    if (i < 0)
        i = 0;
    if (i > size - 1)
        i = size - 1;
    return static_cast<CElement*>(m_arGrid[int(i)]);
}

int FTable::ColumnMinPos(int col)
{
    return ColumnPos(col, false);
}

int FTable::ColumnMaxPos(int col)
{
    return ColumnPos(col, true);
}

// A cell decides the position of the last column it covers: that column ends no earlier than the
// start of its first column plus its width, spacing and padding.
int FTable::ColumnPos(int col, bool max)
{
    CUIntArray& pos = max ? m_arMaxPos : m_arMinPos;
    auto widthOf = [max](FTableCell* cell) { return max ? cell->m_nMeasuredMax : cell->m_nMeasuredMin; };
    const long long start = int(pos[col]);
    long long p = start;
    for (int row = 0; row < m_nRows; ++row) {
        CElement* e = GetCell(row, col);
        if (!e)
            continue;
        if (IsCell(e)) {
            FTableCell* cell = static_cast<FTableCell*>(e);
            if (cell->m_nColEnd == col + 1)
                p = std::max(p, start + widthOf(cell));
        } else if (e->m_nKind == KIND_SPANCELL) {
            FSpanCell* span = static_cast<FSpanCell*>(e);
            CElement* owner = GetCell(row - span->m_nRowOffset, col - span->m_nColOffset);
            if (!IsCell(owner))
                continue;
            FTableCell* cell = static_cast<FTableCell*>(owner);
            if (span->m_nColOffset == cell->m_nColSpan - 1 && cell->m_nColEnd == col + 1 && cell->m_nCol >= 0)
                p = std::max(p, (long long)int(pos[cell->m_nCol]) + widthOf(cell));
        }
    }
    return ClampPos(p + m_nCellSpacing + 2LL * m_nCellPadding);
}

// ---- cells ----

void FTableCell::Measure(CDC* /*dc*/)
{
    ComputeBreaks();
    InheritAlign();
    ComputeListLevel();
    // The row's alignments reach only cells whose own attributes were given but not understood.
    if (m_nCellAlign == 0 || m_nVAlign == 0) {
        if (FTableRow* row = EnclosingRow()) {
            if (m_nCellAlign == 0)
                m_nCellAlign = row->m_nRowAlign != 0 ? row->m_nRowAlign : ALIGN_LEFT;
            if (m_nVAlign == 0)
                m_nVAlign = row->m_nRowVAlign != 0 ? row->m_nRowVAlign : VALIGN_CENTER;
        }
    }
    // The lines of the cell are aligned by the cell's alignment. A nested cell is measured after
    // this one and hands its own alignment to everything inside it, so its content is passed over.
    for (CTreeNode* n = GetFirstChild(); n;) {
        CElement* e = El(n);
        if (e->m_dwFlags & EF_VISIBLE)
            static_cast<CVisible*>(e)->m_nAlign = m_nCellAlign;
        n = IsCell(e) ? table::SkipSubtree(e, this) : e->GetDFSNext(this);
    }
}

FTableRow* FTableCell::EnclosingRow()
{
    // A cell that is not in a row of its own (before the table repairs itself) finds the row of
    // an outer table; the answer of the nearest enclosing cell, found since the tree last changed,
    // saves the walk up a deep nest.
    const unsigned long long edits = CTreeNode::GetEditCount();
    if (m_nRowEdits == edits)
        return m_pRow;
    FTableRow* row = nullptr;
    for (CTreeNode* a = GetParent(); a; a = a->GetParent()) {
        CElement* e = El(a);
        if (e->m_nKind == TAG_TR) {
            row = static_cast<FTableRow*>(e);
            break;
        }
        if (IsCell(e)) {
            FTableCell* outer = static_cast<FTableCell*>(e);
            if (outer->m_nRowEdits == edits) {
                row = outer->m_pRow;
                break;
            }
        }
    }
    m_nRowEdits = edits;
    m_pRow = row;
    return row;
}

int FTableCell::CellMinWidth()
{
    int widest = 0;
    table::CCellWalk walk(this);
    while (CVisible* v = walk.Next()) {
        int w;
        if (v->m_nKind == TAG_TABLE)
            w = static_cast<FTable*>(v)->m_nMinWidth + v->GetIndent();
        else if (v->m_nKind == TAG_HR)
            w = 0;
        else
            w = v->GetIndent() + v->m_nWidth;
        widest = KorMax(widest, w);
    }
    return widest;
}

int FTableCell::CellMaxWidth()
{
    // Runs of line items up to the next forced line or paragraph start (a BR ends its run), each
    // as wide as its items side by side.
    const int forced = BRK_LINE | BRK_PARA;
    long long widest = 0;
    table::CCellWalk walk(this);
    CVisible* v = walk.Next();
    while (v) {
        if (v->m_nKind == TAG_TABLE) {
            widest =
                std::max<long long>(widest, (long long)static_cast<FTable*>(v)->m_nMaxWidth + v->GetIndent());
            v = walk.Next();
            continue;
        }
        long long run = v->GetIndent() + (v->m_nKind == TAG_HR ? 0 : v->m_nWidth);
        bool ended = v->m_nKind == TAG_BR;
        v = walk.Next();
        while (v && !ended) {
            if (v->m_dwFlags & EF_INLINE) {
                if (v->m_nBreak & forced)
                    break;
                run += v->m_nWidth;
                ended = v->m_nKind == TAG_BR;
            }
            v = walk.Next();
        }
        widest = std::max(widest, run);
    }
    return ClampPos(widest);
}

// ---- headers ----

void FTableHeader::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    lf->lfWeight = FW_EXTRABOLD;
}
