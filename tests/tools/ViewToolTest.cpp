// The view command's screenshots: the real view, painted and scrolled by itself, against the render command;
// the example form page's controls at their layout places in both.
#include "ToolTestUtil.h"

#include <sstream>

namespace {

// A page long enough to scroll: words of both scripts, a table, rules and a tiled background.
std::string LongPage(const std::string& tile)
{
    std::string s = "<html><body background=\"" + tile + "\" text=#203040 link=#c00000>";
    for (int i = 0; i < 40; ++i) {
        s += "<p>Paragraph " + std::to_string(i) + " \xC7\xD1\xB1\xDB <a href=x.html>link</a> words words";
        if (i % 10 == 3)
            s += "<table border=2 bgcolor=#e0e0ff><tr><td>cell<td>\xB9\xAE\xBC\xAD</table><hr>";
    }
    return s + "</body></html>";
}

using ViewTool = ToolTest;

// The last 16 columns of a screenshot, where the scroll bar is.
QImage Bar(const QImage& shot)
{
    return shot.copy(shot.width() - 16, 0, 16, shot.height());
}

} // namespace

TEST_F(ViewTool, ScreenshotShowsWhatRenderShowsBesideTheScrollBar)
{
    const std::string page = Page("long.html", LongPage(std::string(KORHTML_TEST_DATA) + "/img_tile.bmp"));
    Compare(page, 400, 300, 0, {"--box-font"});
    QImage top = Bar(viewPng);
    Compare(page, 400, 300, 137, {"--box-font"});
    QImage lower = Bar(viewPng);
    Compare(page, 317, 211, 1000, {"--box-font"});

    // The bar is drawn in the last columns, and its thumb moves down with the scroll position.
    int changed = 0;
    for (int y = 0; y < top.height(); ++y)
        changed += Rgb(top, 8, y) != Rgb(lower, 8, y);
    EXPECT_GT(changed, 0);
    const unsigned page0 = Rgb(viewPng, 0, 0);
    int notPage = 0;
    for (int y = 0; y < top.height(); ++y)
        notPage += Rgb(top, 8, y) != page0;
    EXPECT_GT(notPage, top.height() / 2);

    // Past the end, the view stops where its own scrolling stops: at the content height less the view's.
    const std::string layout = RunOk({"layout", page, "--box-font", "--width", "384", "--height", "300"});
    int contentHeight = 0;
    ASSERT_EQ(std::sscanf(layout.c_str(), "content\t%*d\t%d", &contentHeight), 1);
    Result r = Run({"view", page, "--box-font", "--screenshot", dir.File("end.png"), "--width", "400",
                    "--height", "300", "--scroll", "99999"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("at most"), std::string::npos) << r.err;
    Compare(page, 400, 300, contentHeight - 300, {"--box-font"});
    EXPECT_EQ(DifferentPixels(Png(dir.File("end.png")), viewPng, 400), 0);
}

TEST_F(ViewTool, TheExamplePageWithRealFontsAndWithoutAFileGiven)
{
    const std::string index = std::string(KORHTML_EXAMPLES) + "/index.html";
    Compare(index, 800, 600, 200, {});
    // Without FILE the viewer shows the bundled example.
    RunOk({"view", "--screenshot", dir.File("default.png"), "--scroll", "200"});
    EXPECT_EQ(DifferentPixels(Png(dir.File("default.png")), viewPng, 800), 0);
}

namespace {

struct Box
{
    int x, y, w, h;
};

// The boxes of the elements of a kind in a layout dump.
std::vector<Box> Boxes(const std::string& dump, int kind)
{
    std::vector<Box> out;
    std::istringstream in(dump);
    std::string line;
    while (std::getline(in, line)) {
        int k;
        Box b;
        if (std::sscanf(line.c_str(), "%d\t%d\t%d\t%d\t%d", &k, &b.x, &b.y, &b.w, &b.h) == 5 && k == kind)
            out.push_back(b);
    }
    return out;
}

// Pixels of the box, shifted up by scroll, that are not the colour c.
int NotColour(const QImage& image, const Box& b, int scroll, unsigned c)
{
    int n = 0;
    for (int y = b.y - scroll; y < b.y - scroll + b.h; ++y)
        for (int x = b.x; x < b.x + b.w; ++x)
            n += y >= 0 && y < image.height() && x < image.width() && Rgb(image, x, y) != c;
    return n;
}

} // namespace

TEST_F(ToolTest, TheFormPageShowsItsControlsWhereTheLayoutPutsThem)
{
    const std::string page = std::string(KORHTML_EXAMPLES) + "/form.html";
    const std::string layout = RunOk({"layout", page, "--box-font", "--width", "624", "--height", "300"});
    // Push buttons 106 x 26 (Submit Query, the last of them, and one more) and 15 x 15 check boxes
    // and radio buttons.
    std::vector<Box> inputs = Boxes(layout, 38);
    std::vector<Box> buttons, checks;
    for (const Box& b : inputs) {
        if (b.w == 106 && b.h == 26)
            buttons.push_back(b);
        if (b.w == 15 && b.h == 15)
            checks.push_back(b);
    }
    ASSERT_EQ(buttons.size(), 2u);
    ASSERT_GE(checks.size(), 6u);
    ASSERT_FALSE(Boxes(layout, 65).empty());

    const unsigned background = 0xF4F4EC;
    for (int scroll : {0, 130, buttons.back().y - 250}) {
        // The view, scrolled by itself, shows the controls where render puts them.
        Compare(page, 640, 300, scroll, {"--box-font"});
        // Every input control in the picture covers its box.
        for (const Box& b : inputs) {
            if (b.w == 0 || b.y + b.h <= scroll || b.y - scroll >= 300)
                continue;
            EXPECT_GT(NotColour(rendered, b, scroll, background), b.w * b.h / 4) << b.x << "," << b.y;
        }
    }
}
