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

class TransformerTest : public DocTest
{
};

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

TEST_F(TransformerTest, QuotesExistAndPercentages)
{
    ElementTree t("<BODY><IMG src=\"a b.gif\" width=\"50%\" height=20 border hspace='5' vspace=\"\" "
                  "alt='x' ismap align=\"Middle\"><HR width=75% size=\"3\" noshade><IMG></BODY>");
    FImage* img = t.Nth<FImage>(TAG_IMG);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->m_strSrc, "a b.gif");
    EXPECT_EQ(img->m_nWidthAttr, -50);
    EXPECT_EQ(img->m_nHeightAttr, 20);
    EXPECT_EQ(img->m_nBorder, 1); // written without a value
    EXPECT_EQ(img->m_nHSpace, 0); // single quotes are not stripped: no digits
    EXPECT_EQ(img->m_nVSpace, 0); // an empty number
    EXPECT_EQ(img->m_strAlt, "'x'");
    EXPECT_EQ(img->m_bIsMap, 1);
    EXPECT_EQ(img->m_nImageAlign, ALIGN_MIDDLE);
    EXPECT_EQ(t.Nth<FImage>(TAG_IMG, 1)->m_nWidthAttr, -1); // absent: not given
    FRule* hr = t.Nth<FRule>(TAG_HR);
    ASSERT_NE(hr, nullptr);
    EXPECT_EQ(hr->m_nWidthAttr, -75);
    EXPECT_EQ(hr->m_nSize, 3);
    EXPECT_EQ(hr->m_bNoShade, 1);
}

TEST_F(TransformerTest, ColoursAndFontFlags)
{
    ElementTree t("<BODY bgcolor=Magent text=\"#102030\" link=magenta vlink=\"SystemText\">"
                  "<FONT size=+2>a</FONT><FONT color=\"red\">b</FONT>"
                  "<FONT face=\"\xB1\xBC\xB8\xB2\" size=\"\">c</FONT><FONT>d</FONT></BODY>");
    FBody* body = t.Nth<FBody>(TAG_BODY);
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->m_crBgColor, RGB(255, 0, 255));
    EXPECT_EQ(body->m_crText, RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(body->m_crLink, 0u); // MAGENTA is no colour name
    EXPECT_EQ(body->m_crVLink, 0u);
    EXPECT_EQ(body->m_crALink, RGB(255, 0, 0)); // not given

    // Which of size (1), colour (2) and face (4) were given; an empty size is still a given size: 3.
    const int given[] = {1, 2, 5, 0};
    for (size_t i = 0; i < 4; ++i) {
        FFont* f = t.Nth<FFont>(TAG_FONT, i);
        EXPECT_EQ(f->m_bSizeGiven + 2 * f->m_bColorGiven + 4 * f->m_bFaceGiven, given[i]) << i;
    }
    EXPECT_EQ(t.Nth<FFont>(TAG_FONT, 0)->m_nSize, 5);
    EXPECT_EQ(t.Nth<FFont>(TAG_FONT, 1)->m_crColor, RGB(255, 0, 0));
    EXPECT_EQ(t.Nth<FFont>(TAG_FONT, 2)->m_strFace, "\xB1\xBC\xB8\xB2");
    EXPECT_EQ(t.Nth<FFont>(TAG_FONT, 2)->m_nSize, 3);
}

TEST_F(TransformerTest, TablesCellsAndBlockAlignment)
{
    ElementTree t("<TABLE align=center><TR align=CENTER valign=center>"
                  "<TD align=\"center\" valign=\"Center\" width=40% noborder=UP bgcolor=blue nowrap>x"
                  "<TD valign=bottom align=bottom colspan=0 rowspan=-3>y<TD colspan=\"50%\" rowspan=x>z"
                  "<TH colspan=3 rowspan=\"2\" align=right>c<TH colspan>d</TABLE><P align=center>z"
                  "<DIV align=right>w</DIV>");
    FTableRow* tr = t.Nth<FTableRow>(TAG_TR);
    std::vector<CElement*> cells = t.All(TAG_TD), heads = t.All(TAG_TH);
    ASSERT_TRUE(tr && cells.size() == 3 && heads.size() == 2);
    auto td = [&](size_t i) { return static_cast<FTableCell*>(cells[i]); };
    auto th = [&](size_t i) { return static_cast<FTableHeader*>(heads[i]); };
    // CENTER is an align code for align and a valign code for valign.
    EXPECT_EQ(t.Nth<FTable>(TAG_TABLE)->m_nTableAlign, ALIGN_CENTER);
    EXPECT_EQ(tr->m_nRowAlign, ALIGN_CENTER);
    EXPECT_EQ(tr->m_nRowVAlign, VALIGN_CENTER);
    EXPECT_EQ(td(0)->m_nCellAlign, ALIGN_CENTER);
    EXPECT_EQ(td(0)->m_nVAlign, VALIGN_CENTER);
    EXPECT_EQ(td(0)->m_nWidthAttr, -40);
    EXPECT_EQ(td(0)->m_nNoBorder, SIDE_UP);
    EXPECT_EQ(td(0)->m_crBgColor, RGB(0, 0, 255));
    EXPECT_EQ(td(0)->m_bNoWrap, 1);
    EXPECT_EQ(td(1)->m_nVAlign, VALIGN_BOTTOM);
    EXPECT_EQ(td(1)->m_nCellAlign, ALIGN_BOTTOM);
    // Spans below 1, percentages and words read as 1; a span without a value ("EXIST") as 1.
    for (size_t i : {1, 2}) {
        EXPECT_EQ(td(i)->m_nColSpan, 1) << i;
        EXPECT_EQ(td(i)->m_nRowSpan, 1) << i;
    }
    EXPECT_EQ(th(0)->m_nColSpan, 3);
    EXPECT_EQ(th(1)->m_nColSpan, 1);
    EXPECT_EQ(t.Nth<FParagraph>(TAG_P)->m_nAlign, ALIGN_CENTER);
    EXPECT_EQ(t.Nth<FDivision>(TAG_DIV)->m_nAlign, ALIGN_RIGHT);
}

TEST_F(TransformerTest, TableBorderAndAlignRules)
{
    ElementTree t("<TABLE border=true></TABLE><TABLE border=\"true\"></TABLE><TABLE border></TABLE>"
                  "<TABLE></TABLE><TABLE border=\"4\" align=left></TABLE><TABLE border=TRUE align=RIGHT>"
                  "</TABLE><TABLE align=\"justify\" cellpadding=\"0\" cellspacing=5 width=\"80%\" "
                  "bordercolor=red bordercolordark=\"#000080\" bordercolorlight=white></TABLE>"
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

    EXPECT_EQ(table(6)->m_nCellPadding, 0);
    EXPECT_EQ(table(6)->m_nCellSpacing, 5);
    EXPECT_EQ(table(6)->m_nWidthAttr, -80);
    EXPECT_EQ(table(6)->m_crBorderColor, RGB(255, 0, 0));
    EXPECT_EQ(table(6)->m_crBorderDark, RGB(0, 0, 0x80));
    EXPECT_EQ(table(6)->m_crBorderLight, RGB(255, 255, 255));
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
    EXPECT_EQ(area(0)->m_strHref, "a.html");
    EXPECT_EQ(area(0)->m_strAlt, "A");
    EXPECT_NE(dynamic_cast<CCircle*>(area(1)->m_pRegion), nullptr);
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
    // An unlisted tag keeps its content as children of the comment element.
    CTagNode foo(TAGNODE_ELEMENT, "FOO");
    CTagNode* text = new CTagNode(TAGNODE_TEXT, "#TEXT");
    text->SetData("in side");
    foo.AddLastChild(text);
    foo.AddLastChild(new CTagNode(TAGNODE_ELEMENT, "B", TAG_B));
    std::unique_ptr<CElement> e(GetTransformer()->Transform(&foo));
    ASSERT_NE(dynamic_cast<FComment*>(e.get()), nullptr);
    EXPECT_EQ(static_cast<FComment*>(e.get())->m_strComment, "FOO");
    EXPECT_EQ(static_cast<FText*>(e->GetFirstChild())->m_strRaw, "in ");
    EXPECT_EQ(static_cast<CElement*>(e->GetLastChild())->m_nKind, TAG_B);
    e->DeleteChildren();

    ElementTree t("<BODY>a<!-- \"note\" --><SPAN class=x>b</SPAN><PLAINTEXT>c <d></BODY>");
    std::vector<CElement*> comments = t.All(TAG_COMMENT);
    ASSERT_EQ(comments.size(), 3u);
    EXPECT_EQ(static_cast<FComment*>(comments[0])->m_strComment, " \"note\" "); // as written
    // The parser keeps unknown tags empty, so SPAN's text follows it as a sibling.
    EXPECT_EQ(static_cast<FComment*>(comments[1])->m_strComment, "SPAN");
    EXPECT_TRUE(comments[1]->IsLeaf());
    EXPECT_EQ(static_cast<FComment*>(comments[2])->m_strComment, "PLAINTEXT");
    EXPECT_EQ(t.Words(), (Strings{"a", "b", "c ", "<d></BODY>"}));
}

TEST_F(TransformerTest, WordSplitting)
{
    const struct
    {
        std::string html;
        Strings words;
    } cases[] = {
        {"<BODY>  one two  </BODY>", {"one ", "two "}},
        {"<BODY>one two</BODY>", {"one ", "two"}},
        {"<BODY><B>one</B> two</BODY>", {"one", "two"}},
        {"<BODY><P> \t\r\n </P>x</BODY>", {"x"}},
        // Every byte 1..32 separates; DEL and bytes of 0x80 and above belong to words.
        {"<BODY>a\x01"
         "b\x1F"
         "c\x7F"
         "d\te\r\nf\xA0g</BODY>",
         {"a ", "b ",
          "c\x7F"
          "d ",
          "e ", "f\xA0g"}},
        // Two-byte characters stay whole, whatever their trail byte.
        {"<BODY>\xC7\xD1\xB1\xDB \xB0\x41 \x81\x7A\xC7\xD1</BODY>",
         {"\xC7\xD1\xB1\xDB ", "\xB0\x41 ", "\x81\x7A\xC7\xD1"}},
        // Entities stay undecoded; XMP and LISTING text is split like any other.
        {"<BODY>a&amp;b <XMP>x  y</XMP><LISTING>z\tw</LISTING></BODY>", {"a&amp;b ", "x ", "y", "z ", "w"}},
        // A WBR is an empty word.
        {"<BODY>long<WBR>word</BODY>", {"long", "", "word"}},
    };
    for (const auto& c : cases) {
        ElementTree t(c.html);
        EXPECT_EQ(t.Words(), c.words) << c.html;
        for (CElement* w : t.All(KIND_TEXT))
            EXPECT_FALSE(static_cast<FText*>(w)->m_bPre) << c.html;
    }
}

TEST_F(TransformerTest, PreformattedTextStaysWhole)
{
    ElementTree t("<BODY>a<PRE>\n  line 1\n\tx  y\r\n<B> bold  text </B>\n</PRE>b c</BODY>");
    // Inside B inside PRE the text is still whole.
    EXPECT_EQ(t.Words(), (Strings{"a", "  line 1\n\tx  y\r\n", " bold  text ", "\n", "b ", "c"}));
    std::vector<bool> pre;
    for (CElement* w : t.All(KIND_TEXT))
        pre.push_back(static_cast<FText*>(w)->m_bPre);
    EXPECT_EQ(pre, (std::vector<bool>{false, true, true, true, false, false}));
}

TEST_F(TransformerTest, FieldsOfFormsListsAndFrames)
{
    ElementTree t("<FRAMESET rows=\"50%,*\"><FRAME noresize><NOFRAMES><FORM method=post>"
                  "<INPUT type=checkbox checked maxlength=\"5\"><TEXTAREA cols=30 rows=\"4\">t</TEXTAREA>"
                  "</FORM><OL type=a start=3><LI type=I value=7>i<LI>j</OL></NOFRAMES></FRAMESET>");
    EXPECT_EQ(t.Nth<FFrameSet>(TAG_FRAMESET)->m_strRows, "50%,*"); // text, not a length
    EXPECT_EQ(t.Nth<FFrame>(TAG_FRAME)->m_strNoResize, "EXIST");   // text as the parser gives it
    EXPECT_EQ(t.Nth<FForm>(TAG_FORM)->m_nMethod, METHOD_POST);
    FInput* input = t.Nth<FInput>(TAG_INPUT);
    EXPECT_EQ(input->m_nType, TYPE_CHECKBOX);
    EXPECT_EQ(input->m_bChecked, 1);
    EXPECT_EQ(input->m_nMaxLength, 5);
    EXPECT_EQ(input->m_nSize, -1);
    FTextArea* area = t.Nth<FTextArea>(TAG_TEXTAREA);
    EXPECT_EQ(area->m_nCols, 30);
    EXPECT_EQ(area->m_nRowsAttr, 4);
    EXPECT_EQ(t.Nth<FOrderedList>(TAG_OL)->m_nType, TYPE_ALPHA);
    EXPECT_EQ(t.Nth<FOrderedList>(TAG_OL)->m_nStart, 3);
    EXPECT_EQ(t.Nth<FListItem>(TAG_LI, 0)->m_nType, TYPE_ROMAN);
    EXPECT_EQ(t.Nth<FListItem>(TAG_LI, 0)->m_nValue, 7);
    EXPECT_EQ(t.Nth<FListItem>(TAG_LI, 1)->m_nValue, -1);
}

// One line per element in pre-order: its depth, kind and, for text runs, the preformatted flag
// and raw bytes. Iterative, so deep trees are fine.
std::string Outline(CElement* root)
{
    std::string out;
    int depth = 0;
    for (CTreeNode* n = root; n;) {
        CElement* e = static_cast<CElement*>(n);
        out += std::to_string(depth) + " " + std::to_string(e->m_nKind);
        if (e->m_nKind == KIND_TEXT) {
            FText* t = static_cast<FText*>(e);
            out += t->IsPre() ? " pre " : " ";
            out += t->m_strRaw.str();
        }
        out += "\n";
        if (n->GetFirstChild()) {
            n = n->GetFirstChild();
            ++depth;
            continue;
        }
        while (n != root && !n->GetNextSibling()) {
            n = n->GetParent();
            --depth;
        }
        n = n == root ? nullptr : n->GetNextSibling();
    }
    return out;
}

TEST_F(TransformerTest, DeletingTheTagsDuringTheWalkBuildsTheSameTree)
{
    std::string deep = "<ul>";
    for (int i = 0; i < 100000; ++i)
        deep += "<li><b>";
    deep += "bottom</ul> after";
    const std::string pages[] = {
        "<html><head><title>T &amp; t</title></head><body><p>one two&lt; <pre>  keep\n  all of it "
        "as it is</pre><table><tr><td>a<td rowspan=2>b<tr><td>c</table><bogus>x</bogus> tail",
        "loose words without any tag <!-- a comment --> <select><option>o1<option>o2</select>",
        deep,
    };
    CSGMLParser* parser = GetSGMLParser();
    for (const std::string& html : pages) {
        const CString source(html.data(), int(html.size()));
        CTagNode* kept = parser->Parse(GetHtmlDB(), source);
        CTagNode* consumed = parser->Parse(GetHtmlDB(), source);
        ASSERT_TRUE(kept && consumed);
        std::unique_ptr<CElement> a(GetTransformer()->Transform(kept));
        std::unique_ptr<CElement> b(GetTransformer()->TransformAndDelete(consumed));
        ASSERT_TRUE(a && b);
        EXPECT_EQ(Outline(a.get()), Outline(b.get())) << html.substr(0, 40);
        delete kept;
    }
}

} // namespace
