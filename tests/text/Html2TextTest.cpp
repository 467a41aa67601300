// Tests of Html2Text and HtmlFile2Text: breaks, lists, rules, wrapping, preformatted text, limits, trimming.
#include "korhtml/Html2Text.h"
#include "korhtml/HtmlSrvr.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(const char* html, int width = -1, int maxLines = -1, int trim = 0)
{
    return Html2Text(CString(html), width, maxLines, trim).str();
}

// "가" and "나" in CP949.
const char kGa[] = "\xB0\xA1";
const char kNa[] = "\xB3\xAA";

TEST(Html2Text, BreaksAndSilentElements)
{
    // The word after a BR starts one new line; the breaks themselves write nothing, so two in a
    // row still give one line end.
    EXPECT_EQ(Text("a<br>b<br><br>c"), "a\r\nb\r\nc");
    // Elements that write nothing are passed over.
    EXPECT_EQ(Text("<b>bold</b> <i>it</i><!-- c --><script>s()</script>"), "boldit");
}

TEST(Html2Text, RulesAreAtMostEightyHyphens)
{
    // The rule and the element after it start paragraphs; the rule writes a line end of its own.
    EXPECT_EQ(Text("a<hr>b", 40), "a\r\n\r\n\r\n" + std::string(40, '-') + "\r\n\r\nb");
    EXPECT_EQ(Text("a<hr>b", 200), "a\r\n\r\n\r\n" + std::string(80, '-') + "\r\n\r\nb");
    EXPECT_EQ(Text("<hr>", 0), "\r\n\r\n\r\n");
}

TEST(Html2Text, WordsWrapAtTheWidth)
{
    // Three six-column words fill 18 columns; the fourth would pass 20.
    EXPECT_EQ(Text("aaaaa bbbbb ccccc ddddd eeeee", 20), "aaaaa bbbbb ccccc \r\nddddd eeeee");
    // A word longer than the line is never split; it opens a line of its own.
    EXPECT_EQ(Text("ab xxxxxxxxxxxx cd", 10), "ab \r\nxxxxxxxxxxxx \r\ncd");
    // Text that wraps inside a list is not indented again (the list's own indent is in the goldens).
    EXPECT_EQ(Text("<ol><li>aaa bbb ccc</ol>", 12), "\r\n    * aaa \r\nbbb ccc");
    // -1 means 65535 columns.
    std::string many;
    for (int i = 0; i < 200; ++i)
        many += "word ";
    EXPECT_EQ(Text(many.c_str(), -1).find('\r'), std::string::npos);
}

TEST(Html2Text, PreformattedTextIsCopiedByteByByte)
{
    // Tabs become four blanks, CR is dropped, LF becomes a line end.
    EXPECT_EQ(Text("<pre>a\tb\r\nc  d\r\n</pre>"), "\r\n\r\na    b\r\nc  d\r\n");
    // A two-byte character is kept whole at the edge, so the column passes the width by one.
    std::string html = std::string("<pre>abcd") + kGa + kNa + "</pre>";
    EXPECT_EQ(Text(html.c_str(), 5), std::string("\r\n\r\nabcd") + kGa + "\r\n" + kNa);
    // A lead byte at the very end is copied alone.
    html = std::string("<pre>ab\xB0</pre>");
    EXPECT_EQ(Text(html.c_str()), "\r\n\r\nab\xB0");
    // The width also breaks preformatted lines.
    EXPECT_EQ(Text("<pre>abcdefg</pre>", 3), "\r\n\r\nabc\r\ndef\r\ng");
    // With trim, the blanks at both ends of preformatted text go.
    EXPECT_EQ(Text("<p>x<pre>\n   y z \n\n</pre>", -1, -1, 1), "x\r\n\r\ny z");
}

TEST(Html2Text, LineLimit)
{
    // A paragraph break counts two lines; the walk stops right after the line end that reaches the limit.
    EXPECT_EQ(Text("<p>a<p>b<p>c", -1, 3), "\r\n\r\na\r\n\r\n");
    EXPECT_EQ(Text("<p>a<p>b<p>c", -1, 5), "\r\n\r\na\r\n\r\nb\r\n\r\n");
    EXPECT_EQ(Text("a<br>b<br>c<br>d", -1, 2), "a\r\nb\r\n");
    // A wrap is a line too, and the word that did not fit is not written.
    EXPECT_EQ(Text("aaa bbb ccc ddd", 8, 1), "aaa bbb \r\n");
    // A rule's own line end counts.
    EXPECT_EQ(Text("<hr>", 10, 3), "\r\n\r\n\r\n");
    // Preformatted text that reaches the limit is cut, but the walk goes on with what follows on
    // the same line; the next line end then ends it.
    EXPECT_EQ(Text("<pre>x\ny\nz<b>bold</b>\nmore</pre>", -1, 3), "\r\n\r\nx\r\nbold\r\n");
    // Zero and other negative limits stop at the first line end.
    EXPECT_EQ(Text("a<br>b", -1, 0), "a\r\n");
    EXPECT_EQ(Text("a<br>b", -1, -4), "a\r\n");
}

TEST(Html2Text, TrimRemovesTheHeadlineAndLeadingBreaks)
{
    const char* page = "<center><h2>Headline words</h2></center><p>Body text.<p>More.";
    EXPECT_EQ(Text(page), "\r\n\r\nHeadline words\r\n\r\nBody text.\r\n\r\nMore.");
    EXPECT_EQ(Text(page, -1, -1, 1), "Body text.\r\n\r\nMore.");
    // Any font wrapper counts as the headline; the breaks left in front of the text go.
    EXPECT_EQ(Text("<font size=5>Big</font><br><br>Rest here", -1, -1, 1), "Rest here");
    // A page whose only text is in its first font block keeps it, moved to the front of the body.
    EXPECT_EQ(Text("<hr><h1>Only words</h1>", -1, -1, 1), "Only words\r\n\r\n\r\n" + std::string(80, '-'));
    // Text directly in the body has no wrapper to remove.
    EXPECT_EQ(Text("<p>plain <b>words</b>", -1, -1, 1), "plain words");
    // Without any text, nothing is left.
    EXPECT_EQ(Text("<hr><img src=a.gif>", -1, -1, 1), "");
    EXPECT_EQ(Text("<hr><img src=a.gif>"), "\r\n\r\n\r\n" + std::string(80, '-'));
}

TEST(Html2Text, ImagesInDocumentOrder)
{
    CStringList images;
    images.AddTail(CString("stale"));
    CString text = Html2Text(CString("<p><img src=\"b.gif\">x<img src=a/c.png alt=z></p><img src=b.gif>"), -1,
                             -1, 0, images);
    // The paragraph break belongs to the image, which writes nothing.
    EXPECT_EQ(text.str(), "x");
    ASSERT_EQ(images.GetCount(), 3);
    POSITION pos = images.GetHeadPosition();
    EXPECT_EQ(images.GetNext(pos).str(), "b.gif");
    EXPECT_EQ(images.GetNext(pos).str(), "a/c.png");
    EXPECT_EQ(images.GetNext(pos).str(), "b.gif");

    // Images after the line limit are not met.
    Html2Text(CString("<img src=1.gif>a<br>b<img src=2.gif>"), -1, 1, 0, images);
    ASSERT_EQ(images.GetCount(), 1);
    EXPECT_EQ(images.GetHead().str(), "1.gif");
}

TEST(Html2Text, FilesAndFailures)
{
    TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    std::string path = dir.File("page.html");
    ASSERT_TRUE(WriteFileBytes(path, "<title>T</title><p>Hello <img src=pic.gif>there"));
    CStringList images;
    EXPECT_EQ(HtmlFile2Text(CString(path.c_str()), 80, -1, 0, images).str(), "\r\n\r\nHello there");
    EXPECT_EQ(images.GetCount(), 1);
    EXPECT_EQ(HtmlFile2Text(CString(path.c_str()), 80, -1, 0).str(), "\r\n\r\nHello there");

    // A missing file, an empty source and a source of blanks give nothing.
    images.AddTail(CString("stale"));
    EXPECT_EQ(HtmlFile2Text(CString(dir.File("missing.html").c_str()), 80, -1, 0, images).str(), "");
    EXPECT_EQ(images.GetCount(), 0);
    EXPECT_EQ(Text(""), "");
    EXPECT_EQ(Text(" \r\n\t "), "");
    // Broken markup is no failure.
    EXPECT_EQ(Text("<p>x</i></ul>&;&#9999;&amp"), std::string("\r\n\r\nx\0 ", 7));
}

TEST(Html2Text, ServerIsCreatedOnlyWhenMissing)
{
    ASSERT_FALSE(ExistHtmlServer());
    EXPECT_EQ(Text("one"), "one");
    EXPECT_FALSE(ExistHtmlServer());

    CreateHtmlServer();
    CHtmlSrvr* server = g_pHtmlSrvr;
    EXPECT_EQ(Text("<p>two"), "\r\n\r\ntwo");
    EXPECT_EQ(g_pHtmlSrvr, server);
    DestroyHtmlServer();
}

} // namespace
