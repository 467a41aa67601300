// CWnd: geometry, invalidation and painting, scrolling the contents, the window's own scroll bar.
#include "platform/win/Wnd_p.h"

#include "platform/gdi/codepage.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cstring>
#include <vector>

using kor::WndState;

namespace {

QRect ToQRect(const RECT& r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}
RECT ToRECT(const QRect& r)
{
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Geometry.

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    QWidget* w = m_pState->widget;
    if (!w) {
        *lpRect = RECT{0, 0, 0, 0};
        return;
    }
    QPoint tl = w->mapToGlobal(QPoint(0, 0));
    *lpRect = RECT{tl.x(), tl.y(), tl.x() + w->width(), tl.y() + w->height()};
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    if (lpRect)
        *lpRect = ToRECT(m_pState->ClientRect());
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    if (!lpPoint || !m_pState->widget)
        return;
    QPoint p = m_pState->widget->mapToGlobal(QPoint(lpPoint->x, lpPoint->y));
    *lpPoint = POINT{p.x(), p.y()};
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->left));
    ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    if (!lpPoint || !m_pState->widget)
        return;
    QPoint p = m_pState->widget->mapFromGlobal(QPoint(lpPoint->x, lpPoint->y));
    *lpPoint = POINT{p.x(), p.y()};
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->left));
    ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL /*bRepaint*/)
{
    WndState& s = *m_pState;
    if (!s.widget)
        return;
    if (s.fixedHeight > 0)
        nHeight = s.fixedHeight;
    // Child windows are placed in the parent's client coordinates, which are its widget's.
    s.widget->setGeometry(x, y, std::max(0, nWidth), std::max(0, nHeight));
    // A hidden widget hears of its new size only when shown; the window answers at once.
    s.SyncSize();
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    if (lpRect)
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                   bRepaint);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    WndState& s = *m_pState;
    if (!s.widget)
        return FALSE;
    BOOL was = (s.style & WS_VISIBLE) != 0;
    if (nCmdShow == SW_HIDE) {
        s.style &= ~DWORD(WS_VISIBLE);
        s.widget->hide();
    } else {
        s.style |= WS_VISIBLE;
        if (nCmdShow == SW_SHOWMAXIMIZED && s.widget->isWindow())
            s.widget->showMaximized();
        else if ((nCmdShow == SW_MINIMIZE || nCmdShow == SW_SHOWMINIMIZED) && s.widget->isWindow())
            s.widget->showMinimized();
        else
            s.widget->show();
        s.SyncSize();
    }
    return was;
}

BOOL CWnd::IsWindowVisible() const
{
    for (const CWnd* w = this; w; w = w->GetParent()) {
        if (!w->m_hWnd || !(w->m_pState->style & WS_VISIBLE))
            return FALSE;
    }
    return TRUE;
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    WndState& s = *m_pState;
    if (!s.widget)
        return FALSE;
    BOOL wasDisabled = (s.style & WS_DISABLED) != 0;
    if (bEnable)
        s.style &= ~DWORD(WS_DISABLED);
    else
        s.style |= WS_DISABLED;
    s.widget->setEnabled(bEnable != 0);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    return m_hWnd && !(m_pState->style & WS_DISABLED);
}

CWnd* CWnd::GetParent() const
{
    return m_hWnd ? m_pState->parent : nullptr;
}

DWORD CWnd::GetStyle() const
{
    return m_hWnd ? m_pState->style : 0;
}

DWORD CWnd::GetExStyle() const
{
    return m_hWnd ? m_pState->exStyle : 0;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT)
{
    WndState& s = *m_pState;
    if (!m_hWnd)
        return FALSE;
    DWORD old = s.style;
    DWORD now = (old & ~dwRemove) | dwAdd;
    if (now == old)
        return FALSE;
    s.style = now & ~DWORD(WS_VISIBLE | WS_VSCROLL | WS_DISABLED);
    s.style |= old & (WS_VISIBLE | WS_VSCROLL | WS_DISABLED);
    if ((now ^ old) & WS_VSCROLL)
        s.ShowBar((now & WS_VSCROLL) != 0);
    if ((now ^ old) & WS_DISABLED)
        EnableWindow(!(now & WS_DISABLED));
    if ((now ^ old) & WS_VISIBLE)
        ShowWindow((now & WS_VISIBLE) ? SW_SHOW : SW_HIDE);
    return TRUE;
}

int CWnd::GetDlgCtrlID() const
{
    return m_hWnd ? int(m_pState->id) : 0;
}

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    if (m_hWnd)
        SendMessage(WM_SETTEXT, 0, LPARAM(lpszString ? lpszString : ""));
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    if (!lpszStringBuf || nMaxCount <= 0)
        return 0;
    lpszStringBuf[0] = '\0';
    if (!m_hWnd)
        return 0;
    return int(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXT, WPARAM(nMaxCount), LPARAM(lpszStringBuf)));
}

void CWnd::GetWindowText(CString& rString) const
{
    int n = GetWindowTextLength();
    if (n <= 0) {
        rString.Empty();
        return;
    }
    std::vector<char> buf(size_t(n) + 1);
    int got = GetWindowText(buf.data(), n + 1);
    rString = CString(buf.data(), got);
}

int CWnd::GetWindowTextLength() const
{
    return m_hWnd ? int(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXTLENGTH)) : 0;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    if (!m_hWnd)
        return;
    SendMessage(WM_SETFONT, WPARAM(pFont ? pFont->GetSafeHandle() : nullptr), bRedraw);
    m_pState->font = pFont;
}

CFont* CWnd::GetFont() const
{
    return m_hWnd ? m_pState->font : nullptr;
}

CWnd* CWnd::SetFocus()
{
    CWnd* old = GetFocus();
    if (m_pState->widget)
        m_pState->widget->setFocus(Qt::OtherFocusReason);
    return old;
}

CWnd* CWnd::GetFocus()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    return kor::WindowFromWidget(QApplication::focusWidget());
}

// ---------------------------------------------------------------------------------------------------
// Painting.

void CWnd::Invalidate(BOOL bErase)
{
    if (m_hWnd)
        m_pState->Invalidate(m_pState->ClientRect(), bErase != 0);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    if (!m_hWnd)
        return;
    m_pState->Invalidate(lpRect ? ToQRect(*lpRect) : m_pState->ClientRect(), bErase != 0);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
    if (!m_hWnd)
        return;
    WndState& s = *m_pState;
    if (lpRect)
        s.invalid -= ToQRect(*lpRect);
    else
        s.invalid = QRegion();
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL)
{
    QRect b = m_hWnd ? m_pState->invalid.boundingRect() : QRect();
    if (lpRect)
        *lpRect = b.isEmpty() ? RECT{0, 0, 0, 0} : ToRECT(b);
    return !b.isEmpty();
}

void CWnd::UpdateWindow()
{
    if (!m_hWnd)
        return;
    std::weak_ptr<int> alive = m_pState->life;
    // Painted here rather than by Qt, so hidden windows paint into their backing image as well.
    m_pState->PaintInvalid();
    if (alive.expired() || !m_hWnd)
        return;
    if (m_pState->widget->isVisible() && !m_pState->inPaint)
        m_pState->widget->repaint();
}

CDC* CWnd::GetDC()
{
    if (!m_hWnd)
        return nullptr;
    return new CClientDC(this);
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (!pDC)
        return 0;
    delete pDC;
    return 1;
}

void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    if (!m_hWnd || (xAmount == 0 && yAmount == 0))
        return;
    WndState& s = *m_pState;
    QRect client = s.ClientRect();
    QRect area = lpRect ? ToQRect(*lpRect) & client : client;
    QRect clip = lpClipRect ? ToQRect(*lpClipRect) & client : client;
    if (area.isEmpty())
        return;
    QPoint d(xAmount, yAmount);

    // The pixels move as if through a temporary copy.
    QImage moved = s.surface.copy(area);
    {
        QPainter p(&s.surface);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.setClipRect(area & clip);
        p.drawImage(area.topLeft() + d, moved);
    }

    // What was invalid moves with the pixels; what the move uncovered becomes invalid.
    QRegion inside = s.invalid & area;
    s.invalid = (s.invalid - area) | ((inside.translated(d)) & area);
    QRegion uncovered = (QRegion(area) - QRegion(area.translated(d))) & clip;
    s.invalid |= uncovered;
    s.eraseRequested = true;

    if (!lpRect) {
        for (QObject* o : s.widget->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && w != static_cast<QWidget*>(s.vbar) && !w->isWindow())
                w->move(w->pos() + d);
        }
    }
    s.widget->update(area & clip);
}

// ---------------------------------------------------------------------------------------------------
// The window's own scroll bar.

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    if (m_hWnd && (nBar == SB_VERT || nBar == SB_BOTH))
        m_pState->ShowBar(bShow != 0);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL)
{
    if (!m_hWnd || !lpScrollInfo || nBar != SB_VERT)
        return FALSE;
    WndState& s = *m_pState;
    if (lpScrollInfo->fMask & SIF_RANGE) {
        s.vinfo.nMin = lpScrollInfo->nMin;
        s.vinfo.nMax = std::max(lpScrollInfo->nMin, lpScrollInfo->nMax);
    }
    if (lpScrollInfo->fMask & SIF_PAGE)
        s.vinfo.nPage = lpScrollInfo->nPage;
    if (lpScrollInfo->fMask & SIF_POS)
        s.vinfo.nPos = lpScrollInfo->nPos;
    s.ApplyScrollInfo();
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    if (!m_hWnd || !lpScrollInfo || nBar != SB_VERT)
        return FALSE;
    const WndState& s = *m_pState;
    lpScrollInfo->fMask = nMask;
    if (nMask & SIF_RANGE) {
        lpScrollInfo->nMin = s.vinfo.nMin;
        lpScrollInfo->nMax = s.vinfo.nMax;
    }
    if (nMask & SIF_PAGE)
        lpScrollInfo->nPage = s.vinfo.nPage;
    if (nMask & SIF_POS)
        lpScrollInfo->nPos = s.vinfo.nPos;
    if (nMask & SIF_TRACKPOS)
        lpScrollInfo->nTrackPos = s.trackPos;
    return TRUE;
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL)
{
    if (!m_hWnd || nBar != SB_VERT)
        return 0;
    WndState& s = *m_pState;
    int old = s.vinfo.nPos;
    s.vinfo.nPos = nPos;
    s.ApplyScrollInfo();
    return old;
}

int CWnd::GetScrollPos(int nBar) const
{
    return m_hWnd && nBar == SB_VERT ? m_pState->vinfo.nPos : 0;
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL)
{
    if (!m_hWnd || nBar != SB_VERT)
        return;
    WndState& s = *m_pState;
    s.vinfo.nMin = nMinPos;
    s.vinfo.nMax = std::max(nMinPos, nMaxPos);
    s.vinfo.nPage = 0;
    s.ApplyScrollInfo();
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    bool ok = m_hWnd && nBar == SB_VERT;
    if (lpMinPos)
        *lpMinPos = ok ? m_pState->vinfo.nMin : 0;
    if (lpMaxPos)
        *lpMaxPos = ok ? m_pState->vinfo.nMax : 0;
}

int CWnd::GetScrollLimit(int nBar) const
{
    return m_hWnd && nBar == SB_VERT ? m_pState->MaxScrollPos() : 0;
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const
{
    return nullptr;
}

// ---------------------------------------------------------------------------------------------------
// Win32 calls on handles.

BOOL IsWindow(HWND hWnd)
{
    return CWnd::FromHandle(hWnd) != nullptr;
}

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->SendMessage(Msg, wParam, lParam) : 0;
}

BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->PostMessage(Msg, wParam, lParam) : FALSE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w)
        return FALSE;
    w->InvalidateRect(lpRect, bErase);
    return TRUE;
}

BOOL UpdateWindow(HWND hWnd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w)
        return FALSE;
    w->UpdateWindow();
    return TRUE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w)
        return FALSE;
    w->GetWindowRect(lpRect);
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w)
        return FALSE;
    w->GetClientRect(lpRect);
    return TRUE;
}

BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w)
        return FALSE;
    w->MoveWindow(x, y, nWidth, nHeight, bRepaint);
    return TRUE;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->ShowWindow(nCmdShow) : FALSE;
}

BOOL DestroyWindow(HWND hWnd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->DestroyWindow() : FALSE;
}

HWND SetFocus(HWND hWnd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    CWnd* old = w ? w->SetFocus() : CWnd::GetFocus();
    return old ? old->m_hWnd : nullptr;
}

HWND GetFocus()
{
    CWnd* w = CWnd::GetFocus();
    return w ? w->m_hWnd : nullptr;
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w)
        return FALSE;
    w->SetWindowText(lpString);
    return TRUE;
}
