// Table elements: construction and attributes, ownership of the grid placeholders, ranges of tables and
// cells.
#include "korhtml/TableElements.h"

#include "korhtml/AttrValues.h"
#include "elements/MeasurePass.h"
#include "transform/AttrReader.h"

namespace {

const COLORREF CLR_UNSET = COLORREF(-1);

bool IsCell(const CElement* e)
{
    return e && (e->m_nKind == TAG_TD || e->m_nKind == TAG_TH);
}

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

} // namespace

// ---- FTable ----

FTable::FTable(CHtmlX* doc)
    : CVisible(doc, TAG_TABLE, EF_INLINE), m_nTableAlign(0), m_nBorder(0), m_nCellPadding(2),
      m_nCellSpacing(1), m_nWidthAttr(0), m_crBgColor(CLR_UNSET), m_crBorderColor(CLR_UNSET),
      m_crBorderDark(CLR_UNSET), m_crBorderLight(CLR_UNSET), m_nRows(0), m_nCols(0), m_nMinWidth(0),
      m_nMaxWidth(0)
{}

FTable::~FTable()
{
    POSITION pos = m_lstSpans.GetHeadPosition();
    while (pos)
        delete m_lstSpans.GetNext(pos);
    m_lstSpans.RemoveAll();
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

// ---- FTableHeader ----

FTableHeader::FTableHeader(CHtmlX* doc) : FTableCell(doc, TAG_TH, EF_FONT) {}

// ---- FSpanCell, FCaption ----

FSpanCell::FSpanCell(CHtmlX* doc, int colOffset, int rowOffset)
    : CElement(doc, KIND_SPANCELL, 0), m_nColOffset(colOffset), m_nRowOffset(rowOffset)
{}

FCaption::FCaption(CHtmlX* doc) : CElement(doc, TAG_CAPTION, EF_LINEBREAK), m_nAlign(0) {}

void FCaption::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nAlign);
}
