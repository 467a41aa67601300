// CVisible: break bits and their measure-pass cache, alignment, list level, placement, lines, links.
#include "korhtml/Element.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/SimpleElements.h"
#include "korhtml/AttrValues.h"
#include "elements/AlignQueue.h"
#include "elements/BreakCache.h"

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
    return static_cast<FAnchor*>(e->FindAncestorByKind(0, FALSE, nullptr));
}

// What the break searches remember while a measure pass runs (see CBreakCache).
struct BreakMemo
{
    int nScopes = 0;
    // The last search started at pStart and found pPara and pLine (either may be null).
    CTreeNode* pStart = nullptr;
    CElement* pPara = nullptr;
    CElement* pLine = nullptr;
    // Visible ranges of the two elements last asked about; iNext is the slot to replace next.
    struct Range
    {
        CElement* pOwner = nullptr;
        CVisible* pFirst = nullptr;
        CVisible* pAfter = nullptr;
    } ranges[2];
    int iNext = 0;

    void Clear()
    {
        pStart = nullptr;
        pPara = pLine = nullptr;
        ranges[0] = ranges[1] = Range();
        iNext = 0;
    }
};

BreakMemo g_memo;

} // namespace

CBreakCache::CBreakCache()
{
    if (g_memo.nScopes++ == 0)
        g_memo.Clear();
}

CBreakCache::~CBreakCache()
{
    if (--g_memo.nScopes == 0)
        g_memo.Clear();
}

void CBreakCache::Reset()
{
    g_memo.Clear();
}

void CBreakCache::FindPrev(CElement* e, BOOL includeSelf, CElement** para, CElement** line)
{
    if (g_memo.nScopes == 0) {
        *para = e->FindPrevByFlags(EF_PARAGRAPH, includeSelf, nullptr);
        *line = e->FindPrevByFlags(EF_LINEBREAK, includeSelf, nullptr);
        return;
    }
    // One walk back for both flags. The answers for a node are the first matches in the sequence
    // node, its depth-first predecessor, ...; once the walk reaches the node where the previous
    // search started, the rest of the sequence is the one that search already walked.
    CTreeNode* start = includeSelf ? e : e->GetDFSPrev();
    CElement* p = nullptr;
    CElement* q = nullptr;
    bool needPara = true;
    bool needLine = true;
    for (CTreeNode* n = start; n && (needPara || needLine); n = n->GetDFSPrev()) {
        if (n == g_memo.pStart) {
            if (needPara)
                p = g_memo.pPara;
            if (needLine)
                q = g_memo.pLine;
            break;
        }
        CElement* el = static_cast<CElement*>(n);
        if (needPara && (el->m_dwFlags & EF_PARAGRAPH)) {
            p = el;
            needPara = false;
        }
        if (needLine && (el->m_dwFlags & EF_LINEBREAK)) {
            q = el;
            needLine = false;
        }
    }
    if (start) {
        g_memo.pStart = start;
        g_memo.pPara = p;
        g_memo.pLine = q;
    }
    *para = p;
    *line = q;
}

void CBreakCache::GetRange(CElement* e, CVisible** first, CVisible** after)
{
    if (g_memo.nScopes == 0) {
        e->GetVisibleRange(first, after);
        return;
    }
    for (const BreakMemo::Range& r : g_memo.ranges) {
        if (r.pOwner == e) {
            *first = r.pFirst;
            *after = r.pAfter;
            return;
        }
    }
    e->GetVisibleRange(first, after);
    BreakMemo::Range& slot = g_memo.ranges[g_memo.iNext];
    slot.pOwner = e;
    slot.pFirst = *first;
    slot.pAfter = *after;
    g_memo.iNext ^= 1;
}

CVisible::CVisible(CHtmlX* doc)
    : CElement(doc), m_nAlign(ALIGN_LEFT), m_nBreak(0), m_nListLevel(0), m_bInListItem(0), m_nWidth(0),
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
        return 0;
    if (!a->m_strHref.IsEmpty())
        return a->m_strHref[0] == '#' ? 2 : 3;
    return a->m_strName.IsEmpty() ? 5 : 1;
}

void CVisible::Measure(CDC* /*dc*/)
{
    ComputeBreaks();
    InheritAlign();
    ComputeListLevel();
}

void CVisible::ComputeBreaks()
{
    m_nBreak = 0;
    // Only the nearest paragraph and line-break elements before (or around) this one count: this
    // element starts their content or is the first one after them.
    CElement* p = nullptr;
    CElement* q = nullptr;
    CBreakCache::FindPrev(this, TRUE, &p, &q);
    CVisible* first = nullptr;
    CVisible* after = nullptr;
    if (p) {
        CBreakCache::GetRange(p, &first, &after);
        if (first == this || after == this)
            m_nBreak |= BRK_PARA;
    }
    first = after = nullptr;
    if (q) {
        CBreakCache::GetRange(q, &first, &after);
        if (first == this || after == this)
            m_nBreak |= BRK_LINE;
    }
}

void CVisible::InheritAlign()
{
    for (CElement* a = GetParentElement(); a; a = a->GetParentElement()) {
        if (a->m_dwFlags & EF_CONTEXT)
            return;
        if (a->m_dwFlags & EF_ALIGN) {
            int align = a->GetAlign();
            if (align != 0) {
                m_nAlign = align;
                return;
            }
        }
    }
}

void CVisible::ComputeListLevel()
{
    m_nListLevel = 0;
    m_bInListItem = 0;
    bool listMet = false;
    for (CElement* a = GetParentElement(); a; a = a->GetParentElement()) {
        if (a->m_dwFlags & EF_CONTEXT)
            break;
        if (a->m_dwFlags & EF_LIST) {
            ++m_nListLevel;
            listMet = true;
        } else if (!listMet && a->m_nKind == 41) {
            m_bInListItem = 1;
        }
    }
}

int CVisible::GetIndent()
{
    if (m_nBreak == 0)
        return 0;
    return (m_bInListItem + 2 * m_nListLevel) * 10;
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
    m_nY = y + height + gap;
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
        if (cur->m_nKind == 10)
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

int CVisible::GetBandRelation(int top, int bottom) const
{
    if (m_nY + m_nHeight < top)
        return 1;
    if (m_nY > bottom)
        return 2;
    return 3;
}
