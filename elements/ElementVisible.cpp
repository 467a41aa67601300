// CVisible: break bits and their measure-pass cache, alignment, list level, placement, lines, links, floats.
#include "korhtml/Element.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/SimpleElements.h"
#include "korhtml/AttrValues.h"
#include "elements/AlignQueue.h"
#include "elements/MeasurePass.h"
#include "korlib/korlib.h"

namespace {

// Line items are the inline elements that are placed; an option (inline, never placed) is passed over.
CVisible* NextLineItem(CElement* e)
{
    do
        e = e->GetNextInline(FALSE, nullptr);
    while (e && !(e->m_dwFlags & EF_VISIBLE));
    return static_cast<CVisible*>(e);
}

CVisible* PrevLineItem(CElement* e)
{
    do
        e = e->GetPrevInline(FALSE, nullptr);
    while (e && !(e->m_dwFlags & EF_VISIBLE));
    return static_cast<CVisible*>(e);
}

// The anchor (kind 0) that encloses e, or null.
FAnchor* EnclosingAnchor(CElement* e)
{
    return static_cast<FAnchor*>(e->FindAncestorByKind(TAG_A, FALSE, nullptr));
}

// The most elements a float's walk takes without the predicted pen moving down. A line of a page
// holds far fewer; elements without width or height (which never fill a line) would otherwise let
// every one of many floats walk to the end of the page.
constexpr int kMaxIdleFlowSteps = 512;

long long Max64(long long a, long long b)
{
    return a > b ? a : b;
}

// A coordinate brought back into the range that positions may take.
long long Clip64(long long v, long long limit)
{
    return v > limit ? limit : v < -limit ? -limit : v;
}

} // namespace

CVisible::CVisible(CHtmlX* doc)
    : CElement(doc), m_nAlign(ALIGN_LEFT), m_nBreak(0), m_bInListItem(0), m_nListLevel(0), m_nWidth(0),
      m_nHeight(0), m_nX(GetHorMargin()), m_nY(GetVerMargin()), m_nLineWidth(0), m_nLineLeft(GetHorMargin()),
      m_nBreakX(-1), m_rcDrawn{0, 0, 0, 0}
{
    m_dwFlags = EF_VISIBLE;
}

CVisible::~CVisible() = default;

void CVisible::Draw(CDC* /*dc*/) {}

int CVisible::GetAnchorType(CPoint /*pt*/)
{
    FAnchor* a = EnclosingAnchor(this);
    if (!a)
        return ANCHOR_NONE;
    if (!a->m_strHref.IsEmpty())
        return a->m_strHref[0] == '#' ? ANCHOR_LOCAL : ANCHOR_LINK;
    return a->m_strName.IsEmpty() ? ANCHOR_BARE : ANCHOR_NAME;
}

void CVisible::Measure(CDC* /*dc*/)
{
    ComputeBreaks();
    InheritAlign();
    ComputeListLevel();
}

void CVisible::ComputeBreaks()
{
    // Only the nearest paragraph and line-break elements before (or around) this one count: this
    // element starts their content or is the first one after them.
    m_nBreak = CMeasurePass::Current().BreakBits(this, TRUE);
}

void CVisible::InheritAlign()
{
    // Without an aligning ancestor inside the context the element keeps its own alignment.
    int align, level, item;
    CMeasurePass::Current().GetInherited(GetParentElement(), &align, &level, &item);
    if (align != 0)
        m_nAlign = align;
}

void CVisible::ComputeListLevel()
{
    int align, level, item;
    CMeasurePass::Current().GetInherited(GetParentElement(), &align, &level, &item);
    m_nListLevel = level;
    m_bInListItem = item;
}

int CVisible::GetIndent()
{
    if (m_nBreak == 0)
        return 0;
    return (m_bInListItem + 2 * m_nListLevel) * INDENT_STEP;
}

CPoint* CVisible::GetNextPos(CPoint* pt)
{
    CPoint next;
    if (m_nBreakX == -1) {
        next = CPoint(m_nX + m_nWidth, m_nY);
    } else {
        // A float or a table beside the lines: the next element returns below it.
        next = CPoint(m_nBreakX, m_nY + m_nHeight + GetLineGap());
        m_nBreakX = -1;
    }
    if (pt)
        *pt = next;
    return pt;
}

CVisible* CVisible::GetNextElement()
{
    return GetNextVisible(FALSE, nullptr);
}

void CVisible::Place(int x, int y)
{
    KorClipValue(m_nWidth, -KOR_MAX_EXTENT, KOR_MAX_EXTENT);
    KorClipValue(m_nHeight, -KOR_MAX_EXTENT, KOR_MAX_EXTENT);
    KorClipValue(x, -KOR_MAX_POSITION, KOR_MAX_POSITION);
    KorClipValue(y, -KOR_MAX_POSITION, KOR_MAX_POSITION);
    // Only a wrap is decided here; line and paragraph breaks come from the structure and stay.
    if (x + m_nWidth > m_nLineLeft + m_nLineWidth) {
        if (m_nBreak == 0)
            m_nBreak = BRK_WRAP;
    } else if (m_nBreak == BRK_WRAP) {
        m_nBreak = 0;
    }

    CAlignQueue* queue = GetAlignQueue();
    if (m_nBreak == 0) {
        m_nX = x;
        m_nY = y;
        queue->AddTail(this);
        return;
    }

    m_nX = m_nLineLeft;
    m_nY = y;
    if (queue->IsEmpty()) {
        queue->AddTail(this);
        return;
    }

    // Close the previous line; only a line that ended because it was full is justified.
    int height = queue->VerticalAlign();
    queue->HorizontalAlign(EvenAlign() && m_nBreak == BRK_WRAP ? TRUE : FALSE);
    queue->RemoveAll();
    int gap = 0;
    if (m_nBreak & BRK_PARA)
        gap = GetParaGap();
    else if (m_nBreak & (BRK_WRAP | BRK_LINE))
        gap = GetLineGap();
    m_nY = KorMin(y + height + gap, KOR_MAX_POSITION);
    queue->AddTail(this);
}

void CVisible::SetLineWidth(int w)
{
    m_nLineWidth = w;
}

void CVisible::SetLineLeft(int x)
{
    m_nLineLeft = x;
}

CVisible* CVisible::GetLineStart(DWORD breakMask)
{
    CVisible* cur = this;
    while (!(cur->m_nBreak & breakMask)) {
        CVisible* prev = PrevLineItem(cur);
        if (!prev)
            break;
        cur = prev;
    }
    return cur;
}

CVisible* CVisible::GetLineEnd(DWORD breakMask)
{
    // A BR always ends the line it stands on, wherever the walk starts.
    CVisible* cur = this;
    for (;;) {
        if (cur->m_nKind == TAG_BR)
            return cur;
        CVisible* next = NextLineItem(cur);
        if (!next || (next->m_nBreak & breakMask))
            return cur;
        cur = next;
    }
}

CVisible* CVisible::GetPrevLineStart(DWORD breakMask)
{
    CVisible* end = GetPrevLineEnd(breakMask);
    return end ? end->GetLineStart(breakMask) : nullptr;
}

CVisible* CVisible::GetPrevLineEnd(DWORD breakMask)
{
    return PrevLineItem(GetLineStart(breakMask));
}

CVisible* CVisible::GetNextLineStart(DWORD breakMask)
{
    return NextLineItem(GetLineEnd(breakMask));
}

CVisible* CVisible::GetNextLineEnd(DWORD breakMask)
{
    CVisible* start = GetNextLineStart(breakMask);
    return start ? start->GetLineEnd(breakMask) : nullptr;
}

CString CVisible::GetLink(CPoint* /*pt*/)
{
    FAnchor* a = EnclosingAnchor(this);
    if (!a)
        return CString();
    return a->m_strHref.IsEmpty() ? a->m_strKorLink : a->m_strHref;
}

int CVisible::GetFloatAlign()
{
    return 0;
}

int CVisible::CloseLineForFloat(int y)
{
    CAlignQueue* queue = GetAlignQueue();
    if (queue->IsEmpty())
        return y;
    int height = queue->VerticalAlign();
    queue->HorizontalAlign(EvenAlign());
    queue->RemoveAll();
    int gap = 0;
    if (m_nBreak & BRK_PARA)
        gap = GetParaGap();
    else if (m_nBreak & (BRK_WRAP | BRK_LINE))
        gap = GetLineGap();
    return int(Clip64(static_cast<long long>(y) + height + gap, KOR_MAX_POSITION));
}

void CVisible::FlowLinesAround(CVisible* start, int left, int top, int right, int bottom, int side)
{
    if (!start)
        return;
    // Inside a table the lines beside a float end with its cell.
    CElement* table = FindAncestorByKind(TAG_TABLE, FALSE, nullptr);
    CVisible* tableEnd = table ? CMeasurePass::Current().NextVisibleAfter(table) : nullptr;
    const int otherSide = side == ALIGN_LEFT ? ALIGN_RIGHT : side == ALIGN_RIGHT ? ALIGN_LEFT : -1;

    // The pen is predicted as the layout will move it, in the layout's own order (a table is one
    // step), so that each element known to lie beside the float gets the narrowed line.
    long long px = left, py = top, lineHeight = 0;
    CVisible* prev = this;
    CVisible* e = start;
    for (int idle = 0; e; prev = e, e = e->GetNextElement()) {
        if (idle == kMaxIdleFlowSteps || e->GetFloatAlign() == otherSide)
            break;
        if (table && (e == tableEnd || e->HasFlags(EF_CONTEXT)))
            break;
        const long long lineTop = py;
        lineHeight = Max64(lineHeight, e->m_nHeight);
        long long w = static_cast<long long>(e->GetIndent()) + e->m_nWidth;
        // The first element goes on the float's top line whatever its breaks: the float has closed
        // the line before it and sends it there. (After a table it always has a line break, from
        // the table's last cell; counting it would bring the text back one line too early.)
        const bool first = e == start;
        if (!first && (e->m_nBreak == BRK_LINE || px + w > right)) {
            px = left;
            py += GetLineGap() + lineHeight;
            lineHeight = 0;
        } else if (!first && e->m_nBreak == BRK_PARA) {
            px = left;
            py += GetParaGap() + lineHeight;
            lineHeight = 0;
        }
        if (py > bottom)
            break;
        idle = py > lineTop ? 0 : idle + 1;
        px += w;
        e->m_nLineLeft = left;
        e->SetLineWidth(right - left);
    }
    // The element below the float starts a new line at the float's own left edge.
    if (e && prev != this)
        prev->m_nBreakX = m_nLineLeft;
}

int CVisible::GetBandRelation(int top, int bottom) const
{
    if (m_nY + m_nHeight < top)
        return BAND_ABOVE;
    if (m_nY > bottom)
        return BAND_BELOW;
    return BAND_INSIDE;
}
