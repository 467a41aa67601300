// Tests of the document's layout pass: vertical alignment of the body, the viewport, subtree walks.
#include "DocTestUtil.h"
#include "ElementBoxes.h"

#include "elements/AlignQueue.h"
#include "korhtml/AttrValues.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/SimpleElements.h"

namespace {

class LayoutTest : public DocTest
{
};

TEST_F(LayoutTest, BodyVerticalAlignmentShiftsEveryElement)
{
    TestDoc t(300, 400);
    ASSERT_EQ(t.OpenHtml("<body valign=middle>x"), 1);
    CHtmlX* doc = t.Doc();
    FBody* body = static_cast<FBody*>(EmptyBody(doc));
    Box* box = Add(body, new Box(50, 80, KIND_TEXT, EF_INLINE, doc));
    doc->SetStaticData();

    struct Case
    {
        int valign;
        int boxHeight;
        int y;
    } cases[] = {
        {VALIGN_MIDDLE, 80, 10 + 150}, // content 100 in 400
        {VALIGN_BOTTOM, 80, 10 + 300},
        {VALIGN_CENTER, 80, 10},
        {VALIGN_MIDDLE, 580, 10 + 100}, // content 600: moved down by half the difference as well
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "valign " << c.valign << " height " << c.boxHeight);
        body->m_nVAlign = c.valign;
        box->m_nHeight = c.boxHeight;
        doc->Layout(300, 400);
        EXPECT_TRUE(doc->ReadyToDraw());
        EXPECT_EQ(doc->GetContentSize(), CSize(70, c.boxHeight + 20)); // the content size is not moved
        EXPECT_EQ(box->m_nY, c.y);
        EXPECT_EQ(box->m_nX, 10);
    }
}

TEST_F(LayoutTest, LayoutTakesTheWindowSizeForZeroAndResetsTheOrigin)
{
    TestDoc t(321, 123);
    ASSERT_EQ(t.OpenHtml("<p>x"), 1);
    t->SetViewportOrg(0, 40);
    t->Layout(0, 0);
    EXPECT_EQ(t->GetViewportSize(), CSize(321, 123));
    EXPECT_EQ(t->GetViewportOrg(), CPoint(0, 0));
    t->Layout(100, 0);
    EXPECT_EQ(t->GetViewportSize(), CSize(100, 123));
    // SetDynamicData keeps the origin and lays out for the stored size.
    t->SetViewportOrg(0, 7);
    t->SetViewportSize(CSize(200, 50));
    t->SetDynamicData();
    EXPECT_EQ(t->GetViewportOrg(), CPoint(0, 7));
    EXPECT_TRUE(t->ReadyToDraw());
}

TEST_F(LayoutTest, SubtreeStepsStayInsideTheirRoot)
{
    TestDoc t(300, 200);
    ASSERT_EQ(t.OpenHtml("<p>x"), 1);
    CHtmlX* doc = t.Doc();
    CElement* body = EmptyBody(doc);
    Box* before = Add(body, new Box(5, 5));
    Node* root = Add(body, new Node(TAG_BLINK));
    Box* in1 = Add(root, new Box(5, 5));
    Node* inner = Add(root, new Node(TAG_B));
    Box* in2 = Add(inner, new Box(5, 8));
    Box* after = Add(body, new Box(5, 5));
    for (Box* b : {before, in1, in2, after})
        b->At(-1, -1);

    doc->SetGroundWidth(77, root);
    doc->SetHorBase(33, root);
    EXPECT_EQ(in1->m_nLineWidth, 77);
    EXPECT_EQ(in2->m_nLineWidth, 77);
    EXPECT_EQ(in1->m_nLineLeft, 33);
    EXPECT_EQ(in2->m_nLineLeft, 33);
    for (Box* b : {before, after}) {
        EXPECT_EQ(b->m_nLineWidth, 0);
        EXPECT_EQ(b->m_nLineLeft, GetHorMargin());
    }

    GetAlignQueue()->RemoveAll();
    doc->SetPosition(CPoint(100, 200), root);
    EXPECT_EQ(in1->m_nX, 100);
    EXPECT_EQ(in2->m_nX, 105);
    EXPECT_EQ(in1->m_nY, 203); // on the bottom of the line of height 8
    EXPECT_EQ(in2->m_nY, 200);
    EXPECT_TRUE(GetAlignQueue()->IsEmpty());
    for (Box* b : {before, after})
        EXPECT_EQ(b->m_nX, -1);

    // Null roots and roots without visible content do nothing.
    doc->SetPosition(CPoint(0, 0), nullptr);
    doc->SetGroundWidth(1, nullptr);
    doc->SetHorBase(1, nullptr);
    doc->SetPosition(CPoint(0, 0), Add(body, new Node(TAG_BLINK)));
    EXPECT_EQ(after->m_nX, -1);
}

} // namespace
