// The band searches by position answer as the walks from either end of the page would.
#include "DocTestUtil.h"

#include "korhtml/Element.h"

#include <cstdint>
#include <string>

namespace {

// The plain walks the searches replace.
CVisible* WalkDown(CElement* body, int top, int bottom)
{
    CVisible* e = body->GetNextVisible(FALSE, nullptr);
    while (e && e->GetBandRelation(top, bottom) != BAND_INSIDE)
        e = e->GetNextVisible(FALSE, nullptr);
    return e;
}

CVisible* WalkUp(CElement* body, int top, int bottom)
{
    CVisible* e = body->GetLastVisible();
    while (e && e->GetBandRelation(top, bottom) != BAND_INSIDE)
        e = e->GetPrevVisible(FALSE, nullptr);
    return e;
}

// Compares both searches with the walks for bands of several heights at every step of the page
// and a little beyond it; returns how many bands held an element.
int ExpectSameAsWalks(TestDoc& t, int step)
{
    CElement* body = t->GetBody();
    const int end = t->GetContentSize().cy + 100;
    int found = 0;
    for (int height : {0, 1, 37, 600}) {
        for (int y = -100; y < end; y += step) {
            CVisible* top = t->GetTopVisible(y, y + height);
            EXPECT_EQ(top, WalkDown(body, y, y + height)) << "y " << y << " height " << height;
            EXPECT_EQ(t->GetBottomVisible(y, y + height), WalkUp(body, y, y + height))
                << "y " << y << " height " << height;
            found += top != nullptr;
        }
    }
    // An inverted band holds only elements that span it.
    EXPECT_EQ(t->GetTopVisible(300, 200), WalkDown(body, 300, 200));
    EXPECT_EQ(t->GetBottomVisible(300, 200), WalkUp(body, 300, 200));
    return found;
}

// Elements that come later in document order but lie higher on the page than the one before.
int OutOfOrder(TestDoc& t)
{
    int n = 0;
    int prev = INT32_MIN;
    for (CVisible* e : t.Visibles()) {
        n += e->m_nY < prev;
        prev = e->m_nY;
    }
    return n;
}

// Floats beside paragraphs, nested tables with spans and tall cells, lists, preformatted text, rules
// and (when asked) form controls whose contents the walk down passes over; repeated, so that it spans
// many runs of the index.
std::string MixedPage(bool controls)
{
    std::string s = "<body>";
    for (int i = 0; i < 12; ++i) {
        const std::string n = std::to_string(i);
        s += "<h2>Part " + n + "</h2><img src=missing" + n +
             ".gif width=60 height=" + std::to_string(40 + 30 * i) +
             (i % 2 ? " align=left>" : " align=right>");
        s += "<p>words beside the float, and more words so that the lines wrap round it a few times over";
        s += "<table border=1 cellpadding=2><tr><td rowspan=2 valign=top>tall cell " + n +
             "<br>two<br>three<br>four<td>right<tr><td><table><tr><td>inner " + n +
             "<td>cell</table></table>";
        s += "<ul><li>one<ul><li>deeper <b>bold</b><li>again</ul><li>back</ul>";
        s += "<pre>pre line\nsecond line</pre><hr>";
        if (controls)
            s += "<form><textarea rows=3>area text " + n +
                 "</textarea><select><option>a<option>b</select></form>";
        s += "<table align=right><tr><td>floating table " + n + "</table>short text";
    }
    return s;
}

class BandSearchTest : public DocTest
{
};

TEST_F(BandSearchTest, PagesWithFloatsTablesAndNestingAtEveryScrollPosition)
{
    // Without controls one walk gives both sequences; with them each walk is its own.
    {
        TestDoc plain(500, 300);
        ASSERT_EQ(plain.OpenHtml(MixedPage(false)), 1);
        plain.Layout();
        ASSERT_GT(plain.Visibles().size(), 500u);
        EXPECT_GT(ExpectSameAsWalks(plain, 7), 100);
    }
    TestDoc t(500, 300);
    ASSERT_EQ(t.OpenHtml(MixedPage(true)), 1);
    t.Layout();
    ASSERT_GT(t.Visibles().size(), 500u);
    EXPECT_GT(OutOfOrder(t), 20);
    EXPECT_GT(ExpectSameAsWalks(t, 7), 100);

    // Another width moves everything: the searches follow the new layout.
    t->Layout(230, 300);
    EXPECT_GT(ExpectSameAsWalks(t, 11), 100);

    // Taking elements out of the tree changes the walks without a layout; so do the searches.
    const auto visibles = t.Visibles();
    CElement* parent = nullptr;
    for (std::size_t i = visibles.size() / 2; i < visibles.size() && !parent; ++i)
        if (visibles[i]->GetParentElement() != t->GetBody())
            parent = visibles[i]->GetParentElement();
    ASSERT_NE(parent, nullptr);
    parent->Remove();
    ExpectSameAsWalks(t, 11);
    parent->DeleteChildren();
    delete parent;
}

} // namespace
