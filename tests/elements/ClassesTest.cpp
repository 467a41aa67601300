// Tests of the element classes as data: kinds, flags, tricky initial values, fixed ranges and alignments.
#include "ElementTestTree.h"

#include "korhtml/AttrValues.h"
#include "korhtml/FormElements.h"
#include "korhtml/ImageElement.h"
#include "korhtml/RuleElements.h"
#include "korhtml/SimpleElements.h"
#include "korhtml/TableElements.h"
#include "korhtml/TextElement.h"
#include "platform/gdi/gdi.h"

#include <functional>
#include <memory>

namespace {

class ClassesTest : public ServerTest
{
};

struct KindRow
{
    int kind;
    DWORD flags;
    std::function<CElement*()> make;
};

template <class T> std::function<CElement*()> Make()
{
    return [] { return new T(nullptr); };
}

const DWORD V = EF_VISIBLE, F = EF_FONT, LB = EF_LINEBREAK, P = EF_PARAGRAPH, IN = EF_INLINE, L = EF_LIST,
            A = EF_ALIGN, CX = EF_CONTEXT, CT = EF_CONTROL;

} // namespace

// Every tag index builds its own class with the kind and flags the layout relies on.
TEST_F(ClassesTest, KindsAndFlagsPerTag)
{
    const KindRow rows[] = {
        {0, F, Make<FAnchor>()},
        {1, F, Make<FAddress>()},
        {2, 0, Make<FApplet>()},
        {3, 0, Make<FArea>()},
        {4, F, Make<FBold>()},
        {5, 0, Make<FBase>()},
        {6, F, Make<FBig>()},
        {7, 0, Make<FBlink>()},
        {8, P, Make<FBlockQuote>()},
        {9, F | CX, Make<FBody>()},
        {10, V | IN | LB, Make<FBreak>()},
        {11, LB, Make<FCaption>()},
        {12, P | A, Make<FCenter>()},
        {13, F, Make<FCite>()},
        {14, F, Make<FCode>()},
        {15, 0, Make<FComment>()},
        {16, LB, Make<FDefinitionData>()},
        {17, 0, Make<FDefinition>()},
        {18, P | L, Make<FDirectory>()},
        {19, LB | A, Make<FDivision>()},
        {20, P, Make<FDefinitionList>()},
        {21, LB, Make<FDefinitionTerm>()},
        {22, F, Make<FEmphasis>()},
        {23, F, Make<FFont>()},
        {24, 0, Make<FForm>()},
        {25, F | CX, Make<FFrame>()},
        {26, F | CX, Make<FFrameSet>()},
        {27, F | P | A, Make<FHeading1>()},
        {28, F | P | A, Make<FHeading2>()},
        {29, F | P | A, Make<FHeading3>()},
        {30, F | P | A, Make<FHeading4>()},
        {31, F | P | A, Make<FHeading5>()},
        {32, F | P | A, Make<FHeading6>()},
        {33, 0, Make<FHead>()},
        {34, V | IN | P, Make<FRule>()},
        {35, 0, Make<FHtml>()},
        {36, F, Make<FItalic>()},
        {37, V | IN, Make<FImage>()},
        {38, V | IN | CT, Make<FInput>()},
        {39, 0, Make<FIsIndex>()},
        {40, F, Make<FKeyboard>()},
        {41, V | LB, Make<FListItem>()},
        {42, 0, Make<FLink>()},
        {43, F | P, Make<FListing>()},
        {44, 0, Make<FMap>()},
        {45, P | L, Make<FMenu>()},
        {46, 0, Make<FMeta>()},
        {47, F | CX, Make<FNoFrames>()},
        {48, P | L, Make<FOrderedList>()},
        {49, IN, Make<FOption>()},
        {50, P | A, Make<FParagraph>()},
        {51, 0, Make<FParam>()},
        {53, F | P, Make<FPreformatted>()},
        {54, F, Make<FSample>()},
        {55, 0, Make<FScript>()},
        {56, V | IN | CT, Make<FSelect>()},
        {57, F, Make<FSmall>()},
        {58, F, Make<FStrike>()},
        {59, F, Make<FStrong>()},
        {60, 0, Make<FStyle>()},
        {61, F, Make<FSubscript>()},
        {62, F, Make<FSuperscript>()},
        {63, V | IN, Make<FTable>()},
        {64, V | LB | CX, Make<FTableCell>()},
        {65, V | IN | CT, Make<FTextArea>()},
        {66, 0, Make<FTableFoot>()},
        {67, V | LB | CX | F, Make<FTableHeader>()},
        {68, 0, Make<FTitle>()},
        {69, 0, Make<FTableRow>()},
        {70, F, Make<FTeletype>()},
        {71, F, Make<FUnderline>()},
        {72, P | L, Make<FUnorderedList>()},
        {73, F, Make<FVariable>()},
        {74, V | IN, Make<FText>()},
        {75, F | P, Make<FExample>()},
    };
    for (const KindRow& row : rows) {
        std::unique_ptr<CElement> e(row.make());
        EXPECT_EQ(e->m_nKind, row.kind);
        EXPECT_EQ(e->m_dwFlags, row.flags) << "kind " << row.kind;
    }
    FSpanCell span(nullptr, 2, 1);
    EXPECT_EQ(span.m_nKind, 1000);
    EXPECT_EQ(span.m_nColOffset, 2);
    EXPECT_EQ(span.m_nRowOffset, 1);
}

// Initial values whose codes or signs are easy to confuse.
TEST_F(ClassesTest, InitialValues)
{
    FBody body(nullptr);
    EXPECT_EQ(body.m_crALink, RGB(255, 0, 0));
    EXPECT_EQ(body.m_crLink, RGB(0, 0, 255));
    EXPECT_EQ(body.m_crVLink, RGB(255, 0, 255));
    EXPECT_EQ(body.m_crText, RGB(0, 0, 0));
    EXPECT_EQ(body.m_crBgColor, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(body.m_pBackImage, nullptr);

    // A cell is left-aligned (an align code) and centred vertically (a valign code).
    FTableHeader th(nullptr);
    EXPECT_EQ(th.m_nCellAlign, ALIGN_LEFT);
    EXPECT_EQ(th.m_nVAlign, VALIGN_CENTER);
    EXPECT_EQ(th.m_nColSpan, 1);
    EXPECT_EQ(th.m_nRowSpan, 1);
    EXPECT_EQ(th.m_crBgColor, COLORREF(-1));
    EXPECT_EQ(th.m_nColEnd, -1);

    FTable table(nullptr);
    EXPECT_EQ(table.m_nCellPadding, 2);
    EXPECT_EQ(table.m_nCellSpacing, 1);
    EXPECT_EQ(table.m_nWidthAttr, 0);
    EXPECT_EQ(table.m_crBorderLight, COLORREF(-1));

    // -1 stands for "not given" in images, rules and controls.
    FImage img(nullptr);
    EXPECT_EQ(img.m_nWidthAttr, -1);
    EXPECT_EQ(img.m_nHeightAttr, -1);
    EXPECT_EQ(img.m_nHSpace, -1);
    EXPECT_EQ(img.m_nBorder, 0);
    FRule hr(nullptr);
    EXPECT_EQ(hr.m_nWidthAttr, -1);
    EXPECT_EQ(hr.m_nHeight, 4);
    FBreak br(nullptr);
    EXPECT_EQ(br.m_nHeight, 15);
    FListItem li(nullptr);
    EXPECT_EQ(li.m_nWidth, 10);
    EXPECT_EQ(li.m_nValue, -1);
    FSelect sel(nullptr);
    EXPECT_EQ(sel.m_nSize, 1);
    FTextArea ta(nullptr);
    EXPECT_EQ(ta.m_nRowsAttr, -1);
    EXPECT_EQ(ta.m_hWnd, nullptr);
    FInput in(nullptr);
    EXPECT_EQ(in.m_nSize, -1);
    EXPECT_EQ(in.m_nType, TYPE_TEXT);
}

// Aligning containers: P and DIV give their own align, CENTER always centres, and an element
// without an align lets the next aligning ancestor decide.
TEST_F(ClassesTest, AlignmentReachesTheWords)
{
    std::unique_ptr<FCenter> center(new FCenter(nullptr));
    FParagraph* plain = Add(center.get(), new FParagraph(nullptr));
    FText* w1 = Add(plain, new FText(nullptr));
    FParagraph* right = Add(center.get(), new FParagraph(nullptr));
    right->m_nAlign = ALIGN_RIGHT;
    FText* w2 = Add(right, new FText(nullptr));
    FHeading3* h3 = Add(center.get(), new FHeading3(nullptr));
    h3->m_nAlign = ALIGN_LEFT;
    FText* w3 = Add(h3, new FText(nullptr));
    FTableCell* cell = Add(center.get(), new FTableCell(nullptr));
    FText* w4 = Add(cell, new FText(nullptr));

    EXPECT_EQ(plain->GetAlign(), 0);
    EXPECT_EQ(center->GetAlign(), ALIGN_CENTER);
    for (FText* w : {w1, w2, w3, w4})
        w->InheritAlign();
    EXPECT_EQ(w1->m_nAlign, ALIGN_CENTER);
    EXPECT_EQ(w2->m_nAlign, ALIGN_RIGHT);
    EXPECT_EQ(w3->m_nAlign, ALIGN_LEFT);
    EXPECT_EQ(w4->m_nAlign, ALIGN_LEFT); // the cell is a context: the CENTER outside does not reach in
}

// Text, BR, text, BR, BR, text inside a paragraph: each break is looked up before itself.
TEST_F(ClassesTest, BreaksStartTheFollowingLine)
{
    std::unique_ptr<TElem> root(new TElem(100));
    FParagraph* p = Add(root.get(), new FParagraph(nullptr));
    FBreak* lead = Add(p, new FBreak(nullptr));
    TBox* t1 = Add(p, new TBox(10, 10));
    FBreak* b1 = Add(p, new FBreak(nullptr));
    TBox* t2 = Add(p, new TBox(10, 10));
    FBreak* b2 = Add(p, new FBreak(nullptr));
    FBreak* b3 = Add(p, new FBreak(nullptr));
    TBox* t3 = Add(p, new TBox(10, 10));
    for (CVisible* e : std::initializer_list<CVisible*>{lead, t1, b1, t2, b2, b3, t3})
        e->ComputeBreaks();

    EXPECT_EQ(lead->m_nBreak, BRK_PARA); // first content of the paragraph
    EXPECT_EQ(t1->m_nBreak, BRK_LINE);   // the element after a break
    EXPECT_EQ(b1->m_nBreak, 0);          // a break ends its line, it starts none
    EXPECT_EQ(t2->m_nBreak, BRK_LINE);
    EXPECT_EQ(b2->m_nBreak, 0);
    EXPECT_EQ(b3->m_nBreak, BRK_LINE); // two breaks in a row: an empty line
    EXPECT_EQ(t3->m_nBreak, BRK_LINE);

    CVisible *first = nullptr, *after = nullptr;
    b1->GetVisibleRange(&first, &after);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(after, t2);
}

// List items start their line but not their content's, and indent by list level.
TEST_F(ClassesTest, ListItemRangeAndIndent)
{
    std::unique_ptr<FUnorderedList> outer(new FUnorderedList(nullptr));
    FUnorderedList* inner = Add(outer.get(), new FUnorderedList(nullptr));
    FListItem* li1 = Add(inner, new FListItem(nullptr));
    Add(li1, new TBox(10, 10));
    FListItem* li2 = Add(inner, new FListItem(nullptr));
    TBox* word = Add(li2, new TBox(10, 10));
    li2->ComputeBreaks();
    li2->ComputeListLevel();
    word->ComputeBreaks();
    EXPECT_EQ(li2->m_nBreak, BRK_LINE);
    EXPECT_EQ(word->m_nBreak, 0);
    EXPECT_EQ(li2->m_nListLevel, 2);
    EXPECT_EQ(li2->GetIndent(), 40);
    li2->m_nBreak = 0; // the indent does not depend on the break
    EXPECT_EQ(li2->GetIndent(), 40);
}

// Table and cell ranges: a cell never gives the next cell a break, and the walk through a cell's
// content ends at a nested table that is the cell's last element.
TEST_F(ClassesTest, TableAndCellRanges)
{
    std::unique_ptr<FTable> table(new FTable(nullptr));
    FTableRow* row = Add(table.get(), new FTableRow(nullptr));
    FTableCell* c1 = Add(row, new FTableCell(nullptr));
    TBox* w1 = Add(c1, new TBox(10, 10));
    FTable* nested = Add(c1, new FTable(nullptr));
    FTableCell* nc = Add(Add(nested, new FTableRow(nullptr)), new FTableCell(nullptr));
    TBox* nw = Add(nc, new TBox(10, 10));
    FTableHeader* c2 = Add(row, new FTableHeader(nullptr));
    TBox* w2 = Add(c2, new TBox(10, 10));

    CVisible *first = nullptr, *after = nullptr;
    c1->GetVisibleRange(&first, &after);
    EXPECT_EQ(first, w1);
    EXPECT_EQ(after, nullptr); // the next visible element is the TH cell
    nested->GetVisibleRange(&first, &after);
    EXPECT_EQ(first, nested);
    EXPECT_EQ(after, c2);
    EXPECT_EQ(nested->GetNextElement(), nullptr);
    nc->GetVisibleRange(&first, &after);
    EXPECT_EQ(first, nw);

    // After the outer table: the element that follows it.
    std::unique_ptr<TElem> root(new TElem(100));
    root->AddLastChild(table.release());
    FTable* outer = static_cast<FTable*>(root->GetFirstChild());
    TBox* tail = Add(root.get(), new TBox(10, 10));
    c2->GetVisibleRange(&first, &after);
    EXPECT_EQ(first, w2);
    EXPECT_EQ(after, tail);
    EXPECT_EQ(outer->GetNextElement(), tail);

    // A cell is placed only by its table.
    c2->m_nX = 3;
    c2->Place(500, 600);
    EXPECT_EQ(c2->m_nX, 3);

    // The table owns its grid placeholders.
    outer->m_lstSpans.AddTail(new FSpanCell(nullptr, 1, 0));
    outer->m_lstSpans.AddTail(new FSpanCell(nullptr, 0, 1));
}

// The layout walks jump over the content of selections and text areas.
TEST_F(ClassesTest, ControlsHideTheirContentFromTheWalks)
{
    std::unique_ptr<TElem> root(new TElem(100));
    FSelect* sel = Add(root.get(), new FSelect(nullptr));
    FOption* opt = Add(sel, new FOption(nullptr));
    Add(opt, new TBox(10, 10));
    FTextArea* ta = Add(root.get(), new FTextArea(nullptr));
    Add(ta, new TBox(10, 10));
    FSelect* empty = Add(root.get(), new FSelect(nullptr));
    TBox* tail = Add(root.get(), new TBox(10, 10));

    EXPECT_EQ(root->GetNextVisible(FALSE, nullptr), sel);
    EXPECT_EQ(sel->GetNextVisible(FALSE, nullptr), ta);
    EXPECT_EQ(sel->GetNextVisible(TRUE, nullptr), ta); // the arguments are ignored
    EXPECT_EQ(sel->GetNextElement(), ta);
    EXPECT_EQ(ta->GetNextElement(), empty);
    EXPECT_EQ(empty->GetNextVisible(FALSE, nullptr), tail);
    EXPECT_EQ(empty->GetNextElement(), tail);

    CVisible *first = nullptr, *after = nullptr;
    ta->GetVisibleRange(&first, &after);
    EXPECT_EQ(first, ta);
    EXPECT_EQ(after, empty);
}
