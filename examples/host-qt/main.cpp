// host-qt: a Qt Widgets program around one HTML view.
//   host-qt [FILE] [--size WxH] [--screenshot OUT.png [--wait MS]]
// --screenshot saves what the screen shows of the window once it has been up for MS milliseconds
// (1000 by default), prints the window's title and quits.
#include "HostWindow.h"

#include <korhtml/HtmlSrvr.h>

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <string>

#ifndef HOST_QT_PAGES
#define HOST_QT_PAGES "pages"
#endif

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::string file = HOST_QT_PAGES "/welcome.html", screenshot;
    int width = 800, height = 600, wait = 1000;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "--size") && i + 1 < argc &&
            std::sscanf(argv[i + 1], "%dx%d", &width, &height) == 2 && width > 0 && height > 0) {
            ++i;
        } else if (!std::strcmp(arg, "--screenshot") && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (!std::strcmp(arg, "--wait") && i + 1 < argc &&
                   std::sscanf(argv[i + 1], "%d", &wait) == 1) {
            ++i;
        } else if (arg[0] != '-') {
            file = arg;
        } else {
            std::fprintf(stderr, "usage: host-qt [FILE] [--size WxH] [--screenshot OUT.png [--wait MS]]\n");
            return 2;
        }
    }

    CreateHtmlServer();
    int status = 0;
    {
        HostWindow window;
        window.resize(width, height);
        window.show();
        // The name is used as given, as the library takes names: as bytes.
        window.Open(CString(file.c_str()));
        if (!screenshot.empty()) {
            QTimer::singleShot(wait, &window, [&] {
                QRect frame = window.frameGeometry();
                QPixmap shot =
                    window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
                if (shot.isNull())
                    shot = window.grab();
                if (!shot.save(QString::fromLocal8Bit(screenshot.c_str()), "PNG")) {
                    std::fprintf(stderr, "host-qt: cannot write %s\n", screenshot.c_str());
                    status = 1;
                }
                std::printf("%s\n", window.windowTitle().toUtf8().constData());
                app.quit();
            });
        }
        int result = app.exec();
        if (!status)
            status = result;
    }
    DestroyHtmlServer();
    return status;
}
