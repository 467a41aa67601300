// CVisible::Invalidate: repaints where an element is now and where it was last drawn.
#include "korhtml/Element.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"

void CVisible::Invalidate(CWnd* view, BOOL onlyIfMoved)
{
    if (!view)
        return;
    CRect rcNew(m_nX, m_nY, m_nX + m_nWidth, m_nY + m_nHeight);
    CRect rcOld(m_rcDrawn);
    if (onlyIfMoved && rcNew == rcOld)
        return;
    CClientDC dc(view);
    dc.LPtoDP(&rcNew);
    dc.LPtoDP(&rcOld);
    view->InvalidateRect(&rcNew, TRUE);
    view->InvalidateRect(&rcOld, TRUE);
}
