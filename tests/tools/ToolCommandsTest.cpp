// The korhtml tool's layout, render, text and tree commands, run as a separate process. What they print
// is pinned by the case files and, for the example pages, by the recorded goldens.
#include "ToolTestUtil.h"

// The dumps themselves are pinned by the case files and the goldens; here the environment's switch.
TEST_F(ToolTest, TheEnvironmentSwitchesTheBoxFontOn)
{
    const std::string page = Page("p.html", "<p>ab cd<br>e");
    const std::string boxed = RunOk({"layout", page, "--width", "300"}, "KORHTML_BOX_FONT=1");
    EXPECT_EQ(boxed, RunOk({"layout", page, "--box-font", "--width", "300"}));
    EXPECT_NE(boxed, RunOk({"layout", page, "--width", "300"}));
}

// Every command: status 2, nothing on standard output, a message naming the problem.
TEST_F(ToolTest, UnusableArgumentsAndInputsExitWithStatusTwo)
{
    const std::string page = Page("ok.html", "<p>x"), out = dir.File("o.png"),
                      missing = dir.File("missing.html");
    // A directory opens but cannot be read: every command says so in the same words.
    const std::string unreadable = "cannot read input file '" + dir.Path() + "'";
    std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"layout", page, "--width", "abc"}, ""},
        {{"layout", page, "--width", "0"}, ""},
        {{"layout", page, "--height", "-3"}, ""},
        {{"layout", page, "--margins", "5"}, ""},
        {{"layout", page, "--bogus"}, ""},
        {{"layout"}, ""},
        {{"layout", page, "--data-path", dir.File("nowhere")}, ""},
        {{"layout", page, "--global-images", dir.File("a.gif") + "," + dir.File("b.gif")}, ""},
        {{"render", page}, ""},
        {{"render", page, "-o", out, "--scroll", "-1"}, ""},
        {{"render", page, "-o", dir.File("no/such/dir/o.png")}, ""},
        {{"render", page, "-o", out, "--width", "32767", "--height", "32767"}, ""},
        {{"text", "--lines"}, ""},
        {{"view", missing, "--screenshot", out}, ""},
        {{"view", page, "--screenshot", out, "--scroll", "-5"}, ""},
        {{"view", page, "--scroll", "10"}, ""},
        {{"view", page, "one-file-too-many.html"}, ""},
        // The interactive viewer without a screen says so rather than running unseen.
        {{"view", page}, "display"},
    };
    for (const char* command : {"layout", "text", "extract"})
        bad.push_back({{command, missing}, missing});
    for (const char* command : {"layout", "tree", "text", "extract"})
        bad.push_back({{command, dir.Path()}, unreadable});
    for (const auto& [args, message] : bad) {
        std::string line;
        for (const std::string& a : args)
            line += a + " ";
        SCOPED_TRACE(line);
        Result r = Run(args, "QT_QPA_PLATFORM=offscreen");
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("korhtml: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(out));

    EXPECT_NE(RunOk({"--help"}).find("view [FILE]"), std::string::npos);
    EXPECT_NE(RunOk({"render", "--help"}).find("render FILE -o OUT.png"), std::string::npos);
}

TEST_F(ToolTest, OutputThatCannotBeWrittenIsStatusOne)
{
    // A page with a table, so that the elements command writes a grid too.
    const std::string page = Page("ok.html", "<p>x<table><tr><td>a<td>b</table>");
    for (const char* command : {"tree", "text", "extract", "layout", "elements"}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(Run({command, page, "--box-font"}, "QT_QPA_PLATFORM=offscreen", "/dev/full").status, 1);
    }
}

// What render paints is compared with the view's screenshots; here the size of --full and the blank page.
TEST_F(ToolTest, RenderFullIsAsHighAsTheContentAndAPageWithoutContentIsWhite)
{
    // A rule and the margins: 10 + 4 + 10.
    const std::string png = dir.File("d.png"), page = Page("d.html", "<hr>");
    EXPECT_EQ(RunOk({"render", page, "-o", png, "--box-font", "--width", "200", "--full"}), "");
    EXPECT_EQ(Png(png).size(), QSize(200, 24));

    RunOk({"render", Page("e.html", ""), "-o", png, "--width", "30", "--height", "20"});
    const QImage image = Png(png);
    ASSERT_EQ(image.size(), QSize(30, 20));
    EXPECT_EQ(PixelRef(image, 15, 10), RGB(255, 255, 255));
}

// The text conversion and the tag tree depend on no font, so they start no GUI application: they
// work where no Qt platform can be loaded, and give what they give elsewhere.
TEST_F(ToolTest, TextAndTreeNeedNoGuiPlatform)
{
    const std::string none = "QT_QPA_PLATFORM=no-such-platform";
    const std::string index = std::string(KORHTML_EXAMPLES) + "/index.html";
    Result text = Run({"text", "--width", "30", index}, none);
    EXPECT_EQ(text.err, "");
    EXPECT_EQ(text.out, RunOk({"text", "--width", "30", index}));
    EXPECT_EQ(RunOk({"tree", index}, none), RunOk({"tree", index}));
    // Layout measures, so it needs one.
    EXPECT_NE(Run({"layout", index}, none).status, 0);
}
