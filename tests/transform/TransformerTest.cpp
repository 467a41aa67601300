// Tests of the transformer over parsed HTML: dispatch by tag, attribute rules, maps, words.
#include "DocTestUtil.h"
#include "ElementTree.h"

#include "korhtml/FormElements.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/ImageElement.h"
#include "korhtml/MapElements.h"
#include "korhtml/Region.h"
#include "korhtml/RuleElements.h"
#include "korhtml/SimpleElements.h"
#include "korhtml/TableElements.h"
#include "korhtml/TextElement.h"
#include "kortag/kortag.h"
#include "maps/MapManager.h"
#include "transform/Transformer.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using TransformerTest = DocTest;

using Strings = std::vector<std::string>;

TEST_F(TransformerTest, EveryIndexBuildsItsKindForTheCurrentDocument)
{
    CTagDB* db = GetHtmlDB();
    CHtmlX doc(nullptr);
    for (CHtmlX* owner : {static_cast<CHtmlX*>(nullptr), &doc}) {
        GetTransformer()->SetDocument(owner);
        for (int i = 0; i <= TAG_LAST; ++i) {
            CTagNode node(TAGNODE_ELEMENT, db->GetTagName(i), i);
            std::unique_ptr<CElement> e(GetTransformer()->CreateElement(&node));
            ASSERT_NE(e, nullptr) << i;
            // PLAINTEXT has no element of its own: it is kept like an unlisted tag.
            EXPECT_EQ(e->m_nKind, i == TAG_PLAINTEXT ? TAG_COMMENT : i) << db->GetTagName(i).GetString();
            EXPECT_EQ(e->m_pDoc, owner);
        }
    }
    GetTransformer()->SetDocument(nullptr);
}

using Numbers = std::vector<long long>;

// Quotes, values written without a value ("EXIST") and percentages, on images, rules, fonts, body
// colours, forms, lists and frames. Each element's fields are compared at once, in the order named.
TEST_F(TransformerTest, AttributesOfImagesRulesFontsFormsAndLists)
{
    ElementTree t("<BODY bgcolor=Magent text=\"#102030\" link=magenta vlink=\"SystemText\">"
                  "<IMG src=\"a b.gif\" width=\"50%\" height=20 border hspace='5' vspace=\"\" "
                  "alt='x' ismap align=\"Middle\"><HR width=75% size=\"3\" noshade><IMG>"
                  "<FONT size=+2>a</FONT><FONT color=\"red\">b</FONT>"
                  "<FONT face=\"\xB1\xBC\xB8\xB2\" size=\"\">c</FONT><FONT>d</FONT><FORM method=post>"
                  "<INPUT type=checkbox checked maxlength=\"5\"><TEXTAREA cols=30 rows=\"4\">t</TEXTAREA>"
                  "</FORM><OL type=a start=3><LI type=I value=7>i<LI>j</OL></BODY>");
    FBody* body = t.Nth<FBody>(TAG_BODY);
    FImage* img = t.Nth<FImage>(TAG_IMG);
    FRule* hr = t.Nth<FRule>(TAG_HR);
    FInput* input = t.Nth<FInput>(TAG_INPUT);
    FTextArea* area = t.Nth<FTextArea>(TAG_TEXTAREA);
    FOrderedList* ol = t.Nth<FOrderedList>(TAG_OL);
    ASSERT_TRUE(body && img && hr && input && area && ol);
    // bgcolor, text, link (MAGENTA is no colour name), vlink, alink (not given).
    EXPECT_EQ((Numbers{body->m_crBgColor, body->m_crText, body->m_crLink, body->m_crVLink, body->m_crALink}),
              (Numbers{RGB(255, 0, 255), RGB(0x10, 0x20, 0x30), 0, 0, RGB(255, 0, 0)}));
    // Single quotes stay: the alt text keeps them and hspace has no digits; vspace is an empty number.
    EXPECT_EQ(img->m_strSrc, "a b.gif");
    EXPECT_EQ(img->m_strAlt, "'x'");
    // width, height, border, hspace, vspace, ismap, align; then the second image's width (absent).
    EXPECT_EQ((Numbers{img->m_nWidthAttr, img->m_nHeightAttr, img->m_nBorder, img->m_nHSpace, img->m_nVSpace,
                       img->m_bIsMap, img->m_nImageAlign, t.Nth<FImage>(TAG_IMG, 1)->m_nWidthAttr}),
              (Numbers{-50, 20, 1, 0, 0, 1, ALIGN_MIDDLE, -1}));
    EXPECT_EQ((Numbers{hr->m_nWidthAttr, hr->m_nSize, hr->m_bNoShade}), (Numbers{-75, 3, 1}));
    // Per FONT: which of size (1), colour (2) and face (4) were given; an empty size is a given size: 3.
    Numbers given;
    for (CElement* e : t.All(TAG_FONT)) {
        FFont* f = static_cast<FFont*>(e);
        given.push_back(f->m_bSizeGiven + 2 * f->m_bColorGiven + 4 * f->m_bFaceGiven);
    }
    EXPECT_EQ(given, (Numbers{1, 2, 5, 0}));
    EXPECT_EQ(t.Nth<FFont>(TAG_FONT, 0)->m_nSize, 5);
    EXPECT_EQ(t.Nth<FFont>(TAG_FONT, 2)->m_nSize, 3);
    EXPECT_EQ(t.Nth<FFont>(TAG_FONT, 1)->m_crColor, RGB(255, 0, 0));
    EXPECT_EQ(t.Nth<FFont>(TAG_FONT, 2)->m_strFace, "\xB1\xBC\xB8\xB2");
    // method; input type, checked, maxlength, size (absent); textarea cols and rows.
    EXPECT_EQ((Numbers{t.Nth<FForm>(TAG_FORM)->m_nMethod, input->m_nType, input->m_bChecked,
                       input->m_nMaxLength, input->m_nSize, area->m_nCols, area->m_nRowsAttr}),
              (Numbers{METHOD_POST, TYPE_CHECKBOX, 1, 5, -1, 30, 4}));
    // OL type and start; the items' types and values (absent in the second).
    FListItem* li = t.Nth<FListItem>(TAG_LI);
    EXPECT_EQ((Numbers{ol->m_nType, ol->m_nStart, li->m_nType, li->m_nValue,
                       t.Nth<FListItem>(TAG_LI, 1)->m_nValue}),
              (Numbers{TYPE_ALPHA, 3, TYPE_ROMAN, 7, -1}));
    // Frames keep their texts as the parser gives them, not as lengths.
    ElementTree frames("<FRAMESET rows=\"50%,*\"><FRAME noresize></FRAMESET>");
    EXPECT_EQ(frames.Nth<FFrameSet>(TAG_FRAMESET)->m_strRows, "50%,*");
    EXPECT_EQ(frames.Nth<FFrame>(TAG_FRAME)->m_strNoResize, "EXIST");
}

TEST_F(TransformerTest, TablesCellsAndBlockAlignment)
{
    ElementTree t("<TABLE align=center><TR align=CENTER valign=center>"
                  "<TD align=\"center\" valign=\"Center\" width=40% noborder=UP bgcolor=blue nowrap>x"
                  "<TD valign=bottom align=bottom colspan=0 rowspan=-3>y<TD colspan=\"50%\" rowspan=x>z"
                  "<TH colspan=3 rowspan=\"2\" align=right>c<TH colspan>d</TABLE><P align=center>z"
                  "<DIV align=right>w</DIV>");
    FTableRow* tr = t.Nth<FTableRow>(TAG_TR);
    ASSERT_NE(tr, nullptr);
    // CENTER is an align code for align and a valign code for valign: table, row, P and DIV
    // alignments, then the row's valign.
    EXPECT_EQ(
        (Numbers{t.Nth<FTable>(TAG_TABLE)->m_nTableAlign, tr->m_nRowAlign, t.Nth<FParagraph>(TAG_P)->m_nAlign,
                 t.Nth<FDivision>(TAG_DIV)->m_nAlign, tr->m_nRowVAlign}),
        (Numbers{ALIGN_CENTER, ALIGN_CENTER, ALIGN_CENTER, ALIGN_RIGHT, VALIGN_CENTER}));
    // Per cell: column and row span. Spans below 1, percentages and words read as 1, as does a span
    // without a value ("EXIST").
    Numbers spans;
    for (int kind : {TAG_TD, TAG_TH})
        for (CElement* e : t.All(kind))
            spans.insert(spans.end(),
                         {static_cast<FTableCell*>(e)->m_nColSpan, static_cast<FTableCell*>(e)->m_nRowSpan});
    EXPECT_EQ(spans, (Numbers{1, 1, 1, 1, 1, 1, 3, 2, 1, 1}));
    FTableCell* first = t.Nth<FTableCell>(TAG_TD);
    FTableCell* second = t.Nth<FTableCell>(TAG_TD, 1);
    EXPECT_EQ(
        (Numbers{first->m_nCellAlign, first->m_nVAlign, first->m_nWidthAttr, first->m_nNoBorder,
                 first->m_crBgColor, first->m_bNoWrap, second->m_nCellAlign, second->m_nVAlign}),
        (Numbers{ALIGN_CENTER, VALIGN_CENTER, -40, SIDE_UP, RGB(0, 0, 255), 1, ALIGN_BOTTOM, VALIGN_BOTTOM}));
}

TEST_F(TransformerTest, TableBorderAndAlignRules)
{
    ElementTree t("<TABLE border=true></TABLE><TABLE border=\"true\"></TABLE><TABLE border></TABLE>"
                  "<TABLE></TABLE><TABLE border=\"4\" align=left></TABLE><TABLE border=TRUE align=RIGHT>"
                  "</TABLE><TABLE align=\"justify\" width=\"80%\"></TABLE>"
                  "<TABLE align=center></TABLE>");
    std::vector<CElement*> tables = t.All(TAG_TABLE);
    ASSERT_EQ(tables.size(), 8u);
    auto table = [&](size_t i) { return static_cast<FTable*>(tables[i]); };
    // "true" is 1; quoted it is no number; the comparison is case-sensitive.
    const int borders[] = {1, 0, 1, 0, 4, 0};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(table(i)->m_nBorder, borders[i]) << i;
    // Centred, unaligned and unknown alignments break the line; floating tables do not.
    const bool breaks[] = {true, true, true, true, false, false, true, true};
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(bool(table(i)->m_dwFlags & EF_LINEBREAK), breaks[i]) << i;
    EXPECT_EQ(table(4)->m_dwFlags & (EF_VISIBLE | EF_INLINE), EF_VISIBLE | EF_INLINE);
    EXPECT_EQ(table(6)->m_nWidthAttr, -80);
}

TEST_F(TransformerTest, AreasUsemapAndMaps)
{
    CHtmlX doc(nullptr);
    ElementTree t("<BODY><IMG usemap=\"#m\"><IMG usemap=m><IMG usemap=\"##x\"><IMG usemap=\"\">"
                  "<MAP name=m><AREA coords=\"1,2,30,40\" href=a.html alt=\"A\">"
                  "<AREA shape=circle coords=\"5,5,3\" nohref><AREA shape=poly><AREA shape=\"Rect\" "
                  "coords=1,1,2,2></MAP><MAP name=\"m\"></MAP><MAP></MAP></BODY>",
                  &doc);
    const char* usemaps[] = {"m", "m", "#x", ""}; // only one hash is taken off
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(t.Nth<FImage>(TAG_IMG, i)->m_strUseMap, usemaps[i]) << i;

    std::vector<CElement*> areas = t.All(TAG_AREA);
    ASSERT_EQ(areas.size(), 4u);
    auto area = [&](size_t i) { return static_cast<FArea*>(areas[i]); };
    const int shapes[] = {SHAPE_DEFAULT, SHAPE_CIRCLE, SHAPE_POLY, SHAPE_RECT};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(area(i)->m_nShape, shapes[i]) << i;
    ASSERT_NE(dynamic_cast<CRectangle*>(area(0)->m_pRegion), nullptr);
    EXPECT_TRUE(area(0)->m_pRegion->PtInRegion(30, 40));
    EXPECT_EQ(area(0)->m_strAlt, "A");
    EXPECT_EQ(area(1)->m_bNoHref, 1);
    EXPECT_EQ(area(2)->m_pRegion, nullptr); // no coords, no region

    // The second map named m replaces the first; the unnamed map is not registered.
    std::vector<CElement*> maps = t.All(TAG_MAP);
    ASSERT_EQ(maps.size(), 3u);
    EXPECT_EQ(doc.GetMapManager()->GetMap("m"), maps[1]);
    EXPECT_EQ(doc.GetMapManager()->GetMap(""), nullptr);
    EXPECT_EQ(doc.GetMapManager()->m_mapMaps.GetCount(), 1);

    // Without a document the maps are built but registered nowhere.
    ElementTree bare("<MAP name=n><AREA coords=0,0,9,9 href=b></MAP>");
    EXPECT_EQ(bare.Nth<FMap>(TAG_MAP)->m_strName, "n");
    EXPECT_EQ(doc.GetMapManager()->GetMap("n"), nullptr);
}

TEST_F(TransformerTest, UnlistedTagsAndComments)
{
    ElementTree t("<BODY>a<!-- \"note\" --><SPAN class=x>b</SPAN><PLAINTEXT>c <d></BODY>");
    std::vector<CElement*> comments = t.All(TAG_COMMENT);
    ASSERT_EQ(comments.size(), 3u);
    EXPECT_EQ(static_cast<FComment*>(comments[0])->m_strComment, " \"note\" "); // as written
    // The parser keeps unknown tags empty, so SPAN's text follows it as a sibling.
    EXPECT_EQ(static_cast<FComment*>(comments[1])->m_strComment, "SPAN");
    EXPECT_TRUE(comments[1]->IsLeaf());
    // PLAINTEXT is kept like an unlisted tag, with its text as its children.
    EXPECT_EQ(static_cast<FComment*>(comments[2])->m_strComment, "PLAINTEXT");
    EXPECT_EQ(t.Words(), (Strings{"a", "b", "c ", "<d></BODY>"}));
    // Entities stay undecoded in the raw text.
    EXPECT_EQ(ElementTree("a&amp;b c").Words(), (Strings{"a&amp;b ", "c"}));
}

} // namespace
