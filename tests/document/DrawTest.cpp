// Tests of the document's band, hit tests, active link and tiled background (transparent tiles too).
#include "DocTestUtil.h"
#include "ElementBoxes.h"
#include "ImageFiles.h"
#include "TempDir.h"

#include "korgr/ImageDax.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/SimpleElements.h"
#include "korhtml/TextElement.h"
#include "maps/ImageManager.h"
#include "platform/win/win.h"

namespace {

class DrawTest : public DocTest
{
protected:
    // A document on a window of w x h whose body holds only what the test adds.
    CElement* Start(TestDoc& t)
    {
        EXPECT_EQ(t.OpenHtml("<body bgcolor=#102030 text=#405060>x"), 1);
        return EmptyBody(t.Doc());
    }
    // Measures and lays out the hand-made content, each box where it was pinned.
    static void Settle(TestDoc& t)
    {
        t->SetStaticData();
        t.Layout();
    }
};

TEST_F(DrawTest, BandCountsEdgesAndDrawsOnlyOverlappingElements)
{
    TestDoc t(200, 100);
    CElement* body = Start(t);
    std::vector<CVisible*> drawn;
    auto box = [&](int h, int y) {
        Box* b = Add(body, new Box(20, h));
        b->drawn = &drawn;
        return b->Pin(10, y);
    };
    Box* above = box(39, 10);   // y 10..49: above a band from 50
    Box* touchTop = box(50, 0); // y 0..50: its bottom edge lies on the band's top
    Box* inside = box(10, 60);
    box(10, 500);                    // between the band ends in document order, but below the band
    Box* touchBottom = box(10, 150); // its top edge lies on the band's bottom
    box(10, 151);                    // just below the band
    Settle(t);

    t.Render(50);
    EXPECT_EQ(t->GetTopVisible(), touchTop);
    EXPECT_EQ(t->GetBottomVisible(), touchBottom);
    EXPECT_EQ(drawn, (std::vector<CVisible*>{touchTop, inside, touchBottom}));

    // The searches for other bands store nothing.
    EXPECT_EQ(t->GetTopVisible(45, 49), above);
    EXPECT_EQ(t->GetTopVisible(), touchTop);

    // Scrolled past everything: no band, nothing drawn.
    drawn.clear();
    t.Render(600);
    EXPECT_EQ(t->GetTopVisible(), nullptr);
    EXPECT_EQ(t->GetBottomVisible(), nullptr);
    EXPECT_TRUE(drawn.empty());
}

TEST_F(DrawTest, HitTestsUseHalfOpenBoxesAndPreferLaterElements)
{
    TestDoc t(200, 100);
    CElement* body = Start(t);
    Box* a = Add(body, new Box(50, 20))->Pin(10, 60);
    Box* b = Add(body, new Box(50, 20))->Pin(50, 60);
    Settle(t);
    t.Render(0);

    EXPECT_EQ(t->GetVisibleInPoint(CPoint(10, 60)), a);
    EXPECT_EQ(t->GetVisibleInPoint(CPoint(55, 70)), b);       // both: the later one
    EXPECT_EQ(t->GetVisibleInPoint(CPoint(60, 70)), b);       // a's right edge is outside a
    EXPECT_EQ(t->GetVisibleInPoint(CPoint(30, 80)), nullptr); // bottom edge
    EXPECT_EQ(t->GetVisibleInPoint(CPoint(9, 60)), nullptr);
}

TEST_F(DrawTest, ActiveLinkFollowsAnchorsAndSurvivesBlankSpace)
{
    TestDoc t(200, 100);
    ASSERT_EQ(t.OpenHtml("<a href=next.html><b>link</b></a> plain <a name=here>named</a>"), 1);
    t.Layout();
    t.Render(0);
    CHtmlX* doc = t.Doc();
    auto* link = static_cast<FAnchor*>(t.FindText("link")->GetParentElement()->GetParentElement());
    auto on = [&](const char* word) {
        CVisible* w = t.FindText(word);
        return doc->MouseOnAnchor(CPoint(w->m_nX + 1, w->m_nY + 1));
    };

    EXPECT_EQ(doc->GetCurrentAnchor().str(), "");
    EXPECT_EQ(on("link"), 1);
    EXPECT_EQ(doc->m_pActiveLink, link);
    EXPECT_EQ(doc->GetCurrentAnchor().str(), "next.html");
    // Blank space: no answer, but the link stays active.
    EXPECT_EQ(doc->MouseOnAnchor(CPoint(15, 80)), 0);
    EXPECT_EQ(doc->GetCurrentAnchor().str(), "next.html");
    // An element outside anchors clears it.
    EXPECT_EQ(on("plain"), 0);
    EXPECT_EQ(doc->m_pActiveLink, nullptr);
    EXPECT_EQ(doc->GetCurrentAnchor().str(), "");
    // An anchor with only a name is active too, with an empty link.
    EXPECT_EQ(on("named"), 1);
    EXPECT_EQ(doc->m_pActiveLink, t.FindText("named")->GetParentElement());
    EXPECT_EQ(doc->GetCurrentAnchor().str(), "");

    // The active link survives layouts and scrolling; without a band nothing changes.
    doc->SetActiveLink(link);
    t.Layout();
    t.Render(1000);
    EXPECT_EQ(on("link"), 0);
    EXPECT_EQ(doc->GetCurrentAnchor().str(), "next.html");
    doc->SetActiveLink(nullptr);
    EXPECT_EQ(doc->GetCurrentAnchor().str(), "");

    // Deleting the contents drops it.
    doc->SetActiveLink(link);
    doc->Close();
    EXPECT_EQ(doc->m_pActiveLink, nullptr);
    EXPECT_EQ(doc->MouseOnAnchor(CPoint(11, 11)), 0);
}

TEST_F(DrawTest, RedrawInvalidatesOnlyElementsThatMoved)
{
    TestDoc t(200, 100);
    CElement* body = Start(t);
    Add(body, new Box(20, 10))->Pin(10, 10);
    Box* moving = Add(body, new Box(20, 10))->Pin(40, 10);
    Settle(t);
    t.Render(0);
    t->SaveOldRect();
    EXPECT_EQ(CRect(moving->m_rcDrawn), CRect(40, 10, 60, 20));

    t.Window()->ValidateRect(nullptr);
    t->RedrawElements();
    CRect rc;
    EXPECT_FALSE(t.Window()->GetUpdateRect(&rc));

    moving->At(40, 50);
    t->RedrawElements();
    EXPECT_TRUE(t.Window()->GetUpdateRect(&rc));
    EXPECT_EQ(rc, CRect(40, 10, 60, 60)); // old and new place
}

// ---- Background ----

// A tile of w x h whose pixel (x, y) is RGB(x, y, 50), saved as PNG in dir.
std::string WriteTile(const TempDir& dir, int w, int h)
{
    QImage tile(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            tile.setPixel(x, y, qRgb(x, y, 50));
    return testimg::SavePng(dir, ("tile" + std::to_string(w) + "x" + std::to_string(h) + ".png").c_str(),
                            tile);
}

// Counts the pixels of the window that do not show the tile anchored at document (0, 0).
int TileErrors(const QImage& img, int w, int h, int scrollY)
{
    int errors = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (PixelRef(img, x, y) != RGB(x % w, (y + scrollY) % h, 50))
                ++errors;
    return errors;
}

TEST_F(DrawTest, TiledBackgroundIsAnchoredAtTheDocumentOrigin)
{
    TempDir dir;
    struct Case
    {
        int viewW, viewH, tileW, tileH, scroll;
    } cases[] = {
        {95, 63, 10, 10, 7},       // composed: rows and columns by doubling
        {300, 300, 200, 200, 150}, // 2 x 2 tiles drawn directly: one column of cut tiles downwards
        {95, 150, 10, 200, 130},   // one row of tiles sideways
        {40, 30, 100, 100, 20},    // one tile covers the view
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.viewW << "x" << c.viewH << " tile " << c.tileW << "x" << c.tileH
                                        << " scroll " << c.scroll);
        TestDoc t(c.viewW, c.viewH);
        const std::string tile = WriteTile(dir, c.tileW, c.tileH);
        ASSERT_EQ(t.OpenHtml("<body bgcolor=#ff00ff background=\"" + tile + "\">"), 1);
        QImage img = t.Render(c.scroll);
        EXPECT_EQ(TileErrors(img, c.tileW, c.tileH, c.scroll), 0);
    }
}

TEST_F(DrawTest, TransparentPartsOfTilesShowWhatIsUnderThem)
{
    TempDir dir;
    testimg::HalvesPng(dir, "small.png", 10, 10, Qt::red, Qt::transparent);
    testimg::HalvesPng(dir, "large.png", 200, 200, Qt::red, Qt::transparent);
    const COLORREF red = RGB(255, 0, 0);

    // Many tiles are composed in a bitmap, which starts black: the page colour is not painted under them.
    {
        TestDoc t(95, 63);
        ASSERT_EQ(t.OpenHtml("<body bgcolor=#00ff00 background=small.png>", dir.Path() + "/"), 1);
        QImage img = t.Render(3);
        const Pixel pixels[] = {{2, 2, red}, {7, 2, RGB(0, 0, 0)}, {92, 60, red}, {57, 40, RGB(0, 0, 0)}};
        ExpectPixels(img, pixels);
    }
    // Up to 2 x 2 tiles are drawn straight onto the view, over what it showed.
    {
        TestDoc t(300, 300);
        ASSERT_EQ(t.OpenHtml("<body bgcolor=#00ff00 background=large.png>", dir.Path() + "/"), 1);
        kor::WindowSurface(t.Window())->fill(qRgb(1, 2, 3));
        QImage img = t.Render(0);
        const Pixel pixels[] = {{50, 50, red}, {150, 50, RGB(1, 2, 3)}, {250, 250, red}, {299, 299, red}};
        ExpectPixels(img, pixels);
    }
}

} // namespace
