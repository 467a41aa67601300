// CHTMLView: the scrolling child window that owns and shows one document, with its input, timers and context
// menu.
#pragma once

#include "korhtml/Export.h"
#include "platform/win/win.h"

#include <functional>

class CHtmlX;
class CPalette;
class QWidget;

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

    // ---- Qt hosts --------------------------------------------------------------------------------
    // Creates the view as a child of a widget of the host's own (not a window of the library), to be
    // put in its layouts: it fills the space a layout gives it, follows its size, and takes the
    // keyboard focus by a click or by Tab. Nonzero on success.
    int Create(QWidget* parent, CPalette* palette = nullptr);
    // The view's widget (null while the window does not exist): for layouts, focus, showing. It
    // belongs to the view, which deletes it with its window; deleting it destroys the window.
    QWidget* GetWidget() const;

    // Notifications to the host, beside what the view does itself (it still follows links). They are
    // called when the view has finished what caused them; they must not destroy the view.
    // A link was clicked: href as the page wrote it, and what the view did with it: target is the path
    // it opened in itself (remote 0) or the address it handed to the shell (remote 1).
    using LinkNotify = std::function<void(const CString& href, const CString& target, BOOL remote)>;
    void SetLinkNotify(LinkNotify notify);
    // The title of the document shown changed (by any opening, reloading, closing or link).
    using TitleNotify = std::function<void(const CString& title)>;
    void SetTitleNotify(TitleNotify notify);

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
    // Calls the title notification when the title differs from the one last seen.
    void NotifyTitle();

    LinkNotify m_linkNotify;
    TitleNotify m_titleNotify;
    CString m_strSeenTitle; // the title when NotifyTitle last ran
    bool m_bTitleSeen = false;
};
