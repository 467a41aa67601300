// Tests of the korhtml tool's text and extract commands, run as the program itself.
#include "korhtml/Html2Text.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace {

struct RunResult
{
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs the tool with the arguments (each quoted) on the Qt platform named and collects its output and
// exit status.
RunResult RunTool(const std::string& args, const std::string& platform = "offscreen")
{
    static TempDir dir;
    RunResult r;
    std::string out = dir.File("stdout"), err = dir.File("stderr");
    std::string cmd = "QT_QPA_PLATFORM=" + Quote(platform) + " " + Quote(KORHTML_TOOL) + " " + args + " >" +
                      Quote(out) + " 2>" + Quote(err);
    int raw = std::system(cmd.c_str());
    r.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadFileBytes(out);
    r.err = ReadFileBytes(err);
    return r;
}

const std::string kIndex = std::string(KORHTML_EXAMPLES) + "/index.html";

TEST(TextCommand, PrintsTheTextOfAPage)
{
    RunResult r = RunTool("text " + Quote(kIndex));
    ASSERT_EQ(r.status, 0) << r.err;
    // Exactly the library's conversion at 80 columns, its CP949 bytes and CR LF line ends kept.
    EXPECT_EQ(r.out, HtmlFile2Text(CString(kIndex.c_str()), 80, -1, 0).str());
    EXPECT_NE(r.out.find("\r\n\r\nKORHTML: an embeddable HTML display control\r\n"), std::string::npos);
    EXPECT_NE(r.out.find("\r\n" + std::string(80, '-') + "\r\n"), std::string::npos);
    EXPECT_NE(r.out.find("\r\n        * "), std::string::npos);
    // "한글 HTML 표시기", the page's first heading, in CP949.
    EXPECT_EQ(r.out.rfind("\r\n\r\n\xC7\xD1\xB1\xDB HTML \xC7\xA5\xBD\xC3\xB1\xE2\r\n", 0), 0u);

    // The options reach the conversion.
    RunResult narrow = RunTool("text --width 30 --lines 6 --trim " + Quote(kIndex));
    ASSERT_EQ(narrow.status, 0) << narrow.err;
    EXPECT_EQ(narrow.out, HtmlFile2Text(CString(kIndex.c_str()), 30, 6, 1).str());
    RunResult unlimited = RunTool("text --width=-1 " + Quote(kIndex));
    EXPECT_EQ(unlimited.out, HtmlFile2Text(CString(kIndex.c_str()), -1, -1, 0).str());
}

TEST(TextCommand, LineEndsEncodingAndImages)
{
    TempDir dir;
    std::string page = dir.File("page.html");
    // "가" in CP949, and a lone CR, which preformatted text drops.
    ASSERT_TRUE(
        WriteFileBytes(page, "<p>\xB0\xA1 <img src=one.gif><br>b<pre>x\ry</pre><img src=\"dir/two.png\">"));

    RunResult raw = RunTool("text " + Quote(page));
    EXPECT_EQ(raw.out, "\r\n\r\n\xB0\xA1 \r\nb\r\n\r\nxy");
    RunResult lf = RunTool("text --lf " + Quote(page));
    EXPECT_EQ(lf.out, "\n\n\xB0\xA1 \nb\n\nxy");
    RunResult utf8 = RunTool("text --lf --utf8 " + Quote(page));
    EXPECT_EQ(utf8.out, "\n\n\xEA\xB0\x80 \nb\n\nxy");

    RunResult images = RunTool("text --images " + Quote(page));
    ASSERT_EQ(images.status, 0) << images.err;
    EXPECT_EQ(images.out, "one.gif\ndir/two.png\n");
}

// The text conversion and the tag tree depend on no font, so they start no GUI application: they
// work where no Qt platform can be loaded, and give what they give elsewhere.
TEST(TextCommand, TextAndTreeNeedNoGuiPlatform)
{
    RunResult text = RunTool("text --width 30 " + Quote(kIndex), "no-such-platform");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.err, "");
    EXPECT_EQ(text.out, RunTool("text --width 30 " + Quote(kIndex)).out);
    RunResult tree = RunTool("tree " + Quote(kIndex), "no-such-platform");
    ASSERT_EQ(tree.status, 0) << tree.err;
    EXPECT_EQ(tree.out, RunTool("tree " + Quote(kIndex)).out);
    EXPECT_NE(tree.out.find("BODY"), std::string::npos);
    // Layout measures, so it needs one.
    EXPECT_NE(RunTool("layout " + Quote(kIndex), "no-such-platform").status, 0);
}

TEST(TextCommand, ExtractPrintsTheDocumentsText)
{
    RunResult r = RunTool("extract " + Quote(kIndex));
    ASSERT_EQ(r.status, 0) << r.err;
    // A document's rule is half the width, and its text ends with a line end.
    EXPECT_NE(r.out.find("\r\n" + std::string(40, '-') + "\r\n"), std::string::npos);
    EXPECT_EQ(r.out.find(std::string(41, '-')), std::string::npos);
    EXPECT_EQ(r.out.substr(r.out.size() - 2), "\r\n");
    EXPECT_NE(r.out.find("KORHTML: an embeddable HTML display control"), std::string::npos);

    TempDir dir;
    std::string page = dir.File("page.html");
    ASSERT_TRUE(WriteFileBytes(page, "aaaa bbbb<hr><pre>p\tq</pre>"));
    RunResult narrow = RunTool("extract --width 8 --lf " + Quote(page));
    EXPECT_EQ(narrow.out, "aaaa \nbbbb\n\n\n----\n\np\tq\n");
}

TEST(TextCommand, MissingFilesAndBadArguments)
{
    TempDir dir;
    std::string missing = dir.File("missing.html");
    for (const char* command : {"text ", "extract "}) {
        RunResult r = RunTool(command + Quote(missing));
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_EQ(r.out, "") << command;
        EXPECT_NE(r.err.find(missing), std::string::npos) << command << r.err;
    }
    // A directory opens but cannot be read: every command says so in the same words.
    for (const char* command : {"tree ", "text ", "extract ", "layout "}) {
        RunResult r = RunTool(command + Quote(dir.Path()));
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_EQ(r.out, "") << command;
        EXPECT_NE(r.err.find("cannot read input file '" + dir.Path() + "'"), std::string::npos)
            << command << r.err;
    }
    EXPECT_EQ(RunTool("text --width abc " + Quote(kIndex)).status, 2);
    EXPECT_EQ(RunTool("text --lines").status, 2);
    EXPECT_EQ(RunTool("extract --trim " + Quote(kIndex)).status, 2);
    EXPECT_EQ(RunTool("text").status, 2);
}

} // namespace
