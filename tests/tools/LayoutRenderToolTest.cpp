// The korhtml tool's layout and render commands, run as a separate process on small pages.
#include "ToolTestUtil.h"

// The dump itself is pinned for the example pages by the goldens; here the settings that reach the server.
TEST_F(ToolTest, LayoutSettingsReachTheServer)
{
    std::string page = Page("p.html", "<html><body>ab cd<br>e<hr width=50%><ul><li>x</ul></body></html>");
    // Margins 3,7 and gaps 2,9.
    Result r = Run({"layout", page, "--box-font", "--width", "300", "--margins", "3,7", "--gaps", "2,9"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\n74\t3\t8\t21\t14\t0\tab \n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n74\t3\t24\t7\t14\t2\te\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n34\t3\t47\t147\t4\t4\t\n"), std::string::npos) << r.out;

    // The environment switches the box font on as well.
    std::string cmd = "KORHTML_BOX_FONT=1 " + Quote(KORHTML_TOOL) + " layout --width 300 " + Quote(page) +
                      " >" + Quote(dir.File("env"));
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(ReadFileBytes(dir.File("env")), Run({"layout", page, "--box-font", "--width", "300"}).out);
    EXPECT_NE(ReadFileBytes(dir.File("env")), Run({"layout", page, "--width", "300"}).out);
}

TEST_F(ToolTest, LayoutEscapesControlBytesOfTheDisplayText)
{
    // Entities put a tab, a control byte, DEL and NUL into words; PRE keeps tabs and line ends;
    // CP949 bytes pass unchanged.
    std::string page = Page("e.html", "a\\b&#9;c &#1;&#127;&; \xB0\xA1<pre>p\tq\r\nr</pre>");
    Result r = Run({"layout", page, "--box-font"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\ta\\\\b\\tc \n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\t\\x01\\x7f\\x00 \n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\t\xB0\xA1\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\tp\\tq\\r\\nr\n"), std::string::npos) << r.out;

    // A text file is shown as one preformatted run, markup and all.
    std::string text = Page("t.txt", "a\tb\nc<b>\n");
    r = Run({"layout", text, "--as-text", "--box-font"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\t4\ta\\tb\\nc<b>"), std::string::npos) << r.out;
}

TEST_F(ToolTest, LayoutOfADocumentWithoutBodyOrContent)
{
    for (const char* source : {"", "  \r\n\t ", "<html><body></body></html>"}) {
        SCOPED_TRACE(source);
        Result r = Run({"layout", Page("n.html", source)});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "content\t0\t0\n");
    }
}

// Every command: status 2, nothing on standard output, a message naming the problem.
TEST_F(ToolTest, UnusableArgumentsAndInputsExitWithStatusTwo)
{
    const std::string page = Page("ok.html", "<p>x"), out = dir.File("o.png"),
                      missing = dir.File("missing.html");
    // A directory opens but cannot be read: every command says so in the same words.
    const std::string unreadable = "cannot read input file '" + dir.Path() + "'";
    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"layout", missing}, missing},
        {{"text", missing}, missing},
        {{"extract", missing}, missing},
        {{"layout", dir.Path()}, unreadable},
        {{"tree", dir.Path()}, unreadable},
        {{"text", dir.Path()}, unreadable},
        {{"extract", dir.Path()}, unreadable},
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
        {{"render", missing, "-o", out}, ""},
        {{"render", page, "-o", dir.File("no/such/dir/o.png")}, ""},
        {{"render", page, "-o", out, "--width", "32767", "--height", "32767"}, ""},
        {{"text", "--width", "abc", page}, ""},
        {{"text", "--lines"}, ""},
        {{"extract", "--trim", page}, ""},
        {{"text"}, ""},
        {{"view", missing, "--screenshot", out}, ""},
        {{"view", page, "--screenshot", out, "--scroll", "-5"}, ""},
        {{"view", page, "--screenshot", out, "--width", "0"}, ""},
        {{"view", page, "--scroll", "10"}, ""},
        {{"view", page, "--screenshot", dir.File("no/such/dir/o.png")}, ""},
        {{"view", page, "one-file-too-many.html"}, ""},
        // The interactive viewer without a screen says so rather than running unseen.
        {{"view", page}, "display"},
    };
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

    using Usage = std::pair<std::vector<std::string>, std::string>;
    for (const auto& [args, usage] :
         {Usage{{"--help"}, "view [FILE]"}, Usage{{"render", "--help"}, "render FILE -o OUT.png"}}) {
        Result help = Run(args);
        EXPECT_EQ(help.status, 0);
        EXPECT_NE(help.out.find(usage), std::string::npos) << help.out;
    }
}

TEST_F(ToolTest, RenderPaintsTheViewportIntoAPng)
{
    // A rule 10 pixels from the top on a dark page: its bar's top row is black.
    std::string dark = Page("d.html", "<body bgcolor=#000080 text=#ffffff><hr>");
    std::string png = dir.File("d.png");
    Result r = Run({"render", dark, "-o", png, "--box-font", "--width", "200", "--height", "100"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    QImage image = Png(png);
    ASSERT_EQ(image.size(), QSize(200, 100));
    EXPECT_EQ(Rgb(image, 0, 0), 0x000080u);
    EXPECT_EQ(Rgb(image, 100, 10), 0x000000u);
    // Scrolled by 5 pixels, the bar is 5 pixels higher.
    r = Run({"render", dark, "-o", png, "--box-font", "--width", "200", "--height", "100", "--scroll", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Rgb(Png(png), 100, 5), 0x000000u);
    EXPECT_EQ(Rgb(Png(png), 100, 10), 0x000080u);

    // --full: as high as the content (the rule and the margins: 10 + 4 + 10).
    r = Run({"render", dark, "-o", png, "--box-font", "--width", "200", "--full"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Png(png).size(), QSize(200, 24));

    // A page that cannot be drawn is white.
    r = Run({"render", Page("e.html", ""), "-o", png, "--width", "30", "--height", "20"});
    ASSERT_EQ(r.status, 0) << r.err;
    image = Png(png);
    ASSERT_EQ(image.size(), QSize(30, 20));
    EXPECT_EQ(Rgb(image, 15, 10), 0xFFFFFFu);
}
