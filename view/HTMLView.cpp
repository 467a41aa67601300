// CHTMLView window: creation, opening, layout, scrolling, painting, keys, mouse, the wait timer, and the
// host's notifications.
#include "korhtml/HTMLView.h"

#include "korhtml/HtmlX.h"
#include "korlib/korlib.h"
#include "platform/gdi/gdi.h"
#include "platform/shell/shell.h"
#include "platform/win/winqt.h"

#include <QWidget>

IMPLEMENT_DYNCREATE(CHTMLView, CScrollView)

namespace {

// The view never scrolls sideways: its total width is this token value.
constexpr int kTotalWidth = 10;
// Page size is the window height less this; a line is this many pixels.
constexpr int kPageOverlap = 10;
constexpr int kLineHeight = 20;
// The view window's name.
constexpr char kWindowName[] = "Korvex HTML View";

} // namespace

CHTMLView::CHTMLView() : m_pHtml(nullptr), m_bWaiting(0), m_pPalette(nullptr) {}

CHTMLView::~CHTMLView()
{
    // OnDestroy frees the document; it must run while this class's handlers still can.
    if (m_hWnd)
        DestroyWindow();
}

int CHTMLView::Create(CWnd* parent, CRect& rect, CPalette* palette)
{
    m_pPalette = palette;
    return CScrollView::Create(nullptr, kWindowName, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, 0,
                               nullptr);
}

int CHTMLView::Create(QWidget* parent, CPalette* palette)
{
    if (!parent || m_hWnd)
        return 0;
    m_pPalette = palette;
    // The window layer makes child windows only inside its own windows: the view is made as a hidden
    // top-level window and then handed to the host's widget, where it is a child like any other.
    if (!CScrollView::CreateEx(0, nullptr, kWindowName, WS_CLIPCHILDREN, 0, 0, parent->width(),
                               parent->height(), nullptr, nullptr))
        return 0;
    QWidget* widget = GetWidget();
    widget->setParent(parent);
    widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    widget->setFocusPolicy(Qt::StrongFocus);
    ModifyStyle(0, WS_CHILD);
    ShowWindow(SW_SHOW);
    return 1;
}

QWidget* CHTMLView::GetWidget() const
{
    return kor::WindowWidget(const_cast<CHTMLView*>(this));
}

void CHTMLView::SetLinkNotify(LinkNotify notify)
{
    m_linkNotify = std::move(notify);
}

void CHTMLView::SetTitleNotify(TitleNotify notify)
{
    m_titleNotify = std::move(notify);
}

void CHTMLView::NotifyTitle()
{
    CString title = m_pHtml ? m_pHtml->GetTitle() : CString();
    if (m_bTitleSeen && title == m_strSeenTitle)
        return;
    m_bTitleSeen = true;
    m_strSeenTitle = title;
    // A copy: the host may set another notification from inside this one.
    if (TitleNotify notify = m_titleNotify)
        notify(title);
}

void CHTMLView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
}

int CHTMLView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CScrollView::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pHtml = new CHtmlX(this);
    m_document.AddView(this);
    return 0;
}

void CHTMLView::OnDestroy()
{
    StopWaiting();
    delete m_pHtml;
    m_pHtml = nullptr;
    CScrollView::OnDestroy();
}

// ---------------------------------------------------------------------------------------------------
// Opening.

void CHTMLView::StartWaiting()
{
    if (m_bWaiting)
        return;
    m_bWaiting = 1;
    SetTimer(ID_TIMER_WAIT, WAIT_RETRY_MS);
}

void CHTMLView::StopWaiting()
{
    if (!m_bWaiting)
        return;
    m_bWaiting = 0;
    KillTimer(ID_TIMER_WAIT);
}

int CHTMLView::OpenLocalFile(const CString& path, bool asText)
{
    if (!m_pHtml)
        return 0;
    int r = asText ? m_pHtml->OpenText(path) : m_pHtml->OpenLocal(path);
    if (r)
        StopWaiting();
    else
        StartWaiting();
    Layout();
    Invalidate(TRUE);
    NotifyTitle();
    return r ? 1 : 0;
}

int CHTMLView::Open(const CString& path)
{
    return OpenLocalFile(path, false);
}

int CHTMLView::OpenText(const CString& path)
{
    return OpenLocalFile(path, true);
}

int CHTMLView::ShowOpened(int result)
{
    if (!result) {
        NotifyTitle();
        return 0;
    }
    Layout();
    Invalidate(TRUE);
    NotifyTitle();
    return 1;
}

int CHTMLView::OpenString(const CString& source)
{
    return m_pHtml ? ShowOpened(m_pHtml->OpenString(source, CString())) : 0;
}

int CHTMLView::OpenTextString(const CString& text)
{
    return OpenString("<html><body><pre>" + text + "</pre></body></html>");
}

void CHTMLView::Close()
{
    StopWaiting();
    if (m_pHtml)
        m_pHtml->Close();
    SetScrollSizes(MM_TEXT, CSize(kTotalWidth, 10));
    Invalidate(TRUE);
    NotifyTitle();
}

void CHTMLView::Reload()
{
    if (!m_pHtml)
        return;
    m_pHtml->Reload();
    Layout();
    Invalidate(TRUE);
    NotifyTitle();
}

void CHTMLView::Layout()
{
    if (!m_pHtml || !m_hWnd)
        return;
    CRect window;
    GetWindowRect(window);
    m_pHtml->Layout(window.Width() - GetSystemMetrics(SM_CXVSCROLL), 0);
    SetScrollSizes(MM_TEXT, CSize(kTotalWidth, m_pHtml->GetContentSize().cy),
                   CSize(kTotalWidth, window.Height() - kPageOverlap), CSize(kTotalWidth, kLineHeight));
    SetScrollPos(SB_VERT, 0, TRUE);
}

// ---------------------------------------------------------------------------------------------------
// Size, scrolling and painting.

void CHTMLView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    if (!m_pHtml || m_pHtml->IsEmpty())
        return;
    m_pHtml->SetViewportSize(cx, cy);
    m_pHtml->SetDynamicData();
    SetScrollSizes(MM_TEXT, CSize(kTotalWidth, m_pHtml->GetContentSize().cy),
                   CSize(kTotalWidth, cy - kPageOverlap), CSize(kTotalWidth, kLineHeight));
    m_pHtml->SetViewportOrg(0, GetScrollPos(SB_VERT));
    m_pHtml->FindTopVisible();
    m_pHtml->FindBottomVisible();
}

void CHTMLView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (!m_pHtml || !m_pHtml->ReadyToDraw()) {
        CScrollView::OnVScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    const bool thumb = nSBCode == SB_THUMBPOSITION || nSBCode == SB_THUMBTRACK;
    int oldY, newY;
    if (thumb) {
        oldY = newY = int(nPos);
    } else {
        oldY = m_pHtml->GetViewportOrg().y;
        CScrollView::OnVScroll(nSBCode, nPos, pScrollBar);
        newY = GetScrollPosition().y;
    }
    m_pHtml->SetViewportOrg(0, newY);
    m_pHtml->FindTopVisible();
    m_pHtml->FindBottomVisible();

    if (!thumb) {
        // The framework moved the pixels; only the strip the move uncovered is painted anew.
        CSize viewport = m_pHtml->GetViewportSize();
        CRect strip(0, 0, viewport.cx, 0);
        if (oldY < newY) {
            strip.top = viewport.cy - (newY - oldY);
            strip.bottom = viewport.cy;
        } else {
            strip.bottom = oldY - newY;
        }
        InvalidateRect(strip, TRUE);
    } else {
        // Dragging the thumb repaints at once.
        CScrollView::OnVScroll(nSBCode, UINT(newY), pScrollBar);
        UpdateWindow();
    }
}

void CHTMLView::OnDraw(CDC* pDC)
{
    if (m_pHtml && m_pHtml->ReadyToDraw()) {
        CPalette* old = nullptr;
        if (m_pPalette) {
            old = pDC->SelectPalette(m_pPalette, FALSE);
            pDC->RealizePalette();
        }
        m_pHtml->DrawBackground(pDC);
        m_pHtml->DrawElements(pDC);
        if (m_pPalette)
            pDC->SelectPalette(old, FALSE);
        return;
    }
    CRect window;
    GetWindowRect(window);
    pDC->FillSolidRect(0, 0, window.Width(), window.Height(), RGB(255, 255, 255));
}

BOOL CHTMLView::OnEraseBkgnd(CDC*)
{
    // OnDraw paints the background.
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// Keys and the mouse.

void CHTMLView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    int code = -1;
    switch (nChar) {
    case VK_PRIOR:
        code = SB_PAGEUP;
        break;
    case VK_NEXT:
        code = SB_PAGEDOWN;
        break;
    case VK_UP:
        code = SB_LINEUP;
        break;
    case VK_DOWN:
        code = SB_LINEDOWN;
        break;
    }
    if (code >= 0)
        SendMessage(WM_VSCROLL, WPARAM(code), 0);
    CScrollView::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CHTMLView::OnMouseMove(UINT nFlags, CPoint point)
{
    CScrollView::OnMouseMove(nFlags, point);
    if (!m_pHtml)
        return;
    if (m_pHtml->MouseOnAnchor(point))
        ::SetCursor(::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_LINKHAND)));
    else
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
}

void CHTMLView::OnLButtonDown(UINT nFlags, CPoint point)
{
    CScrollView::OnLButtonDown(nFlags, point);
    SetFocus();
    if (!m_pHtml)
        return;
    // The link made active by the last mouse move, not a new hit test of the click point.
    CString href = m_pHtml->GetCurrentAnchor();
    if (href.IsEmpty())
        return;
    BeginWaitCursor();
    const BOOL remote = KorIsRemoteFile(href);
    CString target = href;
    if (remote) {
        ShellExecuteA(nullptr, nullptr, href, nullptr, nullptr, SW_SHOWNORMAL);
    } else {
        CString local = m_pHtml->GetLocalPath();
        if (!local.IsEmpty())
            target = KorGetAbsolutePath(local, href);
        OpenLocalFile(target, false);
    }
    EndWaitCursor();
    if (LinkNotify notify = m_linkNotify)
        notify(href, target, remote);
}

void CHTMLView::OnTimer(UINT nIDEvent)
{
    if (nIDEvent == ID_TIMER_WAIT && m_pHtml && KorFileExist(m_pHtml->GetLocalPath()) && m_pHtml->Reload()) {
        StopWaiting();
        Layout();
        Invalidate(TRUE);
        NotifyTitle();
    }
    CScrollView::OnTimer(nIDEvent);
}
