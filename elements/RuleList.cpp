// Rules, breaks and list items: construction, visible ranges, the break's own breaks, the item's indent.
#include "korhtml/RuleElements.h"

// ---- FRule ----

FRule::FRule(CHtmlX* doc) : CVisible(doc), m_nRuleAlign(0), m_bNoShade(FALSE), m_nSize(-1), m_nWidthAttr(-1)
{
    m_nKind = 34;
    m_dwFlags |= EF_INLINE | EF_PARAGRAPH;
    m_nWidth = 0;
    m_nHeight = 4;
}

void FRule::GetVisibleRange(CVisible** first, CVisible** after)
{
    *first = this;
    *after = GetNextVisible(FALSE, nullptr);
}

// ---- FBreak ----

FBreak::FBreak(CHtmlX* doc) : CVisible(doc), m_nClear(0)
{
    m_nKind = 10;
    m_dwFlags |= EF_INLINE | EF_LINEBREAK;
    m_nWidth = 0;
    m_nHeight = 15;
}

void FBreak::GetVisibleRange(CVisible** first, CVisible** after)
{
    *first = nullptr;
    *after = GetNextVisible(FALSE, nullptr);
}

void FBreak::ComputeBreaks()
{
    m_nBreak = 0;
    CVisible* first = nullptr;
    CVisible* after = nullptr;
    if (CElement* p = FindPrevByFlags(EF_PARAGRAPH, FALSE, nullptr)) {
        p->GetVisibleRange(&first, &after);
        if (first == this || after == this)
            m_nBreak |= BRK_PARA;
    }
    if (CElement* q = FindPrevByFlags(EF_LINEBREAK, FALSE, nullptr)) {
        first = after = nullptr;
        q->GetVisibleRange(&first, &after);
        if (first == this || after == this)
            m_nBreak |= BRK_LINE;
    }
}

// ---- FListItem ----

FListItem::FListItem(CHtmlX* doc) : CVisible(doc), m_nType(0), m_nValue(-1)
{
    m_nKind = 41;
    m_dwFlags |= EF_LINEBREAK;
    m_nWidth = 10;
    m_nHeight = 5;
}

void FListItem::GetVisibleRange(CVisible** first, CVisible** after)
{
    *first = this;
    *after = nullptr;
}

int FListItem::GetIndent()
{
    return 20 * m_nListLevel;
}
