// Tests of the korhtml tool's text and extract commands, run as the program itself. What they print for
// the example pages is pinned by the recorded goldens.
#include "ToolTestUtil.h"

#include "korhtml/Html2Text.h"

namespace {

const std::string kIndex = std::string(KORHTML_EXAMPLES) + "/index.html";

TEST_F(ToolTest, TextPrintsTheLibrarysConversion)
{
    // Exactly the library's conversion, its CP949 bytes and CR LF line ends kept (the goldens hold what
    // it prints at 80 columns); the options reach the conversion.
    Result narrow = Run({"text", "--width", "30", "--lines", "6", "--trim", kIndex});
    ASSERT_EQ(narrow.status, 0) << narrow.err;
    EXPECT_EQ(narrow.out, HtmlFile2Text(CString(kIndex.c_str()), 30, 6, 1).str());
    Result unlimited = Run({"text", "--width=-1", kIndex});
    EXPECT_EQ(unlimited.out, HtmlFile2Text(CString(kIndex.c_str()), -1, -1, 0).str());
}

TEST_F(ToolTest, TextLineEndsEncodingAndImages)
{
    // "가" in CP949, and a lone CR, which preformatted text drops.
    std::string page =
        Page("page.html", "<p>\xB0\xA1 <img src=one.gif><br>b<pre>x\ry</pre><img src=\"dir/two.png\">");
    EXPECT_EQ(Run({"text", page}).out, "\r\n\r\n\xB0\xA1 \r\nb\r\n\r\nxy");
    EXPECT_EQ(Run({"text", "--lf", page}).out, "\n\n\xB0\xA1 \nb\n\nxy");
    EXPECT_EQ(Run({"text", "--lf", "--utf8", page}).out, "\n\n\xEA\xB0\x80 \nb\n\nxy");
    Result images = Run({"text", "--images", page});
    ASSERT_EQ(images.status, 0) << images.err;
    EXPECT_EQ(images.out, "one.gif\ndir/two.png\n");
}

// The text conversion and the tag tree depend on no font, so they start no GUI application: they
// work where no Qt platform can be loaded, and give what they give elsewhere.
TEST_F(ToolTest, TextAndTreeNeedNoGuiPlatform)
{
    const std::string none = "QT_QPA_PLATFORM=no-such-platform";
    Result text = Run({"text", "--width", "30", kIndex}, none);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.err, "");
    EXPECT_EQ(text.out, Run({"text", "--width", "30", kIndex}).out);
    Result tree = Run({"tree", kIndex}, none);
    ASSERT_EQ(tree.status, 0) << tree.err;
    EXPECT_EQ(tree.out, Run({"tree", kIndex}).out);
    EXPECT_NE(tree.out.find("BODY"), std::string::npos);
    // Layout measures, so it needs one.
    EXPECT_NE(Run({"layout", kIndex}, none).status, 0);
}

TEST_F(ToolTest, ExtractPrintsTheDocumentsText)
{
    std::string page = Page("page.html", "aaaa bbbb<hr><pre>p\tq</pre>");
    EXPECT_EQ(Run({"extract", "--width", "8", "--lf", page}).out, "aaaa \nbbbb\n\n\n----\n\np\tq\n");
}

} // namespace
