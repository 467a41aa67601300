// Tests of words on lines (wrapping between words, never inside one) and of how a run draws itself.
#include "TextTestDoc.h"

#include <QImage>

TEST_F(BoxFontTest, TextWrapsBetweenWords)
{
    // "aaaa " and "bbbb " are 35 wide, "cccc" 28; the line is 80 wide from x = 10.
    TextDoc doc("<body><p>aaaa bbbb cccc</p><p>a wwwwwwwwwwwwwwww b</p></body>");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    doc.Layout(100);
    FText *a = doc.Word("aaaa"), *b = doc.Word("bbbb"), *c = doc.Word("cccc");
    EXPECT_EQ(a->m_nX, 10);
    EXPECT_EQ(a->m_nY, 10);
    EXPECT_EQ(b->m_nX, 45); // ends exactly at the line's right edge: still fits
    EXPECT_EQ(b->m_nBreak, 0);
    EXPECT_EQ(c->m_nBreak, BRK_WRAP);
    EXPECT_EQ(c->m_nX, 10);
    EXPECT_EQ(c->m_nY, 10 + 14 + 5);
    // A word wider than the line sits alone on its own line and is never split.
    FText *w = doc.Word("wwwwwwwwwwwwwwww"), *last = doc.Word("b");
    EXPECT_EQ(doc.Word("a")->m_nY, 29 + 14 + 20);
    EXPECT_EQ(w->m_nWidth, 16 * 7 + 7);
    EXPECT_EQ(w->m_nX, 10);
    EXPECT_EQ(w->m_nY, 63 + 14 + 5);
    EXPECT_EQ(last->m_nX, 10);
    EXPECT_EQ(last->m_nY, 82 + 14 + 5);

    // At a greater width the wrap is cleared and the word joins the line again.
    doc.Layout(200);
    EXPECT_EQ(c->m_nBreak, 0);
    EXPECT_EQ(c->m_nX, 80);
    EXPECT_EQ(c->m_nY, 10);
}

TEST_F(BoxFontTest, TextDrawsInItsColourAndFont)
{
    TextDoc doc("<body><font color=#ff0000><u>ab</u> <strike>c</strike></font> <pre>x\r\n\ty</pre></body>");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, 100, 60);
    CBitmap* oldBmp = dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, 100, 60, RGB(255, 255, 255));
    dc.SetBkMode(TRANSPARENT);
    CFont* dcFont = dc.GetCurrentFont();

    FText* ab = doc.Word("ab");
    ab->m_nX = 2;
    ab->m_nY = 3;
    ab->Draw(&dc);
    // The colour stays set on the DC; the font is put back.
    EXPECT_EQ(dc.GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetCurrentFont(), dcFont);
    // Each 7-wide cell is filled but for its right-most column; the underline runs on row 3 + 13.
    EXPECT_EQ(dc.GetPixel(2, 3), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(7, 10), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(8, 10), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(8, 16), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(16, 3), RGB(255, 255, 255));

    FText* c = doc.Word("c");
    c->m_nX = 30;
    c->m_nY = 3;
    dc.FillSolidRect(29, 0, 20, 20, RGB(255, 255, 255));
    c->Draw(&dc);
    EXPECT_EQ(dc.GetPixel(36, 3 + 7), RGB(255, 0, 0)); // strike-out across the cell's last column
    EXPECT_EQ(dc.GetPixel(36, 3 + 6), RGB(255, 255, 255));

    // A preformatted run draws its lines below each other (CR LF is one break) and expands tabs.
    FText* pre = doc.Texts().back();
    pre->m_nX = 0;
    pre->m_nY = 30;
    dc.FillSolidRect(0, 30, 100, 30, RGB(255, 255, 255));
    pre->Draw(&dc);
    EXPECT_EQ(dc.GetTextColor(), 0u);
    EXPECT_EQ(dc.GetPixel(0, 30), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(0, 42), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(48, 42), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(48, 54), RGB(255, 255, 255));
    dc.SelectObject(oldBmp);
}
