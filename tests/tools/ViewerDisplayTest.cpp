// The interactive viewer on a real X server (Xvfb, started here): keys from the server scroll it, the screen
// shows it.
#include "ToolTestUtil.h"

#include <QProcess>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <dlfcn.h>

#include <chrono>
#include <functional>
#include <thread>

namespace {

bool WaitFor(const std::function<bool()>& done, int ms)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// A function of the X library, loaded at run time so that the test program does not link it.
template <class F> F* XCall(const char* name)
{
    static void* lib = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    return lib ? reinterpret_cast<F*>(dlsym(lib, name)) : nullptr;
}
#define X(name) XCall<decltype(name)>(#name)

class ViewerOnX : public ToolTest
{
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        std::string why = StartServer();
        if (!why.empty())
            GTEST_SKIP() << "Xvfb could not start, so the viewer is not tried on a real X server: " << why;
    }
    void TearDown() override
    {
        if (display)
            X(XCloseDisplay)(display);
        server.kill();
        server.waitForFinished();
    }

    // Xvfb on a display it picks itself and reports on its output; "" once it answers.
    std::string StartServer()
    {
        if (!X(XOpenDisplay))
            return "the X library (libX11.so.6) cannot be loaded";
        server.setStandardErrorFile(QProcess::nullDevice());
        server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp"});
        if (!server.waitForStarted())
            return "Xvfb is not installed (scripts/setup installs it)";
        while (!server.canReadLine() && server.waitForReadyRead(10000)) {
        }
        name = ":" + server.readLine().trimmed().toStdString();
        if (name == ":")
            return "Xvfb did not report a display";
        display = X(XOpenDisplay)(name.c_str());
        return display ? "" : "cannot connect to " + name;
    }

    // The row below the screen's top at which the screen shows the picture at its left edge; -1 if nowhere.
    int RowOf(const QImage& picture, int maxRow = 80)
    {
        XImage* shot = X(XGetImage)(display, X(XDefaultRootWindow)(display), 0, 0, unsigned(picture.width()),
                                    unsigned(picture.height() + maxRow), AllPlanes, ZPixmap);
        if (!shot)
            return -1;
        // 24 bits deep, as the server was started: 32 bits a pixel, as Qt's RGB32.
        const QImage screen(reinterpret_cast<const uchar*>(shot->data), shot->width, shot->height,
                            shot->bytes_per_line, QImage::Format_RGB32);
        int found = -1;
        for (int row = 0; row <= maxRow && found < 0; ++row)
            if (screen.copy(0, row, picture.width(), picture.height()) == picture)
                found = row;
        shot->f.destroy_image(shot);
        return found;
    }

    // A key pressed and released on the window, as the server delivers it.
    void Key(Window w, KeySym sym, unsigned state = 0)
    {
        for (int type : {KeyPress, KeyRelease}) {
            XEvent e{};
            e.xkey =
                XKeyEvent{type, 0, True, display, w,     X(XDefaultRootWindow)(display),    None, CurrentTime,
                          1,    1, 1,    1,       state, X(XKeysymToKeycode)(display, sym), True};
            X(XSendEvent)(display, w, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &e);
        }
        X(XSync)(display, False);
    }

    QProcess server;
    Display* display = nullptr;
    std::string name;
};

} // namespace

TEST_F(ViewerOnX, KeysFromTheServerScrollTheViewAndCtrlQEndsIt)
{
    std::string page = "<html><body bgcolor=#f0f0e0>";
    for (int i = 0; i < 80; ++i)
        page += "<p>line " + std::to_string(i) + " \xC7\xD1\xB1\xDB <a href=next.html>next</a>";
    const std::string file = Page("page.html", page + "</body></html>");
    const int w = 400, h = 300;
    // What the view must show at first, and after Page Down and two Downs: 290 + 20 + 20.
    for (int y : {0, 330})
        RunOk({"render", file, "--box-font", "-o", dir.File(("at" + std::to_string(y) + ".png").c_str()),
               "--width", std::to_string(w - 16), "--height", std::to_string(h), "--scroll",
               std::to_string(y)});
    const QImage atTop = Png(dir.File("at0.png")), scrolled = Png(dir.File("at330.png"));

    QProcess viewer;
    // In a sanitizer build, the keyboard library Qt's X support uses reads a length-bounded name with
    // strndup, which strict string checks take for an overflow: that library's calls are let through.
    // This X server has no session bus; Qt is told so rather than left to look for one.
    const std::string suppressions = Page("asan.supp", "interceptor_via_lib:libxkbcommon-x11.so\n");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":suppressions=" + suppressions.c_str());
    env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", name.c_str());
    env.insert("XDG_DATA_HOME", dir.Path().c_str());
    viewer.setProcessEnvironment(env);
    viewer.setStandardErrorFile(dir.File("viewer.err").c_str());
    viewer.start(KORHTML_TOOL, {"view", file.c_str(), "--box-font", "--width", QString::number(w), "--height",
                                QString::number(h)});
    ASSERT_TRUE(viewer.waitForStarted());
    int row = -1;
    ASSERT_TRUE(WaitFor([&] { return (row = RowOf(atTop)) >= 0; }, 15000))
        << "the page never showed at the top: " << ReadFileBytes(dir.File("viewer.err"));
    // The focus given to the window under the pointer, as a window manager would; inside the window the
    // view has it from the start.
    Window root = X(XDefaultRootWindow)(display), win = 0;
    int unused;
    unsigned mask;
    X(XWarpPointer)(display, None, root, 0, 0, 0, 0, w / 2, h / 2);
    ASSERT_TRUE(X(XQueryPointer)(display, root, &root, &win, &unused, &unused, &unused, &unused, &mask));
    ASSERT_NE(win, Window(0));
    X(XSetInputFocus)(display, win, RevertToParent, CurrentTime);

    Key(win, XK_Next);
    Key(win, XK_Down);
    Key(win, XK_Down);
    EXPECT_TRUE(WaitFor([&] { return RowOf(scrolled) == row; }, 10000)) << "the view did not scroll to 330";

    Key(win, XK_q, ControlMask);
    EXPECT_TRUE(viewer.waitForFinished(10000));
    EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(viewer.exitCode(), 0) << ReadFileBytes(dir.File("viewer.err"));
    // The page it opened is on its visited-link list now.
    EXPECT_NE(ReadFileBytes(dir.File("korhtml/OpenLink.dat")).find(file), std::string::npos);
}
