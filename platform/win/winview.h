// The framework's document and views: CDocument, CView (painting through OnDraw), CScrollView.
#pragma once

#include "korhtml/Export.h"
#include "platform/win/win.h"

class CView;
class CDocument;
struct CPrintInfo;

struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
};

// A document: the views that show it. Destroying it detaches them.
class KORHTML_API CDocument : public CCmdTarget
{
    DECLARE_DYNCREATE(CDocument)

public:
    CDocument();
    ~CDocument() override;

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = NULL);

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL = TRUE) { m_strPathName = lpszPathName; }
    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }
    virtual void DeleteContents() {}
    virtual BOOL OnNewDocument();

protected:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified;
    CPtrList m_viewList;
};

// A window that shows a document: WM_PAINT is answered with OnPrepareDC and OnDraw on a paint DC.
// The owner of a view deletes it (the window's destruction does not).
class KORHTML_API CView : public CWnd
{
    DECLARE_DYNAMIC(CView)

public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    // Prepares a DC for drawing the document (the scroll view shifts it by the scroll position).
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual void OnInitialUpdate();

protected:
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnPaint() override;

    CDocument* m_pDocument;

private:
    friend class CDocument;
};

// A view that scrolls vertically with its own 16-pixel bar at the right edge, always present.
class KORHTML_API CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)

public:
    // The framework's "default" page and line sizes: total / 10 and page / 10.
    static const SIZE sizeDefault;

    CScrollView();

    // The scroll range becomes 0 to max(0, total height - client height); the position is clamped
    // into it and the contents scroll by however far it moved.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const;
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
    void ScrollToPosition(POINT pt);
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnSize(UINT nType, int cx, int cy) override;
    // Lines and pages by the sizes set last, the thumb to its position, the ends; clamped; the
    // contents scroll by the distance moved.
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    // Moves the vertical position by dy (clamped); FALSE when it did not move.
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);
    void UpdateBars();

    int m_nMapMode;
    CSize m_totalLog;
    CSize m_pageDev;
    CSize m_lineDev;
};
