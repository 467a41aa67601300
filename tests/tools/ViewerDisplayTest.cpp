// The interactive viewer on a real X server (Xvfb, started here): keys from the server scroll it, the screen
// shows it.
#include "ToolTestUtil.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

extern char** environ;

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

// A child process, killed if it still runs at the end.
struct Child
{
    pid_t pid = -1;
    ~Child()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    // Its exit status once it has ended within ms, else -1.
    int Wait(int ms)
    {
        int status = 0;
        if (!WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, ms))
            return -1;
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

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
    }

    // Xvfb on a display it picks itself and reports on a pipe; "" once it answers.
    std::string StartServer()
    {
        if (!X(XOpenDisplay))
            return "the X library (libX11.so.6) cannot be loaded";
        int fds[2];
        if (pipe(fds) != 0)
            return "no pipe";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb",       "-displayfd", fd.c_str(), "-screen", "0",
                              "800x600x24", "-nolisten",  "tcp",      nullptr};
        int rc = posix_spawnp(&server.pid, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        std::string number;
        char c;
        pollfd p{fds[0], POLLIN, 0};
        while (rc == 0 && poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (rc != 0)
            return "Xvfb is not installed (scripts/setup installs it)";
        if (number.empty())
            return "Xvfb did not report a display";
        name = ":" + number;
        display = X(XOpenDisplay)(name.c_str());
        return display ? "" : "cannot connect to " + name;
    }

    // The viewer's top-level window: a mapped child of the root as wide as asked for; 0 if none.
    Window FindViewer(int width)
    {
        Window root, parent, *children = nullptr, found = 0;
        unsigned n = 0;
        if (!X(XQueryTree)(display, X(XDefaultRootWindow)(display), &root, &parent, &children, &n))
            return 0;
        for (unsigned i = 0; i < n; ++i) {
            XWindowAttributes a;
            if (X(XGetWindowAttributes)(display, children[i], &a) && a.map_state == IsViewable &&
                a.width == width)
                found = children[i];
        }
        X(XFree)(children);
        return found;
    }

    // The row below the screen's top at which the screen shows the picture at its left edge; -1 if nowhere.
    int RowOf(const QImage& picture, int maxRow = 80)
    {
        XImage* shot = X(XGetImage)(display, X(XDefaultRootWindow)(display), 0, 0, unsigned(picture.width()),
                                    unsigned(picture.height() + maxRow), AllPlanes, ZPixmap);
        if (!shot)
            return -1;
        int found = -1;
        for (int row = 0; row <= maxRow && found < 0; ++row) {
            bool same = true;
            for (int y = 0; y < picture.height() && same; ++y)
                for (int x = 0; x < picture.width() && same; ++x)
                    same = (shot->f.get_pixel(shot, x, y + row) & 0xFFFFFF) == Rgb(picture, x, y);
            if (same)
                found = row;
        }
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

    Child server;
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

    Child viewer;
    // In a sanitizer build, the keyboard library Qt's X support uses reads a length-bounded name with
    // strndup, which strict string checks take for an overflow: that library's calls are let through.
    // This X server has no session bus; Qt is told so rather than left to look for one.
    const std::string suppressions = Page("asan.supp", "interceptor_via_lib:libxkbcommon-x11.so\n");
    const char* asan = std::getenv("ASAN_OPTIONS");
    std::string cmd =
        "ASAN_OPTIONS=" + Quote(std::string(asan ? asan : "") + ":suppressions=" + suppressions) +
        " DBUS_SESSION_BUS_ADDRESS=disabled: QT_QPA_PLATFORM=xcb DISPLAY=" + name +
        " XDG_DATA_HOME=" + Quote(dir.Path()) + " exec " + Quote(KORHTML_TOOL) + " view " + Quote(file) +
        " --box-font --width " + std::to_string(w) + " --height " + std::to_string(h) + " 2>" +
        Quote(dir.File("viewer.err"));
    const char* argv[] = {"sh", "-c", cmd.c_str(), nullptr};
    ASSERT_EQ(posix_spawn(&viewer.pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ), 0);
    Window win = 0;
    ASSERT_TRUE(WaitFor([&] { return (win = FindViewer(w)) != 0; }, 15000))
        << ReadFileBytes(dir.File("viewer.err"));
    // Focus given as a window manager would; inside the window the view has it from the start.
    X(XSetInputFocus)(display, win, RevertToParent, CurrentTime);
    int row = -1;
    ASSERT_TRUE(WaitFor([&] { return (row = RowOf(atTop)) >= 0; }, 10000))
        << "the page never showed at the top";

    Key(win, XK_Next);
    Key(win, XK_Down);
    Key(win, XK_Down);
    EXPECT_TRUE(WaitFor([&] { return RowOf(scrolled) == row; }, 10000)) << "the view did not scroll to 330";

    Key(win, XK_q, ControlMask);
    EXPECT_EQ(viewer.Wait(10000), 0) << ReadFileBytes(dir.File("viewer.err"));
    // The page it opened is on its visited-link list now.
    EXPECT_NE(ReadFileBytes(dir.File("korhtml/OpenLink.dat")).find(file), std::string::npos);
}
