// Tests of the element base classes on hand-made trees: searches, ranges, placement, lines, links.
#include "DocTestUtil.h"
#include "ElementBoxes.h"

#include "korhtml/FormElements.h"
#include "korhtml/SimpleElements.h"
#include "korhtml/TableElements.h"

#include <memory>
#include <string>
#include <vector>

namespace {

class ElementTest : public DocTest
{
};

// A kind no tag has, for the structure of hand-made trees.
constexpr int kRoot = 1001;

// root
//  +- a(B, FONT)
//  |   +- b(box)
//  |   +- c(DIV, ALIGN)
//  |       +- d(box)
//  +- e(I)
//  +- f(box)
struct SearchTree
{
    std::unique_ptr<Node> root{new Node(kRoot)};
    Node* a = Add(root.get(), new Node(TAG_B, EF_FONT));
    Box* b = Add(a, new Box(10, 10));
    Node* c = Add(a, new Node(TAG_DIV, EF_ALIGN));
    Box* d = Add(c, new Box(10, 10));
    Node* e = Add(root.get(), new Node(TAG_I));
    Box* f = Add(root.get(), new Box(10, 10));
};

TEST_F(ElementTest, SearchesByKindAndFlags)
{
    SearchTree t;
    // Descendants: the stop not examined, a leaf without includeSelf finds nothing.
    EXPECT_EQ(t.a->FindDescendantByKind(KIND_TEXT), t.b);
    EXPECT_EQ(t.a->FindDescendantByKind(KIND_TEXT, FALSE, t.b), nullptr);
    EXPECT_EQ(t.a->FindDescendantByFlags(EF_FONT, TRUE), t.a);
    EXPECT_EQ(t.a->FindDescendantByFlags(EF_FONT), nullptr);
    EXPECT_EQ(t.d->FindDescendantByKind(KIND_TEXT), nullptr);
    EXPECT_EQ(t.d->FindDescendantByKind(KIND_TEXT, TRUE), t.d);

    // Siblings (the stop and includeSelf rules of the walks along the tree show in every layout).
    EXPECT_EQ(t.a->FindNextSiblingByKind(KIND_TEXT), t.f);
    EXPECT_EQ(t.f->FindPrevSiblingByFlags(EF_FONT), t.a);

    // Visible ranges: the first visible inside, the first visible after.
    CVisible *first = nullptr, *after = nullptr;
    t.a->GetVisibleRange(&first, &after);
    EXPECT_EQ(first, t.b);
    EXPECT_EQ(after, t.f);
    t.e->GetVisibleRange(&first, &after);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(after, t.f);
}

// Cells never give the next cell a break, a table is one step of the layout walk, a cell is placed
// only by its table, and selections and text areas hide their content from the walks.
TEST_F(ElementTest, TablesAndControlsInTheWalks)
{
    std::unique_ptr<Node> root(new Node(kRoot));
    FTable* table = Add(root.get(), new FTable(nullptr));
    FTableRow* row = Add(table, new FTableRow(nullptr));
    FTableCell* c1 = Add(row, new FTableCell(nullptr));
    Box* w1 = Add(c1, new Box(10, 10));
    FTable* nested = Add(c1, new FTable(nullptr));
    Add(Add(Add(nested, new FTableRow(nullptr)), new FTableCell(nullptr)), new Box(10, 10));
    FTableHeader* c2 = Add(row, new FTableHeader(nullptr));
    Box* w2 = Add(c2, new Box(10, 10));
    FSelect* select = Add(root.get(), new FSelect(nullptr));
    Add(Add(select, new FOption(nullptr)), new Box(10, 10));
    FTextArea* area = Add(root.get(), new FTextArea(nullptr));
    Add(area, new Box(10, 10));
    Box* tail = Add(root.get(), new Box(10, 10));

    CVisible *first = nullptr, *after = nullptr;
    c1->GetVisibleRange(&first, &after);
    EXPECT_EQ(first, w1);
    EXPECT_EQ(after, nullptr); // the next visible element is the TH cell
    c2->GetVisibleRange(&first, &after);
    EXPECT_EQ(first, w2);
    EXPECT_EQ(after, select);
    // A nested table that ends its cell hands the walk back to its outer table.
    EXPECT_EQ(nested->GetNextElement(), nullptr);
    EXPECT_EQ(table->GetNextElement(), select);
    EXPECT_EQ(select->GetNextElement(), area);
    EXPECT_EQ(area->GetNextElement(), tail);
    area->GetVisibleRange(&first, &after);
    EXPECT_EQ(first, area);
    EXPECT_EQ(after, tail);

    c2->m_nX = 3;
    c2->Place(500, 600);
    EXPECT_EQ(c2->m_nX, 3);
}

TEST_F(ElementTest, LineNavigation)
{
    // w1 w2 | w3(wrap) w4 BR option | w5(line) option w6 | w7(para), then an item that is not inline
    std::unique_ptr<Node> body(new Node(TAG_BODY, EF_FONT | EF_CONTEXT));
    Box* w1 = Add(body.get(), new Box(10, 10));
    Box* w2 = Add(body.get(), new Box(10, 10));
    Box* w3 = Add(body.get(), new Box(10, 10));
    Box* w4 = Add(body.get(), new Box(10, 10));
    Box* br = Add(body.get(), new Box(0, 15, TAG_BR, EF_INLINE | EF_LINEBREAK));
    Add(body.get(), new Node(TAG_OPTION, EF_INLINE));
    Box* w5 = Add(body.get(), new Box(10, 10));
    Add(body.get(), new Node(TAG_OPTION, EF_INLINE)); // inline, but never on a line
    Box* w6 = Add(body.get(), new Box(10, 10));
    Box* w7 = Add(body.get(), new Box(10, 10));
    Box* item = Add(body.get(), new Box(10, 10, TAG_LI, EF_LINEBREAK));
    w3->m_nBreak = BRK_WRAP;
    w5->m_nBreak = BRK_LINE;
    w7->m_nBreak = BRK_PARA;
    const DWORD all = BRK_WRAP | BRK_LINE | BRK_PARA;

    EXPECT_EQ(w2->GetLineStart(all), w1);
    EXPECT_EQ(w3->GetLineStart(all), w3);
    EXPECT_EQ(br->GetLineStart(all), w3);
    EXPECT_EQ(w6->GetLineStart(all), w5);
    EXPECT_EQ(w1->GetLineEnd(all), w2);
    EXPECT_EQ(w3->GetLineEnd(all), br);
    EXPECT_EQ(br->GetLineEnd(all), br);
    EXPECT_EQ(w5->GetLineEnd(all), w6);
    EXPECT_EQ(w7->GetLineEnd(all), w7);
    // The BR ends its line even when the bit of its successor is not asked for.
    EXPECT_EQ(w3->GetLineEnd(BRK_PARA), br);
    EXPECT_EQ(w6->GetLineStart(BRK_PARA), w1);

    EXPECT_EQ(w4->GetNextLineStart(all), w5); // past the option after the BR
    EXPECT_EQ(w5->GetPrevLineEnd(all), br);
    EXPECT_EQ(w1->GetNextLineEnd(all), br);
    EXPECT_EQ(w6->GetPrevLineEnd(all), br);
    EXPECT_EQ(w6->GetPrevLineStart(all), w3);
    EXPECT_EQ(w2->GetPrevLineStart(all), nullptr);
    EXPECT_EQ(w7->GetNextLineStart(all), nullptr);
    EXPECT_EQ(w7->GetNextLineEnd(all), nullptr);
    // An element that is no line item finds the line around it through its neighbours.
    EXPECT_EQ(item->GetLineStart(all), w7);
}

TEST_F(ElementTest, AnchorTypeAndLink)
{
    std::unique_ptr<Node> body(new Node(TAG_BODY, EF_FONT | EF_CONTEXT));
    Box* outside = Add(body.get(), new Box(10, 10));
    auto anchor = [&](const char* href, const char* name, const char* korlink) {
        FAnchor* a = Add(body.get(), new FAnchor(nullptr));
        a->m_strHref = href;
        a->m_strName = name;
        a->m_strKorLink = korlink;
        // The anchor decides for a word nested deeper inside it too.
        return Add(Add(a, new Node(TAG_B, EF_FONT)), new Box(10, 10));
    };
    struct Case
    {
        Box* word;
        int type;
        const char* link;
    } cases[] = {
        {outside, ANCHOR_NONE, ""},
        {anchor("page.html", "n", "k.html"), ANCHOR_LINK, "page.html"},
        {anchor("", "here", ""), ANCHOR_NAME, ""},
        {anchor("", "", ""), ANCHOR_BARE, ""},
        {anchor("", "", "k.html"), ANCHOR_BARE, "k.html"}, // a korlink alone is no href, but a link
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        EXPECT_EQ(c.word->GetAnchorType(CPoint(5, 5)), c.type);
        CPoint pt(1, 1);
        EXPECT_EQ(c.word->GetLink(&pt), c.link);
    }
}

} // namespace
