// FText: construction of text runs.
#include "korhtml/TextElement.h"

FText::FText(CHtmlX* doc) : CVisible(doc), m_pFont(nullptr), m_crText(0), m_bPre(FALSE)
{
    m_nKind = 74;
    m_dwFlags |= EF_INLINE;
}
