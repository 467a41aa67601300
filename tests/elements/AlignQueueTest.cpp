// Tests of the line alignment queue: bottom and middle alignment, shifts and justification.
#include "DocTestUtil.h"
#include "ElementBoxes.h"

#include "elements/AlignQueue.h"
#include "korhtml/AttrValues.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/ImageElement.h"

#include <memory>
#include <vector>

namespace {

class AlignQueueTest : public DocTest
{
};

using V = std::vector<int>;

constexpr int kWord = -1; // an item that is a word
constexpr int kRule = -2; // an item that is neither word nor image

struct Item
{
    int width;
    int height = 16;
    int image = kWord; // otherwise the image's alignment
    int align = ALIGN_LEFT;
};

// A word item with an alignment.
Item Word(int width, int align)
{
    return {width, 16, kWord, align};
}

// One line of items placed side by side from x at y = 100 and queued in order; removed from the
// queue when it goes.
struct Line
{
    Line(const std::vector<Item>& items, int x = 10, int lineWidth = 500)
    {
        for (const Item& it : items) {
            CVisible* v;
            if (it.image == kWord || it.image == kRule) {
                v = new Box(it.width, it.height, it.image == kWord ? KIND_TEXT : TAG_HR);
            } else {
                FImage* img = new FImage(nullptr);
                img->m_nWidth = it.width;
                img->m_nHeight = it.height;
                img->m_nImageAlign = it.image;
                v = img;
            }
            Add(root.get(), v);
            v->m_nX = x;
            v->m_nY = 100;
            v->m_nLineWidth = lineWidth;
            v->m_nAlign = it.align;
            x += it.width;
            elements.push_back(v);
            GetAlignQueue()->AddTail(v);
        }
    }
    ~Line() { GetAlignQueue()->RemoveAll(); }
    // The m_nX or the m_nY of every item.
    V Places(int CVisible::*coordinate) const
    {
        V out;
        for (CVisible* v : elements)
            out.push_back(v->*coordinate);
        return out;
    }

    std::unique_ptr<Node> root{new Node(TAG_BODY, EF_CONTEXT)};
    std::vector<CVisible*> elements;
};

TEST_F(AlignQueueTest, VerticalAlignment)
{
    struct Case
    {
        const char* rule;
        std::vector<Item> items;
        int height;
        V ys;
    } cases[] = {
        {"words sit on a common bottom", {{40, 16}, {40, 20}, {40, 16}}, 20, {104, 100, 104}},
        // 40 - (15 + 40) / 2 = 13 (truncated); an image moves by the mode before it: 40 - (10 + 40) / 2.
        {"middle and centre images centre the followers on their middle; a bottom image restores",
         {{50, 40, ALIGN_MIDDLE},
          {40, 15},
          {50, 40, ALIGN_CENTER},
          {40, 16},
          {50, 10, ALIGN_BOTTOM},
          {40, 16}},
         40,
         {100, 113, 100, 112, 115, 124}},
        {"left, right and unaligned images change nothing; only images steer",
         {{50, 40, ALIGN_LEFT}, {40, 16}, {50, 40, ALIGN_NONE}, {40, 30, kRule}, {40, 16}},
         40,
         {100, 124, 100, 110, 124}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        Line line(c.items);
        EXPECT_EQ(GetAlignQueue()->VerticalAlign(), c.height);
        EXPECT_EQ(line.Places(&CVisible::m_nY), c.ys);
    }
    EXPECT_EQ(GetAlignQueue()->VerticalAlign(), 0); // an empty queue
}

TEST_F(AlignQueueTest, HorizontalShiftsAndJustification)
{
    struct Case
    {
        const char* rule;
        std::vector<Item> items;
        int x, lineWidth;
        bool justify;
        V xs;
    } cases[] = {
        {"only the first alignment counts", {Word(100, ALIGN_CENTER), {200}}, 10, 500, false, {110, 210}},
        {"a shifted line is never justified", {Word(100, ALIGN_RIGHT), {200}}, 10, 500, true, {210, 310}},
        {"too wide: kept at the margin", {Word(300, ALIGN_RIGHT), {100}}, 10, 200, false, {10, 310}},
        {"a line further right moves left, to the margin", {Word(240, ALIGN_RIGHT)}, 60, 200, false, {20}},
        {"a single word does not move", {{100}}, 10, 400, true, {10}},
        {"an over-full line never moves, even by fewer pixels than gaps",
         {{134}, {134}, {133}},
         10,
         400,
         true,
         {10, 144, 278}},
        {"only lines of words justify", {{100}, {50, 16, ALIGN_NONE}, {100}}, 10, 400, true, {10, 110, 160}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        Line line(c.items, c.x, c.lineWidth);
        GetAlignQueue()->HorizontalAlign(c.justify);
        EXPECT_EQ(line.Places(&CVisible::m_nX), c.xs);
    }
}

} // namespace
