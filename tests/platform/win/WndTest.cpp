// Tests of the window layer: creation and rectangles, dispatch, timers, painting, scrolling, cursors, boxes.
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"
#include "platform/win/winqt.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Runs the event loop until pred holds or ms have passed; true when pred held.
bool PumpUntil(const std::function<bool()>& pred, int ms = 2000)
{
    QElapsedTimer t;
    t.start();
    while (!pred()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void Pump(int ms)
{
    PumpUntil([] { return false; }, ms);
}

struct Rec
{
    UINT msg;
    WPARAM w;
    LPARAM l;
    std::string name; // window name, for ordering across windows
};

// A window that records what reaches its handlers.
class TestWnd : public CWnd
{
public:
    std::vector<Rec>* log = nullptr;
    std::vector<Rec> own;
    int createResult = 0;
    COLORREF paintColor = RGB(255, 0, 0);
    RECT lastPaint{};
    int paints = 0, erases = 0;
    std::vector<UINT> timers;
    std::string name;
    BOOL handleCommand = TRUE;

    void Note(UINT m, WPARAM w = 0, LPARAM l = 0)
    {
        own.push_back({m, w, l, name});
        if (log)
            log->push_back({m, w, l, name});
    }
    int Count(UINT m) const
    {
        int n = 0;
        for (const Rec& r : own)
            n += r.msg == m;
        return n;
    }
    const Rec* Last(UINT m) const
    {
        for (auto it = own.rbegin(); it != own.rend(); ++it)
            if (it->msg == m)
                return &*it;
        return nullptr;
    }

protected:
    int OnCreate(LPCREATESTRUCT cs) override
    {
        Note(WM_CREATE, 0, LPARAM(cs->cx));
        return createResult;
    }
    void OnDestroy() override { Note(WM_DESTROY); }
    void OnSize(UINT type, int cx, int cy) override { Note(WM_SIZE, type, MAKELPARAM(cx, cy)); }
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override
    {
        Note(WM_VSCROLL, code, LPARAM(pos));
        EXPECT_EQ(bar, nullptr);
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
        Note(WM_PAINT);
    }
    void OnKeyDown(UINT ch, UINT rep, UINT flags) override
    {
        Note(WM_KEYDOWN, ch, MAKELPARAM(rep, flags));
        CWnd::OnKeyDown(ch, rep, flags);
    }
    void OnLButtonDown(UINT flags, CPoint pt) override
    {
        Note(WM_LBUTTONDOWN, flags, MAKELPARAM(pt.x, pt.y));
    }
    void OnRButtonDown(UINT flags, CPoint pt) override
    {
        Note(WM_RBUTTONDOWN, flags, MAKELPARAM(pt.x, pt.y));
    }
    void OnMouseMove(UINT flags, CPoint pt) override { Note(WM_MOUSEMOVE, flags, MAKELPARAM(pt.x, pt.y)); }
    void OnTimer(UINT id) override
    {
        timers.push_back(id);
        Note(WM_TIMER, id);
    }
    BOOL OnCommand(WPARAM w, LPARAM l) override
    {
        Note(WM_COMMAND, w, l);
        return handleCommand;
    }
};

// A top-level window of w x h, hidden unless asked.
void MakeTop(TestWnd& wnd, int w, int h, DWORD style = WS_OVERLAPPEDWINDOW)
{
    wnd.name = "top";
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "top", style, 10, 20, w, h, nullptr, nullptr));
}

QRgb SurfaceAt(CWnd& wnd, int x, int y)
{
    return kor::WindowSurface(&wnd)->pixel(x, y) & 0xFFFFFF;
}

} // namespace

TEST(WndTest, CreationRectanglesAndDestruction)
{
    std::vector<Rec> log;
    TestWnd top;
    top.log = &log;
    MakeTop(top, 300, 200);
    ASSERT_GE(top.own.size(), 2u);
    EXPECT_EQ(top.own[0].msg, UINT(WM_CREATE));
    EXPECT_EQ(top.own[0].l, 300);
    EXPECT_EQ(top.own[1].msg, UINT(WM_SIZE));
    EXPECT_EQ(top.own[1].l, MAKELPARAM(300, 200));
    EXPECT_EQ(CWnd::FromHandle(top.m_hWnd), &top);
    EXPECT_TRUE(IsWindow(top.m_hWnd));
    EXPECT_FALSE(top.IsWindowVisible());
    CRect rc;
    top.GetClientRect(rc);
    EXPECT_EQ(rc, CRect(0, 0, 300, 200));
    ASSERT_NE(kor::WindowSurface(&top), nullptr);
    EXPECT_EQ(kor::WindowSurface(&top)->size(), QSize(300, 200));

    // A visible child with its own scroll bar: the client area leaves the bar out.
    TestWnd child;
    child.log = &log;
    child.name = "child";
    ASSERT_TRUE(child.Create(nullptr, "child", WS_VISIBLE | WS_VSCROLL, CRect(5, 6, 105, 86), &top, 7));
    EXPECT_EQ(child.GetDlgCtrlID(), 7);
    EXPECT_EQ(child.GetParent(), &top);
    EXPECT_EQ(child.GetStyle() & (WS_CHILD | WS_VISIBLE | WS_VSCROLL),
              DWORD(WS_CHILD | WS_VISIBLE | WS_VSCROLL));
    child.GetClientRect(rc);
    EXPECT_EQ(rc, CRect(0, 0, 84, 80));
    ASSERT_NE(child.Last(WM_SIZE), nullptr);
    EXPECT_EQ(child.Last(WM_SIZE)->l, MAKELPARAM(84, 80));
    CRect wr, pr;
    child.GetWindowRect(wr);
    top.GetWindowRect(pr);
    EXPECT_EQ(wr.Width(), 100);
    EXPECT_EQ(wr.Height(), 80);
    EXPECT_EQ(wr.left - pr.left, 5);
    EXPECT_EQ(wr.top - pr.top, 6);
    CString text;
    child.GetWindowText(text);
    EXPECT_EQ(text, "child");

    // Moving sends WM_SIZE at once, even while hidden; the bar going away widens the client.
    child.MoveWindow(0, 0, 60, 50);
    EXPECT_EQ(child.Last(WM_SIZE)->l, MAKELPARAM(44, 50));
    child.ShowScrollBar(SB_VERT, FALSE);
    EXPECT_EQ(child.Last(WM_SIZE)->l, MAKELPARAM(60, 50));
    EXPECT_EQ(child.GetStyle() & WS_VSCROLL, 0u);
    EXPECT_EQ(kor::WindowSurface(&child)->size(), QSize(60, 50));

    // Creation that OnCreate refuses, and a child without a parent, fail.
    TestWnd refused;
    refused.createResult = -1;
    EXPECT_FALSE(refused.CreateEx(0, nullptr, "x", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(refused.m_hWnd, nullptr);
    EXPECT_EQ(refused.Count(WM_DESTROY), 1);
    TestWnd orphan;
    EXPECT_FALSE(orphan.Create(nullptr, "x", WS_VISIBLE, CRect(0, 0, 10, 10), nullptr, 1));

    // Destroying the parent destroys the child after it; both objects stay usable.
    HWND childHandle = child.m_hWnd;
    log.clear();
    EXPECT_TRUE(top.DestroyWindow());
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].name, "top");
    EXPECT_EQ(log[1].name, "child");
    EXPECT_EQ(log[1].msg, UINT(WM_DESTROY));
    EXPECT_EQ(top.m_hWnd, nullptr);
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(childHandle));
    EXPECT_EQ(kor::WindowSurface(&child), nullptr);
    EXPECT_FALSE(top.DestroyWindow());
    EXPECT_EQ(top.SendMessage(WM_COMMAND, 1), 0);
    EXPECT_FALSE(top.PostMessage(WM_COMMAND, 1));
    EXPECT_EQ(top.SetTimer(1, 10), 0u);
}

TEST(WndTest, SendPostFilterAndPreTranslate)
{
    TestWnd top;
    MakeTop(top, 100, 100);
    TestWnd child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_VISIBLE, CRect(0, 0, 50, 50), &top, 1));
    child.own.clear();

    // SendMessage reaches the handlers at once, with the system's parameters.
    child.SendMessage(WM_KEYDOWN, VK_NEXT, MAKELPARAM(1, 0));
    child.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    child.SendMessage(WM_VSCROLL, SB_THUMBTRACK | (WPARAM(70000) << 16), 0);
    child.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 34));
    EXPECT_EQ(child.SendMessage(WM_COMMAND, 1250, 0), 0);
    EXPECT_EQ(child.SendMessage(WM_USER + 5, 1, 2), 0); // no handler: DefWindowProc
    ASSERT_EQ(child.own.size(), 5u);
    EXPECT_EQ(child.own[0].w, WPARAM(VK_NEXT));
    EXPECT_EQ(child.own[1].w, WPARAM(SB_PAGEDOWN));
    EXPECT_EQ(child.own[2].l, 70000); // positions past 16 bits survive
    EXPECT_EQ(child.own[3].l, MAKELPARAM(12, 34));
    EXPECT_EQ(child.own[4].w, WPARAM(1250));

    // Posted messages wait for the event loop.
    child.own.clear();
    EXPECT_TRUE(child.PostMessage(WM_COMMAND, 1251));
    EXPECT_TRUE(PostMessageA(child.m_hWnd, WM_COMMAND, 1252, 0));
    EXPECT_TRUE(child.own.empty());
    ASSERT_TRUE(PumpUntil([&] { return child.Count(WM_COMMAND) == 2; }));
    EXPECT_EQ(child.own[0].w, WPARAM(1251));
    EXPECT_EQ(child.own[1].w, WPARAM(1252));

    // The filter sees posted messages (not sent ones) first and may swallow them or change them.
    std::vector<UINT> seen;
    kor::SetMessageFilter([&](MSG& m) {
        seen.push_back(m.message);
        EXPECT_EQ(m.hwnd, child.m_hWnd);
        if (m.message == WM_COMMAND && m.wParam == 99)
            return true;
        if (m.message == WM_COMMAND && m.wParam == 98)
            m.wParam = 97;
        return false;
    });
    child.own.clear();
    child.SendMessage(WM_COMMAND, 99);
    child.PostMessage(WM_COMMAND, 99);
    child.PostMessage(WM_COMMAND, 98);
    ASSERT_TRUE(PumpUntil([&] { return child.Count(WM_COMMAND) == 2; }));
    Pump(30);
    EXPECT_EQ(seen, std::vector<UINT>({WM_COMMAND, WM_COMMAND}));
    ASSERT_EQ(child.own.size(), 2u);
    EXPECT_EQ(child.own[0].w, WPARAM(99)); // the sent one
    EXPECT_EQ(child.own[1].w, WPARAM(97));
    kor::SetMessageFilter(nullptr);

    // A parent's PreTranslateMessage sees its child's queued messages.
    struct Parent : TestWnd
    {
        BOOL PreTranslateMessage(MSG* m) override { return m->message == WM_COMMAND && m->wParam == 5; }
    } parent;
    MakeTop(parent, 50, 50);
    TestWnd kid;
    ASSERT_TRUE(kid.Create(nullptr, "k", 0, CRect(0, 0, 5, 5), &parent, 2));
    kid.PostMessage(WM_COMMAND, 5);
    kid.PostMessage(WM_COMMAND, 6);
    ASSERT_TRUE(PumpUntil([&] { return kid.Count(WM_COMMAND) == 1; }));
    Pump(20);
    EXPECT_EQ(kid.Last(WM_COMMAND)->w, WPARAM(6));

    // Queued input: a key and a click arrive as messages with virtual keys and client points.
    QWidget* w = kor::WindowWidget(&child);
    ASSERT_NE(w, nullptr);
    child.own.clear();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &key);
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(w, &letter);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(7, 9), w->mapToGlobal(QPointF(7, 9)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(8, 3), w->mapToGlobal(QPointF(8, 3)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
    ASSERT_EQ(child.own.size(), 4u);
    EXPECT_EQ(child.own[0].msg, UINT(WM_KEYDOWN));
    EXPECT_EQ(child.own[0].w, WPARAM(VK_NEXT));
    EXPECT_EQ(LOWORD(uintptr_t(child.own[0].l)), 1); // repeat count
    EXPECT_EQ(child.own[1].w, WPARAM('A'));
    EXPECT_EQ(child.own[2].msg, UINT(WM_RBUTTONDOWN));
    EXPECT_EQ(child.own[2].w, WPARAM(MK_RBUTTON));
    EXPECT_EQ(child.own[2].l, MAKELPARAM(7, 9));
    EXPECT_EQ(child.own[3].msg, UINT(WM_MOUSEMOVE));
    EXPECT_EQ(child.own[3].l, MAKELPARAM(8, 3));

    // WM_CLOSE's default handling destroys the window.
    top.SendMessage(WM_CLOSE);
    EXPECT_EQ(top.m_hWnd, nullptr);
    EXPECT_EQ(child.m_hWnd, nullptr);
}

TEST(WndTest, TimersDeliverTheirIds)
{
    TestWnd wnd;
    MakeTop(wnd, 20, 20);
    EXPECT_EQ(wnd.SetTimer(5, 20), 5u);
    EXPECT_EQ(wnd.SetTimer(3, 10), 3u);
    EXPECT_EQ(wnd.SetTimer(3, 15), 3u); // the same id again restarts it, no second timer
    ASSERT_TRUE(PumpUntil([&] {
        int five = 0, three = 0;
        for (UINT id : wnd.timers)
            (id == 5 ? five : three)++;
        return five >= 2 && three >= 2;
    }));
    for (UINT id : wnd.timers)
        EXPECT_TRUE(id == 5 || id == 3) << id;
    EXPECT_TRUE(wnd.KillTimer(5));
    EXPECT_FALSE(wnd.KillTimer(5));
    EXPECT_FALSE(wnd.KillTimer(42));
    EXPECT_TRUE(wnd.KillTimer(3));
    wnd.timers.clear();
    Pump(60);
    EXPECT_TRUE(wnd.timers.empty());

    // The filter may answer a timer in the window's place (as a host answers the animation timer).
    int filtered = 0;
    kor::SetMessageFilter([&](MSG& m) {
        if (m.message == WM_TIMER && m.wParam == 5) {
            ++filtered;
            return true;
        }
        return false;
    });
    wnd.SetTimer(5, 10);
    ASSERT_TRUE(PumpUntil([&] { return filtered >= 2; }));
    EXPECT_TRUE(wnd.timers.empty());
    kor::SetMessageFilter(nullptr);

    // Destroying the window stops its timers.
    wnd.DestroyWindow();
    Pump(40);
    EXPECT_TRUE(wnd.timers.empty());
}

TEST(WndTest, PaintingIntoTheBackingImage)
{
    TestWnd wnd;
    MakeTop(wnd, 60, 40);
    // A new window is wholly invalid and erased; UpdateWindow paints it even while hidden.
    CRect upd;
    EXPECT_TRUE(wnd.GetUpdateRect(upd));
    EXPECT_EQ(upd, CRect(0, 0, 60, 40));
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 1);
    EXPECT_EQ(wnd.erases, 1);
    EXPECT_EQ(CRect(wnd.lastPaint), CRect(0, 0, 60, 40));
    EXPECT_EQ(SurfaceAt(wnd, 0, 0), 0xFF0000u);
    EXPECT_EQ(SurfaceAt(wnd, 59, 39), 0xFF0000u);
    EXPECT_FALSE(wnd.GetUpdateRect(upd));
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 1); // nothing invalid, no paint

    // The paint DC is clipped to the invalid region.
    wnd.paintColor = RGB(0, 0, 255);
    CRect part(10, 10, 20, 15);
    wnd.InvalidateRect(part, FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 2);
    EXPECT_EQ(wnd.erases, 1);
    EXPECT_EQ(CRect(wnd.lastPaint), part);
    EXPECT_EQ(SurfaceAt(wnd, 10, 10), 0x0000FFu);
    EXPECT_EQ(SurfaceAt(wnd, 19, 14), 0x0000FFu);
    EXPECT_EQ(SurfaceAt(wnd, 20, 14), 0xFF0000u);
    EXPECT_EQ(SurfaceAt(wnd, 9, 10), 0xFF0000u);

    // A client DC draws at once, without a paint.
    CDC* dc = wnd.GetDC();
    ASSERT_NE(dc, nullptr);
    dc->FillSolidRect(0, 30, 5, 5, RGB(0, 255, 0));
    EXPECT_EQ(wnd.ReleaseDC(dc), 1);
    EXPECT_EQ(SurfaceAt(wnd, 2, 32), 0x00FF00u);
    EXPECT_EQ(wnd.paints, 2);

    // Shown, the widget is painted from the backing image.
    wnd.paintColor = RGB(255, 255, 0);
    wnd.ShowWindow(SW_SHOW);
    wnd.InvalidateRect(CRect(40, 0, 60, 10), FALSE);
    ASSERT_TRUE(PumpUntil([&] { return wnd.paints == 3; }));
    QImage shown = kor::WindowWidget(&wnd)->grab().toImage();
    EXPECT_EQ(shown.pixel(50, 5) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(shown.pixel(2, 32) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(shown.pixel(12, 12) & 0xFFFFFF, 0x0000FFu);

    // Growing the window keeps the old pixels and invalidates only what was uncovered.
    wnd.ShowWindow(SW_HIDE);
    wnd.MoveWindow(0, 0, 80, 40);
    EXPECT_TRUE(wnd.GetUpdateRect(upd));
    EXPECT_EQ(upd, CRect(60, 0, 80, 40));
    EXPECT_EQ(SurfaceAt(wnd, 12, 12), 0x0000FFu);
}

TEST(WndTest, ScrollWindowMovesPixelsAndChildren)
{
    TestWnd wnd;
    MakeTop(wnd, 40, 50, WS_OVERLAPPEDWINDOW | WS_VSCROLL);
    wnd.UpdateWindow();
    TestWnd child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_VISIBLE, CRect(2, 30, 12, 40), &wnd, 9));
    // Each row of the client area gets its own colour.
    {
        CClientDC dc(&wnd);
        for (int y = 0; y < 50; ++y)
            dc.FillSolidRect(0, y, 40, 1, RGB(y, 100, 0));
    }
    CRect client;
    wnd.GetClientRect(client);
    ASSERT_EQ(client, CRect(0, 0, 24, 50));

    wnd.ScrollWindow(0, -10);
    for (int y = 0; y < 40; y += 7)
        EXPECT_EQ(SurfaceAt(wnd, 5, y), qRgb(y + 10, 100, 0) & 0xFFFFFF) << y;
    CRect upd;
    ASSERT_TRUE(wnd.GetUpdateRect(upd));
    EXPECT_EQ(upd, CRect(0, 40, 24, 50));
    CRect cr;
    child.GetWindowRect(cr);
    CRect pr;
    wnd.GetWindowRect(pr);
    EXPECT_EQ(cr.top - pr.top, 20);
    EXPECT_EQ(cr.left - pr.left, 2);
    // The bar's strip (x 24 and on) is not scrolled.
    EXPECT_EQ(SurfaceAt(wnd, 30, 0), qRgb(0, 100, 0) & 0xFFFFFF);

    // Scrolling back down uncovers the top; the earlier invalid strip moves along.
    wnd.ScrollWindow(0, 5);
    EXPECT_EQ(SurfaceAt(wnd, 5, 5), qRgb(10, 100, 0) & 0xFFFFFF);
    ASSERT_TRUE(wnd.GetUpdateRect(upd));
    EXPECT_EQ(upd, CRect(0, 0, 24, 50));
    wnd.ValidateRect(nullptr);
    EXPECT_FALSE(wnd.GetUpdateRect(upd));
    // Within a rectangle only, children stay.
    CRect band(0, 0, 24, 20);
    wnd.ScrollWindow(0, 4, band, band);
    ASSERT_TRUE(wnd.GetUpdateRect(upd));
    EXPECT_EQ(upd, CRect(0, 0, 24, 4));
    child.GetWindowRect(cr);
    EXPECT_EQ(cr.top - pr.top, 25);
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
    SCROLLINFO out{sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(wnd.GetScrollInfo(SB_VERT, &out));
    EXPECT_EQ(out.nMax, 999);
    EXPECT_EQ(out.nPage, 100u);
    EXPECT_EQ(out.nPos, 900);
    // A shorter range clamps the position.
    wnd.SetScrollRange(SB_VERT, 0, 300);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 300);
    wnd.SetScrollInfo(SB_VERT, &si);
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
    std::vector<std::pair<UINT, long>> got;
    for (const Rec& r : wnd.own)
        if (r.msg == WM_VSCROLL)
            got.push_back({UINT(r.w), long(r.l)});
    ASSERT_EQ(got.size(), 6u);
    EXPECT_EQ(got[0].first, UINT(SB_PAGEDOWN));
    EXPECT_EQ(got[1].first, UINT(SB_LINEUP));
    EXPECT_EQ(got[2].first, UINT(SB_BOTTOM));
    EXPECT_EQ(got[3], std::make_pair(UINT(SB_THUMBTRACK), 420L));
    EXPECT_EQ(got[4], std::make_pair(UINT(SB_THUMBPOSITION), 420L));
    EXPECT_EQ(got[5].first, UINT(SB_ENDSCROLL));
    EXPECT_EQ(bar->value(), 200);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 200);
}

TEST(WndTest, CursorsAndWaitCursor)
{
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    HCURSOR hand = LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(297));
    ASSERT_NE(arrow, nullptr);
    ASSERT_NE(hand, nullptr);
    EXPECT_NE(arrow, hand);
    EXPECT_EQ(LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(297)), hand);
    EXPECT_EQ(AfxGetApp()->LoadCursor(297), hand);
    EXPECT_EQ(AfxGetApp()->LoadStandardCursor(IDC_ARROW), arrow);
    EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(12345)), nullptr);
    EXPECT_EQ(LoadCursor(nullptr, "NAMED"), nullptr);

    // SetCursor shows the cursor over the window the mouse last moved in.
    TestWnd wnd;
    MakeTop(wnd, 50, 50);
    QWidget* w = kor::WindowWidget(&wnd);
    QMouseEvent move(QEvent::MouseMove, QPointF(8, 3), w->mapToGlobal(QPointF(8, 3)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
    SetCursor(arrow);
    EXPECT_EQ(SetCursor(hand), arrow);
    EXPECT_EQ(GetCursor(), hand);
    // The hand: black and white, its fingertip the hot spot.
    QCursor shown = w->cursor();
    EXPECT_EQ(shown.hotSpot(), QPoint(5, 0));
    QImage picture = shown.pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(picture.pixel(5, 0)), 255);
    EXPECT_EQ(qAlpha(picture.pixel(31, 31)), 0);
    SetCursor(arrow);
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);

    // Wait cursors nest; unbalanced ends are ignored.
    {
        CWaitCursor outer;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        wnd.BeginWaitCursor();
        wnd.EndWaitCursor();
        EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    AfxGetApp()->EndWaitCursor();
    AfxGetApp()->BeginWaitCursor();
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
    EXPECT_EQ(MessageBoxA(nullptr, "third", nullptr, MB_YESNO), IDNO);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("\xEC\x9D\xB8\xEC\x87\x84"), std::string::npos) << err; // the text in UTF-8
    EXPECT_NE(err.find("second"), std::string::npos);
}
