// Box-font metrics and text output: extents of odd bytes, blank controls, DrawText rules.
#include "GdiTestUtil.h"

TEST_F(BoxDCTest, ExtentsOfOddBytes)
{
    dc.SelectObject(Font(-14));
    EXPECT_EQ(dc.GetTextExtent("", 0), CSize(0, 14));
    EXPECT_EQ(dc.GetTextExtent(CString("a\xB0")), CSize(14, 14)); // a lead byte at the end is one byte
    // Any lead byte takes the byte after it, whatever that is.
    EXPECT_EQ(dc.GetTextExtent("\xB0 x", 3), CSize(21, 14));
    // A NUL inside a CString counts as a character.
    EXPECT_EQ(dc.GetTextExtent(CString("a\0b", 3)), CSize(21, 14));

    SIZE sz{};
    EXPECT_TRUE(GetTextExtentPointA(dc.GetSafeHdc(), "ab", 2, &sz));
    EXPECT_EQ(CSize(sz), CSize(14, 14));

    dc.SelectObject(Font(15)); // positive heights count the same
    EXPECT_EQ(dc.GetTextExtent("a\xB0\xA1", 3), CSize(22, 15));
    dc.SelectObject(Font(0));
    EXPECT_EQ(dc.GetTextExtent("ab", 2), CSize(16, 16));
}

// Controls and tabs advance but are not drawn.
TEST_F(BoxDCTest, TextOutLeavesControlsAndTabsBlank)
{
    dc.SelectObject(Font(-14));
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(0, 30, CString("\t\x01z"));
    EXPECT_EQ(Row(30, 0, 22), "..............XXXXXX..");
}

TEST_F(BoxDCTest, DrawTextMeasuresHardLinesUnexpandedTabsAndPrefixes)
{
    dc.SelectObject(Font(-10)); // one-byte 5, two-byte 10
    auto calc = [&](const char* s, UINT flags) {
        CRect r(3, 4, 3, 4);
        int h = dc.DrawText(s, -1, &r, flags | DT_CALCRECT);
        EXPECT_EQ(h, r.Height()) << s;
        EXPECT_EQ(r.left, 3);
        EXPECT_EQ(r.top, 4);
        return r.Size();
    };
    EXPECT_EQ(calc("ab\r\ncd\ref\ngh\n", DT_NOPREFIX),
              CSize(10, 40)); // CRLF is one break; the last starts nothing
    EXPECT_EQ(calc("", DT_NOPREFIX), CSize(0, 10));
    EXPECT_EQ(calc("\n\r", DT_NOPREFIX), CSize(0, 20));
    EXPECT_EQ(calc("a\nbbb", DT_NOPREFIX | DT_SINGLELINE), CSize(25, 10));
    EXPECT_EQ(calc("a\tb", DT_NOPREFIX), CSize(15, 10)); // unexpanded: one byte

    // Prefixes: "&&" is one ampersand.
    EXPECT_EQ(calc("a&&b", 0), CSize(15, 10));
    EXPECT_EQ(calc("a&bc", DT_NOPREFIX), CSize(20, 10));
}

TEST_F(BoxDCTest, DrawTextWordBreakCentreAndClipping)
{
    dc.SelectObject(Font(-10));
    // Greedy breaking after spaces within 50 pixels; the long word stays whole on its own line.
    CRect r(0, 0, 50, 0);
    EXPECT_EQ(dc.DrawText("aaa bbb cc dddddddddddd e", -1, &r, DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX), 30);
    EXPECT_EQ(r, CRect(0, 0, 60, 30));
    EXPECT_EQ(Ink(), 0); // measuring draws nothing

    dc.SetBkMode(TRANSPARENT);
    r = CRect(0, 0, 50, 40);
    dc.DrawText("aaa bbb cc dddddddddddd e", -1, &r, DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP);
    EXPECT_EQ(Row(0, 0, 52), "XXXX.XXXX.XXXX......XXXX.XXXX.XXXX......XXXX.XXXX...");
    EXPECT_EQ(Row(10, 55, 62), "XXXX..."); // the long word runs past the rectangle
    EXPECT_EQ(Row(20, 0, 7), "XXXX...");   // "e" starts its line, the space before it is gone

    // Centring: (31 - 10) / 2 = 10.
    canvas.Clear();
    r = CRect(20, 30, 51, 40);
    dc.DrawText("ab", -1, &r, DT_CENTER | DT_NOPREFIX);
    EXPECT_EQ(Row(30, 28, 42), "..XXXX.XXXX..."); // cells at 30..34 and 35..39

    // A line wider than the rectangle moves left by (4 - 15) / 2 = -5 (truncated towards zero).
    canvas.Clear();
    r = CRect(20, 50, 24, 60);
    dc.DrawText("abc", -1, &r, DT_CENTER | DT_NOPREFIX | DT_NOCLIP);
    EXPECT_EQ(Row(50, 13, 32), "..XXXX.XXXX.XXXX...");
    // Without DT_NOCLIP only the rectangle shows.
    canvas.Clear();
    dc.DrawText("abc", -1, &r, DT_CENTER | DT_NOPREFIX);
    EXPECT_EQ(Row(50, 13, 32), ".......XXXX........");
    EXPECT_EQ(Row(60, 13, 32), std::string(19, '.'));

    // Clipping also cuts the bottom; OPAQUE fills only inside.
    canvas.Clear();
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(kGreen);
    r = CRect(0, 0, 12, 15);
    dc.DrawText("abcdef\nghi", -1, &r, DT_NOPREFIX);
    EXPECT_EQ(Row(0, 0, 14), "XXXXgXXXXgXX..");
    EXPECT_EQ(Rows(14, 16, 0, 14), "XXXXgXXXXgXX..|..............|");
}

TEST_F(BoxDCTest, DrawTextPrefixUnderlinesItsCharacter)
{
    dc.SelectObject(Font(-10));
    dc.SetBkMode(TRANSPARENT);
    CRect r(0, 0, 100, 20);
    dc.DrawText("a&bc", -1, &r, DT_LEFT);
    EXPECT_EQ(Rows(8, 10, 0, 16), "XXXX.XXXX.XXXX..|XXXX.XXXXXXXXX..|"); // b's underline spans its advance
    canvas.Clear();
    dc.DrawText("a&bc", -1, &r, DT_NOPREFIX);
    EXPECT_EQ(Row(9, 0, 21), "XXXX.XXXX.XXXX.XXXX..");
}
