// CWnd: the window's widget, creation and destruction, message dispatch, timers, the message filter.
#include "platform/win/Wnd_p.h"

#include "platform/gdi/codepage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTimerEvent>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <unordered_set>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

namespace kor {
namespace {

// Windows that exist (have a handle); handles are the CWnd addresses.
std::unordered_set<const CWnd*>& LiveWindows()
{
    static std::unordered_set<const CWnd*> live;
    return live;
}

MessageFilter& Filter()
{
    static MessageFilter filter;
    return filter;
}

// Messages being handled, innermost last (Default answers the innermost).
std::vector<MSG>& CurrentMessages()
{
    static std::vector<MSG> stack;
    return stack;
}

QEvent::Type PostedType()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

struct PostedMessage : QEvent
{
    PostedMessage(UINT m, WPARAM w, LPARAM l) : QEvent(PostedType()), msg(m), wParam(w), lParam(l) {}
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

UINT MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    UINT k = 0;
    if (buttons & Qt::LeftButton)
        k |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        k |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        k |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier)
        k |= MK_SHIFT;
    if (mods & Qt::ControlModifier)
        k |= MK_CONTROL;
    return k;
}

LPARAM PointParam(const QPoint& p)
{
    return MAKELPARAM(p.x(), p.y());
}

// Windows virtual-key code of a Qt key; 0 for keys the system has no code for here.
UINT VirtualKey(int key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return UINT(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return UINT(VK_F1 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return 0;
    }
}

} // namespace

int g_nDispatchDepth = 0;
QPointer<QWidget> g_pMouseWidget;

// ---------------------------------------------------------------------------------------------------
// The widget.

WndWidget::WndWidget(CWnd* owner, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_pOwner(owner)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

WndWidget::~WndWidget()
{
    // Deleted by Qt with a parent widget that is not a window of ours: the window goes with it.
    if (CWnd* owner = m_pOwner) {
        WndState::Of(owner).widgetDying = true;
        owner->DestroyWindow();
    }
}

bool WndWidget::event(QEvent* e)
{
    DispatchScope scope;
    if (e->type() == PostedType()) {
        auto* pm = static_cast<PostedMessage*>(e);
        if (m_pOwner)
            DeliverQueued(m_pOwner, pm->msg, pm->wParam, pm->lParam);
        return true;
    }
    return QWidget::event(e);
}

void WndWidget::paintEvent(QPaintEvent* e)
{
    if (m_pOwner)
        WndState::Of(m_pOwner).PaintInvalid();
    if (!m_pOwner)
        return;
    const QImage& surface = WndState::Of(m_pOwner).surface;
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& r : e->region())
        p.drawImage(r, surface, r);
}

void WndWidget::resizeEvent(QResizeEvent*)
{
    if (m_pOwner)
        WndState::Of(m_pOwner).SyncSize();
}

void WndWidget::keyPressEvent(QKeyEvent* e)
{
    UINT vk = VirtualKey(e->key());
    if (!vk || !m_pOwner) {
        QWidget::keyPressEvent(e);
        return;
    }
    LPARAM flags = 1 | LPARAM((e->nativeScanCode() & 0xFF) << 16) | (e->isAutoRepeat() ? LPARAM(1) << 30 : 0);
    DeliverQueued(m_pOwner, WM_KEYDOWN, vk, flags);
}

void WndWidget::keyReleaseEvent(QKeyEvent* e)
{
    UINT vk = VirtualKey(e->key());
    if (!vk || !m_pOwner || e->isAutoRepeat()) {
        QWidget::keyReleaseEvent(e);
        return;
    }
    LPARAM flags = 1 | LPARAM((e->nativeScanCode() & 0xFF) << 16) | (LPARAM(3) << 30);
    DeliverQueued(m_pOwner, WM_KEYUP, vk, flags);
}

void WndWidget::mousePressEvent(QMouseEvent* e)
{
    g_pMouseWidget = this;
    if (!m_pOwner)
        return;
    UINT msg = e->button() == Qt::LeftButton    ? WM_LBUTTONDOWN
               : e->button() == Qt::RightButton ? WM_RBUTTONDOWN
                                                : 0;
    if (msg)
        DeliverQueued(m_pOwner, msg, MouseKeys(e->buttons(), e->modifiers()),
                      PointParam(e->position().toPoint()));
}

void WndWidget::mouseReleaseEvent(QMouseEvent* e)
{
    g_pMouseWidget = this;
    if (!m_pOwner)
        return;
    UINT msg = e->button() == Qt::LeftButton    ? WM_LBUTTONUP
               : e->button() == Qt::RightButton ? WM_RBUTTONUP
                                                : 0;
    if (msg)
        DeliverQueued(m_pOwner, msg, MouseKeys(e->buttons(), e->modifiers()),
                      PointParam(e->position().toPoint()));
}

void WndWidget::mouseMoveEvent(QMouseEvent* e)
{
    g_pMouseWidget = this;
    if (m_pOwner)
        DeliverQueued(m_pOwner, WM_MOUSEMOVE, MouseKeys(e->buttons(), e->modifiers()),
                      PointParam(e->position().toPoint()));
}

void WndWidget::wheelEvent(QWheelEvent* e)
{
    // The wheel scrolls three lines a notch through the window's own bar, as later systems do.
    if (!m_pOwner || !WndState::Of(m_pOwner).vbarShown) {
        QWidget::wheelEvent(e);
        return;
    }
    m_wheel += e->angleDelta().y();
    QPointer<WndWidget> self(this);
    while (self && m_pOwner && (m_wheel >= 120 || m_wheel <= -120)) {
        UINT code = m_wheel > 0 ? SB_LINEUP : SB_LINEDOWN;
        m_wheel += m_wheel > 0 ? -120 : 120;
        for (int i = 0; i < 3 && self && m_pOwner; ++i)
            DeliverQueued(m_pOwner, WM_VSCROLL, code, 0);
    }
}

void WndWidget::timerEvent(QTimerEvent* e)
{
    if (m_pOwner)
        WndState::Of(m_pOwner).TimerFired(e->timerId());
}

void WndWidget::closeEvent(QCloseEvent* e)
{
    // The window decides: the default handling of WM_CLOSE destroys it.
    e->ignore();
    if (m_pOwner)
        m_pOwner->SendMessage(WM_CLOSE);
}

void WndWidget::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    if (m_pOwner)
        m_pOwner->SendMessage(WM_SETFOCUS);
}

void WndWidget::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    if (m_pOwner)
        m_pOwner->SendMessage(WM_KILLFOCUS);
}

// ---------------------------------------------------------------------------------------------------
// Queued delivery: the filter, PreTranslateMessage from the window up through its parents, the handler.

void DeliverQueued(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DispatchScope scope;
    MSG msg{pWnd->m_hWnd, message, wParam, lParam, GetTickCount(), {0, 0}};
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QPoint pt = QCursor::pos();
        msg.pt = POINT{pt.x(), pt.y()};
    }
    if (!msg.hwnd)
        return;
    if (MessageFilter& f = Filter(); f) {
        MessageFilter keep = f; // the filter may replace itself
        if (keep(msg))
            return;
    }
    for (CWnd* w = CWnd::FromHandle(msg.hwnd); w; w = w->GetParent()) {
        if (w->PreTranslateMessage(&msg))
            return;
    }
    if (CWnd* target = CWnd::FromHandle(msg.hwnd))
        target->SendMessage(msg.message, msg.wParam, msg.lParam);
}

// ---------------------------------------------------------------------------------------------------
// Window state.

QRect WndState::ClientRect() const
{
    if (!widget)
        return QRect();
    int w = widget->width() - (vbarShown ? BarWidth() : 0);
    return QRect(0, 0, std::max(0, w), widget->height());
}

int WndState::BarWidth()
{
    return GetSystemMetrics(SM_CXVSCROLL);
}

void WndState::SyncSize()
{
    if (!widget)
        return;
    QSize size = widget->size();
    if (surface.size() != size) {
        QImage grown(size, QImage::Format_ARGB32_Premultiplied);
        if (!grown.isNull()) {
            grown.fill(Qt::white);
            QPainter p(&grown);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, surface);
        }
        QRegion exposed = QRegion(QRect(QPoint(0, 0), size)) - QRegion(QRect(QPoint(0, 0), surface.size()));
        surface = grown;
        invalid |= exposed & ClientRect();
        if (!exposed.isEmpty())
            widget->update(exposed);
    }
    if (vbar) {
        vbar->setGeometry(size.width() - BarWidth(), 0, BarWidth(), size.height());
        vbar->setVisible(vbarShown);
    }
    QSize client = ClientRect().size();
    if (client != lastClientSize) {
        lastClientSize = client;
        owner->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.width(), client.height()));
    }
}

void WndState::PaintInvalid()
{
    if (!widget || inPaint)
        return;
    QRegion region = invalid & ClientRect();
    invalid = QRegion();
    bool erase = eraseRequested;
    eraseRequested = false;
    if (region.isEmpty())
        return;
    std::weak_ptr<int> alive = life;
    CWnd* wnd = owner;
    paintRegion = region;
    inPaint = true;
    if (erase) {
        CPaintDC dc(wnd);
        wnd->SendMessage(WM_ERASEBKGND, WPARAM(dc.GetSafeHdc()), 0);
    }
    if (!alive.expired() && wnd->m_hWnd)
        DeliverQueued(wnd, WM_PAINT, 0, 0);
    if (alive.expired())
        return;
    inPaint = false;
    paintRegion = QRegion();
}

void WndState::Invalidate(const QRegion& region, bool erase)
{
    if (!widget)
        return;
    QRegion r = region & ClientRect();
    if (r.isEmpty())
        return;
    invalid |= r;
    if (erase)
        eraseRequested = true;
    widget->update(r);
}

void WndState::TimerFired(int qtId)
{
    for (auto& [id, timer] : timers) {
        if (timer.qtId != qtId)
            continue;
        if (timer.proc) {
            MSG msg{owner->m_hWnd, WM_TIMER, id, LPARAM(timer.proc), GetTickCount(), {0, 0}};
            if (MessageFilter& f = Filter(); f) {
                MessageFilter keep = f;
                if (keep(msg))
                    return;
            }
            timer.proc(owner->m_hWnd, WM_TIMER, id, msg.time);
        } else {
            DeliverQueued(owner, WM_TIMER, id, 0);
        }
        return;
    }
}

void WndState::CreateBar()
{
    if (vbar || !widget)
        return;
    vbar = new QScrollBar(Qt::Vertical, widget);
    vbar->setFocusPolicy(Qt::NoFocus);
    vbar->setCursor(Qt::ArrowCursor);
    ApplyScrollInfo();
    QObject::connect(vbar, &QAbstractSlider::actionTriggered, vbar,
                     [this](int action) { BarAction(action); });
    QObject::connect(vbar, &QAbstractSlider::sliderReleased, vbar, [this]() {
        if (!widget || !vbar)
            return;
        std::weak_ptr<int> alive = life;
        DeliverQueued(owner, WM_VSCROLL, SB_THUMBPOSITION | (WPARAM(unsigned(trackPos)) << 16), 0);
        if (!alive.expired() && owner->m_hWnd)
            DeliverQueued(owner, WM_VSCROLL, SB_ENDSCROLL, 0);
    });
}

void WndState::BarAction(int action)
{
    if (!vbar)
        return;
    int wanted = vbar->sliderPosition();
    // The bar moves only when the window sets its position.
    vbar->setSliderPosition(vbar->value());
    UINT code;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        code = SB_LINEDOWN;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        code = SB_LINEUP;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = SB_PAGEDOWN;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = SB_PAGEUP;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = SB_TOP;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = SB_BOTTOM;
        break;
    case QAbstractSlider::SliderMove:
        code = SB_THUMBTRACK;
        trackPos = wanted;
        break;
    default:
        return;
    }
    WPARAM pos = code == SB_THUMBTRACK ? WPARAM(unsigned(wanted)) : 0;
    DeliverQueued(owner, WM_VSCROLL, code | (pos << 16), 0);
}

int WndState::MaxScrollPos() const
{
    int page = int(std::min<UINT>(vinfo.nPage, 0x7FFFFFFF));
    int maxPos = page > 0 ? vinfo.nMax - page + 1 : vinfo.nMax;
    return std::max(vinfo.nMin, maxPos);
}

void WndState::ApplyScrollInfo()
{
    vinfo.nPos = std::clamp(vinfo.nPos, vinfo.nMin, MaxScrollPos());
    if (!vbar)
        return;
    QSignalBlocker block(vbar);
    vbar->setRange(vinfo.nMin, MaxScrollPos());
    vbar->setPageStep(std::max(1, int(std::min<UINT>(vinfo.nPage, 0x7FFFFFFF))));
    vbar->setValue(vinfo.nPos);
    vbar->setSliderPosition(vinfo.nPos);
    vbar->setEnabled(MaxScrollPos() > vinfo.nMin);
}

void WndState::ShowBar(bool show)
{
    if (!widget)
        return;
    if (show)
        CreateBar();
    if (vbarShown == show)
        return;
    vbarShown = show;
    if (show)
        style |= WS_VSCROLL;
    else
        style &= ~DWORD(WS_VSCROLL);
    if (!show)
        Invalidate(QRect(widget->width() - BarWidth(), 0, BarWidth(), widget->height()), false);
    SyncSize();
}

} // namespace kor

using kor::WndState;

// ---------------------------------------------------------------------------------------------------
// Hooks of the drawing layer.

namespace kor {

QImage* WindowSurface(CWnd* pWnd)
{
    return pWnd && pWnd->m_hWnd ? &WndState::Of(pWnd).surface : nullptr;
}

HWND WindowHandle(CWnd* pWnd)
{
    return pWnd ? pWnd->m_hWnd : nullptr;
}

bool WindowBeginPaint(CWnd* pWnd, QRegion& region, RECT& rcPaint)
{
    if (!pWnd || !pWnd->m_hWnd || !WndState::Of(pWnd).inPaint)
        return false;
    region = WndState::Of(pWnd).paintRegion;
    QRect b = region.boundingRect();
    rcPaint = RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    return true;
}

void WindowEndPaint(CWnd*) {}

void WindowReleaseDC(CWnd* pWnd, const RECT& rc)
{
    if (pWnd && pWnd->m_hWnd && rc.right > rc.left && rc.bottom > rc.top)
        WndState::Of(pWnd).widget->update(QRect(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top));
}

QWidget* WindowWidget(CWnd* pWnd)
{
    return pWnd && pWnd->m_hWnd ? WndState::Of(pWnd).widget : nullptr;
}

CWnd* WindowFromWidget(QWidget* pWidget)
{
    for (QWidget* w = pWidget; w; w = w->parentWidget()) {
        if (auto* ww = dynamic_cast<WndWidget*>(w))
            return ww->m_pOwner;
    }
    return nullptr;
}

MessageFilter SetMessageFilter(MessageFilter filter)
{
    MessageFilter old = std::move(Filter());
    Filter() = std::move(filter);
    return old;
}

} // namespace kor

// ---------------------------------------------------------------------------------------------------
// CWnd.

CWnd::CWnd() : m_hWnd(nullptr), m_pState(new WndState(this)) {}

CWnd::~CWnd()
{
    if (m_hWnd)
        DestroyWindow();
    delete m_pState;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    auto* p = reinterpret_cast<CWnd*>(hWnd);
    return p && kor::LiveWindows().count(p) ? p : nullptr;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(uintptr_t(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(uintptr_t(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return FALSE;
    CREATESTRUCT cs{lpParam, AfxGetInstanceHandle(), nIDorHMenu,     hWndParent,    nHeight,  nWidth, y,
                    x,       LONG(dwStyle),          lpszWindowName, lpszClassName, dwExStyle};
    if (!PreCreateWindow(cs))
        return FALSE;
    CWnd* parent = FromHandle(cs.hwndParent);
    bool child = (DWORD(cs.style) & WS_CHILD) != 0;
    if (child && !parent)
        return FALSE;
    if (cs.x == CW_USEDEFAULT)
        cs.x = cs.y = 0;
    if (cs.cx == CW_USEDEFAULT) {
        cs.cx = 640;
        cs.cy = 480;
    }

    WndState& s = *m_pState;
    try {
        s.widget = new kor::WndWidget(this, parent ? WndState::Of(parent).widget : nullptr,
                                      child ? Qt::Widget : Qt::Window);
    } catch (...) {
        return FALSE;
    }
    s.widget->setGeometry(cs.x, cs.y, std::max(0, cs.cx), std::max(0, cs.cy));
    // A child stays hidden until it is shown itself, even when its parent is shown or painted
    // while hidden; Qt would show a child that was never hidden explicitly along with its parent.
    if (child)
        s.widget->hide();
    s.style = DWORD(cs.style) & ~DWORD(WS_VISIBLE | WS_VSCROLL);
    s.exStyle = cs.dwExStyle;
    s.id = child ? UINT(reinterpret_cast<uintptr_t>(cs.hMenu)) : 0;
    s.text = cs.lpszName ? cs.lpszName : "";
    s.parent = parent;
    if (parent)
        WndState::Of(parent).children.push_back(this);
    if (!child)
        s.widget->setWindowTitle(kor::ToUnicode(s.text));
    if (DWORD(cs.style) & WS_DISABLED)
        s.widget->setEnabled(false);
    s.surface = QImage(s.widget->size(), QImage::Format_ARGB32_Premultiplied);
    s.surface.fill(Qt::white);
    s.lastClientSize = QSize(-1, -1);
    m_hWnd = reinterpret_cast<HWND>(this);
    kor::LiveWindows().insert(this);
    if (DWORD(cs.style) & WS_VSCROLL) {
        s.CreateBar();
        s.vbarShown = true;
        s.style |= WS_VSCROLL;
    }
    s.invalid = QRegion(s.ClientRect());
    s.eraseRequested = true;

    if (SendMessage(WM_CREATE, 0, LPARAM(&cs)) == -1) {
        DestroyWindow();
        return FALSE;
    }
    if (!m_hWnd)
        return FALSE;
    s.SyncSize();
    if (m_hWnd && (DWORD(cs.style) & WS_VISIBLE))
        ShowWindow(SW_SHOW);
    return m_hWnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&)
{
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    WndState& s = *m_pState;
    for (auto& [id, timer] : s.timers)
        s.widget->killTimer(timer.qtId);
    s.timers.clear();

    SendMessage(WM_DESTROY);
    std::vector<CWnd*> children = s.children;
    for (CWnd* c : children) {
        if (c->m_hWnd)
            c->DestroyWindow();
    }
    s.children.clear();
    if (s.parent) {
        auto& siblings = WndState::Of(s.parent).children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        s.parent = nullptr;
    }

    kor::LiveWindows().erase(this);
    m_hWnd = nullptr;
    kor::WndWidget* widget = s.widget;
    s.widget = nullptr;
    widget->m_pOwner = nullptr;
    if (s.vbar)
        QObject::disconnect(s.vbar, nullptr, nullptr, nullptr);
    s.vbar = nullptr;
    s.vbarShown = false;
    s.surface = QImage();
    s.invalid = QRegion();
    s.inPaint = false;
    if (kor::g_pMouseWidget == widget)
        kor::g_pMouseWidget = nullptr;
    if (!s.widgetDying) {
        // A widget in the middle of one of its own events goes when the event is over.
        widget->hide();
        if (kor::g_nDispatchDepth > 0)
            widget->deleteLater();
        else
            delete widget;
    }
    s.widgetDying = false;
    PostNcDestroy();
    return TRUE;
}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return 0;
    return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return FALSE;
    QCoreApplication::postEvent(m_pState->widget, new kor::PostedMessage(message, wParam, lParam));
    return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    kor::DispatchScope scope;
    auto& stack = kor::CurrentMessages();
    stack.push_back(MSG{m_hWnd, message, wParam, lParam, 0, {0, 0}});
    size_t depth = stack.size();
    LRESULT result = 0;
    try {
        if (!OnWndMsg(message, wParam, lParam, &result))
            result = DefWindowProc(message, wParam, lParam);
    } catch (...) {
        result = 0;
    }
    stack.resize(depth - 1);
    return result;
}

const MSG* CWnd::GetCurrentMessage() const
{
    auto& stack = kor::CurrentMessages();
    return stack.empty() ? nullptr : &stack.back();
}

LRESULT CWnd::Default()
{
    auto& stack = kor::CurrentMessages();
    if (stack.empty())
        return 0;
    MSG m = stack.back();
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT r = 0;
    CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_CREATE:
        r = OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_CLOSE:
        OnClose();
        break;
    case WM_SIZE:
        OnSize(UINT(wParam), LOWORD(uintptr_t(lParam)), HIWORD(uintptr_t(lParam)));
        break;
    case WM_VSCROLL:
        // The position takes the bits above the code, so tall documents keep positions past 65535.
        OnVScroll(UINT(wParam & 0xFFFF), UINT(wParam >> 16),
                  static_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case WM_ERASEBKGND:
        r = OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case WM_PAINT:
        OnPaint();
        break;
    case WM_KEYDOWN:
        OnKeyDown(UINT(wParam), LOWORD(uintptr_t(lParam)), HIWORD(uintptr_t(lParam)));
        break;
    case WM_KEYUP:
        OnKeyUp(UINT(wParam), LOWORD(uintptr_t(lParam)), HIWORD(uintptr_t(lParam)));
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(UINT(wParam), pt);
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(UINT(wParam), pt);
        break;
    case WM_RBUTTONDOWN:
        OnRButtonDown(UINT(wParam), pt);
        break;
    case WM_RBUTTONUP:
        OnRButtonUp(UINT(wParam), pt);
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(UINT(wParam), pt);
        break;
    case WM_TIMER:
        OnTimer(UINT(wParam));
        break;
    case WM_SETFOCUS:
        OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case WM_KILLFOCUS:
        OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam))
            return FALSE;
        break;
    default:
        return FALSE;
    }
    *pResult = r;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WndState& s = *m_pState;
    switch (message) {
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_SETFONT:
        s.hFont = reinterpret_cast<HGDIOBJ>(wParam);
        if (!s.font || s.font->GetSafeHandle() != s.hFont)
            s.font = nullptr;
        if (lParam)
            Invalidate();
        return 0;
    case WM_GETFONT:
        return LRESULT(s.hFont);
    case WM_SETTEXT:
        s.text = reinterpret_cast<LPCSTR>(lParam);
        if (s.widget && s.widget->isWindow())
            s.widget->setWindowTitle(kor::ToUnicode(s.text));
        return TRUE;
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<char*>(lParam);
        if (!buf || wParam == 0)
            return 0;
        int n = std::min<int>(s.text.GetLength(), int(std::min<WPARAM>(wParam - 1, 0x7FFFFFFF)));
        std::memcpy(buf, s.text.GetString(), size_t(n));
        buf[n] = '\0';
        return n;
    }
    case WM_GETTEXTLENGTH:
        return s.text.GetLength();
    case WM_TIMER:
        if (lParam)
            reinterpret_cast<TIMERPROC>(lParam)(m_hWnd, WM_TIMER, wParam, GetTickCount());
        return 0;
    default:
        // WM_ERASEBKGND: not erased, the window paints its own background; WM_PAINT: the region is
        // validated by the paint itself.
        return 0;
    }
}

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return int(Default());
}
void CWnd::OnDestroy()
{
    Default();
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*)
{
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return BOOL(Default());
}
void CWnd::OnPaint()
{
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}
void CWnd::OnTimer(UINT)
{
    Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnKillFocus(CWnd*)
{
    Default();
}
BOOL CWnd::OnCommand(WPARAM, LPARAM)
{
    return FALSE;
}

// ---------------------------------------------------------------------------------------------------
// Timers.

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    if (!m_hWnd)
        return 0;
    WndState& s = *m_pState;
    auto it = s.timers.find(nIDEvent);
    if (it != s.timers.end()) {
        s.widget->killTimer(it->second.qtId);
        s.timers.erase(it);
    }
    // The system's shortest period is 10 ms.
    int ms = int(std::clamp<UINT>(nElapse, 10, 0x7FFFFFFF));
    int qtId = s.widget->startTimer(ms);
    if (!qtId)
        return 0;
    s.timers[nIDEvent] = kor::WndTimer{qtId, lpfnTimer};
    return nIDEvent ? nIDEvent : 1;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    if (!m_hWnd)
        return FALSE;
    WndState& s = *m_pState;
    auto it = s.timers.find(nIDEvent);
    if (it == s.timers.end())
        return FALSE;
    s.widget->killTimer(it->second.qtId);
    s.timers.erase(it);
    return TRUE;
}

DWORD GetTickCount()
{
    using namespace std::chrono;
    return DWORD(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
