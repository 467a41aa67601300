// Hostile pictures in pages: cut files, files lying about their size, huge headers, animations of
// thousands of frames, absurd attributes and endless floats: placeholders, bounded memory, no crash.
#include "DocTestUtil.h"
#include "GifWriter.h"
#include "Hostile.h"
#include "ImageFiles.h"
#include "TempDir.h"

#include "korgr/ImageDax.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/ImageElement.h"
#include "korlib/korlib.h"
#include "platform/gdi/gdi.h"

#include <string>
#include <vector>

using hostile::Repeat;

namespace {

class HostileImages : public DocTest
{
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        standIn = testimg::SolidPng(dir, "standin.png", 16, 16, Qt::magenta);
        SetGlobalImage(CString(standIn.c_str()), CString(standIn.c_str()));
    }

    // Lays out at a few widths and paints a few bands: nothing may crash.
    static void Exercise(TestDoc& t)
    {
        for (int width : {320, 97, 13}) {
            t->Layout(width, 240);
            const CSize size = t->GetContentSize();
            EXPECT_GE(size.cx, 0);
            EXPECT_GE(size.cy, 0);
            t.Render(0);
            t.Render(size.cy / 2);
            t->MouseOnAnchor(CPoint(20, 20));
        }
    }

    TempDir dir;
    std::string standIn;
};

TEST_F(HostileImages, BadFilesBecomePlaceholdersWithoutHugeAllocations)
{
    // Lying headers of every format are the decoder's own tests; here they meet a page.
    const std::string gif = testgif::Encode(40, 30, {0xFF0000, 0x00FF00}, {testgif::Solid(0, 0, 40, 30, 1)});

    struct Bad
    {
        const char* name;
        std::string bytes;
        bool mustFail;
    };
    const std::vector<Bad> bad = {
        {"cut.gif", gif.substr(0, gif.size() * 2 / 3), false},
        {"noise.png", "\x89PNG\r\n\x1a\n" + Repeat("\xDE\xAD\xBE\xEF", 50), true},
        {"screen.gif", testgif::Encode(30000, 30000, {0xFF0000}, {testgif::Solid(0, 0, 1, 1, 0)}), true},
    };
    std::string page = "<p>";
    for (const Bad& b : bad) {
        ASSERT_TRUE(WriteFileBytes(dir.File(b.name), b.bytes));
        page += std::string("<img src=") + b.name + " alt=" + b.name + "> ";
    }
    const long before = hostile::PeakMB();
    TestDoc t(320, 240);
    ASSERT_EQ(t.OpenHtml(page, dir.Path() + "/"), 1);
    Exercise(t);
    EXPECT_LT(hostile::PeakMB() - before, 150) << "a claimed size was allocated";

    for (size_t i = 0; i < bad.size(); ++i) {
        SCOPED_TRACE(bad[i].name);
        auto* img = static_cast<FImage*>(t.FindKind(TAG_IMG, int(i)));
        ASSERT_NE(img, nullptr);
        ASSERT_NE(img->m_pImage, nullptr);
        if (img->m_pImage == GetGlobalImage(2)) {
            // The placeholder: the stand-in grown by 40, labelled with the alt text.
            EXPECT_EQ(img->m_nWidth, 56);
            EXPECT_EQ(img->m_nHeight, 56);
            EXPECT_EQ(img->m_strLabel.str(), bad[i].name);
        } else {
            // What a cut file still holds: at most the picture's own size.
            EXPECT_FALSE(bad[i].mustFail);
            EXPECT_EQ(img->m_pImage->state, IMAGE_LOADED);
            EXPECT_LE(img->m_nWidth, 40);
            EXPECT_LE(img->m_nHeight, 30);
        }
    }
}

TEST_F(HostileImages, AnimationsOfThousandsOfFramesStayBounded)
{
    // Ten thousand frames without delays: every tick shows the next one.
    std::vector<testgif::Frame> frames;
    for (int i = 0; i < 10000; ++i)
        frames.push_back(testgif::Solid(0, 0, 8, 8, uint8_t(i % 2), 0));
    ASSERT_TRUE(WriteFileBytes(dir.File("many.gif"), testgif::Encode(8, 8, {0xFF0000, 0x0000FF}, frames)));

    const long before = hostile::PeakMB();
    TestDoc t(320, 240);
    ASSERT_EQ(t.OpenHtml("<img src=many.gif>", dir.Path() + "/"), 1);
    t.Layout();
    t.Render(0);
    auto* many = static_cast<FImage*>(t.FindKind(TAG_IMG, 0));
    ASSERT_EQ(many->m_pImage->state, IMAGE_LOADED);
    EXPECT_EQ(many->m_pImage->GetImageCount(), 10000);
    ASSERT_EQ(t->m_listAnimateVisible.GetCount(), 1);
    {
        CClientDC dc(t.Window());
        for (int i = 0; i < 25; ++i)
            t->DrawAnimateImages(&dc);
    }
    EXPECT_EQ(many->m_nFrame, 25);
    EXPECT_LT(hostile::PeakMB() - before, 150);
}

TEST_F(HostileImages, AbsurdAttributesAndEndlessFloats)
{
    const std::string pic = testimg::SolidPng(dir, "p.png", 30, 20, Qt::cyan);
    TestDoc t(320, 240);
    ASSERT_EQ(t.OpenHtml("<p>a <img src=p.png border=2147483647 hspace=2147483647 vspace=2147483647> b "
                         "<img src=p.png width=2147483647 height=2147483647 align=left> c "
                         "<img src=p.png border=-2147483647 align=right hspace=-5> d "
                         "<a href=x ismap><img src=p.png ismap usemap=#m></a>",
                         dir.Path() + "/"),
              1);
    Exercise(t);
    for (CVisible* v : t.Visibles()) {
        EXPECT_LE(v->m_nWidth, KOR_MAX_EXTENT);
        EXPECT_LE(v->m_nHeight, KOR_MAX_EXTENT);
        EXPECT_GE(v->m_nWidth, -KOR_MAX_EXTENT);
    }

    // Floats taller than any page, one after another: each narrows a bounded run of what follows.
    hostile::AtScale("tall floats", 1500, [&](size_t n) {
        ASSERT_EQ(t.OpenHtml("<p>" + Repeat("<img src=p.png height=99999999 align=left>word ", n),
                             dir.Path() + "/"),
                  1);
        t->Layout(320, 240);
        EXPECT_GE(t->GetContentSize().cy, KOR_MAX_EXTENT);
        t.Render(0);
    });
    // Floats without size, among nothing that fills a line, never reach their bottom.
    hostile::AtScale("empty floats", 5000, [&](size_t n) {
        ASSERT_EQ(
            t.OpenHtml("<p>" + Repeat("<img src=p.png align=left width=0 height=0>", n), dir.Path() + "/"),
            1);
        t->Layout(320, 240);
        t.Render(0);
    });
    hostile::AtScale("floats to both sides", 1500, [&](size_t n) {
        ASSERT_EQ(t.OpenHtml("<p>" + Repeat("<img src=p.png align=left vspace=99999>a "
                                            "<img src=p.png align=right hspace=99999>b ",
                                            n),
                             dir.Path() + "/"),
                  1);
        t->Layout(320, 240);
        t.Render(0);
    });
}

} // namespace
