// The korhtml tool's layout and render commands, run as a separate process on small pages.
#include "ToolTestUtil.h"

TEST_F(ToolTest, LayoutDumpsEveryVisibleElementWithExactBoxFontNumbers)
{
    std::string page = Page("p.html", "<html><body>ab cd<br>e<hr width=50%><ul><li>x</ul></body></html>");
    Result r = Run({"layout", page, "--box-font", "--width", "300", "--height", "200"});
    EXPECT_EQ(r.status, 0) << r.err;
    // Words of a 14-pixel body font (7 per byte); the break ends its line (15 high); the half rule
    // of a 280-pixel line and the list item start paragraphs; the item's text follows it.
    EXPECT_EQ(r.out, "content\t57\t112\n"
                     "74\t10\t11\t21\t14\t0\tab \n"
                     "74\t31\t11\t14\t14\t0\tcd\n"
                     "10\t45\t10\t0\t15\t0\t\n"
                     "74\t10\t30\t7\t14\t2\te\n"
                     "34\t10\t64\t140\t4\t4\t\n"
                     "41\t30\t97\t10\t5\t6\t\n"
                     "74\t40\t88\t7\t14\t0\tx\n");

    // The common settings reach the server: margins 3,7 and gaps 2,9.
    r = Run({"layout", page, "--box-font", "--width", "300", "--margins", "3,7", "--gaps", "2,9"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\n74\t3\t8\t21\t14\t0\tab \n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n74\t3\t24\t7\t14\t2\te\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n34\t3\t47\t147\t4\t4\t\n"), std::string::npos) << r.out;

    // The environment switches the box font on as well.
    std::string cmd = "KORHTML_BOX_FONT=1 " + Quote(KORHTML_TOOL) + " layout --width 300 " + Quote(page) +
                      " >" + Quote(dir.File("env"));
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(ReadFileBytes(dir.File("env")).substr(0, 15), "content\t57\t112\n");
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

TEST_F(ToolTest, UnusableArgumentsAndInputsExitWithStatusTwo)
{
    std::string page = Page("ok.html", "<p>x");
    std::string out = dir.File("o.png");
    const std::vector<std::vector<std::string>> bad = {
        {"layout", dir.File("missing.html")},
        {"layout", dir.Path()}, // a directory
        {"layout", page, "--width", "abc"},
        {"layout", page, "--width", "0"},
        {"layout", page, "--height", "-3"},
        {"layout", page, "--margins", "5"},
        {"layout", page, "--bogus"},
        {"layout"},
        {"layout", page, "--data-path", dir.File("nowhere")},
        {"layout", page, "--global-images", dir.File("a.gif") + "," + dir.File("b.gif")},
        {"render", page},
        {"render", page, "-o", out, "--scroll", "-1"},
        {"render", dir.File("missing.html"), "-o", out},
        {"render", page, "-o", dir.File("no/such/dir/o.png")},
        {"render", page, "-o", out, "--width", "32767", "--height", "32767"},
    };
    for (const auto& args : bad) {
        std::string line;
        for (const std::string& a : args)
            line += a + " ";
        SCOPED_TRACE(line);
        Result r = Run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("korhtml: "), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(out));

    Result help = Run({"render", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("render FILE -o OUT.png"), std::string::npos);
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
