// Tests of the element base classes on hand-built trees: searches, breaks, alignment, lists, layout, lines.
#include "ElementTestTree.h"

#include "korhtml/AttrValues.h"
#include "korlib/korlib.h"

#include <cstring>
#include <memory>

namespace {

// root(100)
//  +- a(1, FONT)
//  |   +- b(box)
//  |   +- c(3, ALIGN)
//  |       +- d(box)
//  +- e(4)
//  +- f(box)
struct SearchTree
{
    std::unique_ptr<TElem> root{new TElem(100)};
    TElem* a = Add(root.get(), new TElem(1, EF_FONT));
    TBox* b = Add(a, new TBox(10, 10));
    TElem* c = Add(a, new TElem(3, EF_ALIGN));
    TBox* d = Add(c, new TBox(10, 10));
    TElem* e = Add(root.get(), new TElem(4));
    TBox* f = Add(root.get(), new TBox(10, 10));
};

} // namespace

TEST_F(ServerTest, ConstructionDefaults)
{
    int docTag = 0;
    CHtmlX* doc = reinterpret_cast<CHtmlX*>(&docTag);
    struct Bare : CElement
    {
        explicit Bare(CHtmlX* d) : CElement(d) {}
    } bare(doc);
    EXPECT_EQ(bare.m_pDoc, doc);
    EXPECT_EQ(bare.m_nKind, -1);
    EXPECT_EQ(bare.m_dwFlags, 0u);
    EXPECT_STREQ(bare.GetRuntimeClass()->m_lpszClassName, "CObject"); // elements have no records of their own
    SetMargins(7, 9);
    struct BareVisible : CVisible
    {
        BareVisible() : CVisible(nullptr) {}
    } box;
    EXPECT_EQ(box.m_nKind, -1);
    EXPECT_EQ(box.m_dwFlags, EF_VISIBLE);
    EXPECT_EQ(box.m_nWidth, 0);
    EXPECT_EQ(box.m_nHeight, 0);
    EXPECT_EQ(box.m_nListLevel, 0);
    EXPECT_EQ(box.m_bInListItem, 0);
    EXPECT_EQ(box.m_nAlign, ALIGN_LEFT);
    EXPECT_EQ(box.m_nBreak, 0);
    EXPECT_EQ(box.m_nX, 7);
    EXPECT_EQ(box.m_nY, 9);
    EXPECT_EQ(box.m_nLineLeft, 7);
    EXPECT_EQ(box.m_nLineWidth, 0);
    EXPECT_EQ(box.m_nBreakX, -1);
    EXPECT_EQ(CRect(box.m_rcDrawn), CRect(0, 0, 0, 0));
}

TEST_F(ServerTest, SearchesByKindAndFlags)
{
    SearchTree t;
    // Descendants: only the subtree, stop not examined, a leaf without includeSelf finds nothing.
    EXPECT_EQ(t.a->FindDescendantByKind(KIND_TEXT), t.b);
    EXPECT_EQ(t.a->FindDescendantByKind(KIND_TEXT, FALSE, t.b), nullptr);
    EXPECT_EQ(t.a->FindDescendantByKind(4), nullptr);
    EXPECT_EQ(t.c->FindDescendantByKind(KIND_TEXT), t.d);
    EXPECT_EQ(t.a->FindDescendantByFlags(EF_FONT, TRUE), t.a);
    EXPECT_EQ(t.a->FindDescendantByFlags(EF_FONT), nullptr);
    EXPECT_EQ(t.d->FindDescendantByKind(KIND_TEXT), nullptr);
    EXPECT_EQ(t.d->FindDescendantByKind(KIND_TEXT, TRUE), t.d);
    EXPECT_EQ(t.a->FindDescendantByFlags(EF_ALIGN | EF_LIST), t.c);

    // Forward and backward through the whole tree.
    EXPECT_EQ(t.b->FindNextByKind(KIND_TEXT), t.d);
    EXPECT_EQ(t.b->FindNextByKind(KIND_TEXT, TRUE), t.b);
    EXPECT_EQ(t.d->FindNextByKind(KIND_TEXT), t.f);
    EXPECT_EQ(t.d->FindNextByKind(KIND_TEXT, FALSE, t.e), nullptr);
    EXPECT_EQ(t.f->FindNextByKind(KIND_TEXT), nullptr);
    EXPECT_EQ(t.f->FindPrevByKind(KIND_TEXT), t.d);
    EXPECT_EQ(t.d->FindPrevByFlags(EF_FONT), t.a); // ancestors come before in pre-order
    EXPECT_EQ(t.d->FindPrevByFlags(EF_FONT, FALSE, t.c), nullptr);
    EXPECT_EQ(t.e->FindNextByFlags(EF_VISIBLE), t.f);

    // Siblings.
    EXPECT_EQ(t.a->FindNextSiblingByKind(KIND_TEXT), t.f);
    EXPECT_EQ(t.a->FindNextSiblingByKind(KIND_TEXT, FALSE, t.e), nullptr);
    EXPECT_EQ(t.a->FindNextSiblingByFlags(EF_FONT), nullptr);
    EXPECT_EQ(t.a->FindNextSiblingByFlags(EF_FONT, TRUE), t.a);
    EXPECT_EQ(t.f->FindPrevSiblingByFlags(EF_FONT), t.a);
    EXPECT_EQ(t.f->FindPrevSiblingByKind(4), t.e);
    EXPECT_EQ(t.c->FindPrevSiblingByKind(3), nullptr);

    // Ancestors.
    EXPECT_EQ(t.d->FindAncestorByFlags(EF_ALIGN), t.c);
    EXPECT_EQ(t.d->FindAncestorByFlags(EF_FONT), t.a);
    EXPECT_EQ(t.d->FindAncestorByKind(100), t.root.get());
    EXPECT_EQ(t.d->FindAncestorByKind(100, FALSE, t.a), nullptr);
    EXPECT_EQ(t.c->FindAncestorByFlags(EF_ALIGN), nullptr);
    EXPECT_EQ(t.c->FindAncestorByFlags(EF_ALIGN, TRUE), t.c);
    EXPECT_EQ(t.c->FindAncestorByKind(3, TRUE, t.c), nullptr);

    // Visible and inline shortcuts, last visible, visible ranges.
    EXPECT_EQ(t.root->GetNextVisible(), t.b);
    EXPECT_EQ(t.b->GetNextInline(), t.d);
    EXPECT_EQ(t.f->GetPrevVisible(), t.d);
    EXPECT_EQ(t.f->GetPrevInline(TRUE), t.f);
    EXPECT_EQ(t.a->GetLastVisible(), t.d);
    EXPECT_EQ(t.e->GetLastVisible(), t.d); // nothing inside: the nearest before
    EXPECT_EQ(t.root->GetLastVisible(), t.f);
    CVisible *first = nullptr, *after = nullptr;
    t.a->GetVisibleRange(&first, &after);
    EXPECT_EQ(first, t.b);
    EXPECT_EQ(after, t.f);
    t.e->GetVisibleRange(&first, &after);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(after, t.f);
    t.f->GetVisibleRange(&first, &after);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(after, nullptr);
}

TEST_F(ServerTest, DefaultFontAndAlign)
{
    TElem el(9, EF_FONT);
    LOGFONT lf;
    std::memset(&lf, 0x5A, sizeof lf);
    COLORREF color = 0x123456;
    el.CElement::ApplyFont(&lf, &color);
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_EQ(lf.lfEscapement, 0);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_EQ(lf.lfUnderline, 0);
    EXPECT_EQ(lf.lfStrikeOut, 0);
    EXPECT_EQ(lf.lfCharSet, 0);
    EXPECT_EQ(lf.lfOutPrecision, 3);
    EXPECT_EQ(lf.lfClipPrecision, 2);
    EXPECT_EQ(lf.lfQuality, 1);
    EXPECT_EQ(lf.lfPitchAndFamily, KorGetPitchAndFamily("Times New Roman"));
    EXPECT_STREQ(lf.lfFaceName, "Times New Roman");
    EXPECT_EQ(color, 0u);
    EXPECT_EQ(el.CElement::GetAlign(), 0);
}

TEST_F(ServerTest, BreakBitsFromParagraphsAndLineBreaks)
{
    // body: w1 P[w2 w3] w4 w5 DIV[w6] w7 P[] w8 ; an empty line-break element before w9
    std::unique_ptr<TElem> body(new TElem(9, EF_FONT | EF_CONTEXT));
    TBox* w1 = Add(body.get(), new TBox(10, 10));
    TElem* p = Add(body.get(), new TElem(50, EF_PARAGRAPH | EF_ALIGN));
    TBox* w2 = Add(p, new TBox(10, 10));
    TBox* w3 = Add(p, new TBox(10, 10));
    TBox* w4 = Add(body.get(), new TBox(10, 10));
    TBox* w5 = Add(body.get(), new TBox(10, 10));
    TElem* div = Add(body.get(), new TElem(19, EF_LINEBREAK | EF_ALIGN));
    TBox* w6 = Add(div, new TBox(10, 10));
    TBox* w7 = Add(body.get(), new TBox(10, 10));
    Add(body.get(), new TElem(50, EF_PARAGRAPH | EF_ALIGN));
    TBox* w8 = Add(body.get(), new TBox(10, 10));
    TBox* w9 = Add(body.get(), new TBox(10, 10));
    MeasureAll(body.get());
    EXPECT_EQ(w1->m_nBreak, 0);
    EXPECT_EQ(w2->m_nBreak, BRK_PARA);
    EXPECT_EQ(w3->m_nBreak, 0);
    EXPECT_EQ(w4->m_nBreak, BRK_PARA);
    EXPECT_EQ(w5->m_nBreak, 0);
    // The nearest paragraph element is still the first P, whose range does not reach w6.
    EXPECT_EQ(w6->m_nBreak, BRK_LINE);
    EXPECT_EQ(w7->m_nBreak, BRK_LINE);
    EXPECT_EQ(w8->m_nBreak, BRK_PARA); // an empty P: its "after" is w8
    EXPECT_EQ(w9->m_nBreak, 0);

    // The bits are recomputed from scratch: a stale wrap disappears.
    w9->m_nBreak = BRK_WRAP;
    w9->ComputeBreaks();
    EXPECT_EQ(w9->m_nBreak, 0);
}

TEST_F(ServerTest, InheritedAlignmentStopsAtContext)
{
    std::unique_ptr<TElem> body(new TElem(9, EF_FONT | EF_CONTEXT));
    TElem* center = Add(body.get(), new TElem(12, EF_PARAGRAPH | EF_ALIGN, ALIGN_CENTER));
    TElem* pRight = Add(center, new TElem(50, EF_PARAGRAPH | EF_ALIGN, ALIGN_RIGHT));
    TBox* inRight = Add(pRight, new TBox(10, 10));
    TElem* pPlain = Add(center, new TElem(50, EF_PARAGRAPH | EF_ALIGN, 0));
    TBox* inPlain = Add(pPlain, new TBox(10, 10));
    TBox* cell = Add(center, new TBox(0, 0, 64, EF_LINEBREAK | EF_CONTEXT));
    TBox* inCell = Add(cell, new TBox(10, 10));
    // Not EF_ALIGN: its alignment is not asked for.
    TElem* quiet = Add(body.get(), new TElem(8, EF_PARAGRAPH, ALIGN_RIGHT));
    TBox* inQuiet = Add(quiet, new TBox(10, 10));
    MeasureAll(body.get());
    EXPECT_EQ(inRight->m_nAlign, ALIGN_RIGHT);
    EXPECT_EQ(inPlain->m_nAlign, ALIGN_CENTER);
    EXPECT_EQ(inCell->m_nAlign, ALIGN_LEFT);
    EXPECT_EQ(cell->m_nAlign, ALIGN_CENTER);
    EXPECT_EQ(inQuiet->m_nAlign, ALIGN_LEFT);

    // Without an aligning ancestor the element keeps what its class set.
    TElem* plain = Add(body.get(), new TElem(7));
    TBox* keeps = Add(plain, new TBox(10, 10));
    keeps->m_nAlign = ALIGN_RIGHT;
    keeps->InheritAlign();
    EXPECT_EQ(keeps->m_nAlign, ALIGN_RIGHT);
}

TEST_F(ServerTest, ListLevelsAndListItems)
{
    std::unique_ptr<TElem> body(new TElem(9, EF_FONT | EF_CONTEXT));
    TElem* ul = Add(body.get(), new TElem(72, EF_PARAGRAPH | EF_LIST));
    TBox* li = Add(ul, new TBox(10, 5, 41, EF_LINEBREAK));
    TBox* inItem = Add(li, new TBox(10, 10));
    TElem* inner = Add(li, new TElem(72, EF_PARAGRAPH | EF_LIST));
    TBox* inInner = Add(inner, new TBox(10, 10));
    TElem* ul2 = Add(ul, new TElem(72, EF_PARAGRAPH | EF_LIST));
    TBox* bare = Add(ul2, new TBox(10, 10));
    TBox* cell = Add(ul, new TBox(0, 0, 64, EF_LINEBREAK | EF_CONTEXT));
    TBox* inCell = Add(cell, new TBox(10, 10));
    TBox* outside = Add(body.get(), new TBox(10, 10));
    MeasureAll(body.get());

    EXPECT_EQ(li->m_nListLevel, 1);
    EXPECT_EQ(li->m_bInListItem, 0);
    EXPECT_EQ(inItem->m_nListLevel, 1);
    EXPECT_EQ(inItem->m_bInListItem, 1);
    EXPECT_EQ(inInner->m_nListLevel, 2);
    EXPECT_EQ(inInner->m_bInListItem, 0); // the item lies above the nearest list
    EXPECT_EQ(bare->m_nListLevel, 2);
    EXPECT_EQ(bare->m_bInListItem, 0);
    EXPECT_EQ(inCell->m_nListLevel, 0);
    EXPECT_EQ(inCell->m_bInListItem, 0);
    EXPECT_EQ(outside->m_nListLevel, 0);

    // The indent counts only for an element that starts a line.
    inItem->m_nBreak = 0;
    EXPECT_EQ(inItem->GetIndent(), 0);
    inItem->m_nBreak = BRK_WRAP;
    EXPECT_EQ(inItem->GetIndent(), 30);
    bare->m_nBreak = BRK_LINE;
    EXPECT_EQ(bare->GetIndent(), 40);
}

TEST_F(ServerTest, PlaceWrapsAndRejoins)
{
    // Line width 100 at margin 10: two 40-wide words fit, the third wraps.
    std::unique_ptr<TElem> body(new TElem(9, EF_FONT | EF_CONTEXT));
    TBox* w1 = Add(body.get(), new TBox(40, 16));
    TBox* w2 = Add(body.get(), new TBox(40, 20));
    TBox* w3 = Add(body.get(), new TBox(40, 16));
    MeasureAll(body.get());
    LayOut(body.get(), 120);
    EXPECT_EQ(w1->m_nX, 10);
    EXPECT_EQ(w1->m_nY, 14); // bottom of a 20-high line that starts at the margin
    EXPECT_EQ(w2->m_nX, 50);
    EXPECT_EQ(w2->m_nY, 10);
    EXPECT_EQ(w3->m_nBreak, BRK_WRAP);
    EXPECT_EQ(w3->m_nX, 10);
    EXPECT_EQ(w3->m_nY, 10 + 20 + 5);
    EXPECT_TRUE(GetAlignQueue()->IsEmpty());

    // Wider: the wrap is cleared and the word joins the first line again.
    LayOut(body.get(), 200);
    EXPECT_EQ(w3->m_nBreak, 0);
    EXPECT_EQ(w3->m_nX, 90);
    EXPECT_EQ(w3->m_nY, 14);

    // Forced breaks stay and take the line or paragraph gap; the first element gets no gap.
    w1->m_nBreak = BRK_PARA;
    w2->m_nBreak = BRK_LINE;
    w3->m_nBreak = BRK_PARA;
    LayOut(body.get(), 1000);
    EXPECT_EQ(w1->m_nBreak, BRK_PARA);
    EXPECT_EQ(w1->m_nY, 10);
    EXPECT_EQ(w2->m_nX, 10);
    EXPECT_EQ(w2->m_nY, 10 + 16 + 5);
    EXPECT_EQ(w3->m_nY, 31 + 20 + 20);
    EXPECT_EQ(w3->m_nBreak, BRK_PARA);
}

TEST_F(ServerTest, PlaceOverWideAndNegativeWidth)
{
    std::unique_ptr<TElem> body(new TElem(9, EF_FONT | EF_CONTEXT));
    TBox* w1 = Add(body.get(), new TBox(30, 10));
    TBox* wide = Add(body.get(), new TBox(500, 10));
    TBox* w3 = Add(body.get(), new TBox(30, 10));
    LayOut(body.get(), 220);
    // Wider than the whole line: a line of its own at the line's left edge, never split.
    EXPECT_EQ(wide->m_nBreak, BRK_WRAP);
    EXPECT_EQ(wide->m_nX, 10);
    EXPECT_EQ(wide->m_nY, 25);
    EXPECT_EQ(w3->m_nBreak, BRK_WRAP);
    EXPECT_EQ(w3->m_nY, 40);

    // A view narrower than twice the margin: every element on a line of its own.
    LayOut(body.get(), 12);
    EXPECT_EQ(w1->m_nLineWidth, -8);
    EXPECT_EQ(w1->m_nY, 10);
    EXPECT_EQ(wide->m_nY, 25);
    EXPECT_EQ(w3->m_nY, 40);
    EXPECT_EQ(w3->m_nX, 10);
}

TEST_F(ServerTest, EvenAlignJustifiesOnlyWrappedLines)
{
    SetEvenAlign(TRUE);
    // Line width 100: w1 w2 (60 wide) then w3 wraps; w4 starts a forced line after w3.
    std::unique_ptr<TElem> body(new TElem(9, EF_FONT | EF_CONTEXT));
    TBox* w1 = Add(body.get(), new TBox(30, 10));
    TBox* w2 = Add(body.get(), new TBox(30, 10));
    TBox* w3 = Add(body.get(), new TBox(50, 10));
    TBox* w4 = Add(body.get(), new TBox(20, 10));
    TBox* w5 = Add(body.get(), new TBox(10, 10));
    TBox* w6 = Add(body.get(), new TBox(10, 10));
    w4->m_nBreak = BRK_LINE;
    LayOut(body.get(), 120);
    // The wrapped first line (30 + 30 + 50 > 100) is spread over the width.
    EXPECT_EQ(w3->m_nBreak, BRK_WRAP);
    EXPECT_EQ(w1->m_nX, 10);
    EXPECT_EQ(w2->m_nX, 10 + 70);
    // The line of w3, closed by w4's forced break, is left as placed.
    EXPECT_EQ(w3->m_nX, 10);
    // The last line is justified whenever even alignment is on.
    EXPECT_EQ(w4->m_nX, 10);
    EXPECT_EQ(w5->m_nX, 10 + 20 + 30);
    EXPECT_EQ(w6->m_nX, 10 + 90);
}

TEST_F(ServerTest, NextPositionAndBreakX)
{
    TBox box(40, 16);
    box.m_nX = 25;
    box.m_nY = 100;
    CPoint pt;
    EXPECT_EQ(box.GetNextPos(&pt), &pt);
    EXPECT_EQ(pt, CPoint(65, 100));
    box.m_nBreakX = 12;
    EXPECT_EQ(box.GetNextPos(), CPoint(12, 100 + 16 + 5));
    EXPECT_EQ(box.m_nBreakX, -1);
    EXPECT_EQ(box.GetNextPos(), CPoint(65, 100));

    box.m_nY = 50;
    box.m_nHeight = 10; // covers 50..60
    EXPECT_EQ(box.GetBandRelation(61, 100), 1);
    EXPECT_EQ(box.GetBandRelation(60, 100), 3);
    EXPECT_EQ(box.GetBandRelation(0, 50), 3);
    EXPECT_EQ(box.GetBandRelation(0, 49), 2);
}

TEST_F(ServerTest, ExtentCountsIndentAndSkipsTables)
{
    std::unique_ptr<TElem> body(new TElem(9, EF_FONT | EF_CONTEXT));
    EXPECT_EQ(body->GetExtent(), CSize(0, 0));
    TElem* empty = Add(body.get(), new TElem(7));
    Add(empty, new TElem(7));
    EXPECT_EQ(body->GetExtent(), CSize(0, 0));

    TElem* ul = Add(body.get(), new TElem(72, EF_PARAGRAPH | EF_LIST));
    TElem* li = Add(ul, new TElem(41, EF_LINEBREAK));
    TBox* w1 = Add(li, new TBox(50, 16));
    TBox* w2 = Add(li, new TBox(50, 16));
    MeasureAll(body.get());
    LayOut(body.get(), 400);
    // The item's line is moved right by its indent; the extent counts it as content.
    EXPECT_EQ(w1->m_nBreak, BRK_PARA | BRK_LINE);
    EXPECT_EQ(w1->GetIndent(), 30);
    EXPECT_EQ(w1->m_nX, 40);
    EXPECT_EQ(w2->m_nX, 90);
    EXPECT_EQ(body->GetExtent(), CSize(130, 16));
    EXPECT_EQ(ul->GetExtent(), CSize(130, 16));
    EXPECT_EQ(w2->GetExtent(), CSize(0, 0)); // a leaf

    // A rule counts with no width; a table counts with its own box, not its cells'.
    TBox* hr = Add(body.get(), new TBox(1000, 4, 34, EF_INLINE | EF_PARAGRAPH));
    hr->m_nX = 10;
    hr->m_nY = 50;
    EXPECT_EQ(body->GetExtent(), CSize(130, 44));
    TBox* table = Add(body.get(), new TBox(60, 30, 63, EF_INLINE));
    table->m_nX = 20;
    table->m_nY = 60;
    TBox* cell = Add(table, new TBox(500, 500, 64, EF_LINEBREAK | EF_CONTEXT));
    cell->m_nX = cell->m_nY = 0;
    TBox* inCell = Add(cell, new TBox(900, 900));
    inCell->m_nX = inCell->m_nY = 0;
    TBox* afterTable = Add(body.get(), new TBox(10, 10));
    afterTable->m_nX = 10;
    afterTable->m_nY = 95;
    EXPECT_EQ(body->GetExtent(), CSize(130, 95));
    // Walked from inside, the table's contents do count.
    EXPECT_EQ(table->GetExtent(), CSize(900, 900));
}

TEST_F(ServerTest, LineNavigation)
{
    // w1 w2 | w3(wrap) w4 BR | w5(line) opt w6 | w7(para)
    std::unique_ptr<TElem> body(new TElem(9, EF_FONT | EF_CONTEXT));
    TBox* w1 = Add(body.get(), new TBox(10, 10));
    TBox* w2 = Add(body.get(), new TBox(10, 10));
    TBox* w3 = Add(body.get(), new TBox(10, 10));
    TBox* w4 = Add(body.get(), new TBox(10, 10));
    TBox* br = Add(body.get(), new TBox(0, 15, 10, EF_INLINE | EF_LINEBREAK));
    TBox* w5 = Add(body.get(), new TBox(10, 10));
    Add(body.get(), new TElem(49, EF_INLINE)); // an option: inline, but never on a line
    TBox* w6 = Add(body.get(), new TBox(10, 10));
    TBox* w7 = Add(body.get(), new TBox(10, 10));
    TBox* nonInline = Add(body.get(), new TBox(10, 10, 41, EF_LINEBREAK));
    w3->m_nBreak = BRK_WRAP;
    w5->m_nBreak = BRK_LINE;
    w7->m_nBreak = BRK_PARA;
    const DWORD all = BRK_WRAP | BRK_LINE | BRK_PARA;

    EXPECT_EQ(w1->GetLineStart(all), w1);
    EXPECT_EQ(w2->GetLineStart(all), w1);
    EXPECT_EQ(w3->GetLineStart(all), w3);
    EXPECT_EQ(br->GetLineStart(all), w3);
    EXPECT_EQ(w6->GetLineStart(all), w5);
    EXPECT_EQ(w1->GetLineEnd(all), w2);
    EXPECT_EQ(w3->GetLineEnd(all), br);
    EXPECT_EQ(w4->GetLineEnd(all), br);
    EXPECT_EQ(br->GetLineEnd(all), br);
    EXPECT_EQ(w5->GetLineEnd(all), w6);
    EXPECT_EQ(w7->GetLineEnd(all), w7);
    // The BR ends its line even when its successor's bit is not asked for.
    EXPECT_EQ(w3->GetLineEnd(BRK_PARA), br);
    EXPECT_EQ(w5->GetLineEnd(BRK_PARA), w6);
    EXPECT_EQ(w6->GetLineStart(BRK_PARA), w1);

    EXPECT_EQ(w4->GetNextLineStart(all), w5);
    EXPECT_EQ(w1->GetNextLineEnd(all), br);
    EXPECT_EQ(w6->GetPrevLineEnd(all), br);
    EXPECT_EQ(w6->GetPrevLineStart(all), w3);
    EXPECT_EQ(w2->GetPrevLineStart(all), nullptr);
    EXPECT_EQ(w2->GetPrevLineEnd(all), nullptr);
    EXPECT_EQ(w7->GetNextLineStart(all), nullptr);
    EXPECT_EQ(w7->GetNextLineEnd(all), nullptr);
    EXPECT_EQ(w6->GetNextLineStart(all), w7);
    // An element that is no line item finds the line around it through its neighbours.
    EXPECT_EQ(nonInline->GetLineStart(all), w7);
}

TEST_F(ServerTest, DeepTreesNeedNoRecursion)
{
    const int depth = 100000;
    std::unique_ptr<TElem> body(new TElem(9, EF_FONT | EF_CONTEXT));
    CElement* parent = body.get();
    for (int i = 0; i < depth; ++i)
        parent = Add(parent, new TElem(i % 2 ? 72 : 7, i % 2 ? EF_LIST : 0));
    TBox* leaf = Add(parent, new TBox(10, 10));
    TBox* after = Add(body.get(), new TBox(10, 10));
    EXPECT_EQ(body->FindDescendantByFlags(EF_VISIBLE), leaf);
    EXPECT_EQ(body->GetLastVisible(), after);
    EXPECT_EQ(leaf->FindAncestorByKind(TAG_BODY), body.get());
    CVisible *first = nullptr, *next = nullptr;
    static_cast<CElement*>(body->GetChildAt(0))->GetVisibleRange(&first, &next);
    EXPECT_EQ(first, leaf);
    EXPECT_EQ(next, after);
    leaf->Measure(nullptr);
    EXPECT_EQ(leaf->m_nListLevel, depth / 2);
    LayOut(body.get(), 400);
    EXPECT_EQ(body->GetExtent().cy, 10);
    body->DeleteChildren();
    EXPECT_TRUE(body->IsLeaf());
}
