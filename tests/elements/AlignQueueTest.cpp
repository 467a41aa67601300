// Tests of the line alignment queue: bottom, top and middle alignment, shifts and justification.
#include "ElementTestTree.h"

#include "korhtml/AttrValues.h"
#include "korhtml/ImageElement.h"

#include <memory>
#include <vector>

namespace {

// One line of boxes placed side by side from x at the top y, queued in order.
struct Line
{
    std::unique_ptr<TElem> root{new TElem(9, EF_CONTEXT)};
    std::vector<CVisible*> items;
    int x;

    explicit Line(int startX = 10) : x(startX) {}

    CVisible* Push(CVisible* v, int lineWidth = 500)
    {
        Add(root.get(), v);
        v->m_nX = x;
        v->m_nY = 100;
        v->m_nLineWidth = lineWidth;
        x += v->m_nWidth;
        items.push_back(v);
        GetAlignQueue()->AddTail(v);
        return v;
    }
    CVisible* Word(int w, int h = 16, int lineWidth = 500) { return Push(new TBox(w, h), lineWidth); }
    FImage* Image(int w, int h, int align)
    {
        FImage* img = new FImage(nullptr);
        img->m_nWidth = w;
        img->m_nHeight = h;
        img->m_nImageAlign = align;
        Push(img);
        return img;
    }
    std::vector<int> Xs() const
    {
        std::vector<int> xs;
        for (CVisible* v : items)
            xs.push_back(v->m_nX);
        return xs;
    }
    std::vector<int> Ys() const
    {
        std::vector<int> ys;
        for (CVisible* v : items)
            ys.push_back(v->m_nY);
        return ys;
    }
    ~Line() { GetAlignQueue()->RemoveAll(); }
};

using V = std::vector<int>;

} // namespace

TEST_F(ServerTest, QueueIsARuntimeClassOfTheServer)
{
    CAlignQueue* q = GetAlignQueue();
    ASSERT_NE(q, nullptr);
    EXPECT_TRUE(q->IsKindOf(RUNTIME_CLASS(CAlignQueue)));
    EXPECT_TRUE(q->IsKindOf(RUNTIME_CLASS(CObList)));
    EXPECT_STREQ(q->GetRuntimeClass()->m_lpszClassName, "CAlignQueue");
    std::unique_ptr<CObject> made(RUNTIME_CLASS(CAlignQueue)->CreateObject());
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CAlignQueue)));
    EXPECT_TRUE(q->IsEmpty());
    EXPECT_EQ(q->VerticalAlign(), 0);
    q->HorizontalAlign(TRUE); // nothing to align
}

TEST_F(ServerTest, VerticalAlignOnCommonBottom)
{
    Line line;
    line.Word(40, 16);
    line.Word(40, 20);
    line.Word(40, 16);
    EXPECT_EQ(GetAlignQueue()->VerticalAlign(), 20);
    EXPECT_EQ(line.Ys(), (V{104, 100, 104}));
}

TEST_F(ServerTest, VerticalAlignImagesSteerFollowers)
{
    {
        // Words before a top image sit on the bottom; the image and the words after it stay at the top.
        Line line;
        line.Word(40, 16);
        line.Image(50, 40, ALIGN_TOP);
        line.Word(40, 16);
        line.Word(40, 16);
        EXPECT_EQ(GetAlignQueue()->VerticalAlign(), 40);
        EXPECT_EQ(line.Ys(), (V{124, 100, 100, 100}));
    }
    {
        // A top image that is not the tallest: the followers' tops meet the image's top.
        Line line;
        line.Image(50, 30, ALIGN_TOP);
        line.Word(40, 16);
        line.Word(40, 50);
        EXPECT_EQ(GetAlignQueue()->VerticalAlign(), 50);
        EXPECT_EQ(line.Ys(), (V{120, 120, 120}));
    }
    {
        // Middle (and centre) images centre the followers on the image's middle; bottom restores.
        Line line;
        line.Image(50, 40, ALIGN_MIDDLE);
        line.Word(40, 15);
        line.Image(50, 40, ALIGN_CENTER);
        line.Word(40, 16);
        line.Image(50, 10, ALIGN_BOTTOM);
        line.Word(40, 16);
        EXPECT_EQ(GetAlignQueue()->VerticalAlign(), 40);
        // 40 - (15 + 40) / 2 = 13 (truncated); an image moves by the mode before it: 40 - (10 + 40) / 2 = 15.
        EXPECT_EQ(line.Ys(), (V{100, 113, 100, 112, 115, 124}));
    }
    {
        // Left, right and unaligned images change nothing; only images steer.
        Line line;
        line.Image(50, 40, ALIGN_LEFT);
        line.Word(40, 16);
        line.Image(50, 40, 0);
        line.Push(new TBox(40, 30, 34, EF_INLINE));
        line.Word(40, 16);
        EXPECT_EQ(GetAlignQueue()->VerticalAlign(), 40);
        EXPECT_EQ(line.Ys(), (V{100, 124, 100, 110, 124}));
    }
}

TEST_F(ServerTest, HorizontalAlignShifts)
{
    {
        Line line;
        line.Word(100);
        line.Word(200)->m_nAlign = ALIGN_LEFT; // only the first element's alignment counts
        line.items[0]->m_nAlign = ALIGN_CENTER;
        GetAlignQueue()->HorizontalAlign(FALSE);
        EXPECT_EQ(line.Xs(), (V{110, 210}));
    }
    {
        Line line;
        line.Word(100)->m_nAlign = ALIGN_RIGHT;
        line.Word(200);
        GetAlignQueue()->HorizontalAlign(TRUE); // never justified when shifted
        EXPECT_EQ(line.Xs(), (V{210, 310}));
    }
    {
        // Odd room: the centre shift is truncated.
        Line line;
        line.Word(101, 16, 200)->m_nAlign = ALIGN_CENTER;
        GetAlignQueue()->HorizontalAlign(FALSE);
        EXPECT_EQ(line.Xs(), (V{59}));
    }
    {
        // Wider than the line at the margin: neither right nor centre pushes it left of the margin.
        Line line;
        line.Word(300, 16, 200)->m_nAlign = ALIGN_RIGHT;
        line.Word(100, 16, 200);
        GetAlignQueue()->HorizontalAlign(FALSE);
        EXPECT_EQ(line.Xs(), (V{10, 310}));
        line.items[0]->m_nAlign = ALIGN_CENTER;
        GetAlignQueue()->HorizontalAlign(FALSE);
        EXPECT_EQ(line.Xs(), (V{10, 310}));
    }
    {
        // A line that starts further right may still move left, down to the margin.
        Line line(60);
        line.Word(240, 16, 200)->m_nAlign = ALIGN_RIGHT;
        GetAlignQueue()->HorizontalAlign(FALSE);
        EXPECT_EQ(line.Xs(), (V{20}));
    }
    {
        // Left alignment moves the line by its first element's indent.
        Line line;
        line.Word(50)->m_nBreak = BRK_WRAP;
        line.Word(50);
        line.items[0]->m_nListLevel = 1;
        line.items[0]->m_bInListItem = 1;
        GetAlignQueue()->HorizontalAlign(TRUE); // indented: not justified
        EXPECT_EQ(line.Xs(), (V{40, 90}));
    }
}

TEST_F(ServerTest, JustificationSpreadsRestPixels)
{
    {
        Line line;
        for (int w : {100, 100, 100, 97})
            line.Word(w, 16, 400);
        GetAlignQueue()->HorizontalAlign(TRUE);
        EXPECT_EQ(line.Xs(), (V{10, 111, 212, 313}));
    }
    {
        Line line;
        for (int w : {100, 100, 100, 95})
            line.Word(w, 16, 400);
        GetAlignQueue()->HorizontalAlign(TRUE);
        EXPECT_EQ(line.Xs(), (V{10, 112, 214, 315}));
    }
    {
        // Without justify the line stays as placed.
        Line line;
        line.Word(100, 16, 400);
        line.Word(100, 16, 400);
        GetAlignQueue()->HorizontalAlign(FALSE);
        EXPECT_EQ(line.Xs(), (V{10, 110}));
    }
    {
        // A single word does not move.
        Line line;
        line.Word(100, 16, 400);
        GetAlignQueue()->HorizontalAlign(TRUE);
        EXPECT_EQ(line.Xs(), (V{10}));
    }
}

TEST_F(ServerTest, JustificationLeavesOtherLinesAlone)
{
    {
        // Over-full lines, by many pixels or by fewer than there are gaps, never move.
        Line line;
        for (int w : {200, 200, 200})
            line.Word(w, 16, 400);
        GetAlignQueue()->HorizontalAlign(TRUE);
        EXPECT_EQ(line.Xs(), (V{10, 210, 410}));
    }
    {
        Line line;
        for (int w : {134, 134, 133})
            line.Word(w, 16, 400);
        GetAlignQueue()->HorizontalAlign(TRUE);
        EXPECT_EQ(line.Xs(), (V{10, 144, 278}));
    }
    {
        // A line holding anything but words is not justified.
        Line line;
        line.Word(100, 16, 400);
        line.Image(50, 16, 0);
        line.Word(100, 16, 400);
        GetAlignQueue()->HorizontalAlign(TRUE);
        EXPECT_EQ(line.Xs(), (V{10, 110, 160}));
    }
}
