// Pixel rules of shapes, lines, fills, block copies, the viewport origin and DC state.
#include "GdiTestUtil.h"

TEST_F(BoxDCTest, EllipseAndLinesCoverTheFrameworksPixels)
{
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kGreen);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);

    // The list bullet: a 5 x 5 disc.
    dc.Ellipse(30, 10, 35, 15);
    EXPECT_EQ(Rows(9, 16, 29, 36), ".......|..XXX..|.XgggX.|.XgggX.|.XgggX.|..XXX..|.......|");

    // Lines move the current position to their end point.
    dc.MoveTo(2, 40);
    EXPECT_TRUE(dc.LineTo(8, 40));
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(8, 40));
    dc.LineTo(8, 44);
    EXPECT_EQ(Column(8, 39, 46), ".XXXX..");
    dc.MoveTo(20, 40);
    dc.LineTo(24, 44);
    EXPECT_EQ(Rows(40, 45, 19, 26), ".X.....|..X....|...X...|....X..|.......|");
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

TEST_F(BoxDCTest, SolidFillsAnd3dRects)
{
    dc.FillSolidRect(3, 4, 5, 6, kRed);
    EXPECT_EQ(dc.GetBkColor(), kRed); // left set to the fill colour
    EXPECT_EQ(Rows(3, 11, 2, 9), ".......|.XXXXX.|.XXXXX.|.XXXXX.|.XXXXX.|.XXXXX.|.XXXXX.|.......|");
    EXPECT_EQ(Image().pixel(3, 4), 0xFFFF0000u);

    // Top row and left column in the first colour, less their last pixel; right and bottom in the second.
    dc.Draw3dRect(20, 10, 6, 4, kBlue, kGreen);
    EXPECT_EQ(Rows(10, 15, 19, 27), ".bbbbbg.|.b....g.|.b....g.|.gggggg.|........|");
    CRect r(40, 10, 43, 12);
    dc.Draw3dRect(&r, kBlue, kRed);
    EXPECT_EQ(Rows(10, 12, 40, 43), "bbX|XXX|");
}

TEST_F(BoxDCTest, BitBltCopiesAsThroughATemporary)
{
    // A row of distinct colours 0..9, then copies within the same bitmap in both directions.
    for (int x = 0; x < 10; ++x)
        dc.SetPixel(x, 0, RGB(BYTE(x * 20), 0, 0));
    auto row = [&] {
        std::vector<int> got;
        for (int x = 0; x < 10; ++x)
            got.push_back(qRed(Image().pixel(x, 0)) / 20);
        return got;
    };
    EXPECT_TRUE(dc.BitBlt(2, 0, 6, 1, &dc, 0, 0, SRCCOPY));
    EXPECT_EQ(row(), (std::vector<int>{0, 1, 0, 1, 2, 3, 4, 5, 8, 9}));
    dc.BitBlt(0, 0, 6, 1, &dc, 3, 0, SRCCOPY);
    EXPECT_EQ(row(), (std::vector<int>{1, 2, 3, 4, 5, 8, 4, 5, 8, 9}));

    // Between DCs, through both viewport origins; pixels arrive opaque.
    CDC src;
    src.CreateCompatibleDC(&dc);
    CBitmap sb;
    sb.CreateCompatibleBitmap(&src, 4, 4);
    CBitmap* old = src.SelectObject(&sb);
    kor::BitmapImage(&sb)->setPixel(1, 1, qPremultiply(qRgba(255, 0, 0, 128)));
    src.SetViewportOrg(-1, -1);
    dc.SetViewportOrg(10, 20);
    dc.BitBlt(0, 0, 2, 2, &src, 1, 1, SRCCOPY); // source device (0, 0), destination device (10, 20)
    EXPECT_EQ(Image().pixel(10, 20), 0xFF000000u);
    EXPECT_EQ(qAlpha(Image().pixel(11, 21)), 255);
    EXPECT_EQ(Image().pixel(11, 21) & 0xFFFFFF, 0x800000u); // half red composed over black
    EXPECT_EQ(Image().pixel(12, 22) & 0xFFFFFF, 0xFFFFFFu);
    src.SelectObject(old);
}

TEST_F(BoxDCTest, ViewportOriginAppliesToEveryCall)
{
    EXPECT_EQ(dc.SetViewportOrg(-5, 10), CPoint(0, 0));
    dc.SelectObject(Font(-4));
    dc.SetBkMode(TRANSPARENT);
    CPen pen(PS_SOLID, 1, kBlue);
    CPen* oldPen = dc.SelectObject(&pen);
    dc.MoveTo(10, 20);
    dc.LineTo(13, 20);
    EXPECT_EQ(Row(30, 4, 9), ".bbb.");
    dc.SelectObject(oldPen);
    CRect r(10, 30, 30, 40);
    dc.DrawText("b", -1, &r, DT_NOPREFIX);
    EXPECT_EQ(Row(40, 4, 8), ".X..");

    // Clip rectangles are logical too.
    dc.IntersectClipRect(10, 50, 12, 60);
    dc.FillSolidRect(0, 50, 40, 1, kGreen);
    EXPECT_EQ(Row(60, 0, 12), ".....gg.....");
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(10, 50, 12, 60));
}

TEST_F(BoxDCTest, ObjectsOutliveTheirWrappersWhileSelected)
{
    {
        CFont f;
        LOGFONT lf = MakeLogFont(-10);
        f.CreateFontIndirect(&lf);
        dc.SelectObject(&f);
    } // the wrapper is gone; the DC still holds the font
    EXPECT_EQ(dc.GetTextExtent("ab", 2), CSize(10, 10));
    dc.SelectStockObject(SYSTEM_FONT);

    // Deleting a bitmap that is selected keeps the DC's surface alive until it is deselected.
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    auto* b = new CBitmap;
    b->CreateCompatibleBitmap(&mem, 3, 3);
    CBitmap* old = mem.SelectObject(b);
    delete b;
    mem.FillSolidRect(0, 0, 3, 3, kRed);
    EXPECT_EQ(mem.GetPixel(1, 1), kRed);
    mem.SelectObject(old);
    EXPECT_EQ(mem.GetPixel(1, 1), 0xFFFFFFFFu);

    // GetObject gives back the description exactly, bytes after the face's NUL included.
    LOGFONT lf = MakeLogFont(-13, "Arial");
    lf.lfFaceName[10] = 'z';
    CFont f;
    f.CreateFontIndirect(&lf);
    LOGFONT back{};
    EXPECT_EQ(f.GetObject(sizeof(LOGFONT), &back), int(sizeof(LOGFONT)));
    EXPECT_EQ(memcmp(&lf, &back, sizeof(LOGFONT)), 0);
}

// Lines, fills and text reaching far outside the surface draw only what shows, and quickly.
TEST_F(BoxDCTest, FarAwayCoordinates)
{
    CPen solid(PS_SOLID, 1, kBlue);
    CPen* oldPen = dc.SelectObject(&solid);
    dc.MoveTo(-1000000000, -1000000000);
    dc.LineTo(1000000000, 1000000000);
    EXPECT_EQ(Rows(10, 12, 9, 12), ".b.|..b|");
    dc.MoveTo(-2000000000, 70);
    dc.LineTo(2000000000, 70);
    EXPECT_EQ(Row(70, 0, kWidth), std::string(kWidth, 'b'));
    dc.SelectObject(oldPen);

    dc.FillSolidRect(-2000000000, 75, 2100000000, 2, kGreen);
    EXPECT_EQ(Row(76, 0, 8), "gggggggg");
    dc.SelectObject(Font(-10));
    const std::string longText(1 << 20, 'x');
    dc.TextOut(-3000000, 0, longText.data(), int(longText.size()));
    CRect r(0, 0, 50, 20);
    EXPECT_EQ(dc.DrawText(CString(longText.data(), int(longText.size())), &r, DT_WORDBREAK | DT_NOPREFIX),
              10);
}
