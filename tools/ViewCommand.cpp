// The view command: a main window around one CHTMLView, as a desktop viewer or for one screenshot.
#include "tools/Commands.h"

#include "korhtml/HTMLView.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "korlib/korlib.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"
#include "platform/win/winqt.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#ifndef KORHTML_EXAMPLES_DIR
#define KORHTML_EXAMPLES_DIR "examples"
#endif

namespace kor {

namespace {

// Posted to the frame when the view may show another page, so that its title follows.
constexpr UINT WM_VIEWER_TITLE = WM_USER + 1;

// The dialog shows each pattern after its description.
const char kOpenFilter[] = "HTML Files|*.html;*.htm|Text Files|*.txt|All Files|*.*||";

std::string ExamplesDir()
{
    return KORHTML_EXAMPLES_DIR;
}

// The directory of the visited-link list: $XDG_DATA_HOME/korhtml/, or ~/.local/share/korhtml/;
// "" when there is no such place and none can be made.
std::string UserDataPath()
{
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".local" / "share";
    else
        return std::string();
    std::filesystem::path dir = base / "korhtml";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return std::filesystem::is_directory(dir, ec) ? dir.string() + "/" : std::string();
}

// The main window: a menu bar over the view, which fills the rest of it.
class ViewerFrame : public CWnd
{
public:
    CHTMLView m_view;

    ~ViewerFrame() override
    {
        if (m_hWnd)
            DestroyWindow();
    }

    // A top-level window whose view is viewWidth x viewHeight.
    bool Make(int viewWidth, int viewHeight)
    {
        m_nViewWidth = viewWidth;
        m_nViewHeight = viewHeight;
        return CreateEx(0, nullptr, "KORHTML", WS_OVERLAPPEDWINDOW, 0, 0, viewWidth, viewHeight, nullptr,
                        nullptr) &&
               m_view.m_hWnd;
    }

    // Opens a file in the view and records it as visited.
    void OpenPage(const CString& path, bool asText)
    {
        if (asText)
            m_view.OpenText(path);
        else
            m_view.Open(path);
        AddOpenLink(path);
        UpdateTitle();
    }

    void UpdateTitle()
    {
        CString title = m_view.m_pHtml ? m_view.m_pHtml->GetTitle() : CString();
        SetWindowText(title + " - KORHTML");
    }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override
    {
        if (CWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        QWidget* widget = WindowWidget(this);
        m_pMenuBar = new QMenuBar(widget);
        m_pMenuBar->setNativeMenuBar(false);
        QMenu* file = m_pMenuBar->addMenu("&File");
        AddAction(widget, file, "&Open...", QKeySequence::Open, [this] { OnFileOpen(); });
        AddAction(widget, file, "&Reload", QKeySequence(Qt::Key_F5), [this] {
            m_view.Reload();
            UpdateTitle();
        });
        file->addSeparator();
        AddAction(widget, file, "&Quit", QKeySequence(Qt::CTRL | Qt::Key_Q),
                  [this] { PostMessage(WM_CLOSE); });
        m_nBarHeight = m_pMenuBar->sizeHint().height();

        // The frame grows by the bar so that the view keeps the size asked for.
        widget->resize(m_nViewWidth, m_nViewHeight + m_nBarHeight);
        CRect rc(0, m_nBarHeight, m_nViewWidth, m_nBarHeight + m_nViewHeight);
        return m_view.Create(this, rc, nullptr) ? 0 : -1;
    }

    void OnSize(UINT nType, int cx, int cy) override
    {
        CWnd::OnSize(nType, cx, cy);
        if (m_pMenuBar)
            m_pMenuBar->setGeometry(0, 0, cx, m_nBarHeight);
        if (m_view.m_hWnd)
            m_view.MoveWindow(0, m_nBarHeight, cx, cy - m_nBarHeight);
    }

    void OnDestroy() override
    {
        CWnd::OnDestroy();
        // Closing the window ends the viewer.
        QCoreApplication::exit(0);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_VIEWER_TITLE) {
            UpdateTitle();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    template <class F>
    void AddAction(QWidget* window, QMenu* menu, const char* text, const QKeySequence& keys, F f)
    {
        QAction* action = menu->addAction(text);
        action->setShortcut(keys);
        // Known to the window as well, so the keys work wherever the focus is inside it.
        window->addAction(action);
        QObject::connect(action, &QAction::triggered, action, f);
    }

    void OnFileOpen()
    {
        CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kOpenFilter, this);
        if (dialog.DoModal() != IDOK)
            return;
        CString path = dialog.GetPathName();
        OpenPage(path, KorGetFileExt(path).CompareNoCase(".txt") == 0);
    }

    QMenuBar* m_pMenuBar = nullptr;
    int m_nBarHeight = 0;
    int m_nViewWidth = 0;
    int m_nViewHeight = 0;
};

// The host's part of the view's messages: it animates images on timer 5, records the links the user
// follows as visited, and retitles the frame when the view may have changed pages.
MessageFilter ViewerFilter(ViewerFrame& frame)
{
    return [&frame](MSG& msg) {
        CHTMLView& view = frame.m_view;
        if (msg.hwnd != view.m_hWnd || !view.m_pHtml)
            return false;
        if (msg.message == WM_TIMER && msg.wParam == ID_TIMER_ANIMATE) {
            CClientDC dc(&view);
            view.OnPrepareDC(&dc);
            view.m_pHtml->DrawAnimateImages(&dc);
            return true;
        }
        if (msg.message == WM_LBUTTONDOWN) {
            CString href = view.m_pHtml->GetCurrentAnchor();
            if (!href.IsEmpty()) {
                AddOpenLink(href);
                frame.PostMessage(WM_VIEWER_TITLE);
            }
        } else if (msg.message == WM_TIMER && msg.wParam == ID_TIMER_WAIT) {
            frame.PostMessage(WM_VIEWER_TITLE);
        }
        return false;
    };
}

// Scrolls the view to y as its scroll bar would, paints it whole and saves what it shows.
void Screenshot(CHTMLView& view, int y, const std::string& out)
{
    int limit = view.GetScrollLimit(SB_VERT);
    if (y > limit) {
        std::fprintf(stderr, "korhtml: the page scrolls to %d at most; showing it there\n", limit);
        y = limit;
    }
    view.SendMessage(WM_VSCROLL, SB_THUMBPOSITION | (WPARAM(unsigned(y)) << 16));
    view.SendMessage(WM_VSCROLL, SB_ENDSCROLL);
    view.Invalidate(FALSE);
    view.UpdateWindow();
    QWidget* widget = WindowWidget(&view);
    if (!widget)
        throw UsageError{"the view could not be painted"};
    WritePng(out, widget->grab().toImage());
}

} // namespace

int RunView(const ToolOptions& options)
{
    auto [width, height] = ViewportSize(options);
    const bool interactive = IsInteractive(options);
    const std::string screenshot = options.StringValue("screenshot", "");
    int scroll = options.IntValue("scroll", 0);
    if (scroll < 0)
        throw UsageError{"--scroll: must not be negative, got " + std::to_string(scroll)};
    if (options.Has("scroll") && interactive)
        throw UsageError{"--scroll goes with --screenshot"};
    if (!interactive && screenshot.empty())
        throw UsageError{"--screenshot needs a file name"};
    if (interactive && !HasDisplay())
        throw UsageError{
            "the viewer needs a display (DISPLAY or WAYLAND_DISPLAY); --screenshot works without"};
    CheckArea(width, height);
    std::string file = options.file.empty() ? ExamplesDir() + "/index.html" : options.file;
    // A missing file is the viewer's business (it shows the error page and waits for the file);
    // a picture is only taken of a page that exists.
    if (!interactive)
        CheckReadable(file, "input file");

    ToolServer server(options);
    if (interactive) {
        if (!options.dataPath) {
            std::string data = UserDataPath();
            if (!data.empty())
                SetDataPath(CString(data.c_str()));
        }
        if (!options.globalImages)
            SetGlobalImage(CString((ExamplesDir() + "/images/loading.png").c_str()),
                           CString((ExamplesDir() + "/images/broken.png").c_str()));
    }

    ViewerFrame frame;
    if (!frame.Make(width, height))
        throw UsageError{"cannot create a window for a view of " + std::to_string(width) + " x " +
                         std::to_string(height)};
    MessageFilter previous = SetMessageFilter(ViewerFilter(frame));
    frame.OpenPage(CString(file.c_str()), options.Has("as-text"));
    frame.ShowWindow(SW_SHOW);
    // The keys scroll at once: the view has the keyboard focus in an active window.
    if (QWidget* widget = WindowWidget(&frame))
        widget->activateWindow();
    frame.m_view.SetFocus();

    int status = 0;
    try {
        if (interactive)
            status = QApplication::exec();
        else
            Screenshot(frame.m_view, scroll, screenshot);
    } catch (...) {
        SetMessageFilter(previous);
        throw;
    }
    SetMessageFilter(previous);
    return status;
}

} // namespace kor
