// Tests of the document's measure and layout passes: order, vertical alignment, subtree walks, breaks.
#include "DocBoxes.h"
#include "DocTestUtil.h"

#include "elements/AlignQueue.h"
#include "korhtml/AttrValues.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/SimpleElements.h"
#include "korhtml/TableElements.h"

#include <map>

namespace {

class LayoutTest : public DocTest
{
};

// A table that notes when it is measured.
class LoggedTable : public FTable
{
public:
    LoggedTable(CHtmlX* doc, std::vector<CVisible*>* log) : FTable(doc), m_pLog(log) {}
    void Measure(CDC* dc) override
    {
        FTable::Measure(dc);
        m_pLog->push_back(this);
    }

private:
    std::vector<CVisible*>* m_pLog;
};

TEST_F(LayoutTest, MeasurePassMeasuresTablesLastAndNestedTablesFirst)
{
    TestDoc t(300, 200);
    ASSERT_EQ(t.OpenHtml("<p>x"), 1);
    CHtmlX* doc = t.Doc();
    CElement* body = EmptyBody(doc);
    std::vector<CVisible*> log;
    auto box = [&](CElement* parent) {
        Box* b = AddTo(parent, new Box(doc, 10, 10));
        b->measured = &log;
        return b;
    };
    auto table = [&](CElement* parent) { return AddTo(parent, new LoggedTable(doc, &log)); };
    // body: w1, T1 [w2, T2 [w3], T3 [T4 []]], w4, T5 [w5]
    Box* w1 = box(body);
    FTable* t1 = table(body);
    Box* w2 = box(t1);
    FTable* t2 = table(t1);
    Box* w3 = box(t2);
    FTable* t3 = table(t1);
    FTable* t4 = table(t3);
    Box* w4 = box(body);
    FTable* t5 = table(body);
    Box* w5 = box(t5);

    doc->SetStaticData();
    std::vector<CVisible*> expected = {w1, w2, w3, w4, w5, t4, t3, t2, t1, t5};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(doc->HasState(STATE_STATICDATA));

    // A body whose content is not visible leaves the document unmeasured.
    EmptyBody(doc);
    AddTo(body, new Node(doc, 4));
    doc->SetStaticData();
    EXPECT_FALSE(doc->HasState(STATE_STATICDATA));
    doc->Layout(300, 200);
    EXPECT_FALSE(doc->ReadyToDraw());
}

TEST_F(LayoutTest, BodyVerticalAlignmentShiftsEveryElement)
{
    TestDoc t(300, 400);
    ASSERT_EQ(t.OpenHtml("<body valign=middle>x"), 1);
    CHtmlX* doc = t.Doc();
    FBody* body = static_cast<FBody*>(EmptyBody(doc));
    EXPECT_EQ(body->m_nVAlign, VALIGN_MIDDLE);
    Box* box = AddTo(body, new Box(doc, 50, 80));
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
        {VALIGN_TOP, 80, 10},
        {VALIGN_BASELINE, 80, 10},
        {VALIGN_NONE, 80, 10},
        {VALIGN_MIDDLE, 580, 10 + 100}, // content 600: moved down by half the difference as well
        {VALIGN_BOTTOM, 580, 10 + 200},
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
    Box* before = AddTo(body, new Box(doc, 5, 5));
    Node* root = AddTo(body, new Node(doc, 7));
    Box* in1 = AddTo(root, new Box(doc, 5, 5));
    Node* inner = AddTo(root, new Node(doc, 4));
    Box* in2 = AddTo(inner, new Box(doc, 5, 8));
    Box* after = AddTo(body, new Box(doc, 5, 5));
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
    Node* empty = AddTo(body, new Node(doc, 7));
    doc->SetPosition(CPoint(0, 0), empty);
    EXPECT_EQ(after->m_nX, -1);
}

// The breaks a measure pass gives must be those of the plain backward searches.
TEST_F(LayoutTest, MeasurePassBreaksEqualThoseOfPlainSearches)
{
    TestDoc t(300, 200);
    ASSERT_EQ(t.OpenHtml("<h1>Head</h1>one two<p>three <b>four <i>five</i></b> six<br>seven"
                         "<ul><li>a b<li>c<ul><li>d</ul></ul>eight<div>nine<p>ten</div>eleven"
                         "<center><p>twelve</p>thirteen</center><pre>pre\ntext</pre>end<hr>tail"
                         "<dl><dt>term<dd>data</dl><blockquote>q1 q2</blockquote><p><p>last"),
              1);
    std::vector<CVisible*> all = t.Visibles();
    ASSERT_GT(all.size(), 30u);
    std::map<CVisible*, int> pass;
    for (CVisible* e : all)
        pass[e] = e->m_nBreak;
    int withBreaks = 0;
    for (CVisible* e : all) {
        e->ComputeBreaks(); // outside a pass: the plain searches
        EXPECT_EQ(e->m_nBreak, pass[e]) << "element of kind " << e->m_nKind << " at index " << withBreaks;
        withBreaks += e->m_nBreak != 0;
    }
    EXPECT_GT(withBreaks, 10);

    // The same over hand-made structure with paragraphs and line breaks at several depths.
    CHtmlX* doc = t.Doc();
    CElement* body = EmptyBody(doc);
    std::vector<Box*> boxes;
    auto box = [&](CElement* parent) { return boxes.emplace_back(AddTo(parent, new Box(doc, 4, 4))); };
    box(body);
    CElement* p = AddTo(body, new Node(doc, 50, EF_PARAGRAPH));
    box(p);
    CElement* div = AddTo(p, new Node(doc, 19, EF_LINEBREAK));
    box(div);
    box(div);
    AddTo(div, new Node(doc, 50, EF_PARAGRAPH)); // empty paragraph
    box(p);
    box(body);
    CElement* deep = body;
    for (int i = 0; i < 20; ++i)
        deep = AddTo(deep, new Node(doc, i % 3 == 0 ? 21 : 4, i % 3 == 0 ? EF_LINEBREAK : 0));
    box(deep);
    box(body);
    doc->SetStaticData();
    std::vector<int> fromPass;
    for (Box* b : boxes)
        fromPass.push_back(b->m_nBreak);
    std::vector<int> plain;
    for (Box* b : boxes) {
        b->ComputeBreaks();
        plain.push_back(b->m_nBreak);
    }
    EXPECT_EQ(fromPass, plain);
    EXPECT_EQ(fromPass,
              (std::vector<int>{0, BRK_PARA, BRK_LINE, 0, BRK_PARA | BRK_LINE, 0, BRK_LINE, BRK_LINE}));
}

// A long run of words without P or BR is measured in time proportional to its length.
TEST_F(LayoutTest, MeasurePassIsLinearOverLongRuns)
{
    TestDoc t(300, 200);
    ASSERT_EQ(t.OpenHtml("<p>x"), 1);
    CHtmlX* doc = t.Doc();
    CElement* body = EmptyBody(doc);
    CElement* p = AddTo(body, new Node(doc, 50, EF_PARAGRAPH));
    const int n = 20000;
    for (int i = 0; i < n; ++i) {
        AddTo(p, new Box(doc, 4, 4));
        AddTo(p, new Node(doc, 15)); // something invisible between the words
    }
    for (int i = 0; i < n; ++i)
        AddTo(body, new Box(doc, 4, 4));
    // Quadratic break searches would run for minutes here and hit the test time-out.
    doc->SetStaticData();
    doc->Layout(300, 200);
    std::vector<CVisible*> all = t.Visibles();
    ASSERT_EQ(all.size(), size_t(2 * n));
    EXPECT_EQ(all[0]->m_nBreak & ~BRK_WRAP, BRK_PARA);
    EXPECT_EQ(all[1]->m_nBreak & ~BRK_WRAP, 0);
    EXPECT_EQ(all[n]->m_nBreak & ~BRK_WRAP, BRK_PARA);
    EXPECT_EQ(all[n + 1]->m_nBreak & ~BRK_WRAP, 0);
}

} // namespace
