// Table elements: construction, ownership of the grid placeholders, and the ranges of tables and cells.
#include "korhtml/TableElements.h"

#include "korhtml/AttrValues.h"
#include "elements/MeasurePass.h"

namespace {

const COLORREF CLR_UNSET = COLORREF(-1);

bool IsCell(const CElement* e)
{
    return e && (e->m_nKind == TAG_TD || e->m_nKind == TAG_TH);
}

} // namespace

// ---- FTable ----

FTable::FTable(CHtmlX* doc)
    : CVisible(doc), m_nTableAlign(0), m_nBorder(0), m_nCellPadding(2), m_nCellSpacing(1), m_nWidthAttr(0),
      m_crBgColor(CLR_UNSET), m_crBorderColor(CLR_UNSET), m_crBorderDark(CLR_UNSET),
      m_crBorderLight(CLR_UNSET), m_nRows(0), m_nCols(0), m_nMinWidth(0), m_nMaxWidth(0)
{
    m_nKind = TAG_TABLE;
    m_dwFlags |= EF_INLINE;
}

FTable::~FTable()
{
    POSITION pos = m_lstSpans.GetHeadPosition();
    while (pos)
        delete m_lstSpans.GetNext(pos);
    m_lstSpans.RemoveAll();
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

// ---- FTableRow ----

FTableRow::FTableRow(CHtmlX* doc)
    : CElement(doc), m_nRowAlign(0), m_nRowVAlign(0), m_crBgColor(CLR_UNSET), m_nCarried(0)
{
    m_nKind = TAG_TR;
    m_dwFlags = 0;
}

// ---- FTableCell ----

FTableCell::FTableCell(CHtmlX* doc)
    : CVisible(doc), m_nCellAlign(ALIGN_LEFT), m_nColSpan(1), m_bNoWrap(FALSE), m_nRowSpan(1),
      m_nVAlign(VALIGN_CENTER), m_nWidthAttr(0), m_crBgColor(CLR_UNSET), m_nNoBorder(0), m_nContentWidth(0),
      m_nContentHeight(0), m_nCol(-1), m_nRow(-1), m_nColEnd(-1), m_nRowEnd(-1)
{
    m_nKind = TAG_TD;
    m_dwFlags |= EF_CONTEXT | EF_LINEBREAK;
}

void FTableCell::GetVisibleRange(CVisible** first, CVisible** after)
{
    *first = static_cast<CVisible*>(FindDescendantByFlags(EF_VISIBLE, FALSE, nullptr));
    CVisible* next = CMeasurePass::Current().NextVisibleAfter(this);
    *after = IsCell(next) ? nullptr : next;
}

void FTableCell::Place(int, int) {}

// ---- FTableHeader ----

FTableHeader::FTableHeader(CHtmlX* doc) : FTableCell(doc)
{
    m_nKind = TAG_TH;
    m_dwFlags |= EF_FONT;
}

// ---- FSpanCell, FCaption, FTableFoot ----

FSpanCell::FSpanCell(CHtmlX* doc, int colOffset, int rowOffset)
    : CElement(doc), m_nColOffset(colOffset), m_nRowOffset(rowOffset)
{
    m_nKind = KIND_SPANCELL;
    m_dwFlags = 0;
}

FCaption::FCaption(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = TAG_CAPTION;
    m_dwFlags = EF_LINEBREAK;
}

FTableFoot::FTableFoot(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_TFOOT;
    m_dwFlags = 0;
}
