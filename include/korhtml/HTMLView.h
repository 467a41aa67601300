// CHTMLView: the scrolling child window that owns and shows one document, with its input, timers and context
// menu.
#pragma once

#include "korhtml/Export.h"
#include "platform/win/win.h"

class CHtmlX;
class CPalette;

// Window timer that retries a file that could not be opened.
#define ID_TIMER_WAIT 3
// Period of the retry.
#define WAIT_RETRY_MS 3000

// Commands of the context menu (WM_COMMAND ids).
#define ID_HTML_COPY 1249
#define ID_HTML_SAVE 1250
#define ID_HTML_PRINT 1251
#define ID_HTML_NOTEPAD 1252
#define ID_HTML_BROWSER 1253

// The library's pointing-hand cursor resource, shown over links.
#define IDC_LINKHAND 297

class KORHTML_API CHTMLView : public CScrollView
{
    DECLARE_DYNCREATE(CHTMLView)

public:
    CHTMLView();
    ~CHTMLView() override;

    // A visible child window of parent, named "Korvex HTML View"; palette (not owned, may be null)
    // is selected whenever the view paints.
    int Create(CWnd* parent, CRect& rect, CPalette* palette);
    using CScrollView::Create;

    // Opening (nonzero on success). A file that cannot be opened shows the error page and is
    // retried every three seconds until it can.
    int Open(const CString& path);
    int OpenText(const CString& path);
    int OpenString(const CString& source);
    int OpenTextString(const CString& text);
    void Close();
    void Reload();
    // Lays the document out for the window's width less the scroll bar and scrolls to the top.
    void Layout();

    void StartWaiting();
    void StopWaiting();

    // The context menu's commands.
    void CopyToClipboard();
    void Save();
    void Print();
    void ExtOpenNotepad();
    void ExtOpenWebBrowser();

    void OnInitialUpdate() override;

    CHtmlX* m_pHtml;      // owned; exists while the window does
    CDocument m_document; // empty; the view belongs to it
    int m_bWaiting;       // 1 while the wait timer runs
    CPalette* m_pPalette; // not owned

protected:
    void OnDraw(CDC* pDC) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnTimer(UINT nIDEvent) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnDestroy() override;
    // Hands the context menu's ids to MenuCommand.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void MenuCommand(UINT nID);

private:
    // Opens a local file as Open does: the wait timer follows the result, then layout and repaint.
    int OpenLocalFile(const CString& path, bool asText);
    // Shows a document just opened from a string.
    int ShowOpened(int result);
};
