// Tests of Html2Text and HtmlFile2Text as calls: files, lists of images, failures, the server. (What
// the conversion writes is pinned by the case files of the text folder.)
#include "korhtml/Html2Text.h"
#include "korhtml/HtmlSrvr.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(const std::string& html, int width = -1)
{
    return Html2Text(CString(html.c_str()), width, -1, 0).str();
}

TEST(Html2Text, FilesAndFailures)
{
    TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    std::string path = dir.File("page.html");
    ASSERT_TRUE(WriteFileBytes(path, "<title>T</title><p>Hello <img src=pic.gif>there"));
    // The list of images is emptied first.
    CStringList images;
    images.AddTail(CString("stale"));
    EXPECT_EQ(HtmlFile2Text(CString(path.c_str()), 80, -1, 0, images).str(), "\r\n\r\nHello there");
    ASSERT_EQ(images.GetCount(), 1);
    EXPECT_EQ(images.GetHead().str(), "pic.gif");
    EXPECT_EQ(HtmlFile2Text(CString(path.c_str()), 80, -1, 0).str(), "\r\n\r\nHello there");

    // A missing file, an empty source and a source of blanks give nothing.
    images.AddTail(CString("stale"));
    EXPECT_EQ(HtmlFile2Text(CString(dir.File("missing.html").c_str()), 80, -1, 0, images).str(), "");
    EXPECT_EQ(images.GetCount(), 0);
    EXPECT_EQ(Text(""), "");
    EXPECT_EQ(Text(" \r\n\t "), "");
    // -1 means 65535 columns.
    std::string many;
    for (int i = 0; i < 200; ++i)
        many += "word ";
    EXPECT_EQ(Text(many).find('\r'), std::string::npos);
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
