// Private side of the window layer: the widget of a window and the state a CWnd keeps (uses Qt).
#pragma once

#include "platform/win/win.h"
#include "platform/win/winqt.h"

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

class QScrollBar;

namespace kor {

// Events being dispatched anywhere: a widget is deleted later rather than inside its own event.
extern int g_nDispatchDepth;
struct DispatchScope
{
    DispatchScope() { ++g_nDispatchDepth; }
    ~DispatchScope() { --g_nDispatchDepth; }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;
};

// The widget that last had mouse input: SetCursor shows the cursor there.
extern QPointer<QWidget> g_pMouseWidget;

// Turns Qt's events into the window's messages and paints itself from the window's backing image.
class WndWidget : public QWidget
{
public:
    WndWidget(CWnd* owner, QWidget* parent, Qt::WindowFlags flags);
    ~WndWidget() override;

    CWnd* m_pOwner; // null once the window is destroyed

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int m_wheel = 0;
};

struct WndTimer
{
    int qtId = 0;
    TIMERPROC proc = nullptr;
};

struct WndState
{
    explicit WndState(CWnd* o) : owner(o), life(std::make_shared<int>(0))
    {
        vinfo = SCROLLINFO{sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
    }

    static WndState& Of(const CWnd* pWnd) { return *pWnd->m_pState; }

    CWnd* owner;
    std::shared_ptr<int> life; // expires with the CWnd: guards code that runs after a handler
    WndWidget* widget = nullptr;
    bool widgetDying = false;
    CWnd* parent = nullptr;
    std::vector<CWnd*> children;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT id = 0;
    CString text;
    CFont* font = nullptr;   // as given to SetFont
    HGDIOBJ hFont = nullptr; // as given with WM_SETFONT
    int fixedHeight = 0;     // a closed drop-down list keeps its height whatever it is moved to

    // Painting: the backing image of the widget's size, the region the next WM_PAINT paints, and
    // while it runs the region being painted.
    QImage surface;
    QRegion invalid;
    bool eraseRequested = false;
    bool inPaint = false;
    QRegion paintRegion;
    QSize lastClientSize{-1, -1};

    // The window's own vertical scroll bar.
    QScrollBar* vbar = nullptr;
    bool vbarShown = false;
    SCROLLINFO vinfo;
    int trackPos = 0;

    std::map<UINT_PTR, WndTimer> timers;

    static int BarWidth();
    QRect ClientRect() const;
    // Follows the widget's size: backing image, bar geometry, WM_SIZE when the client size changed.
    void SyncSize();
    // Sends WM_PAINT (and WM_ERASEBKGND when asked for) for the invalid region, if there is one.
    void PaintInvalid();
    void Invalidate(const QRegion& region, bool erase);
    void TimerFired(int qtId);
    void CreateBar();
    void BarAction(int action);
    void ShowBar(bool show);
    int MaxScrollPos() const;
    void ApplyScrollInfo();
};

// Delivers a message that does not come through SendMessage: the filter, PreTranslateMessage of
// the window and its parents, then the handler.
void DeliverQueued(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace kor
