// Tests of the window layer: creation and rectangles, dispatch, timers, painting, scrolling, cursors, boxes.
#include "DocTestUtil.h"
#include "EventLoop.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"
#include "platform/win/winqt.h"

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QScrollBar>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

// A window that writes what reaches its handlers into its log, "message arguments;" each, and into
// a log shared with other windows with its name in front.
class TestWnd : public CWnd
{
public:
    std::string log;
    std::string* shared = nullptr;
    std::string name;
    int createResult = 0;
    COLORREF paintColor = kRed;
    RECT lastPaint{};
    int paints = 0, erases = 0;

protected:
    void Note(const std::string& entry)
    {
        log += entry + ";";
        if (shared)
            *shared += name + ":" + entry + ";";
    }
    static std::string Point(CPoint pt) { return std::to_string(pt.x) + "," + std::to_string(pt.y); }

    int OnCreate(LPCREATESTRUCT cs) override
    {
        Note("create " + std::to_string(cs->cx));
        return createResult;
    }
    void OnDestroy() override { Note("destroy "); }
    void OnSize(UINT, int cx, int cy) override { Note("size " + Point(CPoint(cx, cy))); }
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override
    {
        Note("vscroll " + std::to_string(code) + "," + std::to_string(pos) + (bar ? " bar" : ""));
    }
    BOOL OnEraseBkgnd(CDC*) override
    {
        ++erases;
        return TRUE;
    }
    void OnPaint() override
    {
        CPaintDC dc(this);
        ++paints;
        lastPaint = dc.m_ps.rcPaint;
        CRect rc;
        GetClientRect(rc);
        dc.FillSolidRect(rc, paintColor);
    }
    void OnKeyDown(UINT ch, UINT rep, UINT flags) override
    {
        Note("key " + std::to_string(ch) + "," + std::to_string(rep));
        CWnd::OnKeyDown(ch, rep, flags);
    }
    void OnLButtonDown(UINT f, CPoint pt) override { Note("ldown " + std::to_string(f) + " " + Point(pt)); }
    void OnRButtonDown(UINT f, CPoint pt) override { Note("rdown " + std::to_string(f) + " " + Point(pt)); }
    void OnMouseMove(UINT f, CPoint pt) override { Note("move " + std::to_string(f) + " " + Point(pt)); }
    void OnTimer(UINT id) override { Note("timer " + std::to_string(id)); }
    BOOL OnCommand(WPARAM w, LPARAM) override
    {
        Note("command " + std::to_string(w));
        return TRUE;
    }
};

// A top-level window of w x h, hidden unless asked.
void MakeTop(TestWnd& wnd, int w, int h, DWORD style = WS_OVERLAPPEDWINDOW)
{
    wnd.name = "top";
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "top", style, 10, 20, w, h, nullptr, nullptr));
}

CRect Client(CWnd& wnd)
{
    CRect r;
    wnd.GetClientRect(r);
    return r;
}

// Where the window is, relative to the corner of another.
CRect Within(CWnd& wnd, CWnd& other)
{
    CRect r, o;
    wnd.GetWindowRect(r);
    other.GetWindowRect(o);
    return CRect(r.left - o.left, r.top - o.top, r.right - o.left, r.bottom - o.top);
}

QRgb SurfaceAt(CWnd& wnd, int x, int y)
{
    return kor::WindowSurface(&wnd)->pixel(x, y) & 0xFFFFFF;
}

} // namespace

TEST(WndTest, CreationRectanglesAndDestruction)
{
    std::string shared;
    TestWnd top;
    top.shared = &shared;
    MakeTop(top, 300, 200);
    EXPECT_EQ(Client(top), CRect(0, 0, 300, 200));

    // A visible child with its own scroll bar.
    TestWnd child;
    child.shared = &shared;
    child.name = "child";
    ASSERT_TRUE(child.Create(nullptr, "child", WS_VISIBLE | WS_VSCROLL, CRect(5, 6, 105, 86), &top, 7));
    EXPECT_EQ(child.GetParent(), &top);

    // Creation that OnCreate refuses fails.
    TestWnd refused;
    refused.createResult = -1;
    EXPECT_FALSE(refused.CreateEx(0, nullptr, "x", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(refused.m_hWnd, nullptr);
    EXPECT_EQ(refused.log, "create 10;destroy ;");

    // Destroying the parent destroys the child after it; both objects stay usable.
    shared.clear();
    EXPECT_TRUE(top.DestroyWindow());
    EXPECT_EQ(shared, "top:destroy ;child:destroy ;");
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(kor::WindowSurface(&child), nullptr);
    EXPECT_FALSE(top.DestroyWindow());
    EXPECT_EQ(top.SendMessage(WM_COMMAND, 1), 0);
    EXPECT_FALSE(top.PostMessage(WM_COMMAND, 1));
    EXPECT_EQ(top.SetTimer(1, 10), 0u);
}

TEST(WndTest, SendPostAndFilter)
{
    TestWnd top;
    MakeTop(top, 100, 100);
    TestWnd child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_VISIBLE, CRect(0, 0, 50, 50), &top, 1));
    child.log.clear();

    // SendMessage reaches the handlers at once, with the system's parameters; positions past 16 bits
    // survive; a message without a handler goes to DefWindowProc.
    child.SendMessage(WM_KEYDOWN, VK_NEXT, MAKELPARAM(1, 0));
    child.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    child.SendMessage(WM_VSCROLL, SB_THUMBTRACK | (WPARAM(70000) << 16), 0);
    child.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 34));
    EXPECT_EQ(child.SendMessage(WM_COMMAND, 1250, 0), 0);
    EXPECT_EQ(child.SendMessage(WM_USER + 5, 1, 2), 0);
    EXPECT_EQ(child.log, "key 34,1;vscroll 3,0;vscroll 5,70000;ldown 1 12,34;command 1250;");

    // The filter sees posted messages (not sent ones) first and may swallow them or change them.
    std::vector<UINT> seen;
    kor::SetMessageFilter([&](MSG& m) {
        seen.push_back(m.message);
        EXPECT_EQ(m.hwnd, child.m_hWnd);
        if (m.message == WM_COMMAND && m.wParam == 98)
            m.wParam = 97;
        return m.message == WM_COMMAND && m.wParam == 99;
    });
    child.log.clear();
    child.SendMessage(WM_COMMAND, 99);
    EXPECT_TRUE(child.PostMessage(WM_COMMAND, 99));
    EXPECT_TRUE(PostMessageA(child.m_hWnd, WM_COMMAND, 98, 0));
    PumpUntil([&] { return child.log == "command 99;command 97;"; });
    Pump(30);
    kor::SetMessageFilter(nullptr);
    EXPECT_EQ(seen, std::vector<UINT>({WM_COMMAND, WM_COMMAND}));
    EXPECT_EQ(child.log, "command 99;command 97;");

    // Queued input: keys and clicks arrive as messages with virtual keys, repeat counts and points.
    QWidget* w = kor::WindowWidget(&child);
    child.log.clear();
    SendKey(w, Qt::Key_A, "a");
    SendMouse(w, QEvent::MouseButtonPress, 7, 9, Qt::RightButton);
    SendMouse(w, QEvent::MouseMove, 8, 3);
    EXPECT_EQ(child.log, "key 65,1;rdown 2 7,9;move 0 8,3;");
}

TEST(WndTest, TimersRestartByIdAndTheFilterMayAnswerThem)
{
    TestWnd wnd;
    MakeTop(wnd, 20, 20);
    EXPECT_EQ(wnd.SetTimer(3, 10), 3u);
    EXPECT_EQ(wnd.SetTimer(3, 15), 3u); // the same id again restarts it, no second timer
    EXPECT_TRUE(wnd.KillTimer(3));
    EXPECT_FALSE(wnd.KillTimer(3));
    EXPECT_FALSE(wnd.KillTimer(42));
    wnd.log.clear();
    Pump(60);
    EXPECT_EQ(wnd.log, "");

    // The filter may answer a timer in the window's place (as a host answers the animation timer).
    int filtered = 0;
    kor::SetMessageFilter([&](MSG& m) { return m.message == WM_TIMER && m.wParam == 5 && ++filtered; });
    wnd.SetTimer(5, 10);
    ASSERT_TRUE(PumpUntil([&] { return filtered >= 2; }));
    kor::SetMessageFilter(nullptr);
    EXPECT_EQ(wnd.log, "");

    // Destroying the window stops its timers.
    wnd.DestroyWindow();
    wnd.log.clear();
    Pump(40);
    EXPECT_EQ(wnd.log, "");
}

TEST(WndTest, PaintingIntoTheBackingImage)
{
    TestWnd wnd;
    MakeTop(wnd, 60, 40);
    // A new window is wholly invalid and erased; UpdateWindow paints it even while hidden.
    EXPECT_EQ(UpdateRect(&wnd), CRect(0, 0, 60, 40));
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 1);
    EXPECT_EQ(wnd.erases, 1);
    ExpectPixels(*kor::WindowSurface(&wnd), {{0, 0, kRed}, {59, 39, kRed}});
    EXPECT_EQ(UpdateRect(&wnd), CRect());
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 1); // nothing invalid, no paint

    // The paint DC is clipped to the invalid region.
    wnd.paintColor = kBlue;
    CRect part(10, 10, 20, 15);
    wnd.InvalidateRect(part, FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 2);
    EXPECT_EQ(wnd.erases, 1);
    EXPECT_EQ(CRect(wnd.lastPaint), part);
    ExpectPixels(*kor::WindowSurface(&wnd),
                 {{10, 10, kBlue}, {19, 14, kBlue}, {20, 14, kRed}, {9, 10, kRed}});

    // Growing the window keeps the old pixels and invalidates only what was uncovered.
    wnd.MoveWindow(0, 0, 80, 40);
    EXPECT_EQ(UpdateRect(&wnd), CRect(60, 0, 80, 40));
    EXPECT_EQ(SurfaceAt(wnd, 12, 12), 0x0000FFu);
}

TEST(WndTest, ScrollWindowMovesChildrenButNotTheBarStrip)
{
    TestWnd wnd;
    MakeTop(wnd, 40, 50, WS_OVERLAPPEDWINDOW | WS_VSCROLL);
    wnd.UpdateWindow();
    TestWnd child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_VISIBLE, CRect(2, 30, 12, 40), &wnd, 9));
    CClientDC(&wnd).FillSolidRect(0, 10, 40, 1, kGreen);
    ASSERT_EQ(Client(wnd), CRect(0, 0, 24, 50));

    wnd.ScrollWindow(0, -10);
    EXPECT_EQ(Within(child, wnd), CRect(2, 20, 12, 30));
    EXPECT_EQ(SurfaceAt(wnd, 5, 0), 0x00FF00u);
    EXPECT_EQ(SurfaceAt(wnd, 30, 0), 0xFFFFFFu); // the bar's strip (x 24 and on) stays

    // Within a rectangle only, children stay.
    wnd.ValidateRect(nullptr);
    CRect band(0, 0, 24, 20);
    wnd.ScrollWindow(0, 4, band, band);
    EXPECT_EQ(UpdateRect(&wnd), CRect(0, 0, 24, 4));
    EXPECT_EQ(Within(child, wnd).TopLeft(), CPoint(2, 20));
}

TEST(WndTest, ScrollBarReportsAndNeverMovesItself)
{
    TestWnd wnd;
    MakeTop(wnd, 100, 100, WS_OVERLAPPEDWINDOW | WS_VSCROLL);
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 999, 100, 50, 0};
    ASSERT_TRUE(wnd.SetScrollInfo(SB_VERT, &si));
    EXPECT_EQ(wnd.GetScrollLimit(SB_VERT), 900);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 50);
    EXPECT_EQ(wnd.SetScrollPos(SB_VERT, 5000), 50);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 900);
    wnd.SetScrollPos(SB_VERT, 200);

    auto* bar = kor::WindowWidget(&wnd)->findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->value(), 200);
    EXPECT_EQ(bar->maximum(), 900);
    EXPECT_EQ(bar->geometry(), QRect(84, 0, 16, 100));
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    bar->setSliderDown(true);
    bar->setSliderPosition(420);
    bar->setSliderDown(false);
    EXPECT_EQ(wnd.log.substr(wnd.log.find("vscroll")),
              "vscroll 3,0;vscroll 0,0;vscroll 7,0;vscroll 5,420;vscroll 4,420;vscroll 8,0;");
    EXPECT_EQ(bar->value(), 200);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 200);
}

TEST(WndTest, CursorsAndWaitCursor)
{
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    HCURSOR hand = LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(297));
    ASSERT_NE(hand, nullptr);

    TestWnd wnd;
    MakeTop(wnd, 50, 50);
    QWidget* w = kor::WindowWidget(&wnd);
    SendMouse(w, QEvent::MouseMove, 8, 3);
    SetCursor(arrow);
    EXPECT_EQ(SetCursor(hand), arrow);
    // The hand: black and white, its fingertip the hot spot.
    QCursor shown = w->cursor();
    EXPECT_EQ(shown.hotSpot(), QPoint(5, 0));
    QImage picture = shown.pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(picture.pixel(5, 0)), 255);
    EXPECT_EQ(qAlpha(picture.pixel(31, 31)), 0);

    // Wait cursors nest; unbalanced ends are ignored.
    AfxGetApp()->EndWaitCursor();
    AfxGetApp()->BeginWaitCursor();
    wnd.BeginWaitCursor();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    wnd.EndWaitCursor();
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    AfxGetApp()->EndWaitCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(WndTest, MessageBoxesOffscreenWithoutHook)
{
    // Written to standard error and answered as closed.
    ASSERT_FALSE(kor::HasDisplay());
    testing::internal::CaptureStderr();
    EXPECT_EQ(AfxMessageBox("\xC0\xCE\xBC\xE2", MB_OK), IDOK);
    EXPECT_EQ(AfxMessageBox("second", MB_OKCANCEL | MB_ICONQUESTION), IDCANCEL);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("\xEC\x9D\xB8\xEC\x87\x84"), std::string::npos) << err; // the text in UTF-8
    EXPECT_NE(err.find("second"), std::string::npos);
}
