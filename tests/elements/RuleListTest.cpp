// Rules and list items: the size of a rule, the shading of its bar, the bullets of list items.
#include "Canvas.h"
#include "DocTestUtil.h"
#include "ElementBoxes.h"

#include "korhtml/RuleElements.h"
#include "korhtml/SimpleElements.h"

#include <memory>

namespace {

class RuleListTest : public DocTest
{
};

TEST_F(RuleListTest, RuleSizeFollowsItsWidthAttribute)
{
    struct Case
    {
        int widthAttr, lineWidth, width, height;
    } cases[] = {
        {-1, 600, 600, 4},  // no width: the whole line
        {-33, 580, 191, 4}, // 580 x 33% = 191.4, truncated
        {200, 600, 200, 0}, // pixels: the low half is the width, the high half the layout height
        {(3 << 16) | 0xFFFF, 600, -1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.widthAttr);
        FRule r(nullptr);
        r.m_nWidthAttr = c.widthAttr;
        r.SetLineWidth(c.lineWidth);
        EXPECT_EQ(r.m_nLineWidth, c.lineWidth);
        EXPECT_EQ(r.m_nWidth, c.width);
        EXPECT_EQ(r.m_nHeight, c.height);
    }
}

TEST_F(RuleListTest, RuleBarIsShadedAgainstTheBackground)
{
    struct Case
    {
        COLORREF background;
        unsigned topLeft, bottomRight; // 0xRRGGBB
    } cases[] = {
        {RGB(255, 255, 255), 0x808080, 0xC0C0C0}, // white page
        {RGB(0, 0, 0), 0x808080, 0xC0C0C0},       // black counts as no colour for the shadow
        {RGB(128, 128, 128), 0x000000, 0xC0C0C0}, // the lightest grey that still gets a black shadow
        {RGB(129, 128, 128), 0x808080, 0xC0C0C0}, // just above it
        {RGB(192, 192, 192), 0x808080, 0xFFFFFF}, // light grey gets a white highlight
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.background);
        std::unique_ptr<FBody> body(new FBody(nullptr));
        body->m_crBgColor = c.background;
        FRule* hr = Add(body.get(), new FRule(nullptr));
        hr->m_nWidthAttr = 200; // no height in the layout, still drawn 4 high
        hr->SetLineWidth(500);
        hr->m_nX = 10;
        hr->m_nY = 5;
        Canvas canvas(240, 20);
        hr->Draw(&canvas.dc);
        // Which corners each colour takes is the frame drawing's own business.
        EXPECT_EQ(canvas.At(10, 7), c.topLeft);      // left edge
        EXPECT_EQ(canvas.At(209, 7), c.bottomRight); // right edge
        EXPECT_EQ(canvas.At(100, 6), 0xFFFFFFu);     // the inside is left alone
        // The top row and left column less the corners the other colour takes, then the rest.
        int ink = (c.topLeft != 0xFFFFFF ? 199 + 2 : 0) + (c.bottomRight != 0xFFFFFF ? 200 + 3 : 0);
        EXPECT_EQ(canvas.Ink(), ink);
    }
}

TEST_F(RuleListTest, ListItemsDrawOneDiscInTheTextColour)
{
    // The item positions are those of the layout goldens: items at (30, 19), (30, 38), (50, 72),
    // (30, 106) and an empty one at (30, 116).
    TestDoc t(200, 170);
    ASSERT_EQ(t.OpenHtml("<body text=#0000ff><ul><li>w1<li>w2<ul><li>w3</ul></ul><ol><li>w4<li></ol>wA"), 1);
    t.Layout();
    QImage image = t.Render();
    auto ink = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += PixelRef(image, x, y) == RGB(0, 0, 255);
        return n;
    };
    // A 5-pixel disc 3 to 8 pixels above the item's top, in the text colour, and nothing around it.
    const int disc = ink(30, 11, 35, 16);
    EXPECT_GE(disc, 13);
    EXPECT_EQ(ink(29, 10, 36, 17), disc);
    // The same disc for the second item, the nested one and the ordered list's; none for the empty item.
    EXPECT_EQ(ink(30, 30, 35, 35), disc);
    EXPECT_EQ(ink(50, 64, 55, 69), disc);
    EXPECT_EQ(ink(30, 98, 35, 103), disc);
    EXPECT_EQ(ink(20, 104, 36, 115), 0);
}

} // namespace
