// Image elements in the layout (box font): placeholders, floats and the lines beside them, relayout
// at other widths. (Sizes, a left float beside its paragraph and images aligned in a line are pinned
// by the images case file and the recorded layouts of the images example page.)
#include "DocTestUtil.h"
#include "ImageFiles.h"
#include "TempDir.h"

#include "korhtml/AttrValues.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/ImageElement.h"
#include "korhtml/TextElement.h"

#include <array>
#include <string>
#include <vector>

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

TEST_F(ImageLayout, MissingPicturesAreStandInsWithRoomForTheLabel)
{
    TestDoc t(800, 600);
    const std::string page = "<p><img src=\"gone/holiday.photo.gif\" border=2>";

    // With stand-in pictures, the failed picture's stand-in (not ready) grows by 40 each way; without
    // them a missing picture is its border only, as the recorded layouts show.
    std::string loading = testimg::SolidPng(dir, "loading.png", 20, 10, Qt::blue);
    std::string broken = testimg::SolidPng(dir, "broken.png", 16, 12, Qt::red);
    SetGlobalImage(CString(loading.c_str()), CString(broken.c_str()));
    ASSERT_EQ(t.OpenHtml(page, dir.Path() + "/"), 1);
    FImage* first = Image(t);
    ASSERT_NE(first->m_pImage, nullptr);
    EXPECT_EQ(first->m_pImage, GetGlobalImage(2));
    EXPECT_EQ(CSize(first->m_nWidth, first->m_nHeight), CSize(16 + 40 + 4, 12 + 40 + 4));
    EXPECT_EQ(first->m_strLabel.str(), "holiday.photo");
    // A size asked for replaces the grown one.
    ASSERT_EQ(t.OpenHtml("<img src=nothing.png width=7 height=9>", dir.Path() + "/"), 1);
    EXPECT_EQ(CSize(Image(t)->m_nWidth, Image(t)->m_nHeight), CSize(7, 9));
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
    EXPECT_EQ(CPoint(right->m_nX, right->m_nY), CPoint(230, 29));
    CVisible* w3 = t.FindText(Word(3));
    EXPECT_EQ(CSize(w3->m_nLineLeft, w3->m_nLineWidth), CSize(10, 220)); // the line's left and width
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
    auto places = [](const TestDoc& d) {
        std::vector<std::array<int, 4>> out;
        for (CVisible* v : d.Visibles())
            out.push_back({v->m_nX, v->m_nY, v->m_nLineLeft, v->m_nLineWidth});
        return out;
    };
    EXPECT_EQ(places(t), places(fresh));
    EXPECT_EQ(t->GetContentSize(), fresh->GetContentSize());
}

} // namespace
