// Tables through a whole document: the band, hit tests, borders, colours, and manual pages whose words
// must not overlap. (Columns, rows, floats and alignment on small pages are pinned by the tables cases.)
#include "DocTestUtil.h"

#include "korhtml/AttrValues.h"
#include "korhtml/TableElements.h"
#include "korhtml/TextElement.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

class TableLayoutTest : public DocTest
{
};

// The band at the top of the page ends before a table whose row holds content outside its cells.
// (Where that content goes is pinned by the tables cases.)
TEST_F(TableLayoutTest, BandEndsBeforeTheTable)
{
    TestDoc t(300, 400);
    ASSERT_EQ(t.OpenHtml("<p>first<p>second<table border=1><tr><td>cell with more words here</td> loose bits"
                         "<td>next</table>"),
              1);
    t.Layout();
    t->SetViewportOrg(0, 0);
    t->m_sizeViewport = CSize(300, 50);
    t->FindTopVisible();
    t->FindBottomVisible();
    ASSERT_NE(t->m_pBottomVisible, nullptr);
    EXPECT_EQ(t->m_pBottomVisible, t.FindText("second"));
}

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

// Text runs whose boxes overlap, found by a sweep down the page.
int Overlaps(const std::vector<CVisible*>& all)
{
    std::vector<CVisible*> runs;
    for (CVisible* v : all) {
        if (v->m_nKind != KIND_TEXT || v->m_nWidth <= 0 || v->m_nHeight <= 0)
            continue;
        CString raw = static_cast<FText*>(v)->m_strRaw;
        raw.TrimRight();
        if (!raw.IsEmpty())
            runs.push_back(v);
    }
    std::sort(runs.begin(), runs.end(), [](CVisible* a, CVisible* b) { return a->m_nY < b->m_nY; });
    int found = 0;
    std::vector<CVisible*> active;
    for (CVisible* r : runs) {
        std::erase_if(active, [&](CVisible* a) { return a->m_nY + a->m_nHeight <= r->m_nY; });
        for (CVisible* a : active)
            if (a->m_nX < r->m_nX + r->m_nWidth && r->m_nX < a->m_nX + a->m_nWidth) {
                ADD_FAILURE() << static_cast<FText*>(a)->m_strRaw.str() << " overlaps "
                              << static_cast<FText*>(r)->m_strRaw.str() << " at " << r->m_nX << ","
                              << r->m_nY;
                ++found;
            }
        active.push_back(r);
    }
    return found;
}

CElement* EnclosingCell(CElement* e)
{
    CElement* a = e->GetParentElement();
    while (a && a->m_nKind != TAG_TD && a->m_nKind != TAG_TH)
        a = a->GetParentElement();
    return a;
}

// Pages in the shape of the HTML manuals of the time: tables of key bindings with spanning
// headers, centred tables, layout tables with a side bar, nested tables, floats, stray markup
// between rows. At both widths no two words overlap, every word of a cell lies in the cell's box,
// and the table's cells lie in the table.
TEST_F(TableLayoutTest, ManualPagesHaveNoOverlappingWords)
{
    for (const char* file : {"manual-keys.html", "manual-layout.html"}) {
        for (int width : {800, 400}) {
            SCOPED_TRACE(std::string(file) + " at " + std::to_string(width));
            TestDoc t(width, 600);
            ASSERT_EQ(t.OpenFile(std::string(KORHTML_TEST_DATA) + "/" + file), 1);
            t.Layout();
            const std::vector<CVisible*> all = t.Visibles();
            ASSERT_GT(all.size(), 200u);
            EXPECT_EQ(Overlaps(all), 0);
            int cells = 0;
            for (CVisible* v : all) {
                if (v->m_nKind != TAG_TD && v->m_nKind != TAG_TH)
                    continue;
                ++cells;
                CElement* table = v->FindAncestorByKind(TAG_TABLE, FALSE, nullptr);
                ASSERT_NE(table, nullptr);
                const CVisible* tv = static_cast<CVisible*>(table);
                EXPECT_GE(v->m_nX, tv->m_nX);
                EXPECT_LE(v->m_nX + v->m_nWidth, tv->m_nX + tv->m_nWidth);
                EXPECT_GE(v->m_nY, tv->m_nY);
                EXPECT_LE(v->m_nY + v->m_nHeight, tv->m_nY + tv->m_nHeight);
                for (CTreeNode* n = v->GetFirstChild(); n; n = n->GetDFSNext(v)) {
                    CElement* e = static_cast<CElement*>(n);
                    if (e->m_nKind != KIND_TEXT || EnclosingCell(e) != v)
                        continue;
                    CVisible* w = static_cast<CVisible*>(e);
                    EXPECT_GE(w->m_nX, v->m_nX) << static_cast<FText*>(w)->m_strRaw.str();
                    EXPECT_LE(w->m_nX + w->m_nWidth, v->m_nX + v->m_nWidth)
                        << static_cast<FText*>(w)->m_strRaw.str();
                    EXPECT_GE(w->m_nY, v->m_nY);
                    EXPECT_LE(w->m_nY + w->m_nHeight, v->m_nY + v->m_nHeight);
                }
            }
            EXPECT_GT(cells, 20);
        }
    }
}

} // namespace
