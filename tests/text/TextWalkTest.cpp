// Tests of the text walk shared by the document's text and Html2Text: each keeps its own rule column.
#include "korhtml/Html2Text.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The two outputs walk the same elements and differ only where their policies do. In a list, the
// line end before a rule's hyphens keeps the indentation's columns in the document's text and
// drops them in the conversion; a word after the rule (behind an image that takes the rule's
// paragraph break) shows it by wrapping or not.
TEST(TextWalk, EachOutputKeepsItsOwnRuleColumn)
{
    CreateHtmlServer();
    const std::string list = "<ul><li>abc<hr><img src=none.gif>";
    const std::string head = "\r\n    * abc\r\n\r\n    \r\n";
    {
        CHtmlX doc(nullptr);
        doc.OpenString(CString((list + std::string(9, 'y')).c_str()), CString(""));
        // 4 blanks + 12 hyphens + 9 letters pass 24 columns: the word wraps (without the blanks
        // it would fit). 4 + 13 + 9 just fit in 26.
        EXPECT_EQ(doc.ExtractText(24).str(),
                  head + std::string(12, '-') + "\r\n" + std::string(9, 'y') + "\r\n");
        EXPECT_EQ(doc.ExtractText(26).str(), head + std::string(13, '-') + std::string(9, 'y') + "\r\n");
    }
    // 80 hyphens + 18 letters fit in 100 columns (with the 4 blanks they would not); 80 + 21 do not.
    EXPECT_EQ(Html2Text(CString((list + std::string(18, 'y')).c_str()), 100, -1, 0).str(),
              head + std::string(80, '-') + std::string(18, 'y'));
    EXPECT_EQ(Html2Text(CString((list + std::string(21, 'y')).c_str()), 100, -1, 0).str(),
              head + std::string(80, '-') + "\r\n" + std::string(21, 'y'));
    DestroyHtmlServer();
}

} // namespace
