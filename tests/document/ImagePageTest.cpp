// Background tiles whose transparent parts are composed as the drawing rules say.
#include "DocTestUtil.h"
#include "ImageFiles.h"
#include "TempDir.h"

#include "platform/win/win.h"

#include <string>

namespace {

class ImagePage : public DocTest
{
};

TEST_F(ImagePage, TransparentPartsOfTilesShowWhatIsUnderThem)
{
    TempDir dir;
    testimg::HalvesPng(dir, "small.png", 10, 10, Qt::red, Qt::transparent);
    testimg::HalvesPng(dir, "large.png", 200, 200, Qt::red, Qt::transparent);
    const COLORREF red = RGB(255, 0, 0);

    // Many tiles are composed in a bitmap, which starts black: the page colour is not painted under them.
    {
        TestDoc t(95, 63);
        ASSERT_EQ(t.OpenHtml("<body bgcolor=#00ff00 background=small.png>", dir.Path() + "/"), 1);
        QImage img = t.Render(3);
        const Pixel pixels[] = {{2, 2, red}, {7, 2, RGB(0, 0, 0)}, {92, 60, red}, {57, 40, RGB(0, 0, 0)}};
        ExpectPixels(img, pixels);
    }
    // Up to 2 x 2 tiles are drawn straight onto the view, over what it showed.
    {
        TestDoc t(300, 300);
        ASSERT_EQ(t.OpenHtml("<body bgcolor=#00ff00 background=large.png>", dir.Path() + "/"), 1);
        kor::WindowSurface(t.Window())->fill(qRgb(1, 2, 3));
        QImage img = t.Render(0);
        const Pixel pixels[] = {{50, 50, red}, {150, 50, RGB(1, 2, 3)}, {250, 250, red}, {299, 299, red}};
        ExpectPixels(img, pixels);
    }
}

} // namespace
