// The window layer: CWnd with its messages, timers, scroll bar and painting; cursors, message boxes.
#pragma once

#include "korhtml/Export.h"
#include "platform/afx/afx.h"
#include "platform/gdi/gdi.h"
#include "platform/win/wintypes.h"

#include <functional>

class CWnd;
class CScrollBar;
class CFont;
struct CCreateContext;

namespace kor {
struct WndState;
}

// Commands and the wait cursor.
class KORHTML_API CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)

public:
    // The application's wait cursor; calls nest, the last EndWaitCursor takes it away.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();
};

// A window. It owns a widget that turns input, timers, paints and posted messages into messages for
// WindowProc, which hands them to the virtual handlers below; a derived class answers a message by
// overriding its handler (or WindowProc). Every window draws into a backing image of its size, from
// which the widget is painted.
class KORHTML_API CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)

public:
    HWND m_hWnd;

    CWnd();
    // Destroys the window if it still exists. Only CWnd's own handlers can run from here: a derived
    // class whose OnDestroy frees something calls DestroyWindow in its own destructor.
    ~CWnd() override;

    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd) { return FromHandle(hWnd); }
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Creation: a child window inside pParentWnd's client area (WS_CHILD), or a top-level window.
    // Sends WM_CREATE (creation fails when OnCreate returns -1) and then WM_SIZE.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Sends WM_DESTROY, destroys the child windows, then the widget; PostNcDestroy comes last.
    virtual BOOL DestroyWindow();

    // Messages. SendMessage calls WindowProc at once; PostMessage queues the message (it then passes
    // the message filter and PreTranslateMessage, as input does).
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Sees the queued messages of this window and its child windows before their handlers; TRUE = handled.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Geometry. The window rectangle is in screen coordinates; the client rectangle leaves out the
    // window's own vertical scroll bar when it shows one.
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    CWnd* GetParent() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    int GetDlgCtrlID() const;
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // Focus.
    CWnd* SetFocus();
    static CWnd* GetFocus();

    // Painting. Invalidation adds to the region the next WM_PAINT paints (erasing is left to the
    // window, which paints its own background); UpdateWindow paints it at once.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    void UpdateWindow();
    // A client DC (delete it with ReleaseDC).
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);
    // Moves the client pixels (less the scroll bar) and, without lpRect, the child windows; the
    // uncovered part becomes invalid.
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = NULL, LPCRECT lpClipRect = NULL);

    // Timers deliver WM_TIMER with nIDEvent (or call lpfnTimer); setting an id again restarts it.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = NULL);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // The window's own vertical scroll bar (SB_VERT; SB_HORZ is accepted and has no bar). It never
    // moves by itself: its actions arrive as WM_VSCROLL and only SetScrollPos/SetScrollInfo move it.
    // The range follows the system: nMin..nMax with a page of nPage, positions nMin..nMax - nPage + 1.
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    int GetScrollPos(int nBar) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    int GetScrollLimit(int nBar) const;
    CScrollBar* GetScrollBarCtrl(int nBar) const;

    // Opens the clipboard for this window (see the clipboard functions).
    BOOL OpenClipboard();

    // A message box over this window (see AfxMessageBox).
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);

    // The message being handled (for Default).
    const MSG* GetCurrentMessage() const;

protected:
    // Hands a message to its handler; messages without one go to DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc of the message being handled.
    LRESULT Default();
    // Called after the window is gone (the object may delete itself here).
    virtual void PostNcDestroy();

    // Handlers. Each default passes the message to DefWindowProc.
    virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);
    virtual void OnDestroy();
    virtual void OnClose();
    virtual void OnSize(UINT nType, int cx, int cy);
    virtual void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    virtual BOOL OnEraseBkgnd(CDC* pDC);
    virtual void OnPaint();
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnLButtonUp(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    virtual void OnRButtonUp(UINT nFlags, CPoint point);
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    virtual void OnTimer(UINT nIDEvent);
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus(CWnd* pNewWnd);
    // WM_COMMAND: LOWORD(wParam) is the command id; TRUE when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

private:
    friend struct kor::WndState;
    kor::WndState* m_pState;

    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
};

// A scroll bar control (the window's own bar is not one: OnVScroll gets null for it).
class KORHTML_API CScrollBar : public CWnd
{
    DECLARE_DYNAMIC(CScrollBar)
};

// The application object, for its wait cursor and cursor resources.
class KORHTML_API CWinApp : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinApp)

public:
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
};
KORHTML_API CWinApp* AfxGetApp();

// Shows the wait cursor for its lifetime.
class KORHTML_API CWaitCursor
{
public:
    CWaitCursor() { AfxGetApp()->BeginWaitCursor(); }
    ~CWaitCursor() { AfxGetApp()->EndWaitCursor(); }
    void Restore() { AfxGetApp()->RestoreWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// Module handles: the library's resources (the hand cursor 297) are found through either.
KORHTML_API HINSTANCE AfxGetResourceHandle();
KORHTML_API HINSTANCE AfxGetInstanceHandle();

// Cursors: the system's (IDC_ARROW, IDC_WAIT, ...) and the library's pointing hand, resource 297,
// a 32 x 32 two-colour hand with its hot spot at the fingertip (5, 0). SetCursor shows the cursor
// over the window that last had mouse input and returns the previous one.
KORHTML_API HCURSOR LoadCursor(HINSTANCE hInstance, LPCSTR lpCursorName);
#define LoadCursorA LoadCursor
KORHTML_API HCURSOR SetCursor(HCURSOR hCursor);
KORHTML_API HCURSOR GetCursor();

// Message boxes. Tests answer them with a hook; without a hook and without a display the box is
// written to standard error and answered as closed (IDOK for an OK box, else IDCANCEL or IDNO).
KORHTML_API int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
KORHTML_API int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);

// Win32 calls on handles.
KORHTML_API BOOL IsWindow(HWND hWnd);
KORHTML_API LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
KORHTML_API BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
KORHTML_API BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
KORHTML_API BOOL UpdateWindow(HWND hWnd);
KORHTML_API BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
KORHTML_API BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
KORHTML_API BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint);
KORHTML_API BOOL ShowWindow(HWND hWnd, int nCmdShow);
KORHTML_API BOOL DestroyWindow(HWND hWnd);
KORHTML_API HWND SetFocus(HWND hWnd);
KORHTML_API HWND GetFocus();
KORHTML_API BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString);
KORHTML_API DWORD GetTickCount();

namespace kor {

// The message filter: sees every message of a window of the library that does not come through
// SendMessage (input, scroll bar actions, timers, paints and posted messages) before
// PreTranslateMessage and the handler; returning true marks it handled. Returns the previous filter.
using MessageFilter = std::function<bool(MSG& msg)>;
KORHTML_API MessageFilter SetMessageFilter(MessageFilter filter);

// The message box seam: a hook answers every message box (text and caption are CP949, the caption
// "" when none was given). Returns the previous hook; an empty hook removes it.
using MessageBoxHook = std::function<int(const CString& text, const CString& caption, UINT type)>;
KORHTML_API MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

// For a program without a screen (the tool, tests, benchmarks, fuzzers), before its QApplication:
// the offscreen platform unless one is chosen (or, with useDisplay, a display is there), and a
// private runtime directory, which Qt wants and headless machines often lack.
KORHTML_API void PrepareHeadless(bool useDisplay = false);

// True when windows can be shown to a user (a display, not the offscreen platform).
KORHTML_API bool HasDisplay();

} // namespace kor

// Documents and views, menus, the clipboard and dialogs.
#include "platform/win/winview.h"
#include "platform/win/winui.h"
