// Rules, breaks and list items, hand-built and parsed: sizes, breaks, positions, the bar and the bullets.
#include "DocTestUtil.h"
#include "ElementTestTree.h"

#include "korhtml/RuleElements.h"
#include "korhtml/SimpleElements.h"
#include "platform/gdi/gdi.h"

#include <QImage>

#include <memory>
#include <tuple>

namespace {

// A white bitmap to draw elements on.
class Canvas
{
public:
    Canvas(int width, int height)
    {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateCompatibleBitmap(&dc, width, height);
        old = dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
    }
    ~Canvas() { dc.SelectObject(old); }

    // The pixel as 0xRRGGBB.
    unsigned At(int x, int y) { return kor::BitmapImage(&bmp)->pixel(x, y) & 0xFFFFFF; }
    // Pixels that are not white inside [x0, x1) x [y0, y1).
    int Ink(int x0, int y0, int x1, int y1)
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += At(x, y) != 0xFFFFFF;
        return n;
    }

    CDC dc;
    CBitmap bmp;
    CBitmap* old = nullptr;
};

// Position and size of an element.
std::tuple<int, int, int, int> Geo(CVisible* e)
{
    return {e->m_nX, e->m_nY, e->m_nWidth, e->m_nHeight};
}

void DrawAll(CElement* root, CDC* dc)
{
    for (CVisible* e = root->GetNextVisible(FALSE, nullptr); e; e = e->GetNextVisible(FALSE, nullptr))
        e->Draw(dc);
}

FRule* Rule(CElement* parent, int widthAttr = -1)
{
    FRule* r = Add(parent, new FRule(nullptr));
    r->m_nWidthAttr = widthAttr;
    return r;
}

} // namespace

TEST_F(ServerTest, RuleSizeFollowsItsWidthAttribute)
{
    FRule r(nullptr);
    EXPECT_EQ(r.m_dwFlags, EF_VISIBLE | EF_INLINE | EF_PARAGRAPH);
    r.SetLineWidth(600);
    EXPECT_EQ(r.m_nLineWidth, 600);
    EXPECT_EQ(r.m_nWidth, 600);
    EXPECT_EQ(r.m_nHeight, 4);

    r.m_nWidthAttr = -50; // 50%
    r.SetLineWidth(600);
    EXPECT_EQ(r.m_nWidth, 300);
    EXPECT_EQ(r.m_nHeight, 4);
    r.m_nWidthAttr = -33; // 580 x 33% = 191.4, truncated
    r.SetLineWidth(580);
    EXPECT_EQ(r.m_nWidth, 191);

    // A pixel width: the low half is the width, the high half the layout height.
    r.m_nWidthAttr = 200;
    r.SetLineWidth(600);
    EXPECT_EQ(r.m_nWidth, 200);
    EXPECT_EQ(r.m_nHeight, 0);
    EXPECT_EQ(r.m_nLineWidth, 600);
    r.m_nWidthAttr = (3 << 16) | 0xFFFF;
    r.SetLineWidth(600);
    EXPECT_EQ(r.m_nWidth, -1);
    EXPECT_EQ(r.m_nHeight, 3);
}

TEST_F(ServerTest, RulesStartParagraphsAndFollowTheLineAlignment)
{
    // body: word, HR, word, CENTER(HR 50%), word, HR width=200, word
    std::unique_ptr<FBody> body(new FBody(nullptr));
    TBox* w1 = Add(body.get(), new TBox(40, 14));
    FRule* hr = Rule(body.get());
    TBox* w2 = Add(body.get(), new TBox(40, 14));
    FCenter* center = Add(body.get(), new FCenter(nullptr));
    FRule* half = Rule(center, -50);
    TBox* w3 = Add(body.get(), new TBox(40, 14));
    FRule* fixed = Rule(body.get(), 200);
    TBox* w4 = Add(body.get(), new TBox(40, 14));
    MeasureAll(body.get());
    LayOut(body.get(), 800); // line width 780

    EXPECT_EQ(w1->m_nBreak, 0);
    EXPECT_EQ(hr->m_nBreak, BRK_PARA);
    EXPECT_EQ(w2->m_nBreak, BRK_PARA);
    EXPECT_EQ(half->m_nBreak, BRK_PARA);
    EXPECT_EQ(w3->m_nBreak, BRK_PARA);
    EXPECT_EQ(fixed->m_nBreak, BRK_PARA);
    EXPECT_EQ(w4->m_nBreak, BRK_PARA);

    EXPECT_EQ(Geo(w1), std::make_tuple(10, 10, 40, 14));
    // A full rule fills its line exactly; a paragraph gap above and below.
    EXPECT_EQ(Geo(hr), std::make_tuple(10, 44, 780, 4));
    EXPECT_EQ(w2->m_nY, 68);
    // Half the line, centred by the enclosing CENTER: (780 - 390) / 2 to the right.
    EXPECT_EQ(half->m_nAlign, 6);
    EXPECT_EQ(Geo(half), std::make_tuple(205, 102, 390, 4));
    EXPECT_EQ(w3->m_nY, 126);
    // A pixel-wide rule takes no height in the layout.
    EXPECT_EQ(Geo(fixed), std::make_tuple(10, 160, 200, 0));
    EXPECT_EQ(w4->m_nY, 180);
}

TEST_F(ServerTest, RuleBarIsShadedAgainstTheBackground)
{
    struct Case
    {
        COLORREF background, topLeft, bottomRight;
    };
    const Case cases[] = {
        {0xFFFFFF, 0x808080, 0xC0C0C0}, // white page
        {0x000000, 0x808080, 0xC0C0C0}, // black counts as no colour for the shadow
        {0x800000, 0x000000, 0xC0C0C0}, // dark blue
        {0x808080, 0x000000, 0xC0C0C0}, // the darkest grey that still gets a black shadow
        {0xC0C0C0, 0x808080, 0xFFFFFF}, // light grey gets a white highlight
        {0xEEFFFF, 0x808080, 0xFFFFFF}, // light yellow
        {0x808081, 0x808080, 0xC0C0C0}, // just above mid grey
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.background);
        std::unique_ptr<FBody> body(new FBody(nullptr));
        body->m_crBgColor = c.background;
        FRule* hr = Rule(body.get(), 200); // 0 high in the layout, still drawn 4 high
        hr->SetLineWidth(500);
        hr->m_nX = 10;
        hr->m_nY = 5;
        ASSERT_EQ(hr->m_nHeight, 0);
        Canvas canvas(240, 20);
        hr->Draw(&canvas.dc);
        auto hex = [](COLORREF c) { return unsigned(GetBValue(c)) << 16 | GetGValue(c) << 8 | GetRValue(c); };
        EXPECT_EQ(canvas.At(10, 5), hex(c.topLeft));      // top-left corner
        EXPECT_EQ(canvas.At(100, 5), hex(c.topLeft));     // top edge
        EXPECT_EQ(canvas.At(10, 7), hex(c.topLeft));      // left edge
        EXPECT_EQ(canvas.At(209, 5), hex(c.bottomRight)); // top-right corner
        EXPECT_EQ(canvas.At(209, 7), hex(c.bottomRight)); // right edge
        EXPECT_EQ(canvas.At(10, 8), hex(c.bottomRight));  // bottom-left corner
        EXPECT_EQ(canvas.At(100, 8), hex(c.bottomRight)); // bottom edge
        EXPECT_EQ(canvas.At(100, 6), 0xFFFFFFu);          // the inside is left alone
        // The top row and left column less the corners the other colour takes, then the rest.
        int ink = (c.topLeft != 0xFFFFFF ? 199 + 2 : 0) + (c.bottomRight != 0xFFFFFF ? 200 + 3 : 0);
        EXPECT_EQ(canvas.Ink(0, 0, 240, 20), ink);
    }
}

TEST_F(ServerTest, BreaksEndLinesAndTwoMakeAnEmptyLine)
{
    // body: w1 BR w2 BR BR w3, then P(BR w4)
    std::unique_ptr<FBody> body(new FBody(nullptr));
    TBox* w1 = Add(body.get(), new TBox(40, 14));
    FBreak* br1 = Add(body.get(), new FBreak(nullptr));
    TBox* w2 = Add(body.get(), new TBox(40, 14));
    FBreak* br2 = Add(body.get(), new FBreak(nullptr));
    FBreak* br3 = Add(body.get(), new FBreak(nullptr));
    TBox* w3 = Add(body.get(), new TBox(40, 14));
    FParagraph* p = Add(body.get(), new FParagraph(nullptr));
    FBreak* br4 = Add(p, new FBreak(nullptr));
    TBox* w4 = Add(p, new TBox(40, 14));
    MeasureAll(body.get());
    LayOut(body.get(), 800);

    EXPECT_EQ(br1->m_nBreak, 0);
    EXPECT_EQ(w2->m_nBreak, BRK_LINE);
    // A break looks for the line-break element before itself: the second of two gets a line.
    EXPECT_EQ(br2->m_nBreak, 0);
    EXPECT_EQ(br3->m_nBreak, BRK_LINE);
    EXPECT_EQ(w3->m_nBreak, BRK_LINE);
    // The first content of a paragraph, even a break, starts the paragraph.
    EXPECT_EQ(br4->m_nBreak, BRK_PARA);
    EXPECT_EQ(w4->m_nBreak, BRK_LINE);

    // The break is 15 high at the end of the line; the words sit on the line's bottom.
    EXPECT_EQ(Geo(br1), std::make_tuple(50, 10, 0, 15));
    EXPECT_EQ(w1->m_nY, 11);
    EXPECT_EQ(CPoint(w2->m_nX, w2->m_nY), CPoint(10, 31));
    EXPECT_EQ(CPoint(br2->m_nX, br2->m_nY), CPoint(50, 30));
    // The empty line of the second break: 15 high, one line gap on either side.
    EXPECT_EQ(CPoint(br3->m_nX, br3->m_nY), CPoint(10, 50));
    EXPECT_EQ(CPoint(w3->m_nX, w3->m_nY), CPoint(10, 70));
    EXPECT_EQ(CPoint(br4->m_nX, br4->m_nY), CPoint(10, 104));
    EXPECT_EQ(CPoint(w4->m_nX, w4->m_nY), CPoint(10, 124));
    // The line-end search stops at a break.
    EXPECT_EQ(w1->GetLineEnd(BRK_WRAP | BRK_LINE | BRK_PARA), br1);
}

TEST_F(ServerTest, ListItemsIndentByLevelAndDrawOneDisc)
{
    // body: UL(LI w1, LI(w2 UL(LI w3))), OL(LI w4, LI), wA
    std::unique_ptr<FBody> body(new FBody(nullptr));
    body->m_crText = RGB(0, 0, 255);
    FUnorderedList* ul = Add(body.get(), new FUnorderedList(nullptr));
    FListItem* li1 = Add(ul, new FListItem(nullptr));
    TBox* w1 = Add(li1, new TBox(40, 14));
    FListItem* li2 = Add(ul, new FListItem(nullptr));
    TBox* w2 = Add(li2, new TBox(40, 14));
    FUnorderedList* ul2 = Add(li2, new FUnorderedList(nullptr));
    FListItem* li3 = Add(ul2, new FListItem(nullptr));
    TBox* w3 = Add(li3, new TBox(40, 14));
    FOrderedList* ol = Add(body.get(), new FOrderedList(nullptr));
    FListItem* li4 = Add(ol, new FListItem(nullptr));
    li4->m_nType = 1; // an ordered type changes nothing
    TBox* w4 = Add(li4, new TBox(40, 14));
    FListItem* li5 = Add(ol, new FListItem(nullptr));
    TBox* wA = Add(body.get(), new TBox(40, 14));
    MeasureAll(body.get());
    LayOut(body.get(), 800);

    EXPECT_EQ(li1->m_nBreak, BRK_PARA | BRK_LINE);
    EXPECT_EQ(w1->m_nBreak, 0); // the text follows its bullet on the same line
    EXPECT_EQ(li2->m_nBreak, BRK_LINE);
    EXPECT_EQ(li3->m_nBreak, BRK_PARA | BRK_LINE);
    EXPECT_EQ(li4->m_nBreak, BRK_PARA | BRK_LINE);
    EXPECT_EQ(li5->m_nBreak, BRK_LINE);
    EXPECT_EQ(wA->m_nBreak, BRK_PARA);
    EXPECT_EQ(li3->m_nListLevel, 2);
    EXPECT_EQ(li3->GetIndent(), 40);
    EXPECT_EQ(w3->m_bInListItem, 1);

    // Items are 10 x 5 on the bottom of their line, indented 20 per list; the text follows.
    EXPECT_EQ(Geo(li1), std::make_tuple(30, 19, 10, 5));
    EXPECT_EQ(CPoint(w1->m_nX, w1->m_nY), CPoint(40, 10));
    EXPECT_EQ(CPoint(li2->m_nX, li2->m_nY), CPoint(30, 38));
    EXPECT_EQ(CPoint(w2->m_nX, w2->m_nY), CPoint(40, 29));
    EXPECT_EQ(CPoint(li3->m_nX, li3->m_nY), CPoint(50, 72));
    EXPECT_EQ(CPoint(w3->m_nX, w3->m_nY), CPoint(60, 63));
    EXPECT_EQ(CPoint(li4->m_nX, li4->m_nY), CPoint(30, 106));
    EXPECT_EQ(CPoint(w4->m_nX, w4->m_nY), CPoint(40, 97));
    EXPECT_EQ(CPoint(li5->m_nX, li5->m_nY), CPoint(30, 116));
    EXPECT_EQ(CPoint(wA->m_nX, wA->m_nY), CPoint(10, 141));

    Canvas canvas(200, 170);
    CPen* pen = canvas.dc.GetCurrentPen();
    CBrush* brush = canvas.dc.GetCurrentBrush();
    DrawAll(body.get(), &canvas.dc);
    // The DC gets its own pen and brush back.
    EXPECT_EQ(canvas.dc.GetCurrentPen(), pen);
    EXPECT_EQ(canvas.dc.GetCurrentBrush(), brush);
    // A 5-pixel disc in the text colour, 3 to 8 pixels above the item's top.
    EXPECT_EQ(canvas.At(32, 13), 0x0000FFu);
    EXPECT_EQ(canvas.At(30, 13), 0x0000FFu);
    EXPECT_EQ(canvas.At(34, 13), 0x0000FFu);
    EXPECT_EQ(canvas.At(32, 11), 0x0000FFu);
    EXPECT_EQ(canvas.At(32, 15), 0x0000FFu);
    EXPECT_EQ(canvas.Ink(29, 10, 36, 17), canvas.Ink(30, 11, 35, 16));
    int disc = canvas.Ink(30, 11, 35, 16);
    EXPECT_GE(disc, 13);
    // The same disc for the nested item and for the ordered list's item; none for the empty one.
    EXPECT_EQ(canvas.Ink(50, 64, 55, 69), disc);
    EXPECT_EQ(canvas.Ink(30, 98, 35, 103), disc);
    EXPECT_EQ(canvas.Ink(30, 30, 35, 35), disc); // the second item's
    EXPECT_EQ(canvas.Ink(0, 0, 200, 170), 4 * disc);
    EXPECT_EQ(canvas.Ink(20, 104, 60, 125), 0);
}

TEST_F(DocTest, ParsedListsBreaksAndRulesLayOutAndDraw)
{
    // An ordered list inside an item of an unordered one, ending with an empty item.
    TestDoc t(300, 200);
    ASSERT_TRUE(
        t.OpenHtml("<body text=#0000ff><ul><li>ab<ol><li>cd<li></ol></ul>ef<br><br>gh<hr width=50%>"));
    t.Layout();
    EXPECT_EQ(t.Dump(), "41 30 19 10 5 6\n"
                        "74 40 10 14 14 0 ab\n"
                        "41 50 53 10 5 6\n"
                        "74 60 44 14 14 0 cd\n"
                        "41 50 63 10 5 2\n"
                        "74 10 89 14 14 4 ef\n"
                        "10 24 88 0 15 0\n"
                        "10 10 108 0 15 2\n"
                        "74 10 128 14 14 2 gh\n"
                        "34 10 162 140 4 4\n");

    QImage image = t.Render();
    const COLORREF blue = RGB(0, 0, 255);
    EXPECT_EQ(PixelRef(image, 32, 13), blue);                // the outer item's disc
    EXPECT_EQ(PixelRef(image, 52, 47), blue);                // the ordered item's disc
    EXPECT_EQ(PixelRef(image, 52, 57), RGB(255, 255, 255));  // no disc for the empty item
    EXPECT_EQ(PixelRef(image, 10, 162), RGB(128, 128, 128)); // the rule on a white page
    EXPECT_EQ(PixelRef(image, 149, 162), RGB(192, 192, 192));
}
