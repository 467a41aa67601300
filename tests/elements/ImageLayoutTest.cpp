// Image elements in the layout (box font): sizes, placeholders, floats and the lines beside them,
// vertical alignment in a line, relayout at other widths.
#include "DocTestUtil.h"
#include "ImageFiles.h"
#include "TempDir.h"

#include "korgr/ImageDax.h"
#include "korhtml/AttrValues.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/ImageElement.h"
#include "korhtml/TextElement.h"

#include <string>

namespace {

class ImageLayout : public DocTest
{
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        pic = testimg::SolidPng(dir, "pic.png", 100, 50, Qt::green);
        ASSERT_FALSE(pic.empty());
    }

    FImage* Image(const TestDoc& t, int nth = 0) { return static_cast<FImage*>(t.FindKind(TAG_IMG, nth)); }

    // " w01 w02 ... wNN": words of four characters with their blank, 28 pixels in the body font.
    static std::string Words(int from, int to)
    {
        std::string s;
        for (int i = from; i <= to; ++i)
            s += (i < 10 ? "w0" : "w") + std::to_string(i) + " ";
        return s;
    }

    static std::string Word(int i) { return (i < 10 ? "w0" : "w") + std::to_string(i); }

    TempDir dir;
    std::string pic;
};

TEST_F(ImageLayout, BoxIsPictureOrAskedSizePlusBorderAndSpaces)
{
    TestDoc t(800, 600);
    ASSERT_EQ(t.OpenHtml("<p><img src=\"" + pic + "\" border=2 hspace=5>" + "<img src=\"" + pic +
                         "\" border=2 hspace=5 vspace=3>" + "<img src=\"" + pic +
                         "\" width=0 height=0 border=1 hspace=2>" + "<img src=\"" + pic + "\" width=30>" +
                         "<img src=\"" + pic + "\" width=50% height=-1>"),
              1);
    struct Size
    {
        int w, h;
    } expected[] = {{114, 54}, {114, 60}, {6, 2}, {30, 50}, {100, 50}};
    for (int i = 0; i < 5; ++i) {
        FImage* img = Image(t, i);
        ASSERT_NE(img, nullptr) << i;
        EXPECT_EQ(img->m_nWidth, expected[i].w) << i;
        EXPECT_EQ(img->m_nHeight, expected[i].h) << i;
        EXPECT_EQ(img->m_nImageWidth, 100) << i;
        EXPECT_EQ(img->m_pImage->state, IMAGE_LOADED) << i;
    }
    // All five name one file: the cache holds it once and hands out the same picture.
    EXPECT_EQ(Image(t, 0)->m_pImage, Image(t, 4)->m_pImage);
    CStringList list;
    EXPECT_EQ(t->GetComponentList(list), 1);
}

TEST_F(ImageLayout, MissingPicturesAreStandInsWithRoomForTheLabel)
{
    TestDoc t(800, 600);
    const std::string page =
        "<p><img src=\"gone/holiday.photo.gif\" border=2><img src=nothing.png alt=\"Our cat\">";

    // Without stand-in pictures a missing picture has no box of its own, only its border.
    ASSERT_EQ(t.OpenHtml(page, dir.Path() + "/"), 1);
    EXPECT_EQ(Image(t)->m_pImage, nullptr);
    EXPECT_EQ(Image(t)->m_nWidth, 4);
    EXPECT_EQ(Image(t)->m_nHeight, 4);

    // With them, the failed picture's stand-in (not ready) grows by 40 each way.
    std::string loading = testimg::SolidPng(dir, "loading.png", 20, 10, Qt::blue);
    std::string broken = testimg::SolidPng(dir, "broken.png", 16, 12, Qt::red);
    SetGlobalImage(CString(loading.c_str()), CString(broken.c_str()));
    ASSERT_EQ(t.OpenHtml(page, dir.Path() + "/"), 1);
    FImage* first = Image(t);
    ASSERT_NE(first->m_pImage, nullptr);
    EXPECT_EQ(first->m_pImage, GetGlobalImage(2));
    EXPECT_EQ(first->m_nWidth, 16 + 40 + 4);
    EXPECT_EQ(first->m_nHeight, 12 + 40 + 4);
    EXPECT_EQ(first->m_strLabel.str(), "holiday.photo");
    EXPECT_EQ(Image(t, 1)->m_strLabel.str(), "Our cat");
    // A size asked for replaces the grown one.
    ASSERT_EQ(t.OpenHtml("<img src=nothing.png width=7 height=9>", dir.Path() + "/"), 1);
    EXPECT_EQ(Image(t)->m_nWidth, 7);
    EXPECT_EQ(Image(t)->m_nHeight, 9);
}

TEST_F(ImageLayout, FloatClosesTheOpenLineAndKeepsTwiceItsSpaceFromTheText)
{
    TestDoc t(300, 400);
    ASSERT_EQ(t.OpenHtml("<p>before<p><img src=\"" + pic + "\" align=left hspace=5 vspace=3>" + Words(1, 8)),
              1);
    t.Layout();
    FImage* img = Image(t);
    // The paragraph before is closed: 14 high, then the paragraph gap.
    EXPECT_EQ(img->m_nY, 10 + 14 + 20);
    EXPECT_EQ(img->m_nX, 10);
    EXPECT_EQ(img->m_nWidth, 110);
    // The first word follows the image box; the lines beside it start twice the space further.
    EXPECT_EQ(t.FindText(Word(1))->m_nX, 120);
    EXPECT_EQ(t.FindText(Word(1))->m_nY, 44);
    EXPECT_EQ(t.FindText(Word(1))->m_nLineLeft, 130);
    EXPECT_EQ(t.FindText(Word(6))->m_nX, 260);
    EXPECT_EQ(t.FindText(Word(7))->m_nX, 130);
    EXPECT_EQ(t.FindText(Word(7))->m_nY, 44 + 19);
}

TEST_F(ImageLayout, FloatToTheOtherSideEndsTheNarrowing)
{
    std::string small = testimg::SolidPng(dir, "small.png", 60, 30, Qt::red);
    TestDoc t(300, 400);
    ASSERT_EQ(t.OpenHtml("<p><img src=\"" + pic + "\" align=left>" + Words(1, 2) + "<img src=\"" + small +
                         "\" align=right>" + Words(3, 4)),
              1);
    t.Layout();
    FImage* right = Image(t, 1);
    // The left float's walk stops at the right float: neither it nor the words after it are narrowed
    // by the left one, and the word before it returns to the left edge on a new line.
    EXPECT_EQ(t.FindText(Word(2))->m_nLineLeft, 110);
    EXPECT_EQ(right->m_nLineLeft, 10);
    EXPECT_EQ(right->m_nX, 230);
    EXPECT_EQ(right->m_nY, 29);
    CVisible* w3 = t.FindText(Word(3));
    EXPECT_EQ(w3->m_nLineLeft, 10);
    EXPECT_EQ(w3->m_nLineWidth, 220);
    EXPECT_EQ(w3->m_nX, 10);
    EXPECT_EQ(w3->m_nY, 29);
}

TEST_F(ImageLayout, FloatInACellNarrowsOnlyItsOwnCell)
{
    TestDoc t(800, 600);
    ASSERT_EQ(t.OpenHtml("<table><tr><td><img src=\"" + pic + "\" align=left>a b<td>c d</table>e f"), 1);
    for (CVisible* v : t.Visibles())
        v->m_nLineLeft = 10;
    FImage* img = Image(t);
    img->FlowAround(200, 0, 700, 1000, ALIGN_LEFT);
    EXPECT_EQ(t.FindText("a")->m_nLineLeft, 200);
    EXPECT_EQ(t.FindText("b")->m_nLineLeft, 200);
    EXPECT_EQ(t.FindText("b")->m_nBreakX, 10); // the next cell starts the walk's end
    EXPECT_EQ(t.FindText("c")->m_nLineLeft, 10);
    EXPECT_EQ(t.FindText("e")->m_nLineLeft, 10);

    // A cell that is the table's last: the walk ends at the first element after the table.
    ASSERT_EQ(t.OpenHtml("<table><tr><td>x<img src=\"" + pic + "\" align=left>a b</table>e f"), 1);
    for (CVisible* v : t.Visibles())
        v->m_nLineLeft = 10;
    Image(t)->FlowAround(200, 0, 700, 1000, ALIGN_LEFT);
    EXPECT_EQ(t.FindText("b")->m_nLineLeft, 200);
    EXPECT_EQ(t.FindText("e")->m_nLineLeft, 10);
    EXPECT_EQ(t.FindText("x")->m_nLineLeft, 10);
}

TEST_F(ImageLayout, VerticalAlignmentSteersTheWordsAfterTheImage)
{
    std::string square = testimg::SolidPng(dir, "square.png", 40, 40, Qt::blue);
    const struct
    {
        const char* align;
        int after;
    } cases[] = {
        {"align=top", 10}, {"align=middle", 23}, {"align=center", 23}, {"align=bottom", 36}, {"", 36}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        TestDoc t(400, 200);
        ASSERT_EQ(t.OpenHtml(std::string("<p>ab <img src=\"") + square + "\" " + c.align + ">cd"), 1);
        t.Layout();
        // The image is the tallest: it sits at the line top; the word before it on the bottom.
        EXPECT_EQ(Image(t)->m_nY, 10);
        EXPECT_EQ(Image(t)->m_nX, 31);
        EXPECT_EQ(t.FindText("ab")->m_nY, 36);
        EXPECT_EQ(t.FindText("cd")->m_nY, c.after);
    }
}

TEST_F(ImageLayout, RelayoutAtAnotherWidthForgetsTheNarrowedLines)
{
    const std::string page = "<p><img src=\"" + pic + "\" align=left>" + Words(1, 60) + "<p><img src=\"" +
                             pic + "\" align=right hspace=4>" + Words(61, 120);
    TestDoc fresh(300, 400);
    ASSERT_EQ(fresh.OpenHtml(page), 1);
    fresh.Layout();

    TestDoc t(300, 400);
    ASSERT_EQ(t.OpenHtml(page), 1);
    t->Layout(700, 400);
    t->Layout(300, 400);
    EXPECT_EQ(t.Dump(), fresh.Dump());
    EXPECT_EQ(t->GetContentSize(), fresh->GetContentSize());
}

} // namespace
