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

using Clock = std::chrono::steady_clock;

bool WaitFor(const std::function<bool()>& done, int ms)
{
    auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// The few calls of the X library this test makes, loaded at run time so that the test program needs
// no X library to build or to run elsewhere.
struct XLib
{
    void* handle = nullptr;
    Display* (*OpenDisplay)(const char*) = nullptr;
    int (*CloseDisplay)(Display*) = nullptr;
    Window (*RootWindowOf)(Display*) = nullptr;
    Status (*QueryTree)(Display*, Window, Window*, Window*, Window**, unsigned*) = nullptr;
    Status (*GetWindowAttributes)(Display*, Window, XWindowAttributes*) = nullptr;
    int (*Free)(void*) = nullptr;
    int (*SetInputFocus)(Display*, Window, int, Time) = nullptr;
    KeyCode (*KeysymToKeycode)(Display*, KeySym) = nullptr;
    Status (*SendEvent)(Display*, Window, Bool, long, XEvent*) = nullptr;
    int (*Sync)(Display*, Bool) = nullptr;
    XImage* (*GetImage)(Display*, Drawable, int, int, unsigned, unsigned, unsigned long, int) = nullptr;

    bool Load()
    {
        handle = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return false;
        auto get = [&](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(handle, name));
            return fn != nullptr;
        };
        return get(OpenDisplay, "XOpenDisplay") && get(CloseDisplay, "XCloseDisplay") &&
               get(RootWindowOf, "XDefaultRootWindow") && get(QueryTree, "XQueryTree") &&
               get(GetWindowAttributes, "XGetWindowAttributes") && get(Free, "XFree") &&
               get(SetInputFocus, "XSetInputFocus") && get(KeysymToKeycode, "XKeysymToKeycode") &&
               get(SendEvent, "XSendEvent") && get(Sync, "XSync") && get(GetImage, "XGetImage");
    }
    ~XLib()
    {
        if (handle)
            dlclose(handle);
    }
};

// A child process started with posix_spawn; killed if still running at the end.
struct Child
{
    pid_t pid = -1;
    ~Child() { Stop(); }
    void Stop()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            pid = -1;
        }
    }
    // The exit status once it has ended within ms, else -1.
    int Wait(int ms)
    {
        int status = 0;
        bool ended = WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, ms);
        if (!ended)
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
            x.CloseDisplay(display);
        viewer.Stop();
        server.Stop();
    }

    // Xvfb on a free display it picks itself; "" when it runs and answers.
    std::string StartServer()
    {
        if (!x.Load())
            return "the X library (libX11.so.6) cannot be loaded";
        int fds[2];
        if (pipe(fds) != 0)
            return "no pipe";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        std::string fd = std::to_string(fds[1]);
        std::vector<std::string> args = {"Xvfb", "-displayfd",  fd,          "-screen",
                                         "0",    "1024x768x24", "-nolisten", "tcp"};
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int rc = posix_spawnp(&server.pid, "Xvfb", &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (rc != 0) {
            close(fds[0]);
            server.pid = -1;
            return "Xvfb is not installed (scripts/setup installs it)";
        }
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        auto end = Clock::now() + std::chrono::seconds(10);
        char c;
        while (Clock::now() < end && poll(&p, 1, 100) >= 0) {
            if (!(p.revents & (POLLIN | POLLHUP)))
                continue;
            if (read(fds[0], &c, 1) != 1 || c == '\n')
                break;
            number += c;
        }
        close(fds[0]);
        if (number.empty())
            return "Xvfb did not report a display";
        name = ":" + number;
        display = x.OpenDisplay(name.c_str());
        return display ? "" : "cannot connect to " + name;
    }

    // The viewer's top-level window: a mapped child of the root of the width asked for.
    Window FindViewer(int width)
    {
        Window root = x.RootWindowOf(display), parent, *children = nullptr;
        unsigned n = 0;
        Window found = 0;
        if (!x.QueryTree(display, root, &root, &parent, &children, &n))
            return 0;
        for (unsigned i = 0; i < n; ++i) {
            XWindowAttributes a;
            if (x.GetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable &&
                a.width == width)
                found = children[i];
        }
        if (children)
            x.Free(children);
        return found;
    }

    // What the screen shows in the rectangle, as an image.
    QImage ScreenPixels(int left, int top, int width, int height)
    {
        XImage* image = x.GetImage(display, x.RootWindowOf(display), left, top, unsigned(width),
                                   unsigned(height), AllPlanes, ZPixmap);
        QImage out(width, height, QImage::Format_RGB32);
        if (!image)
            return QImage();
        for (int y = 0; y < height; ++y)
            for (int px = 0; px < width; ++px)
                out.setPixel(px, y, QRgb(image->f.get_pixel(image, px, y) & 0xFFFFFF));
        image->f.destroy_image(image);
        return out;
    }

    // A key pressed and released on the window, as the server delivers it.
    void Key(Window w, KeySym sym, unsigned state = 0)
    {
        for (int type : {KeyPress, KeyRelease}) {
            XEvent e{};
            e.xkey.type = type;
            e.xkey.display = display;
            e.xkey.window = w;
            e.xkey.root = x.RootWindowOf(display);
            e.xkey.subwindow = None;
            e.xkey.time = CurrentTime;
            e.xkey.x = e.xkey.y = e.xkey.x_root = e.xkey.y_root = 1;
            e.xkey.state = state;
            e.xkey.keycode = x.KeysymToKeycode(display, sym);
            e.xkey.same_screen = True;
            x.SendEvent(display, w, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &e);
        }
        x.Sync(display, False);
    }

    // The row at which the picture appears in the screen's top-left corner, below the menu bar; -1 if not.
    int RowOf(const QImage& picture, int maxOffset = 80)
    {
        QImage screen = ScreenPixels(0, 0, picture.width(), picture.height() + maxOffset);
        for (int off = 0; off <= maxOffset; ++off) {
            bool same = true;
            for (int y = 0; y < picture.height() && same; ++y)
                for (int px = 0; px < picture.width() && same; ++px)
                    same = Rgb(screen, px, y + off) == Rgb(picture, px, y);
            if (same)
                return off;
        }
        return -1;
    }

    XLib x;
    Child server, viewer;
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
    // What the view must show at the top and after Page Down and two Downs: 290 + 20 + 20.
    for (int y : {0, 330}) {
        Result r =
            Run({"render", file, "--box-font", "-o", dir.File(("at" + std::to_string(y) + ".png").c_str()),
                 "--width", std::to_string(w - 16), "--height", std::to_string(h), "--scroll",
                 std::to_string(y)});
        ASSERT_EQ(r.status, 0) << r.err;
    }
    const QImage atTop = Png(dir.File("at0.png")), scrolled = Png(dir.File("at330.png"));

    std::string cmd = "QT_QPA_PLATFORM=xcb DISPLAY=" + name + " XDG_DATA_HOME=" + Quote(dir.Path()) +
                      " exec " + Quote(KORHTML_TOOL) + " view " + Quote(file) + " --box-font --width " +
                      std::to_string(w) + " --height " + std::to_string(h) + " 2>" +
                      Quote(dir.File("viewer.err"));
    std::vector<char*> argv = {const_cast<char*>("sh"), const_cast<char*>("-c"), cmd.data(), nullptr};
    ASSERT_EQ(posix_spawn(&viewer.pid, "/bin/sh", nullptr, nullptr, argv.data(), environ), 0);

    Window win = 0;
    ASSERT_TRUE(WaitFor([&] { return (win = FindViewer(w)) != 0; }, 15000))
        << ReadFileBytes(dir.File("viewer.err"));
    // Focus as a window manager would give it; the view inside has the keyboard focus already.
    x.SetInputFocus(display, win, RevertToParent, CurrentTime);
    x.Sync(display, False);
    int row = -1;
    ASSERT_TRUE(WaitFor([&] { return (row = RowOf(atTop)) >= 0; }, 10000))
        << "the page never showed at the top";

    Key(win, XK_Next);
    Key(win, XK_Down);
    Key(win, XK_Down);
    EXPECT_TRUE(WaitFor([&] { return RowOf(scrolled) == row; }, 10000)) << "the view did not scroll to 330";
    // The scroll bar stands beside the page: its column is not the page's background.
    QImage bar = ScreenPixels(w - 8, row, 1, h);
    int barPixels = 0;
    for (int y = 0; y < h; ++y)
        barPixels += Rgb(bar, 0, y) != 0xF0F0E0u;
    EXPECT_GT(barPixels, h / 2);

    Key(win, XK_q, ControlMask);
    EXPECT_EQ(viewer.Wait(10000), 0) << ReadFileBytes(dir.File("viewer.err"));
    // The page it opened is on its visited-link list now.
    EXPECT_NE(ReadFileBytes(dir.File("korhtml/OpenLink.dat")).find(file), std::string::npos);
}
