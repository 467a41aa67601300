// The render command: a document laid out and painted into a hidden window, saved as PNG.
#include "tools/Commands.h"

#include "korhtml/HtmlX.h"
#include "platform/win/win.h"
#include "platform/win/winqt.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QWidget>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kor {

namespace {

// Pixels a window may have: its backing image and the picture taken of it must both fit in memory.
constexpr long long kMaxPixels = 64LL * 1024 * 1024;

} // namespace

void CheckArea(int width, int height)
{
    if ((long long)width * height > kMaxPixels)
        throw UsageError{"a window of " + std::to_string(width) + " x " + std::to_string(height) +
                         " is too large to render"};
}

int RunRender(const ToolOptions& options)
{
    auto [width, height] = ViewportSize(options);
    std::string out = options.StringValue("o", "");
    if (out.empty())
        throw UsageError{"render needs -o OUT.png"};
    int scroll = options.IntValue("scroll", 0);
    if (scroll < 0)
        throw UsageError{"--scroll: must not be negative, got " + std::to_string(scroll)};
    CheckArea(width, height);

    ToolServer server(options);
    ToolDocument document(options, width, height, options.Has("as-text"));
    CHtmlX* doc = document.Document();
    doc->Layout(width, height);
    if (options.Has("full")) {
        // As high as the content; the layout does not depend on the height, but the body's
        // vertical alignment does, so the document is laid out again for the new window.
        int full = doc->GetContentSize().cy;
        if (full > kMaxSide) {
            std::fprintf(stderr, "korhtml: the content is %d pixels high; rendering the first %d\n", full,
                         kMaxSide);
            full = kMaxSide;
        }
        if (full < 1)
            full = 1;
        if (full != height) {
            height = full;
            CheckArea(width, height);
            document.Resize(width, height);
            doc->Layout(width, height);
        }
    }
    doc->SetViewportOrg(0, scroll);
    doc->FindTopVisible();
    doc->FindBottomVisible();

    // The window paints background and elements into its backing image; the picture of the
    // widget adds the child controls on top, as they are shown.
    CWnd* window = document.Window();
    window->Invalidate(FALSE);
    window->UpdateWindow();
    QWidget* widget = WindowWidget(window);
    if (!widget)
        throw UsageError{"the window could not be painted"};
    QImage picture = widget->grab().toImage();
    if (!widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty()) {
        // Child controls lay their text out when first painted and only then set up the scroll
        // bars that text needs; the picture is taken again once they have.
        QCoreApplication::processEvents();
        picture = widget->grab().toImage();
    }
    WritePng(out, picture);
    return 0;
}

void WritePng(const std::string& path, const QImage& picture)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.convertToFormat(QImage::Format_RGB32).save(&buffer, "PNG"))
        throw UsageError{"cannot encode the picture as PNG"};
    // Through the name's bytes, as every file of the system is opened.
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw UsageError{"cannot write '" + path + "': " + std::strerror(errno)};
    bool ok = std::fwrite(png.constData(), 1, size_t(png.size()), f) == size_t(png.size());
    ok = std::fclose(f) == 0 && ok;
    if (!ok)
        throw UsageError{"cannot write '" + path + "'"};
}

} // namespace kor
