// Hostile pages through the whole document: deep nesting, long runs and many lines, opened, laid out, drawn.
#include "DocTestUtil.h"
#include "Hostile.h"

#include "korhtml/HtmlSrvr.h"

using hostile::Repeat;

namespace {

class HostileDocument : public DocTest
{
};

TEST_F(HostileDocument, DeepNestingOpensLaysOutDrawsAndCloses)
{
    struct Case
    {
        const char* label;
        std::string open;
        std::string close;
    } cases[] = {
        {"divisions", "<div>", "</div>"},
        {"inline tags", "<b>", "</b>"},
        {"anchors in fonts", "<font size=2><a href=x>", "</a></font>"},
    };
    const size_t depth = 100000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TestDoc t(300, 200);
        ASSERT_EQ(t.OpenHtml(Repeat(c.open, depth) + "deep word" + Repeat(c.close, depth) + " after"), 1);
        t.Layout();
        EXPECT_TRUE(t->ReadyToDraw());
        EXPECT_GT(t->GetContentSize().cy, 0);
        t.Render(0);
        EXPECT_NE(t->GetTopVisible(), nullptr);
        t->MouseOnAnchor(CPoint(15, 15));
        t->Close();
        EXPECT_TRUE(t->IsEmpty());
    }
}

// Long pages of one shape open, lay out and draw whole: every word is there and the page is as
// high as its lines.
TEST_F(HostileDocument, LongPagesOfOneShape)
{
    TestDoc t(400, 300);
    // The box font: a word of five bytes is 35 pixels wide, a line at least 14 high.
    hostile::AtScale("words in one paragraph", 20000, [&](size_t n) {
        ASSERT_EQ(t.OpenHtml("<p>" + Repeat("word ", n)), 1);
        t.Layout();
        t.Render(0);
        EXPECT_EQ(t.Visibles().size(), n);
        EXPECT_GE(size_t(t->GetContentSize().cy), n * 35 / 400 * 14);
    });
    hostile::AtScale("lines with breaks", 10000, [&](size_t n) {
        ASSERT_EQ(t.OpenHtml(Repeat("a b<br>", n)), 1);
        t.Layout();
        t.Render(0);
        EXPECT_GE(size_t(t->GetContentSize().cy), n * 14);
    });
    hostile::AtScale("paragraphs", 10000, [&](size_t n) {
        ASSERT_EQ(t.OpenHtml(Repeat("<p>a b c", n)), 1);
        t.Layout();
        t.Render(t->GetContentSize().cy / 2);
        EXPECT_EQ(t.Visibles().size(), 3 * n);
        EXPECT_GE(size_t(t->GetContentSize().cy), n * 14);
    });
}

} // namespace
