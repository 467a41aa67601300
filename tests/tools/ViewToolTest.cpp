// The view command's screenshots: the real view, painted and scrolled by itself, against the render command;
// the example form page's controls in both.
#include "ToolTestUtil.h"

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

// The pictures of both commands hold the example form page's controls, scrolled with the page.
TEST_F(ToolTest, TheFormPageShowsItsControlsAsRenderDoes)
{
    const std::string page = std::string(KORHTML_EXAMPLES) + "/form.html";
    const std::string layout = RunOk({"layout", page, "--box-font", "--width", "624", "--height", "300"});
    int contentHeight = 0;
    ASSERT_EQ(std::sscanf(layout.c_str(), "content\t%*d\t%d", &contentHeight), 1);
    for (int scroll : {0, 130, contentHeight - 300})
        Compare(page, 640, 300, scroll, {"--box-font"});
}
