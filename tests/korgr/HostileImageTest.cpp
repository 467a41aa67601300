// Hostile image files: cut and corrupted PNG, JPEG and GIF, sizes that claim gigabytes, extreme drawing.
#include "korgr/ImageDax.h"
#include "platform/gdi/gdi.h"

#include "Canvas.h"
#include "GifWriter.h"
#include "Hostile.h"
#include "TempDir.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <sys/resource.h>

namespace {

// A 40 x 30 picture with some detail, saved by Qt in the given format.
std::string Encoded(const char* format)
{
    QImage image(40, 30, QImage::Format_ARGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            image.setPixel(x, y, qRgba(x * 6, y * 8, (x * y) & 0xFF, 128 + x));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

uint32_t Crc32(const std::string& s, size_t from, size_t to)
{
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = from; i < to; ++i) {
        c ^= uint8_t(s[i]);
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

void PutBigEndian(std::string& s, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s[at + size_t(i)] = char(v >> (24 - 8 * i));
}

// Peak resident memory of the process so far, in MB.
long PeakMB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

// Loads the bytes; a failure must leave the empty image, a success a sane one.
bool LoadChecked(CImageDax& image, const std::string& bytes, const std::string& label)
{
    bool ok = image.LoadFromMemory(bytes.data(), int(bytes.size()));
    if (!ok) {
        EXPECT_EQ(image.GetSize(), CSize(0, 0)) << label;
        EXPECT_EQ(image.GetImageCount(), 1) << label;
    } else {
        EXPECT_GT(image.Width(), 0) << label;
        EXPECT_GT(image.Height(), 0) << label;
        EXPECT_NE(kor::ImageDaxFrame(image, image.GetImageCount() - 1), nullptr) << label;
    }
    return ok;
}

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
    // A PNG whose header says 65535 x 65535, with a correct checksum.
    {
        std::string png = Encoded("PNG");
        ASSERT_EQ(png.substr(12, 4), "IHDR");
        PutBigEndian(png, 16, 65535);
        PutBigEndian(png, 20, 65535);
        PutBigEndian(png, 29, Crc32(png, 12, 29));
        claims.push_back(png);
    }
    // A JPEG whose frame header says 65535 x 65535.
    {
        std::string jpeg = Encoded("JPEG");
        size_t sof = jpeg.find("\xFF\xC0");
        ASSERT_NE(sof, std::string::npos);
        jpeg[sof + 5] = jpeg[sof + 6] = jpeg[sof + 7] = jpeg[sof + 8] = char(0xFF);
        claims.push_back(jpeg);
    }
    // A BMP header of 65535 x 65535 at 32 bits with no pixels: file header (pixels at 54), info header
    // (size 40, width, height, 1 plane, 32 bits), the rest zero.
    claims.push_back(
        std::string("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xFF\xFF\0\0\xFF\xFF\0\0\x01\0\x20", 29) +
        std::string(25, '\0'));
    const long before = PeakMB();
    for (size_t i = 0; i < claims.size(); ++i) {
        CImageDax image;
        EXPECT_FALSE(LoadChecked(image, claims[i], "claim")) << i;
    }
    EXPECT_LT(PeakMB() - before, 200) << "a claimed size was allocated";

    // An animation whose frames together would need gigabytes keeps only what fits the budget.
    std::vector<testgif::Frame> many;
    for (int i = 0; i < 40; ++i)
        many.push_back(testgif::Solid(i, i, 1, 1, uint8_t(i % 2), 5, -1, 1));
    CImageDax anim;
    ASSERT_TRUE(LoadChecked(anim, testgif::Encode(2048, 2048, {0xFF0000, 0x0000FF}, many), "many"));
    EXPECT_LE(static_cast<long long>(anim.GetImageCount()) * 2048 * 2048, 16LL << 20);
    EXPECT_GE(anim.GetImageCount(), 1);
}

TEST(HostileImage, ExtremeDrawingAndFileNames)
{
    TempDir dir;
    // A name with spaces and Korean bytes ("그림 파일.png" in CP949), used as bytes.
    const std::string name = dir.File("\xB1\xD7\xB8\xB2 \xC6\xC4\xC0\xCF.png");
    ASSERT_TRUE(WriteFileBytes(name, Encoded("PNG")));
    CImageDax image;
    ASSERT_TRUE(image.Load(name.c_str()));
    EXPECT_EQ(image.GetSize(), CSize(40, 30));

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
        {0, 0, 0, 0, 0, 0, 0},
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
