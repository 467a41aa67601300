// Tests of text in whole documents: the measure and layout passes, link colours from the body, painting.
#include "TextTestDoc.h"

#include "../TempDir.h"
#include "korhtml/SimpleElements.h"
#include "korhtml/TextElement.h"

TEST_F(BoxFontTest, TextInADocument)
{
    TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    SetDataPath(CString((dir.Path() + "/").c_str()));
    AddOpenLink("seen.html");
    TestDoc t(120, 100);
    // "hello " 42 + "world " 42 fit the line of 100; "<seen>" wraps.
    ASSERT_TRUE(t.OpenHtml("<body text=#ff0000 link=#0000ff vlink=#00ff00>hello world "
                           "<a href=seen.html>&lt;seen&gt;</a> <a href=new.html>new</a></body>"));
    t.Layout();
    FText* hello = static_cast<FText*>(t.FindText("hello"));
    FText* world = static_cast<FText*>(t.FindText("world"));
    FText* seen = static_cast<FText*>(t.FindText("&lt;seen&gt;"));
    FText* fresh = static_cast<FText*>(t.FindText("new"));
    ASSERT_TRUE(hello && world && seen && fresh);
    EXPECT_EQ(hello->m_nWidth, 42);
    EXPECT_EQ(hello->m_nHeight, 14);
    EXPECT_EQ(world->m_nX, 52);
    EXPECT_EQ(seen->m_strText, "<seen>");
    EXPECT_EQ(seen->m_nBreak, BRK_WRAP);
    EXPECT_EQ(seen->m_nX, 10);
    EXPECT_EQ(seen->m_nY, 10 + 14 + 5);
    EXPECT_EQ(fresh->m_nX, 10 + 42);
    EXPECT_EQ(hello->m_crText, RGB(255, 0, 0));
    EXPECT_EQ(seen->m_crText, RGB(0, 255, 0));
    EXPECT_EQ(fresh->m_crText, RGB(0, 0, 255));

    QImage img = t.Render();
    // Body text in its colour, transparent over the white background.
    EXPECT_EQ(PixelRef(img, 10, 10), RGB(255, 0, 0));
    EXPECT_EQ(PixelRef(img, 16, 10), RGB(255, 255, 255));
    // The visited link underlined in the visited colour, the other one in the link colour.
    EXPECT_EQ(PixelRef(img, 16, 29 + 13), RGB(0, 255, 0));
    EXPECT_EQ(PixelRef(img, 52, 29), RGB(0, 0, 255));
}

TEST_F(BoxFontTest, TextDocumentAlignsLines)
{
    // "aa " 21 + "bb" 14 = 35 in a line of 100: centred 32 from the margin, right-aligned at 75.
    TestDoc a(120, 200);
    ASSERT_TRUE(
        a.OpenHtml("<center>aa bb</center><p align=right>cc dd</p>"
                   "<center><p align=right>ee</p><p>ff</p></center><div align=center><b>gg</b> hh</div>"));
    a.Layout();
    EXPECT_EQ(a.FindText("aa")->m_nX, 10 + 32);
    EXPECT_EQ(a.FindText("bb")->m_nX, 10 + 32 + 21);
    EXPECT_EQ(a.FindText("cc")->m_nX, 75);
    EXPECT_EQ(a.FindText("dd")->m_nX, 96);
    EXPECT_EQ(a.FindText("ee")->m_nX, 10 + 100 - 14);
    EXPECT_EQ(a.FindText("ff")->m_nX, 10 + 43);
    // A separator that opens a text node adds no space: "gg" and "hh" are 14 each, both centred.
    EXPECT_EQ(a.FindText("gg")->m_nX, 10 + (100 - 28) / 2);
    EXPECT_EQ(a.FindText("hh")->m_nX, 10 + (100 - 28) / 2 + 14);

    SetEvenAlign(TRUE);
    TestDoc t(81, 200);
    // The line is 61 wide: "aa " 21 + "b " 14 + "cc " 21 = 56 is justified with gaps 3 and 2.
    ASSERT_TRUE(t.OpenHtml("<p>aa b cc dddd e<br>ff gg</p><center>mid</center><pre>x\ty</pre>"));
    t.Layout();
    EXPECT_EQ(t.FindText("b")->m_nX, 10 + 21 + 3);
    EXPECT_EQ(t.FindText("cc")->m_nX, 10 + 35 + 5);
    EXPECT_EQ(t.FindText("dddd")->m_nBreak, BRK_WRAP);
    EXPECT_EQ(t.FindText("e")->m_nX, 10 + 35); // closed by the BR: not justified
    EXPECT_EQ(t.FindText("mid")->m_nX, 10 + (61 - 21) / 2);
    // The text of a PRE keeps its tab: 48 + 6 wide in the 12-pixel fixed font.
    CVisible* pre = t.FindText("x\ty");
    ASSERT_NE(pre, nullptr);
    EXPECT_EQ(pre->m_nWidth, 54);
    EXPECT_EQ(pre->m_nHeight, 12);
    EXPECT_EQ(pre->m_nX, 10);
    // The PRE starts a paragraph below the centred line.
    EXPECT_EQ(pre->m_nY, t.FindText("mid")->m_nY + 14 + 20);
}
