// The view command's screenshots: the real view, painted and scrolled by itself, against the render command;
// the example form page's controls in both.
#include "ToolTestUtil.h"

using ViewTool = ToolTest;

TEST_F(ViewTool, ScreenshotShowsWhatRenderShowsBesideTheScrollBar)
{
    const std::string page = std::string(KORHTML_EXAMPLES) + "/index.html";
    Compare(page, 400, 300, 0, {"--box-font"});
    const QImage top = viewPng;
    Compare(page, 400, 300, 137, {"--box-font"});

    // The bar is drawn in the last 16 columns, and its thumb moves down with the scroll position.
    int changed = 0, notPage = 0;
    for (int y = 0; y < 300; ++y) {
        changed += PixelRef(top, 392, y) != PixelRef(viewPng, 392, y);
        notPage += PixelRef(top, 392, y) != PixelRef(top, 0, 0);
    }
    EXPECT_GT(changed, 0);
    EXPECT_GT(notPage, 150);

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
    for (int scroll : {0, 130})
        Compare(page, 640, 300, scroll, {"--box-font"});
}
