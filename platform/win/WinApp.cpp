// The application side of the window layer: wait cursor, cursors (the library's hand), message boxes,
// headless start.
#include "platform/win/Wnd_p.h"

#include "platform/gdi/codepage.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

// A cursor handle points at one of these; they live as long as the process.
struct HCURSOR__
{
    int id;
    QCursor cursor;
};

namespace {

int g_nWaitCount = 0;

bool HasGuiApp()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

struct ModuleTag
{
};
ModuleTag g_module;

constexpr int kHandCursorId = 297;

// The pointing hand, black outline on white, hot spot at the fingertip (5, 0).
QCursor MakeHandCursor()
{
    static const char* const rows[] = {
        "     XX",          "    X..X",         "    X..X",         "    X..X",         "    X..X",
        "    X..XXX",       "    X..X..XXX",    "    X..X..X..XX",  " XX X..X..X..X.X", "X..XX........X.X",
        "X...X..........X", " X..X..........X", "  X............X", "  X............X", "   X...........X",
        "   X..........X",  "    X.........X",  "    X........X",   "     X.......X",   "     X.......X",
        "     XXXXXXXXX",
    };
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; row[x]; ++x) {
            if (row[x] == 'X')
                image.setPixel(x, y, qRgba(0, 0, 0, 255));
            else if (row[x] == '.')
                image.setPixel(x, y, qRgba(255, 255, 255, 255));
        }
        ++y;
    }
    return QCursor(QPixmap::fromImage(image), 5, 0);
}

HCURSOR g_hCurrentCursor = nullptr;

// Cursor handles by id: made when first asked for, freed when the application goes (its cursors
// cannot outlive it).
std::map<int, HCURSOR__*>& MadeCursors()
{
    static std::map<int, HCURSOR__*> made;
    return made;
}

void FreeCursors()
{
    for (auto& [id, cursor] : MadeCursors())
        delete cursor;
    MadeCursors().clear();
    g_hCurrentCursor = nullptr;
}

HCURSOR CursorFor(int id)
{
    if (!HasGuiApp())
        return nullptr;
    auto& made = MadeCursors();
    if (made.empty())
        qAddPostRoutine(FreeCursors);
    auto it = made.find(id);
    if (it != made.end())
        return it->second;
    Qt::CursorShape shape;
    switch (id) {
    case OCR_NORMAL:
        shape = Qt::ArrowCursor;
        break;
    case OCR_IBEAM:
        shape = Qt::IBeamCursor;
        break;
    case OCR_WAIT:
        shape = Qt::WaitCursor;
        break;
    case OCR_CROSS:
        shape = Qt::CrossCursor;
        break;
    case OCR_UP:
        shape = Qt::UpArrowCursor;
        break;
    case OCR_SIZEALL:
        shape = Qt::SizeAllCursor;
        break;
    case OCR_NO:
        shape = Qt::ForbiddenCursor;
        break;
    case OCR_HAND:
        shape = Qt::PointingHandCursor;
        break;
    case kHandCursorId:
        return made[id] = new HCURSOR__{id, MakeHandCursor()};
    default:
        return nullptr;
    }
    return made[id] = new HCURSOR__{id, QCursor(shape)};
}

kor::MessageBoxHook& BoxHook()
{
    static kor::MessageBoxHook hook;
    return hook;
}

// The answer of a box closed without a choice.
int ClosedAnswer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return IDOK;
    case MB_YESNO:
        return IDNO;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    default:
        return IDCANCEL;
    }
}

int ShowBox(QWidget* parent, const char* text, const char* caption, UINT type)
{
    CString t = text ? text : "";
    CString c = caption ? caption : "";
    if (kor::MessageBoxHook& hook = BoxHook(); hook) {
        kor::MessageBoxHook keep = hook;
        return keep(t, c, type);
    }
    if (!kor::HasDisplay()) {
        std::fprintf(stderr, "message box: %s\n", kor::ToUnicode(t).toUtf8().constData());
        return ClosedAnswer(type);
    }
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        icon = QMessageBox::Critical;
        break;
    case MB_ICONQUESTION:
        icon = QMessageBox::Question;
        break;
    case MB_ICONEXCLAMATION:
        icon = QMessageBox::Warning;
        break;
    case MB_ICONASTERISK:
        icon = QMessageBox::Information;
        break;
    }
    QMessageBox::StandardButtons buttons;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        break;
    case MB_YESNOCANCEL:
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    case MB_YESNO:
        buttons = QMessageBox::Yes | QMessageBox::No;
        break;
    case MB_RETRYCANCEL:
        buttons = QMessageBox::Retry | QMessageBox::Cancel;
        break;
    default:
        buttons = QMessageBox::Ok;
    }
    QString title = c.IsEmpty() ? QCoreApplication::applicationName() : kor::ToUnicode(c);
    QMessageBox box(icon, title, kor::ToUnicode(t), buttons, parent);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Cancel:
        return IDCANCEL;
    case QMessageBox::Abort:
        return IDABORT;
    case QMessageBox::Retry:
        return IDRETRY;
    case QMessageBox::Ignore:
        return IDIGNORE;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return ClosedAnswer(type);
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// The wait cursor.

void CCmdTarget::BeginWaitCursor()
{
    if (g_nWaitCount++ == 0 && HasGuiApp())
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void CCmdTarget::EndWaitCursor()
{
    if (g_nWaitCount <= 0)
        return;
    if (--g_nWaitCount == 0 && HasGuiApp() && QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void CCmdTarget::RestoreWaitCursor()
{
    if (g_nWaitCount > 0 && HasGuiApp() && !QGuiApplication::overrideCursor())
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

CWinApp* AfxGetApp()
{
    static CWinApp app;
    return &app;
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursor(AfxGetResourceHandle(), lpszResourceName);
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursor(nullptr, lpszCursorName);
}

HINSTANCE AfxGetResourceHandle()
{
    return reinterpret_cast<HINSTANCE>(&g_module);
}

HINSTANCE AfxGetInstanceHandle()
{
    return reinterpret_cast<HINSTANCE>(&g_module);
}

// ---------------------------------------------------------------------------------------------------
// Cursors.

HCURSOR LoadCursor(HINSTANCE, LPCSTR lpCursorName)
{
    // Only resources named by number exist here.
    if (!IS_INTRESOURCE(lpCursorName))
        return nullptr;
    return CursorFor(int(reinterpret_cast<uintptr_t>(lpCursorName)));
}

HCURSOR SetCursor(HCURSOR hCursor)
{
    HCURSOR old = g_hCurrentCursor;
    g_hCurrentCursor = hCursor;
    if (QWidget* w = kor::g_pMouseWidget.data()) {
        if (hCursor)
            w->setCursor(hCursor->cursor);
        else
            w->setCursor(Qt::BlankCursor);
    }
    return old;
}

HCURSOR GetCursor()
{
    return g_hCurrentCursor;
}

// ---------------------------------------------------------------------------------------------------
// Message boxes.

namespace kor {

bool HasDisplay()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal" && platform != "minimalegl";
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook)
{
    MessageBoxHook old = std::move(BoxHook());
    BoxHook() = std::move(hook);
    return old;
}

} // namespace kor

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    QWidget* parent = HasGuiApp() ? QApplication::activeWindow() : nullptr;
    return ShowBox(parent, lpszText, nullptr, nType);
}

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    return ShowBox(kor::WindowWidget(CWnd::FromHandle(hWnd)), lpText, lpCaption, uType);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return ShowBox(m_pState->widget, lpszText, lpszCaption, nType);
}

void kor::PrepareHeadless(bool useDisplay)
{
    const bool display =
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !(useDisplay && display))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QByteArray dir = "/tmp/korhtml-runtime-" + QByteArray::number(getuid());
        mkdir(dir.constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
}
