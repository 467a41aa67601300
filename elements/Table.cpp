// Table elements: construction and attributes, ranges, the layout of tables and cells, floating tables,
// drawing.
#include "korhtml/TableElements.h"

#include "elements/AlignQueue.h"
#include "elements/MeasurePass.h"
#include "elements/TableParts.h"
#include "korhtml/AttrValues.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "korhtml/SimpleElements.h"
#include "platform/gdi/gdi.h"
#include "transform/AttrReader.h"

#include <algorithm>
#include <climits>
#include <vector>

using table::ClampPos;
using table::IsCell;

namespace {

const COLORREF CLR_UNSET = COLORREF(-1);

// The border as written is compared with "true" before its quotes are stripped, so only a bare
// true gives 1; a border without a value arrives as "EXIST", which reads as 1 too.
int ReadBorder(const CAttrReader& a)
{
    CString border;
    if (!a.Raw("border", border))
        return 0;
    if (border.str() == "true")
        return 1;
    return CAttrParser::ParseLength(CAttrParser::StripQuotes(border));
}

// Counts the runs of the table layout: a table keeps its column and row positions for the rest of
// the run in which it worked them out.
unsigned g_nPlacement = 0;

// The element after e in layout order: a table is one step.
CVisible* Step(CVisible* e)
{
    if (e->m_nKind == TAG_TABLE)
        return CMeasurePass::Current().NextVisibleAfter(e);
    return e->GetNextVisible(FALSE, nullptr);
}

// The elements from first up to end (not included), in layout order, cells included.
template <class F> void ForRange(CVisible* first, CVisible* end, F f)
{
    for (CVisible* e = first; e && e != end; e = Step(e))
        f(e);
}

void CloseLine()
{
    CAlignQueue* queue = GetAlignQueue();
    queue->VerticalAlign();
    queue->HorizontalAlign(EvenAlign());
    queue->RemoveAll();
}

// The box around the elements from first up to end, as GetExtent measures a subtree.
CSize Extent(CVisible* first, CVisible* end)
{
    long long minLeft = LLONG_MAX, minTop = LLONG_MAX, maxRight = LLONG_MIN, maxBottom = LLONG_MIN;
    ForRange(first, end, [&](CVisible* v) {
        if (IsCell(v))
            return;
        const long long left = (long long)v->m_nX - v->GetIndent();
        const long long right = v->m_nKind == TAG_HR ? left : left + v->m_nWidth;
        minLeft = std::min(minLeft, left);
        minTop = std::min(minTop, (long long)v->m_nY);
        maxRight = std::max(maxRight, right);
        maxBottom = std::max(maxBottom, (long long)v->m_nY + v->m_nHeight);
    });
    if (minLeft == LLONG_MAX)
        return CSize(0, 0);
    return CSize(ClampPos(std::max(maxRight - minLeft, 0LL)), ClampPos(std::max(maxBottom - minTop, 0LL)));
}

// The background colour of the page a table lies on; white without a document.
COLORREF PageBackground(CHtmlX* doc)
{
    CElement* body = doc ? doc->GetBody() : nullptr;
    if (!body || body->m_nKind != TAG_BODY)
        return 0xFFFFFF;
    return static_cast<FBody*>(body)->m_crBgColor;
}

} // namespace

// One cell of a table with the elements laid out in its box: its own content, and the content of
// its row that belongs to no cell (or to a cell the grid has no slot for), which flows on after it.
struct CCellFlow
{
    FTableCell* pCell;
    CVisible* pFirst;
    CVisible* pEnd;
};

// ---- FTable ----

FTable::FTable(CHtmlX* doc)
    : CVisible(doc, TAG_TABLE, EF_INLINE), m_nTableAlign(0), m_nBorder(0), m_nCellPadding(2),
      m_nCellSpacing(1), m_nWidthAttr(0), m_crBgColor(CLR_UNSET), m_crBorderColor(CLR_UNSET),
      m_crBorderDark(CLR_UNSET), m_crBorderLight(CLR_UNSET), m_nRows(0), m_nCols(0), m_nMinWidth(0),
      m_nMaxWidth(0), m_bStaticDone(FALSE), m_nSizedPlacement(0), m_nSizedWidth(0)
{}

FTable::~FTable()
{
    DeleteSpans();
}

void FTable::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nTableAlign);
    // Only a floating table lets the text continue beside it.
    if (m_nTableAlign != ALIGN_LEFT && m_nTableAlign != ALIGN_RIGHT)
        m_dwFlags |= EF_LINEBREAK;
    m_nBorder = ReadBorder(a);
    a.Length("cellpadding", m_nCellPadding);
    a.Length("cellspacing", m_nCellSpacing);
    a.Length("width", m_nWidthAttr);
    a.Color("bgcolor", m_crBgColor);
    a.Color("bordercolor", m_crBorderColor);
    a.Color("bordercolordark", m_crBorderDark);
    a.Color("bordercolorlight", m_crBorderLight);
}

void FTable::GetVisibleRange(CVisible** first, CVisible** after)
{
    *first = this;
    *after = CMeasurePass::Current().NextVisibleAfter(this);
}

CVisible* FTable::GetNextElement()
{
    CVisible* next = CMeasurePass::Current().NextVisibleAfter(this);
    return IsCell(next) ? nullptr : next;
}

int FTable::GetFloatAlign()
{
    return m_nTableAlign == ALIGN_LEFT || m_nTableAlign == ALIGN_RIGHT ? m_nTableAlign : 0;
}

void FTable::FlowAround(int left, int top, int right, int bottom, int side)
{
    // The text that follows the table, not the table's own cells, flows beside it.
    FlowLinesAround(CMeasurePass::Current().NextVisibleAfter(this), left, top, right, bottom, side);
}

// ---- columns and rows ----

void FTable::ComputeColumns()
{
    const int s = m_nCellSpacing;
    auto minPos = [&](int i) { return (long long)int(m_arMinPos[i]); };
    auto maxPos = [&](int i) { return (long long)int(m_arMaxPos[i]); };
    long long pos = (long long)m_nBorder + s / 2;
    m_arColPos[0] = UINT(ClampPos(pos));
    const long long minWidth = m_nMinWidth;
    const long long maxWidth = m_nMaxWidth;
    // A percentage is taken of the line (or of the table), truncated.
    auto percentOf = [](long long whole, long long percent) {
        return (long long)(double(whole * -percent) * 0.01);
    };

    long long W = 0;
    if (m_nWidthAttr != 0) {
        W = m_nWidthAttr < 0 ? percentOf(m_nLineWidth, m_nWidthAttr) : m_nWidthAttr;
        // Kept within the positions a layout takes, so that the shares below cannot overflow.
        W = ClampPos(std::max(W, minWidth));
    }
    const long long L = m_nLineWidth;
    for (int i = 1; i <= m_nCols; ++i) {
        const long long minW = minPos(i) - minPos(i - 1);
        const long long maxW = maxPos(i) - maxPos(i - 1);
        const int a = int(m_arColWidth[i - 1]);
        long long width;
        if (W != 0) {
            const long long given = a < 0 ? percentOf(W, a) : a;
            if (maxWidth != minWidth) {
                if (a != 0)
                    width = std::max(given, minW) + s;
                else
                    width = minW + (maxW - minW) * (W - minWidth) / (maxWidth - minWidth);
            } else {
                width = a != 0 ? given + s : std::max(minW, W / m_nCols);
            }
        } else if (L > minWidth && maxWidth != minWidth) {
            // Between the minimum and the maximum the columns share out the line in proportion.
            if (a >= 1)
                width = (long long)a + s;
            else if (L < maxWidth)
                width = minW + (maxW - minW) * (L - minWidth) / (maxWidth - minWidth);
            else
                width = maxW;
        } else {
            width = a >= 1 ? (long long)a + s : minW;
        }
        pos = ClampPos(pos + width);
        m_arColPos[i] = UINT(pos);
    }
}

int FTable::RowBottom(int row)
{
    const long long start = int(m_arRowPos[row]);
    long long p = start;
    for (int c = 0; c < m_nCols; ++c) {
        CElement* e = GetCell(row, c);
        if (!e)
            continue;
        if (IsCell(e)) {
            FTableCell* cell = static_cast<FTableCell*>(e);
            if (cell->m_nRowEnd == row + 1)
                p = std::max(p, start + cell->m_nContentHeight);
        } else if (e->m_nKind == KIND_SPANCELL) {
            FSpanCell* span = static_cast<FSpanCell*>(e);
            CElement* owner = GetCell(row - span->m_nRowOffset, c - span->m_nColOffset);
            if (!IsCell(owner))
                continue;
            FTableCell* cell = static_cast<FTableCell*>(owner);
            if (span->m_nRowOffset == cell->m_nRowSpan - 1 && cell->m_nRowEnd == row + 1 && cell->m_nRow >= 0)
                p = std::max(p, (long long)int(m_arRowPos[cell->m_nRow]) + cell->m_nContentHeight);
        }
    }
    return ClampPos(p + m_nCellSpacing + 2LL * m_nCellPadding);
}

// ---- placing ----

std::vector<CCellFlow> FTable::CellFlows()
{
    // The cells that have a slot in the grid, in document order; a row's content before its first
    // such cell goes with that cell, content after it with the cell before.
    std::vector<CCellFlow> flows;
    CVisible* after = CMeasurePass::Current().NextVisibleAfter(this);
    for (CTreeNode* n = GetFirstChild(); n; n = n->GetNextSibling()) {
        CElement* row = table::El(n);
        bool first = true;
        for (CTreeNode* m = row->GetFirstChild(); m; m = m->GetNextSibling()) {
            CElement* e = table::El(m);
            if (!IsCell(e))
                continue;
            FTableCell* cell = static_cast<FTableCell*>(e);
            if (cell->m_nCol >= 0) {
                CVisible* start = flows.empty() ? GetNextVisible(FALSE, nullptr)
                                  : first       ? row->GetNextVisible(FALSE, nullptr)
                                                : cell;
                if (!flows.empty())
                    flows.back().pEnd = start;
                flows.push_back({cell, start, after});
            }
            first = false;
        }
    }
    return flows;
}

BOOL FTable::BeginPlace(int y)
{
    // The table starts below the line it closes; it never joins a line itself.
    y = CloseLineForFloat(y);
    m_nY = ClampPos(y);
    if (m_nRows > 0 && m_nCols > 0 && m_arGrid.GetSize() == m_nRows * m_nCols)
        return TRUE;
    // Not measured: there is nothing to lay out.
    m_nX = m_nLineLeft;
    m_nWidth = m_nHeight = 0;
    return FALSE;
}

void FTable::SetRowPositions()
{
    m_arRowPos[0] = UINT(ClampPos((long long)m_nCellSpacing / 2 + m_nBorder));
    for (int r = 0; r < m_nRows; ++r)
        m_arRowPos[r + 1] = UINT(RowBottom(r));
    m_nSizedPlacement = g_nPlacement;
    m_nSizedWidth = m_nLineWidth;
}

BOOL FTable::HasRowPositions() const
{
    return m_nSizedPlacement == g_nPlacement && m_nSizedWidth == m_nLineWidth;
}

void FTable::SetSizeAndX()
{
    const int s = m_nCellSpacing;
    m_nWidth = ClampPos((long long)int(m_arColPos[m_nCols]) + 2LL * m_nBorder + s - int(m_arColPos[0]));
    m_nHeight = ClampPos((long long)int(m_arRowPos[m_nRows]) + 2LL * m_nBorder - int(m_arRowPos[0]) + s);
    long long x;
    if (m_nTableAlign == ALIGN_LEFT) {
        x = m_nLineLeft;
    } else if (m_nTableAlign == ALIGN_RIGHT) {
        x = (long long)m_nLineLeft + m_nLineWidth - m_nWidth;
    } else if (m_nAlign == ALIGN_RIGHT || m_nAlign == ALIGN_CENTER) {
        const long long room = (long long)m_nLineWidth - m_nWidth;
        x = m_nLineLeft + (m_nAlign == ALIGN_RIGHT ? room : room / 2);
        x = std::max<long long>(x, GetHorMargin());
    } else {
        x = (long long)m_nLineLeft + GetIndent();
    }
    m_nX = ClampPos(x);
}

void FTable::FlowAfter()
{
    const int bottom = ClampPos((long long)m_nY + m_nHeight);
    const int lineRight = ClampPos((long long)m_nLineLeft + m_nLineWidth);
    if (m_nTableAlign == ALIGN_LEFT)
        FlowAround(ClampPos((long long)m_nX + m_nWidth), m_nY, lineRight, bottom, ALIGN_LEFT);
    else if (m_nTableAlign == ALIGN_RIGHT)
        FlowAround(m_nLineLeft, m_nY, ClampPos((long long)lineRight - m_nWidth), bottom, ALIGN_RIGHT);
}

// Tables are laid out without recursion, however deep they are nested: each table being laid out
// is a frame on a stack. A frame lays out the flows of its cells one after another; when a flow
// meets a nested table, the nested table's frame is pushed, and the flow goes on after it once that
// frame is done. A table lays its cells out twice, first at its own origin to learn how high the
// rows are, then in their places. A nested table met in the first of these only works out its
// size, and keeps its column and row positions for the second when its line width has not
// changed: each table of a nest is sized once and placed once.
class CTableLayout
{
public:
    static void PlaceTable(FTable* table, int y)
    {
        Frame f;
        f.pTable = table;
        f.nY = y;
        Run(std::move(f));
    }
    static void PlaceFlow(CVisible* first, CVisible* end, CPoint start)
    {
        Frame f;
        StartFlow(f, first, end, start);
        Run(std::move(f));
    }

private:
    enum Phase
    {
        START,
        SIZING,
        SIZED,
        PLACING,
        END
    };
    struct Frame
    {
        FTable* pTable = nullptr; // null for the flow of one cell on its own
        bool bSizingOnly = false;
        Phase nPhase = START;
        int nY = 0;
        std::vector<CCellFlow> flows;
        size_t nFlow = 0;
        // The flow being laid out.
        bool bFlowing = false;
        CVisible* pCur = nullptr;
        CVisible* pEnd = nullptr;
        CPoint pen;
        bool bPlaced = false;
        FTable* pWaiting = nullptr; // the nested table whose frame lies above this one
    };

    static void Run(Frame&& root)
    {
        ++g_nPlacement;
        std::vector<Frame> stack;
        stack.push_back(std::move(root));
        while (!stack.empty()) {
            Frame& f = stack.back();
            if (!f.bFlowing) {
                Advance(stack);
            } else if (FTable* nested = Flow(f)) {
                Frame child;
                child.pTable = nested;
                child.bSizingOnly = f.bSizingOnly || f.nPhase == SIZING;
                child.nY = f.pen.y;
                stack.push_back(std::move(child));
            } else {
                FlowDone(stack);
            }
        }
    }

    static void StartFlow(Frame& f, CVisible* first, CVisible* end, CPoint start)
    {
        f.bFlowing = true;
        f.pCur = first;
        f.pEnd = end;
        f.pen = start;
        f.bPlaced = false;
    }

    // Lays out the flow of f up to its end (null), or up to a nested table, which it returns.
    static FTable* Flow(Frame& f)
    {
        if (FTable* done = f.pWaiting) {
            f.pWaiting = nullptr;
            f.pen = done->GetNextPos();
            f.bPlaced = true;
            f.pCur = Step(done);
        }
        while (f.pCur && f.pCur != f.pEnd) {
            CVisible* e = f.pCur;
            if (IsCell(e)) {
                // Positioned by its table, not by the flow.
                f.pCur = Step(e);
                continue;
            }
            if (e->m_nKind == TAG_TABLE) {
                if (FTable* nested = dynamic_cast<FTable*>(e)) {
                    f.pWaiting = nested;
                    return nested;
                }
            }
            e->Place(f.pen.x, f.pen.y);
            f.pen = e->GetNextPos();
            f.bPlaced = true;
            f.pCur = Step(e);
        }
        return nullptr;
    }

    static void FlowDone(std::vector<Frame>& stack)
    {
        Frame& f = stack.back();
        f.bFlowing = false;
        if (f.bPlaced)
            CloseLine();
        if (!f.pTable) {
            stack.pop_back();
            return;
        }
        if (f.nPhase == SIZING) {
            const CCellFlow& flow = f.flows[f.nFlow];
            const CSize extent = Extent(flow.pFirst, flow.pEnd);
            flow.pCell->m_nContentWidth = extent.cx;
            flow.pCell->m_nContentHeight = extent.cy;
        }
        ++f.nFlow;
    }

    static void Advance(std::vector<Frame>& stack)
    {
        Frame& f = stack.back();
        FTable* t = f.pTable;
        switch (f.nPhase) {
        case START:
            if (!t->BeginPlace(f.nY)) {
                stack.pop_back();
                return;
            }
            f.flows = t->CellFlows();
            f.nFlow = 0;
            if (t->HasRowPositions()) {
                f.nPhase = SIZED;
            } else {
                t->ComputeColumns();
                f.nPhase = SIZING;
            }
            return;
        case SIZING:
            if (f.nFlow < f.flows.size()) {
                StartSizing(f);
            } else {
                t->SetRowPositions();
                f.nPhase = SIZED;
            }
            return;
        case SIZED:
            t->SetSizeAndX();
            f.nPhase = f.bSizingOnly ? END : PLACING;
            f.nFlow = 0;
            return;
        case PLACING:
            if (f.nFlow < f.flows.size())
                StartPlacing(f);
            else
                f.nPhase = END;
            return;
        case END:
            t->FlowAfter();
            stack.pop_back();
            return;
        }
    }

    // The flow of a cell at the table's own origin, with the width it will have in place.
    static void StartSizing(Frame& f)
    {
        FTable* t = f.pTable;
        const CCellFlow& flow = f.flows[f.nFlow];
        const int s = t->m_nCellSpacing;
        const int p = t->m_nCellPadding;
        const int left = int(t->m_arColPos[flow.pCell->m_nCol]);
        const int width = ClampPos((long long)int(t->m_arColPos[flow.pCell->m_nColEnd]) - left - 2LL * p - s);
        const int base = ClampPos((long long)left + s / 2 + p);
        ForRange(flow.pFirst, flow.pEnd, [&](CVisible* e) {
            if (!IsCell(e)) {
                e->SetLineWidth(width);
                e->SetLineLeft(base);
            }
        });
        StartFlow(f, flow.pFirst, flow.pEnd, CPoint(base, 0));
    }

    // The cell in its place, and its flow in the cell's box.
    static void StartPlacing(Frame& f)
    {
        FTable* t = f.pTable;
        const CCellFlow& flow = f.flows[f.nFlow];
        FTableCell* cell = flow.pCell;
        const int s = t->m_nCellSpacing;
        const int p = t->m_nCellPadding;
        const int left = int(t->m_arColPos[cell->m_nCol]);
        const int top = int(t->m_arRowPos[cell->m_nRow]);
        cell->m_nX = ClampPos((long long)left + t->m_nX);
        cell->m_nY = ClampPos((long long)top + t->m_nY);
        cell->m_nWidth = int(t->m_arColPos[cell->m_nColEnd]) - left;
        cell->m_nHeight = int(t->m_arRowPos[cell->m_nRowEnd]) - top;
        const int width = ClampPos((long long)cell->m_nWidth - 2LL * p - s);
        const int base = ClampPos((long long)s / 2 + cell->m_nX + p);
        ForRange(flow.pFirst, flow.pEnd, [&](CVisible* e) {
            if (!IsCell(e)) {
                e->SetLineWidth(width);
                e->SetLineLeft(base);
            } else if (e != cell) {
                // A cell without a slot takes no room; its content flows on with this cell's.
                e->m_nX = cell->m_nX;
                e->m_nY = cell->m_nY;
                e->m_nWidth = e->m_nHeight = 0;
            }
        });
        StartFlow(f, flow.pFirst, flow.pEnd, cell->ContentStart());
    }
};

void FTable::Place(int /*x*/, int y)
{
    CTableLayout::PlaceTable(this, y);
}

CPoint* FTable::GetNextPos(CPoint* pt)
{
    CPoint next;
    if (m_nTableAlign == ALIGN_LEFT) {
        if (m_nBreakX != -1) {
            next = CPoint(m_nBreakX, ClampPos((long long)m_nY + m_nHeight + GetLineGap()));
            m_nBreakX = -1;
        } else {
            next = CPoint(ClampPos((long long)m_nX + m_nWidth), m_nY);
        }
    } else if (m_nTableAlign == ALIGN_RIGHT) {
        next = CPoint(m_nLineLeft, m_nY);
    } else {
        long long y = (long long)m_nY + m_nHeight;
        if (CVisible* following = GetNextElement()) {
            if (following->m_nBreak & BRK_PARA)
                y += GetParaGap();
            else if (following->m_nBreak & (BRK_LINE | BRK_WRAP))
                y += GetLineGap();
        }
        next = CPoint(m_nLineLeft, ClampPos(y));
    }
    if (pt)
        *pt = next;
    return pt;
}

// ---- drawing ----

COLORREF FTable::BorderLight() const
{
    if (m_crBorderLight != CLR_UNSET)
        return m_crBorderLight;
    const COLORREF page = PageBackground(m_pDoc);
    return page >= 0xC0C0C0 && page != 0xFFFFFF ? 0xFFFFFF : 0xC0C0C0;
}

COLORREF FTable::BorderDark() const
{
    if (m_crBorderDark != CLR_UNSET)
        return m_crBorderDark;
    const COLORREF page = PageBackground(m_pDoc);
    return page != 0 && page <= 0x808080 ? 0x000000 : 0x808080;
}

void FTable::Draw(CDC* dc)
{
    if (!dc || IsLeaf())
        return;
    const int x = m_nX, y = m_nY, w = m_nWidth, h = m_nHeight;
    // With cell spacing the border colour shows between the cells.
    if (m_crBorderColor != CLR_UNSET)
        dc->FillSolidRect(x, y, w, h, m_crBorderColor);
    // The raised border: light at the top and left, dark at the bottom and right, ring by ring.
    // Only the rings that cross the clip box can show, so a border of any width costs no more
    // than the size of what is painted.
    CRect clip;
    dc->GetClipBox(&clip);
    const long long rings = std::min<long long>(m_nBorder, std::max(w, h));
    std::vector<std::pair<long long, long long>> show = {
        {(long long)clip.top - y, (long long)clip.bottom - y},          // top rows
        {(long long)y + h - clip.bottom, (long long)y + h - clip.top},  // bottom rows
        {(long long)clip.left - x, (long long)clip.right - x},          // left columns
        {(long long)x + w - clip.right, (long long)x + w - clip.left}}; // right columns
    std::sort(show.begin(), show.end());
    CPen light(PS_SOLID, 1, BorderLight());
    CPen dark(PS_SOLID, 1, BorderDark());
    CPen* old = dc->SelectObject(&light);
    long long next = 0;
    for (const auto& range : show) {
        for (long long i = std::max(range.first, next); i < std::min(range.second, rings); ++i) {
            const int r = int(i);
            dc->SelectObject(&light);
            dc->MoveTo(x, y + r);
            dc->LineTo(x + w - 1, y + r);
            dc->MoveTo(x + r, y);
            dc->LineTo(x + r, y + h - 1);
            dc->SelectObject(&dark);
            dc->MoveTo(x + r, y + h - r - 1);
            dc->LineTo(x + w - 1, y + h - r - 1);
            dc->MoveTo(x + w - r - 1, y + r);
            dc->LineTo(x + w - r - 1, y + h - 1);
        }
        next = std::max(next, std::min(range.second, rings));
    }
    dc->SelectObject(old);
}

// ---- FTableRow ----

FTableRow::FTableRow(CHtmlX* doc)
    : CElement(doc, TAG_TR, 0), m_nRowAlign(0), m_nRowVAlign(0), m_crBgColor(CLR_UNSET), m_nCarried(0)
{}

void FTableRow::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nRowAlign);
    a.VAlign("valign", m_nRowVAlign);
    a.Color("bgcolor", m_crBgColor);
}

// ---- FTableCell ----

FTableCell::FTableCell(CHtmlX* doc) : FTableCell(doc, TAG_TD, 0) {}

FTableCell::FTableCell(CHtmlX* doc, int kind, DWORD flags)
    : CVisible(doc, kind, EF_CONTEXT | EF_LINEBREAK | flags), m_nCellAlign(ALIGN_LEFT), m_nColSpan(1),
      m_bNoWrap(FALSE), m_nRowSpan(1), m_nVAlign(VALIGN_CENTER), m_nWidthAttr(0), m_crBgColor(CLR_UNSET),
      m_nNoBorder(0), m_nContentWidth(0), m_nContentHeight(0), m_nCol(-1), m_nRow(-1), m_nColEnd(-1),
      m_nRowEnd(-1)
{}

void FTableCell::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nCellAlign);
    a.Length("colspan", m_nColSpan);
    a.Flag("nowrap", m_bNoWrap);
    a.Length("rowspan", m_nRowSpan);
    a.VAlign("valign", m_nVAlign);
    a.Length("width", m_nWidthAttr);
    a.Side("noborder", m_nNoBorder);
    a.Color("bgcolor", m_crBgColor);
    // Spans below one, percentages included, make no sense for the grid.
    if (m_nColSpan < 1)
        m_nColSpan = 1;
    if (m_nRowSpan < 1)
        m_nRowSpan = 1;
}

void FTableCell::GetVisibleRange(CVisible** first, CVisible** after)
{
    *first = static_cast<CVisible*>(FindDescendantByFlags(EF_VISIBLE, FALSE, nullptr));
    CVisible* next = CMeasurePass::Current().NextVisibleAfter(this);
    *after = IsCell(next) ? nullptr : next;
}

void FTableCell::Place(int, int) {}

void FTableCell::PlaceContent()
{
    CTableLayout::PlaceFlow(static_cast<CVisible*>(FindDescendantByFlags(EF_VISIBLE, FALSE, nullptr)),
                            CMeasurePass::Current().NextVisibleAfter(this), ContentStart());
}

CPoint FTableCell::ContentStart()
{
    FTable* table = static_cast<FTable*>(FindAncestorByKind(TAG_TABLE, FALSE, nullptr));
    const int s = table ? table->m_nCellSpacing : 0;
    const int p = table ? table->m_nCellPadding : 0;
    const long long x = (long long)m_nX + s / 2 + p;
    long long y = (long long)m_nY + s / 2 + p;
    const long long room = (long long)m_nHeight - 2LL * p - m_nContentHeight - s;
    // MIDDLE sits at the top like TOP; only the default CENTER centres.
    if (m_nVAlign == VALIGN_CENTER)
        y += room / 2;
    else if (m_nVAlign == VALIGN_BOTTOM || m_nVAlign == VALIGN_BASELINE)
        y += room;
    return CPoint(ClampPos(x), ClampPos(y));
}

void FTableCell::Draw(CDC* dc)
{
    if (!dc || IsLeaf())
        return;
    FTable* table = static_cast<FTable*>(FindAncestorByKind(TAG_TABLE, FALSE, nullptr));
    if (!table)
        return;
    const int s = table->m_nCellSpacing;
    const int left = ClampPos((long long)m_nX + s / 2 + 1);
    const int top = ClampPos((long long)m_nY + s / 2 + 1);
    const int width = ClampPos((long long)m_nWidth - s - 1);
    const int height = ClampPos((long long)m_nHeight - s - 1);
    if (width <= 0 || height <= 0)
        return;
    COLORREF background = m_crBgColor;
    if (background == CLR_UNSET)
        if (CElement* row = FindAncestorByKind(TAG_TR, FALSE, table))
            background = static_cast<FTableRow*>(row)->m_crBgColor;
    if (background == CLR_UNSET)
        background = table->m_crBgColor;
    if (background != CLR_UNSET)
        dc->FillSolidRect(left, top, width, height, background);
    // The cells look sunken, one pixel deep whatever the table's border.
    if (table->m_nBorder != 0)
        dc->Draw3dRect(left, top, width, height, table->BorderDark(), table->BorderLight());
}

// ---- FTableHeader, FSpanCell, FCaption ----

FTableHeader::FTableHeader(CHtmlX* doc) : FTableCell(doc, TAG_TH, EF_FONT) {}

FSpanCell::FSpanCell(CHtmlX* doc, int colOffset, int rowOffset)
    : CElement(doc, KIND_SPANCELL, 0), m_nColOffset(colOffset), m_nRowOffset(rowOffset)
{}

FCaption::FCaption(CHtmlX* doc) : CElement(doc, TAG_CAPTION, EF_LINEBREAK), m_nAlign(0) {}

void FCaption::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nAlign);
}
