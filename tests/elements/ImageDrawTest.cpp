// Drawing image elements (box font): placeholders and their labels, borders, scaled pictures, animation
// frames and their ticks, and animation only while in view.
#include "DocTestUtil.h"
#include "EventLoop.h"
#include "GifWriter.h"
#include "ImageFiles.h"
#include "TempDir.h"

#include "korhtml/HtmlSrvr.h"
#include "korhtml/ImageElement.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"

#include <string>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

class ImageDraw : public DocTest
{
protected:
    FImage* Image(const TestDoc& t, int nth = 0) { return static_cast<FImage*>(t.FindKind(TAG_IMG, nth)); }

    // A GIF of w x h whose frames are solid red, green, blue, ... with the given delays.
    std::string AnimatedGif(const char* name, int w, int h, const std::vector<int>& delays)
    {
        std::vector<testgif::Frame> frames;
        for (size_t i = 0; i < delays.size(); ++i)
            frames.push_back(testgif::Solid(0, 0, w, h, uint8_t(i % 3), delays[i]));
        std::string path = dir.File(name);
        EXPECT_TRUE(WriteFileBytes(path, testgif::Encode(w, h, {0xFF0000, 0x00FF00, 0x0000FF, 0}, frames)));
        return path;
    }

    TempDir dir;
};

TEST_F(ImageDraw, PlaceholderShowsTheStandInASunkenFrameAndTheLabel)
{
    std::string standIn = testimg::SolidPng(dir, "broken.png", 60, 12, Qt::green);
    SetGlobalImage(CString(standIn.c_str()), CString(standIn.c_str()));
    const COLORREF grey = RGB(128, 128, 128), silver = RGB(192, 192, 192), black = RGB(0, 0, 0);
    const COLORREF white = kWhite, blue = RGB(0, 0, 255), red = RGB(255, 0, 0);
    const struct
    {
        const char* page;
        COLORREF topLeft, bottomRight, label;
    } cases[] = {
        {"<body text=#0000ff link=#ff0000><img src=missing.gif>", grey, silver, blue},
        {"<body bgcolor=#404040 text=#0000ff><img src=missing.gif>", black, silver, blue},
        {"<body bgcolor=#d0d0d0 text=#0000ff><img src=missing.gif>", grey, white, blue},
        {"<body bgcolor=#000000 text=#0000ff><img src=missing.gif>", grey, silver, blue},
        // Inside a link the label takes the link colour.
        {"<body text=#0000ff link=#ff0000><a href=next.html><img src=missing.gif></a>", grey, silver, red},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        TestDoc t(200, 100);
        ASSERT_EQ(t.OpenHtml(c.page, dir.Path() + "/"), 1);
        t.Layout();
        FImage* img = Image(t);
        ASSERT_EQ(img->m_nWidth, 100);
        ASSERT_EQ(img->m_nHeight, 52);
        ASSERT_EQ(img->m_nX, 10);
        QImage out = t.Render(0);
        // The stand-in centred at the top; the frame's top and left edges, then its right and bottom
        // edges with their corners; seven letters of 5 pixels centred in (12, 32)-(108, 62): 42 to
        // 76, the last column blank.
        const COLORREF green = RGB(0, 255, 0);
        const Pixel pixels[] = {{30, 15, green},         {89, 26, green},          {29, 15, green, true},
                                {50, 10, c.topLeft},     {10, 40, c.topLeft},      {109, 10, c.bottomRight},
                                {10, 61, c.bottomRight}, {109, 61, c.bottomRight}, {42, 33, c.label},
                                {75, 41, c.label},       {41, 33, c.label, true},  {76, 33, c.label, true},
                                {50, 42, c.label, true}};
        ExpectPixels(out, pixels);
    }
}

TEST_F(ImageDraw, BorderInTheTextColourAroundThePicture)
{
    std::string picture = testimg::SolidPng(dir, "green.png", 20, 20, Qt::green);
    TestDoc t(200, 100);
    ASSERT_EQ(t.OpenHtml("<body text=#ff0000><img src=\"" + picture + "\" border=3 hspace=4 vspace=1>"), 1);
    t.Layout();
    ASSERT_EQ(Image(t)->m_nWidth, 34);
    QImage out = t.Render(0);
    // The rectangle (14, 11)-(40, 37): outline in the current pen (black), inside in the text
    // colour; the picture inside the border.
    const COLORREF black = RGB(0, 0, 0), red = RGB(255, 0, 0), green = RGB(0, 255, 0);
    const Pixel pixels[] = {{14, 20, black},  {15, 20, red},   {16, 12, red},
                            {38, 35, red},    {39, 20, black}, {40, 20, kWhite},
                            {13, 20, kWhite}, {17, 14, green}, {36, 33, green}};
    ExpectPixels(out, pixels);
}

TEST_F(ImageDraw, PictureIsDrawnAtTheSizeAskedFor)
{
    std::string halves = testimg::HalvesPng(dir, "halves.png", 10, 10, Qt::red, Qt::blue);
    TestDoc t(200, 100);
    ASSERT_EQ(t.OpenHtml("<img src=\"" + halves +
                         "\" width=40 height=20><br>"
                         "<img src=\"" +
                         halves + "\" width=10 height=10>"),
              1);
    t.Layout();
    ASSERT_EQ(Image(t)->m_nWidth, 40);
    QImage out = t.Render(0);
    // Stretched, then at its own size.
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    const int x = Image(t, 1)->m_nX, y = Image(t, 1)->m_nY;
    const Pixel pixels[] = {{11, 11, red},  {25, 28, red},        {33, 11, blue},
                            {49, 29, blue}, {50, 20, kWhite},     {20, 30, kWhite},
                            {x, y, red},    {x + 9, y + 9, blue}, {x + 10, y + 9, kWhite}};
    ExpectPixels(out, pixels);
}

TEST_F(ImageDraw, FramesChangeOnTheTicksTheirWaitsGive)
{
    // Waits of 0, 1 (a 100 ms frame) and 0 ticks.
    std::string gif = AnimatedGif("anim.gif", 20, 20, {0, 10, 0});
    TestDoc t(200, 100);
    ASSERT_EQ(t.OpenHtml("<img src=\"" + gif + "\" hspace=2 border=1>"), 1);
    t.Layout();
    FImage* img = Image(t);
    ASSERT_TRUE(img->IsAnimated());
    ASSERT_EQ(t->m_listAnimate.GetCount(), 1);
    t.Render(0);
    ASSERT_EQ(t->m_listAnimateVisible.GetCount(), 1);

    QImage* surface = kor::WindowSurface(t.Window());
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    const int frames[] = {1, 1, 2, 0, 1, 1};
    CClientDC dc(t.Window());
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        surface->setPixel(13, 11, qRgb(1, 2, 3));
        t->DrawAnimateImages(&dc);
        EXPECT_EQ(img->m_nFrame, frames[i]);
        // The frame is drawn inside the spaces and the border only when it changes.
        const bool changed = frames[i] != (i == 0 ? 0 : frames[i - 1]);
        EXPECT_EQ(PixelRef(*surface, 13, 11), changed ? colours[frames[i]] : RGB(1, 2, 3));
        EXPECT_EQ(PixelRef(*surface, 32, 30), colours[frames[i]]);
    }

    // A new measure pass starts the animation again.
    t->SetStaticData();
    EXPECT_EQ(img->m_nFrame, 0);
    EXPECT_EQ(img->m_nTick, 0);
}

TEST_F(ImageDraw, OnlyImagesInViewAreAnimatedAndTheTimerFollowsThem)
{
    std::string a = AnimatedGif("a.gif", 20, 20, {0, 0, 0});
    std::string b = AnimatedGif("b.gif", 20, 20, {0, 0});
    std::string still = AnimatedGif("still.gif", 20, 20, {0});
    std::string tall = testimg::SolidPng(dir, "tall.png", 10, 400, Qt::gray);
    TestDoc t(200, 100);
    ASSERT_EQ(t.OpenHtml("<img src=\"" + a + "\"><img src=\"" + still + "\"><br><img src=\"" + tall +
                         "\"><br><img src=\"" + b + "\">"),
              1);
    t.Layout();
    FImage* first = Image(t, 0);
    FImage* last = Image(t, 3);
    // Collected by the measure pass, in document order; a single frame does not animate.
    ASSERT_EQ(t->m_listAnimate.GetCount(), 2);
    EXPECT_EQ(t->m_listAnimate.GetHead(), first);
    EXPECT_EQ(t->m_listAnimate.GetTail(), last);
    ASSERT_GT(last->m_nY, 400);

    auto tick = [&](int scroll) {
        CClientDC dc(t.Window());
        dc.SetViewportOrg(0, -scroll);
        t->DrawAnimateImages(&dc);
    };
    // The animation timer's ticks, as the window receives them.
    int ticks = 0;
    kor::MessageFilter old = kor::SetMessageFilter([&](MSG& msg) {
        ticks += msg.message == WM_TIMER && msg.wParam == ID_TIMER_ANIMATE;
        return false;
    });
    auto ticking = [&] {
        Pump(60);
        ticks = 0;
        Pump(150);
        return ticks > 0;
    };
    t.Render(0);
    EXPECT_TRUE(t->HasState(STATE_ANIMATING));
    EXPECT_TRUE(ticking());
    tick(0);
    EXPECT_EQ(first->m_nFrame, 1);
    EXPECT_EQ(last->m_nFrame, 0);

    const int bottom = last->m_nY - 50;
    t.Render(bottom);
    EXPECT_TRUE(t->HasState(STATE_ANIMATING));
    tick(bottom);
    EXPECT_EQ(first->m_nFrame, 1);
    EXPECT_EQ(last->m_nFrame, 1);

    t.Render(200); // between them: nothing animated in view, the timer stops
    EXPECT_FALSE(t->HasState(STATE_ANIMATING));
    EXPECT_TRUE(t->m_listAnimateVisible.IsEmpty());
    EXPECT_FALSE(ticking());
    tick(200);
    EXPECT_EQ(first->m_nFrame, 1);
    EXPECT_EQ(last->m_nFrame, 1);

    // Deleting the contents while animating stops the timer as well.
    t.Render(0);
    EXPECT_TRUE(t->HasState(STATE_ANIMATING));
    t->Close();
    EXPECT_FALSE(t->HasState(STATE_ANIMATING));
    EXPECT_FALSE(ticking());
    kor::SetMessageFilter(old);
}

} // namespace
