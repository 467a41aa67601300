// Tests of the korhtml tool's text and tree commands, run as the program itself. What they print is
// pinned by the case files and, for the example pages, by the recorded goldens.
#include "ToolTestUtil.h"

#include "korhtml/Html2Text.h"

namespace {

const std::string kIndex = std::string(KORHTML_EXAMPLES) + "/index.html";

TEST_F(ToolTest, TextPrintsTheLibrarysConversion)
{
    // Exactly the library's conversion, its CP949 bytes and CR LF line ends kept; the options reach it.
    EXPECT_EQ(RunOk({"text", "--width", "30", "--lines", "6", "--trim", kIndex}),
              HtmlFile2Text(CString(kIndex.c_str()), 30, 6, 1).str());
    EXPECT_EQ(RunOk({"text", "--width=-1", kIndex}), HtmlFile2Text(CString(kIndex.c_str()), -1, -1, 0).str());
}

// The text conversion and the tag tree depend on no font, so they start no GUI application: they
// work where no Qt platform can be loaded, and give what they give elsewhere.
TEST_F(ToolTest, TextAndTreeNeedNoGuiPlatform)
{
    const std::string none = "QT_QPA_PLATFORM=no-such-platform";
    Result text = Run({"text", "--width", "30", kIndex}, none);
    EXPECT_EQ(text.err, "");
    EXPECT_EQ(text.out, RunOk({"text", "--width", "30", kIndex}));
    const std::string tree = RunOk({"tree", kIndex}, none);
    EXPECT_EQ(tree, RunOk({"tree", kIndex}));
    EXPECT_NE(tree.find("BODY"), std::string::npos);
    // Layout measures, so it needs one.
    EXPECT_NE(Run({"layout", kIndex}, none).status, 0);
}

} // namespace
