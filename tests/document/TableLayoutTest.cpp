// Tables through a whole document: hit tests, borders and colours. (Columns, rows, floats and
// alignment on small pages are pinned by the tables cases.)
#include "DocTestUtil.h"

#include "korhtml/TextElement.h"

#include <string>

namespace {

class TableLayoutTest : public DocTest
{
};

// Elements inside cells are hit like any other. (Their extracted text is pinned by the recorded
// extracted texts of the tables example page.)
TEST_F(TableLayoutTest, CellsTakePartInHitTests)
{
    TestDoc t(300, 200);
    ASSERT_EQ(t.OpenHtml("<table><tr><td>plain<td><a href=\"x.html\">link</a></table>"), 1);
    t.Layout();
    t.Render();
    CVisible* link = t.FindText("link");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(t->GetVisibleInPoint(CPoint(link->m_nX + 1, link->m_nY + 1)), link);
    EXPECT_EQ(t->MouseOnAnchor(CPoint(link->m_nX + 1, link->m_nY + 1)), 1);
    EXPECT_EQ(t->GetCurrentAnchor(), "x.html");
}

// bordercolor fills the whole table, so it shows in the spacing between the cells. With spacing 4
// the columns lie at 2, 17 and 32 and the table is 34 x 26 at (10, 10); the first cell's drawn box
// is (15, 15) to (25, 32), the second's (30, 15) to (40, 32).
TEST_F(TableLayoutTest, BorderColourShowsBetweenTheCells)
{
    TestDoc t(200, 100);
    ASSERT_EQ(t.OpenHtml("<table bordercolor=#ff0000 cellspacing=4><tr><td bgcolor=#ffffff>a"
                         "<td bgcolor=#ffffff>b</table>"),
              1);
    t.Layout();
    const QImage img = t.Render();
    const COLORREF red = RGB(255, 0, 0), white = RGB(255, 255, 255);
    // The table's corners, between the cells, left of the first cell's box; inside the boxes below
    // the text, and the page.
    const Pixel pixels[] = {{10, 10, red},   {43, 35, red},   {27, 20, red},   {14, 20, red},
                            {20, 31, white}, {39, 15, white}, {44, 20, white}, {20, 36, white}};
    ExpectPixels(img, pixels);
}

// The outer border is raised (light top and left, dark bottom and right), the cells sunken (dark
// top and left, light bottom and right), with colours chosen for the page's background unless the
// table gives its own. border 2: the table is 17 x 24 at (10, 10); the cell's box is (13, 13) to (23, 30).
TEST_F(TableLayoutTest, RaisedBorderAndSunkenCells)
{
    struct Case
    {
        const char* body;
        const char* table;
        COLORREF light, dark;
    } cases[] = {
        {"", "", 0xC0C0C0, 0x808080},
        {"bgcolor=#404040", "", 0xC0C0C0, 0x000000},
        {"bgcolor=#e0e0e0", "", 0xFFFFFF, 0x808080},
        {"bgcolor=#404040", "bordercolorlight=#00ff00 bordercolordark=#0000ff", RGB(0, 255, 0),
         RGB(0, 0, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.body) + " " + c.table);
        TestDoc t(200, 100);
        ASSERT_EQ(
            t.OpenHtml(std::string("<body ") + c.body + "><table border=2 " + c.table + "><tr><td>a</table>"),
            1);
        t.Layout();
        const QImage img = t.Render();
        // The outer border's two rings (top, left, bottom, right), then the cell's one pixel
        // whatever the table's border.
        const Pixel pixels[] = {
            {15, 10, c.light}, {15, 11, c.light}, {10, 20, c.light},      {11, 20, c.light}, {15, 33, c.dark},
            {15, 32, c.dark},  {26, 20, c.dark},  {25, 20, c.dark},       {17, 13, c.dark},  {13, 20, c.dark},
            {22, 20, c.light}, {17, 29, c.light}, {17, 28, c.light, true}};
        ExpectPixels(img, pixels);
    }
}

// A cell's background is its own colour, else its row's, else its table's; empty cells draw nothing.
// The columns are 12 wide and the rows 19 high from (10, 10); each cell's box starts one pixel in.
TEST_F(TableLayoutTest, CellBackgroundPrecedence)
{
    TestDoc t(200, 100);
    ASSERT_EQ(t.OpenHtml("<table bgcolor=#0000ff><tr bgcolor=#00ff00><td bgcolor=#ff0000>a<td>b<tr><td>c"
                         "<td bgcolor=#ffff00>d<td width=20></table>"),
              1);
    t.Layout();
    const QImage img = t.Render();
    // Then the empty cell, 21 wide from x 34, and between the cells: no border colour.
    const Pixel pixels[] = {{20, 27, RGB(255, 0, 0)},     {32, 27, RGB(0, 255, 0)},
                            {20, 46, RGB(0, 0, 255)},     {32, 46, RGB(255, 255, 0)},
                            {44, 40, RGB(255, 255, 255)}, {21, 20, RGB(255, 255, 255)}};
    ExpectPixels(img, pixels);
}

} // namespace
