// CDocument, CView and CScrollView: documents with their views, painting through OnDraw, vertical scrolling.
#include "platform/win/winview.h"

#include <algorithm>
#include <climits>

IMPLEMENT_DYNCREATE(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CScrollView, CView)

// ---------------------------------------------------------------------------------------------------
// CDocument.

CDocument::CDocument() : m_bModified(FALSE) {}

CDocument::~CDocument()
{
    // Views may outlive their document (an embedded one goes before its view's base part).
    POSITION pos = m_viewList.GetHeadPosition();
    while (pos) {
        auto* view = static_cast<CView*>(m_viewList.GetNext(pos));
        view->m_pDocument = nullptr;
    }
    m_viewList.RemoveAll();
}

void CDocument::AddView(CView* pView)
{
    if (!pView || m_viewList.Find(pView))
        return;
    if (pView->m_pDocument && pView->m_pDocument != this)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    if (POSITION pos = m_viewList.Find(pView)) {
        m_viewList.RemoveAt(pos);
        pView->m_pDocument = nullptr;
    }
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(const_cast<CPtrList&>(m_viewList).GetNext(rPosition));
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstViewPosition();
    while (pos) {
        CView* view = GetNextView(pos);
        if (view != pSender)
            view->OnUpdate(pSender, lHint, pHint);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// CView.

CView::CView() : m_pDocument(nullptr) {}

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    return CWnd::PreCreateWindow(cs);
}

int CView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    auto* context = lpCreateStruct ? static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams) : nullptr;
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

// ---------------------------------------------------------------------------------------------------
// CScrollView.

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView() : m_nMapMode(0) {}

BOOL CScrollView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_VSCROLL;
    return CView::PreCreateWindow(cs);
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = CSize(std::max<LONG>(0, sizeTotal.cx), std::max<LONG>(0, sizeTotal.cy));
    m_pageDev = sizePage;
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalLog.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalLog.cy / 10;
    m_lineDev = sizeLine;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (m_hWnd)
        UpdateBars();
}

void CScrollView::UpdateBars()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(client);
    int old = GetScrollPos(SB_VERT);
    SCROLLINFO si{sizeof(SCROLLINFO),
                  SIF_RANGE | SIF_PAGE | SIF_POS,
                  0,
                  m_totalLog.cy - 1,
                  UINT(std::max<LONG>(0, client.Height())),
                  old,
                  0};
    SetScrollInfo(SB_VERT, &si);
    int now = GetScrollPos(SB_VERT);
    if (now != old)
        ScrollWindow(0, old - now);
}

CPoint CScrollView::GetScrollPosition() const
{
    return CPoint(0, GetScrollPos(SB_VERT));
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalLog;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    int old = GetScrollPos(SB_VERT);
    int now = std::clamp<int>(pt.y, 0, GetScrollLimit(SB_VERT));
    if (now == old)
        return;
    SetScrollPos(SB_VERT, now);
    ScrollWindow(0, old - now);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnPrepareDC(pDC, pInfo);
    if (pDC) {
        CPoint pos = GetScrollPosition();
        pDC->SetViewportOrg(-pos.x, -pos.y);
    }
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    int y = GetScrollPos(SB_VERT);
    long long target = y;
    switch (nSBCode) {
    case SB_TOP:
        target = 0;
        break;
    case SB_BOTTOM:
        target = INT_MAX;
        break;
    case SB_LINEUP:
        target = y - static_cast<long long>(m_lineDev.cy);
        break;
    case SB_LINEDOWN:
        target = y + static_cast<long long>(m_lineDev.cy);
        break;
    case SB_PAGEUP:
        target = y - static_cast<long long>(m_pageDev.cy);
        break;
    case SB_PAGEDOWN:
        target = y + static_cast<long long>(m_pageDev.cy);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        target = nPos;
        break;
    default:
        return;
    }
    target = std::clamp<long long>(target, INT_MIN, INT_MAX);
    OnScrollBy(CSize(0, int(target - y)));
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    int old = GetScrollPos(SB_VERT);
    long long wanted = static_cast<long long>(old) + sizeScroll.cy;
    int now = int(std::clamp<long long>(wanted, 0, GetScrollLimit(SB_VERT)));
    if (now == old)
        return FALSE;
    if (bDoScroll) {
        ScrollWindow(0, old - now);
        SetScrollPos(SB_VERT, now);
    }
    return TRUE;
}
