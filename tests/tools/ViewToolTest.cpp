// The view command's screenshots: the real view, painted and scrolled by itself, against the render command.
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

class ViewTool : public ToolTest
{
protected:
    // The screenshot of the view at W x H and scroll y, and the render of the same page W - 16 wide.
    void Compare(const std::string& page, int w, int h, int y, const std::vector<std::string>& extra)
    {
        std::ostringstream trace;
        trace << page << " " << w << "x" << h << " at " << y;
        SCOPED_TRACE(trace.str());
        std::vector<std::string> shot = {"view",         page,
                                         "--screenshot", dir.File("view.png"),
                                         "--width",      std::to_string(w),
                                         "--height",     std::to_string(h),
                                         "--scroll",     std::to_string(y)};
        std::vector<std::string> render = {"render",   page,
                                           "-o",       dir.File("render.png"),
                                           "--width",  std::to_string(w - 16),
                                           "--height", std::to_string(h),
                                           "--scroll", std::to_string(y)};
        shot.insert(shot.end(), extra.begin(), extra.end());
        render.insert(render.end(), extra.begin(), extra.end());
        Result r = Run(shot);
        ASSERT_EQ(r.status, 0) << r.err;
        r = Run(render);
        ASSERT_EQ(r.status, 0) << r.err;
        viewPng = Png(dir.File("view.png"));
        QImage rendered = Png(dir.File("render.png"));
        ASSERT_EQ(viewPng.size(), QSize(w, h));
        ASSERT_EQ(rendered.size(), QSize(w - 16, h));
        EXPECT_EQ(DifferentPixels(viewPng, rendered, w - 16), 0);
    }

    // The last 16 columns, where the scroll bar is.
    QImage Bar() const { return viewPng.copy(viewPng.width() - 16, 0, 16, viewPng.height()); }

    QImage viewPng;
};

} // namespace

TEST_F(ViewTool, ScreenshotShowsWhatRenderShowsBesideTheScrollBar)
{
    const std::string page = Page("long.html", LongPage(std::string(KORHTML_TEST_DATA) + "/img_tile.bmp"));
    Compare(page, 400, 300, 0, {"--box-font"});
    QImage top = Bar();
    Compare(page, 400, 300, 137, {"--box-font"});
    QImage lower = Bar();
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
    Result layout = Run({"layout", page, "--box-font", "--width", "384", "--height", "300"});
    ASSERT_EQ(layout.status, 0) << layout.err;
    int contentHeight = 0;
    ASSERT_EQ(std::sscanf(layout.out.c_str(), "content\t%*d\t%d", &contentHeight), 1);
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
    Result r = Run({"view", "--screenshot", dir.File("default.png"), "--scroll", "200"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(DifferentPixels(Png(dir.File("default.png")), viewPng, 800), 0);
}

TEST_F(ViewTool, UnusableViewArgumentsExitWithStatusTwo)
{
    const std::string page = Page("p.html", "<p>x");
    const std::vector<std::vector<std::string>> bad = {
        {"view", dir.File("missing.html"), "--screenshot", dir.File("o.png")},
        {"view", page, "--screenshot", dir.File("o.png"), "--scroll", "-5"},
        {"view", page, "--screenshot", dir.File("o.png"), "--width", "0"},
        {"view", page, "--scroll", "10"},
        {"view", page, "--screenshot", dir.File("no/such/dir/o.png")},
        {"view", page, "one-file-too-many.html"},
    };
    for (const auto& args : bad) {
        std::string line;
        for (const std::string& a : args)
            line += a + " ";
        SCOPED_TRACE(line);
        Result r = Run(args, "QT_QPA_PLATFORM=offscreen");
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("korhtml: "), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.png")));

    // The interactive viewer without a screen says so rather than running unseen.
    Result r = Run({"view", page}, "QT_QPA_PLATFORM=offscreen");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("display"), std::string::npos) << r.err;

    Result help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("view [FILE]"), std::string::npos) << help.out;
}
