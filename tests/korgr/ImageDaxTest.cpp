// Tests of the image library: GIF frames, waits and transparency, PNG, bad and hostile files,
// drawing.
#include "korgr/ImageDax.h"
#include "platform/gdi/gdi.h"

#include "DocTestUtil.h"
#include "GifWriter.h"
#include "Hostile.h"
#include "ImageFiles.h"
#include "TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// Palette entries are 0xRRGGBB; the canvas is checked in COLORREFs.
constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
constexpr COLORREF cGreen = RGB(0, 255, 0), cBlue = RGB(0, 0, 255), cWhite = 0xFFFFFF;

// Three frames on an 8 x 6 screen: a red 2 x 2 block on a transparent field (wait 1), a green block
// added beside it (kept, wait 0), and a blue block with transparent index 3 (wait 4).
std::string ThreeFrameGif()
{
    std::vector<testgif::Frame> frames;
    testgif::Frame first = testgif::Solid(0, 0, 8, 6, 3, 10, 3, 1);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            first.pixels[size_t(y * 8 + x)] = 0;
    frames.push_back(first);
    frames.push_back(testgif::Solid(4, 2, 2, 2, 1, 0, -1, 1));
    frames.push_back(testgif::Solid(6, 4, 2, 2, 2, 25, 3, 1));
    return testgif::Encode(8, 6, {kRed, kGreen, kBlue, kWhite}, frames);
}

class ImageDaxTest : public ::testing::Test
{
protected:
    std::string Path(const char* name) const { return dir.File(name); }
    std::string Write(const char* name, const std::string& bytes) const
    {
        EXPECT_TRUE(WriteFileBytes(Path(name), bytes));
        return Path(name);
    }
    TempDir dir;
};

QRgb FramePixel(const CImageDax& image, int frame, int x, int y)
{
    const QImage* picture = kor::ImageDaxFrame(image, frame);
    return picture ? picture->pixel(x, y) : 0xDEADBEEF;
}

} // namespace

TEST_F(ImageDaxTest, AnimatedGifFramesWaitsAndTransparency)
{
    CImageDax image;
    ASSERT_TRUE(image.Load(Write("anim.gif", ThreeFrameGif()).c_str()));
    EXPECT_EQ(image.Width(), 8);
    EXPECT_EQ(image.Height(), 6);
    ASSERT_EQ(image.GetImageCount(), 3);

    // 100 ms waits 1 tick, no delay 0, 250 ms 4; frames past the end wait 0 and have no transparency.
    const int waits[] = {1, 0, 4, 0}, transparent[] = {3, CImageDax::NoTransparentIndex, 3};
    for (int f = 0; f < 4; ++f)
        EXPECT_EQ(image.GetWaitTime(f), waits[f]) << f;
    for (int f = 0; f < 3; ++f)
        EXPECT_EQ(image.GetTransparentIndex(f), transparent[f]) << f;
    EXPECT_TRUE(image.IsTransparent(0));
    EXPECT_FALSE(image.IsTransparent(1));
    EXPECT_FALSE(image.IsTransparent(7));

    // Every frame is a whole picture: later frames keep what earlier ones drew.
    for (int f = 0; f < 3; ++f) {
        const QImage* picture = kor::ImageDaxFrame(image, f);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->size(), QSize(8, 6));
        EXPECT_EQ(FramePixel(image, f, 1, 1), 0xFFFF0000u) << f;
        EXPECT_EQ(qAlpha(FramePixel(image, f, 3, 0)), 0) << f;
    }
    EXPECT_EQ(qAlpha(FramePixel(image, 0, 4, 2)), 0);
    EXPECT_EQ(FramePixel(image, 1, 5, 3), 0xFF00FF00u);
    EXPECT_EQ(FramePixel(image, 2, 5, 3), 0xFF00FF00u);
    EXPECT_EQ(FramePixel(image, 2, 7, 5), 0xFF0000FFu);
    EXPECT_EQ(kor::ImageDaxFrame(image, 3), nullptr);
    EXPECT_EQ(kor::ImageDaxFrame(image, -1), nullptr);
}

TEST_F(ImageDaxTest, DelaysRoundToTicksAndMissingControlBlocks)
{
    std::vector<testgif::Frame> frames;
    for (int delay : {7, 8, 15, 100}) // 70 ms, 80 ms, 150 ms, 1 s
        frames.push_back(testgif::Solid(0, 0, 2, 2, 0, delay));
    frames.push_back(testgif::Solid(0, 0, 2, 2, 1));
    frames.back().control = false;
    CImageDax image;
    ASSERT_TRUE(image.Load(Write("d.gif", testgif::Encode(2, 2, {kRed, kGreen}, frames)).c_str()));
    ASSERT_EQ(image.GetImageCount(), 5);
    const int waits[] = {0, 1, 2, 19, 0};
    for (int f = 0; f < 5; ++f)
        EXPECT_EQ(image.GetWaitTime(f), waits[f]) << f;
    EXPECT_FALSE(image.IsTransparent(4));
    EXPECT_EQ(FramePixel(image, 4, 0, 0), 0xFF00FF00u);
}

TEST_F(ImageDaxTest, PngLoadsAsOneFrame)
{
    QImage alpha(4, 3, QImage::Format_ARGB32);
    alpha.fill(qRgba(0, 0, 255, 255));
    alpha.setPixel(1, 1, qRgba(255, 0, 0, 0));
    alpha.setPixel(2, 1, qRgba(0, 255, 0, 128));
    ASSERT_TRUE(alpha.save(QString::fromStdString(Path("a.png")), "PNG"));

    CImageDax png;
    ASSERT_TRUE(png.Load(Path("a.png").c_str()));
    EXPECT_EQ(png.GetSize(), CSize(4, 3));
    EXPECT_EQ(png.GetImageCount(), 1);
    EXPECT_EQ(png.GetWaitTime(0), 0);
    EXPECT_FALSE(png.IsTransparent(0)); // alpha is not a palette index
    EXPECT_EQ(qAlpha(FramePixel(png, 0, 1, 1)), 0);
    EXPECT_NEAR(qAlpha(FramePixel(png, 0, 2, 1)), 128, 1);
    // Alpha is drawn as transparency without any mask: blue, white ground, green over white.
    Canvas c(10, 10);
    png.Draw(&c.dc, 0, 0, 0, nullptr);
    EXPECT_EQ(c.At(0, 1), kBlue);
    EXPECT_EQ(c.At(1, 1), kWhite);
    EXPECT_NEAR(int(c.At(2, 1) & 0xFF), 127, 2);

    // A name written with backslashes finds the file too; reloading replaces the old picture.
    std::string backslashed = testimg::SolidPng(dir, "opaque.png", 10, 7, Qt::green);
    backslashed[backslashed.rfind('/')] = '\\';
    ASSERT_TRUE(png.Load(backslashed.c_str()));
    EXPECT_EQ(png.GetSize(), CSize(10, 7));
    EXPECT_EQ(qAlpha(FramePixel(png, 0, 5, 5)), 255);
}

TEST_F(ImageDaxTest, BadFilesFailCleanly)
{
    std::string gif = ThreeFrameGif();
    std::vector<std::string> bad = {
        Write("empty.gif", ""),
        Write("junk.gif", std::string("GIF89a\x01\x00\x01\x00\x00\x00\x00\x2C", 14)),
        Write("noise.png", "\x89PNG\r\n\x1a\nthis is not a picture at all"),
        Path("missing.gif"),
        dir.Path(),
    };
    for (const std::string& path : bad) {
        CImageDax image;
        EXPECT_FALSE(image.Load(path.c_str())) << path;
        EXPECT_EQ(image.GetSize(), CSize(0, 0)) << path;
        EXPECT_EQ(image.GetImageCount(), 1);
        EXPECT_EQ(kor::ImageDaxFrame(image, 0), nullptr);
    }
    CImageDax none;
    EXPECT_FALSE(none.Load(nullptr));
    EXPECT_FALSE(none.Load(""));

    // A good load followed by a failed one leaves nothing behind.
    CImageDax image;
    ASSERT_TRUE(image.Load(Write("good.gif", gif).c_str()));
    EXPECT_FALSE(image.Load(Path("missing.gif").c_str()));
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.GetImageCount(), 1);
}

// Whole pictures, natural or scaled, are drawn by the image elements and shown in their tests; a part
// of a picture only a host asks for.
TEST_F(ImageDaxTest, DrawsAPartAndNothingForWhatDoesNotExist)
{
    CImageDax image;
    ASSERT_TRUE(image.Load(Write("anim.gif", ThreeFrameGif()).c_str()));

    // The part from (4, 2) to the edges, unscaled: transparent pixels leave the white ground.
    Canvas c(20, 20);
    image.Draw(&c.dc, 10, 10, 4, 4, 4, 2, 2, nullptr);
    const Pixel part[] = {{10, 10, cGreen}, {11, 11, cGreen}, {12, 12, cBlue},
                          {13, 10, cWhite}, {14, 13, cWhite}, {9, 10, cWhite}};
    ExpectPixels(c.Image(), part);
    // Nothing for frames that do not exist, empty rectangles, sources past the edge, empty images.
    c.Clear();
    image.Draw(&c.dc, 0, 0, 5, nullptr);
    image.Draw(&c.dc, 0, 0, 0, 0, 0, 0, 0, nullptr);
    image.Draw(&c.dc, 0, 0, 4, 4, 8, 0, 0, nullptr);
    CImageDax empty;
    empty.Draw(&c.dc, 0, 0, 0, nullptr);
    empty.Draw(&c.dc, 0, 0, 4, 4, 0, 0, 0, nullptr);
    image.Draw(nullptr, 0, 0, 0, nullptr);
    EXPECT_EQ(c.Ink(), 0);
}

// Hostile image files: sizes that claim gigabytes, extreme drawing.
namespace {

TEST(HostileImage, ClaimedSizesAllocateNothingHuge)
{
    std::vector<std::string> claims;
    // A GIF screen and a GIF frame of 65535 x 65535, each with one tiny pixel of data.
    claims.push_back(testgif::Encode(65535, 65535, {0xFF0000}, {testgif::Solid(0, 0, 1, 1, 0)}));
    {
        testgif::Frame f = testgif::Solid(0, 0, 1, 1, 0);
        f.control = false;
        std::string s = testgif::Encode(4, 4, {0xFF0000}, {f});
        const size_t desc = 13 + 6; // header and screen, a palette of two entries
        ASSERT_EQ(s[desc], ',');
        s[desc + 5] = s[desc + 6] = s[desc + 7] = s[desc + 8] = char(0xFF);
        claims.push_back(s);
    }
    // A BMP header of 65535 x 65535 at 32 bits with no pixels: file header (pixels at 54), info header
    // (size 40, width, height, 1 plane, 32 bits), the rest zero.
    claims.push_back(
        std::string("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xFF\xFF\0\0\xFF\xFF\0\0\x01\0\x20", 29) +
        std::string(25, '\0'));
    const long before = hostile::PeakMB();
    for (size_t i = 0; i < claims.size(); ++i) {
        CImageDax image;
        EXPECT_FALSE(image.LoadFromMemory(claims[i].data(), int(claims[i].size()))) << i;
        EXPECT_EQ(image.GetSize(), CSize(0, 0)) << i;
    }
    EXPECT_LT(hostile::PeakMB() - before, 200) << "a claimed size was allocated";

    // An animation whose frames together would need gigabytes keeps only what fits the budget.
    std::vector<testgif::Frame> many;
    for (int i = 0; i < 40; ++i)
        many.push_back(testgif::Solid(i, i, 1, 1, uint8_t(i % 2), 5, -1, 1));
    const std::string bytes = testgif::Encode(2048, 2048, {0xFF0000, 0x0000FF}, many);
    CImageDax anim;
    ASSERT_TRUE(anim.LoadFromMemory(bytes.data(), int(bytes.size())));
    EXPECT_GE(anim.GetImageCount(), 1);
    EXPECT_LE(static_cast<long long>(anim.GetImageCount()) * 2048 * 2048, 16LL << 20);
    EXPECT_NE(kor::ImageDaxFrame(anim, anim.GetImageCount() - 1), nullptr);
}

TEST(HostileImage, ExtremeDrawing)
{
    const std::string bytes = testgif::Encode(40, 30, {kRed}, {testgif::Solid(0, 0, 40, 30, 0)});
    CImageDax image;
    ASSERT_TRUE(image.LoadFromMemory(bytes.data(), int(bytes.size())));

    Canvas canvas(20, 20);
    CDC& dc = canvas.dc;
    struct Call
    {
        int x, y, cx, cy, sx, sy, frame;
    };
    const Call calls[] = {
        {0, 0, INT_MAX, INT_MAX, 0, 0, 0},
        {INT_MIN, INT_MIN, 100, 100, 0, 0, 0},
        {INT_MAX, INT_MAX, 10, 10, 0, 0, 0},
        {-5, -5, 1 << 30, 3, 39, 29, 0},
        {0, 0, 10, 10, INT_MAX, INT_MAX, 0},
        {0, 0, 10, 10, INT_MIN, INT_MIN, 0},
        {0, 0, -1, -1, 0, 0, 0},
        {0, 0, 10, 10, 0, 0, INT_MAX},
        {0, 0, 10, 10, 0, 0, -1},
    };
    for (const Call& c : calls)
        image.Draw(&dc, c.x, c.y, c.cx, c.cy, c.sx, c.sy, c.frame, nullptr);
    image.Draw(&dc, INT_MAX, INT_MIN, 0, nullptr);
    image.Draw(&dc, 5, 5, INT_MIN, nullptr);
    dc.SetViewportOrg(INT_MAX, INT_MAX);
    image.Draw(&dc, INT_MAX, INT_MAX, 0, nullptr);
    image.Draw(&dc, INT_MAX, INT_MAX, 5, 5, 0, 0, 0, nullptr);
    // The picture and the DC still draw as before.
    dc.SetViewportOrg(0, 0);
    canvas.Clear();
    image.Draw(&dc, 0, 0, 0, nullptr);
    EXPECT_EQ(canvas.Ink(), 20 * 20);
}

} // namespace
