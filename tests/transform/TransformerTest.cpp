// Tests of the transformer over parsed HTML: dispatch by tag, attribute rules, maps, words, depth.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korhtml/FormElements.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
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

namespace {

class TransformerTest : public ::testing::Test
{
protected:
    void SetUp() override { CreateHtmlServer(); }
    void TearDown() override
    {
        for (CElement* e : m_elements)
            delete e;
        for (CTagNode* t : m_tags)
            delete t;
        DestroyHtmlServer();
    }

    // Parses html and transforms the whole tag tree for doc; both trees are freed after the test.
    CElement* Build(const char* html, CHtmlX* doc = nullptr)
    {
        CSGMLParser parser;
        parser.SetSource(html);
        CTagNode* tags = parser.Parse(GetHtmlDB());
        if (!tags)
            return nullptr;
        m_tags.push_back(tags);
        return Keep(TransformTags(tags, doc));
    }

    CElement* TransformTags(CTagNode* tags, CHtmlX* doc)
    {
        m_transformer.SetDocument(doc);
        return m_transformer.Transform(tags);
    }

    CElement* Keep(CElement* e)
    {
        if (e)
            m_elements.push_back(e);
        return e;
    }

    CTagNode* KeepTags(CTagNode* t)
    {
        m_tags.push_back(t);
        return t;
    }

    CTransformer m_transformer;
    std::vector<CElement*> m_elements;
    std::vector<CTagNode*> m_tags;
};

// Every element of the given kind under root, in document order.
std::vector<CElement*> OfKind(CElement* root, int kind)
{
    std::vector<CElement*> found;
    for (CTreeNode* n = root; n; n = n->GetDFSNext(root)) {
        CElement* e = static_cast<CElement*>(n);
        if (e->m_nKind == kind)
            found.push_back(e);
    }
    return found;
}

template <class T> T* Nth(CElement* root, int kind, size_t n = 0)
{
    std::vector<CElement*> all = OfKind(root, kind);
    return n < all.size() ? dynamic_cast<T*>(all[n]) : nullptr;
}

std::vector<std::string> Words(CElement* root)
{
    std::vector<std::string> words;
    for (CElement* e : OfKind(root, 74))
        words.push_back(static_cast<FText*>(e)->m_strRaw.str());
    return words;
}

using Strings = std::vector<std::string>;

} // namespace

TEST_F(TransformerTest, EveryIndexBuildsItsKind)
{
    EXPECT_STREQ(GetTransformer()->GetRuntimeClass()->m_lpszClassName, "CTransformer");
    CTagDB* db = GetHtmlDB();
    ASSERT_NE(db, nullptr);
    for (int i = 0; i <= 75; ++i) {
        CTagNode node(TAGNODE_ELEMENT, db->GetTagName(i), i);
        CElement* e = m_transformer.CreateElement(&node);
        ASSERT_NE(e, nullptr) << i;
        // PLAINTEXT has no element of its own: it is kept like an unlisted tag.
        EXPECT_EQ(e->m_nKind, i == 52 ? 15 : i) << db->GetTagName(i).GetString();
        EXPECT_EQ(e->m_pDoc, nullptr);
        delete e;
    }
    CHtmlX doc(nullptr);
    m_transformer.SetDocument(&doc);
    CTagNode p(TAGNODE_ELEMENT, "P", 50);
    CElement* e = m_transformer.CreateElement(&p);
    EXPECT_NE(dynamic_cast<FParagraph*>(e), nullptr);
    EXPECT_EQ(e->m_pDoc, &doc);
    delete e;
}

TEST_F(TransformerTest, QuotesExistAndPercentages)
{
    CElement* root = Build("<BODY><IMG src=\"a b.gif\" width=\"50%\" height=20 border hspace='5' vspace=\"\" "
                           "alt='x' ismap align=\"Middle\"><HR width=75% size=\"3\" noshade></BODY>");
    FImage* img = Nth<FImage>(root, 37);
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
    FRule* hr = Nth<FRule>(root, 34);
    ASSERT_NE(hr, nullptr);
    EXPECT_EQ(hr->m_nWidthAttr, -75);
    EXPECT_EQ(hr->m_nSize, 3);
    EXPECT_EQ(hr->m_bNoShade, 1);
    EXPECT_EQ(hr->m_nRuleAlign, ALIGN_NONE);
    EXPECT_EQ(Nth<FImage>(Build("<IMG>"), 37)->m_nWidthAttr, -1); // absent: the constructor's value
}

TEST_F(TransformerTest, ColoursAndFontFlags)
{
    CElement* root = Build("<BODY bgcolor=Magent text=\"#102030\" link=magenta vlink=\"SystemText\">"
                           "<FONT size=+2>a</FONT><FONT color=\"red\">b</FONT>"
                           "<FONT face=\"\xB1\xBC\xB8\xB2\" size=\"\">c</FONT><FONT>d</FONT></BODY>");
    FBody* body = Nth<FBody>(root, 9);
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->m_crBgColor, RGB(255, 0, 255));
    EXPECT_EQ(body->m_crText, RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(body->m_crLink, 0u); // MAGENTA is no colour name
    EXPECT_EQ(body->m_crVLink, 0u);
    EXPECT_EQ(body->m_crALink, 0x0000FFu); // untouched default

    FFont* f1 = Nth<FFont>(root, 23, 0);
    FFont* f2 = Nth<FFont>(root, 23, 1);
    FFont* f3 = Nth<FFont>(root, 23, 2);
    FFont* f4 = Nth<FFont>(root, 23, 3);
    ASSERT_TRUE(f1 && f2 && f3 && f4);
    EXPECT_EQ(f1->m_nSize, 5);
    EXPECT_EQ(f1->m_bSizeGiven, 1);
    EXPECT_EQ(f1->m_bColorGiven, 0);
    EXPECT_EQ(f1->m_bFaceGiven, 0);
    EXPECT_EQ(f2->m_crColor, RGB(255, 0, 0));
    EXPECT_EQ(f2->m_bColorGiven, 1);
    EXPECT_EQ(f2->m_bSizeGiven, 0);
    EXPECT_EQ(f3->m_strFace, "\xB1\xBC\xB8\xB2");
    EXPECT_EQ(f3->m_bFaceGiven, 1);
    EXPECT_EQ(f3->m_bSizeGiven, 1); // an empty size is still a given size: 3
    EXPECT_EQ(f3->m_nSize, 3);
    EXPECT_EQ(f4->m_bColorGiven + f4->m_bSizeGiven + f4->m_bFaceGiven, 0);
}

TEST_F(TransformerTest, CenterAsAlignAndVAlign)
{
    CElement* root =
        Build("<TABLE align=center><TR align=CENTER valign=center>"
              "<TD align=\"center\" valign=\"Center\" width=40% noborder=UP bgcolor=blue nowrap>x"
              "<TD valign=bottom align=bottom>y</TABLE><P align=center>z<DIV align=right>w</DIV>");
    FTable* table = Nth<FTable>(root, 63);
    FTableRow* tr = Nth<FTableRow>(root, 69);
    FTableCell* td1 = Nth<FTableCell>(root, 64, 0);
    FTableCell* td2 = Nth<FTableCell>(root, 64, 1);
    ASSERT_TRUE(table && tr && td1 && td2);
    EXPECT_EQ(table->m_nTableAlign, 6);
    EXPECT_EQ(tr->m_nRowAlign, 6);
    EXPECT_EQ(tr->m_nRowVAlign, 3);
    EXPECT_EQ(td1->m_nCellAlign, 6);
    EXPECT_EQ(td1->m_nVAlign, 3);
    EXPECT_EQ(td1->m_nWidthAttr, -40);
    EXPECT_EQ(td1->m_nNoBorder, SIDE_UP);
    EXPECT_EQ(td1->m_crBgColor, RGB(0, 0, 255));
    EXPECT_EQ(td1->m_bNoWrap, 1);
    EXPECT_EQ(td2->m_nVAlign, VALIGN_BOTTOM);
    EXPECT_EQ(td2->m_nCellAlign, ALIGN_BOTTOM);
    EXPECT_EQ(td2->m_bNoWrap, 0);
    FParagraph* p = Nth<FParagraph>(root, 50);
    FDivision* div = Nth<FDivision>(root, 19);
    ASSERT_TRUE(p && div);
    EXPECT_EQ(p->m_nAlign, ALIGN_CENTER);
    EXPECT_EQ(div->m_nAlign, ALIGN_RIGHT);
}

TEST_F(TransformerTest, CellSpansClampToOne)
{
    CElement* root = Build("<TABLE><TR><TD colspan=0 rowspan=-3>a<TD colspan=\"50%\" rowspan=x>b"
                           "<TH colspan=3 rowspan=\"2\" align=right>c<TH colspan>d</TABLE>");
    FTableCell* a = Nth<FTableCell>(root, 64, 0);
    FTableCell* b = Nth<FTableCell>(root, 64, 1);
    FTableHeader* c = Nth<FTableHeader>(root, 67, 0);
    FTableHeader* d = Nth<FTableHeader>(root, 67, 1);
    ASSERT_TRUE(a && b && c && d);
    EXPECT_EQ(a->m_nColSpan, 1);
    EXPECT_EQ(a->m_nRowSpan, 1);
    EXPECT_EQ(b->m_nColSpan, 1);
    EXPECT_EQ(b->m_nRowSpan, 1);
    EXPECT_EQ(c->m_nColSpan, 3);
    EXPECT_EQ(c->m_nRowSpan, 2);
    EXPECT_EQ(c->m_nCellAlign, ALIGN_RIGHT);
    EXPECT_EQ(d->m_nColSpan, 1); // "EXIST" reads as 1
}

TEST_F(TransformerTest, TableBorderAndAlignRules)
{
    CElement* root =
        Build("<TABLE border=true></TABLE><TABLE border=\"true\"></TABLE><TABLE border></TABLE>"
              "<TABLE></TABLE><TABLE border=\"4\" align=left></TABLE><TABLE border=TRUE align=RIGHT>"
              "</TABLE><TABLE align=\"justify\" cellpadding=\"0\" cellspacing=5 width=\"80%\" "
              "bordercolor=red bordercolordark=\"#000080\" bordercolorlight=white></TABLE>");
    std::vector<CElement*> tables = OfKind(root, 63);
    ASSERT_EQ(tables.size(), 7u);
    auto t = [&](size_t i) { return static_cast<FTable*>(tables[i]); };
    EXPECT_EQ(t(0)->m_nBorder, 1);
    EXPECT_EQ(t(1)->m_nBorder, 0); // the quotes defeat the "true" test, and "true" has no digits
    EXPECT_EQ(t(2)->m_nBorder, 1);
    EXPECT_EQ(t(3)->m_nBorder, 0);
    EXPECT_EQ(t(4)->m_nBorder, 4);
    EXPECT_EQ(t(5)->m_nBorder, 0); // the comparison with "true" is case-sensitive

    // Centred, unaligned and unknown alignments break the line; floating tables do not.
    EXPECT_TRUE(t(0)->m_dwFlags & EF_LINEBREAK);
    EXPECT_TRUE(t(3)->m_dwFlags & EF_LINEBREAK);
    EXPECT_FALSE(t(4)->m_dwFlags & EF_LINEBREAK);
    EXPECT_FALSE(t(5)->m_dwFlags & EF_LINEBREAK);
    EXPECT_TRUE(t(6)->m_dwFlags & EF_LINEBREAK);
    EXPECT_TRUE(t(4)->m_dwFlags & EF_VISIBLE);
    EXPECT_TRUE(t(4)->m_dwFlags & EF_INLINE);

    EXPECT_EQ(t(6)->m_nCellPadding, 0);
    EXPECT_EQ(t(6)->m_nCellSpacing, 5);
    EXPECT_EQ(t(6)->m_nWidthAttr, -80);
    EXPECT_EQ(t(6)->m_crBorderColor, RGB(255, 0, 0));
    EXPECT_EQ(t(6)->m_crBorderDark, RGB(0, 0, 0x80));
    EXPECT_EQ(t(6)->m_crBorderLight, RGB(255, 255, 255));

    CTagNode centred(TAGNODE_ELEMENT, "TABLE", 63);
    centred.AddAttribute("align", "center");
    CElement* e = Keep(m_transformer.CreateElement(&centred));
    EXPECT_TRUE(e->m_dwFlags & EF_LINEBREAK);
}

TEST_F(TransformerTest, AreasUsemapAndMaps)
{
    CHtmlX doc(nullptr);
    CElement* root = Build("<BODY><IMG usemap=\"#m\"><IMG usemap=m><IMG usemap=\"##x\"><IMG usemap=\"\">"
                           "<MAP name=m><AREA coords=\"1,2,30,40\" href=a.html alt=\"A\">"
                           "<AREA shape=circle coords=\"5,5,3\" nohref><AREA shape=poly><AREA shape=\"Rect\" "
                           "coords=1,1,2,2></MAP><MAP name=\"m\"></MAP><MAP></MAP></BODY>",
                           &doc);
    EXPECT_EQ(Nth<FImage>(root, 37, 0)->m_strUseMap, "m");
    EXPECT_EQ(Nth<FImage>(root, 37, 1)->m_strUseMap, "m");
    EXPECT_EQ(Nth<FImage>(root, 37, 2)->m_strUseMap, "#x"); // only one hash is taken off
    EXPECT_EQ(Nth<FImage>(root, 37, 3)->m_strUseMap, "");

    std::vector<CElement*> areas = OfKind(root, 3);
    ASSERT_EQ(areas.size(), 4u);
    FArea* a0 = static_cast<FArea*>(areas[0]);
    FArea* a1 = static_cast<FArea*>(areas[1]);
    FArea* a2 = static_cast<FArea*>(areas[2]);
    FArea* a3 = static_cast<FArea*>(areas[3]);
    EXPECT_EQ(a0->m_nShape, SHAPE_DEFAULT);
    ASSERT_NE(dynamic_cast<CRectangle*>(a0->m_pRegion), nullptr);
    EXPECT_EQ(static_cast<CRectangle*>(a0->m_pRegion)->m_nRight, 30);
    EXPECT_EQ(a0->m_strHref, "a.html");
    EXPECT_EQ(a0->m_strAlt, "A");
    EXPECT_EQ(a0->m_bNoHref, 0);
    EXPECT_EQ(a1->m_nShape, SHAPE_CIRCLE);
    EXPECT_NE(dynamic_cast<CCircle*>(a1->m_pRegion), nullptr);
    EXPECT_EQ(a1->m_bNoHref, 1);
    EXPECT_EQ(a2->m_nShape, SHAPE_POLY);
    EXPECT_EQ(a2->m_pRegion, nullptr); // no coords, no region
    EXPECT_EQ(a3->m_nShape, SHAPE_RECT);

    // The second map named m replaces the first; the unnamed map is not registered.
    std::vector<CElement*> maps = OfKind(root, 44);
    ASSERT_EQ(maps.size(), 3u);
    EXPECT_EQ(static_cast<FMap*>(maps[0])->m_strName, "m");
    EXPECT_EQ(doc.m_pMapManager->GetMap("m"), maps[1]);
    EXPECT_EQ(doc.m_pMapManager->GetMap(""), nullptr);
    EXPECT_EQ(doc.m_pMapManager->m_mapMaps.GetCount(), 1);

    // Without a document the maps are built but registered nowhere.
    CElement* bare = Build("<MAP name=n><AREA coords=0,0,9,9 href=b></MAP>");
    EXPECT_EQ(Nth<FMap>(bare, 44)->m_strName, "n");
    EXPECT_EQ(Nth<FMap>(bare, 44)->m_pDoc, nullptr);
    EXPECT_EQ(doc.m_pMapManager->GetMap("n"), nullptr);
}

TEST_F(TransformerTest, UnlistedTagsAndComments)
{
    // An unlisted tag keeps its content as children of the comment element.
    CTagNode* foo = KeepTags(new CTagNode(TAGNODE_ELEMENT, "FOO"));
    CTagNode* text = new CTagNode(TAGNODE_TEXT, "#TEXT");
    text->SetData("in side");
    foo->AddLastChild(text);
    CTagNode* b = new CTagNode(TAGNODE_ELEMENT, "B", 4);
    foo->AddLastChild(b);
    CElement* e = Keep(TransformTags(foo, nullptr));
    ASSERT_NE(dynamic_cast<FComment*>(e), nullptr);
    EXPECT_EQ(e->m_nKind, 15);
    EXPECT_EQ(static_cast<FComment*>(e)->m_strComment, "FOO");
    EXPECT_EQ(Words(e), (Strings{"in ", "side"}));
    EXPECT_EQ(static_cast<CElement*>(e->GetLastChild())->m_nKind, 4);

    CElement* root = Build("<BODY>a<!-- \"note\" --><SPAN class=x>b</SPAN><PLAINTEXT>c <d></BODY>");
    std::vector<CElement*> comments = OfKind(root, 15);
    ASSERT_EQ(comments.size(), 3u);
    EXPECT_EQ(static_cast<FComment*>(comments[0])->m_strComment, " \"note\" "); // as written
    // The parser keeps unknown tags empty, so SPAN's text follows it as a sibling.
    EXPECT_EQ(static_cast<FComment*>(comments[1])->m_strComment, "SPAN");
    EXPECT_TRUE(comments[1]->IsLeaf());
    FComment* plain = static_cast<FComment*>(comments[2]);
    EXPECT_EQ(plain->m_strComment, "PLAINTEXT");
    EXPECT_EQ(Words(plain), (Strings{"c ", "<d></BODY>"}));
}

TEST_F(TransformerTest, WordSplitting)
{
    EXPECT_EQ(Words(Build("<BODY>  one two  </BODY>")), (Strings{"one ", "two "}));
    EXPECT_EQ(Words(Build("<BODY>one two</BODY>")), (Strings{"one ", "two"}));
    EXPECT_EQ(Words(Build("<BODY><B>one</B> two</BODY>")), (Strings{"one", "two"}));
    EXPECT_EQ(Words(Build("<BODY><P> \t\r\n </P>x</BODY>")), (Strings{"x"}));
    // Every byte 1..32 separates; DEL and bytes of 0x80 and above belong to words.
    EXPECT_EQ(Words(Build("<BODY>a\x01"
                          "b\x1F"
                          "c\x7F"
                          "d\te\r\nf\xA0g</BODY>")),
              (Strings{"a ", "b ",
                       "c\x7F"
                       "d ",
                       "e ", "f\xA0g"}));
    // Two-byte characters stay whole, whatever their trail byte.
    EXPECT_EQ(Words(Build("<BODY>\xC7\xD1\xB1\xDB \xB0\x41 \x81\x7A\xC7\xD1</BODY>")),
              (Strings{"\xC7\xD1\xB1\xDB ", "\xB0\x41 ", "\x81\x7A\xC7\xD1"}));
    // Entities stay undecoded; XMP and LISTING text is split like any other.
    EXPECT_EQ(Words(Build("<BODY>a&amp;b <XMP>x  y</XMP><LISTING>z\tw</LISTING></BODY>")),
              (Strings{"a&amp;b ", "x ", "y", "z ", "w"}));
    for (CElement* w : OfKind(m_elements.back(), 74))
        EXPECT_FALSE(static_cast<FText*>(w)->m_bPre);
}

TEST_F(TransformerTest, PreformattedTextStaysWhole)
{
    CElement* root = Build("<BODY>a<PRE>\n  line 1\n\tx  y\r\n<B> bold  text </B>\n</PRE>b c</BODY>");
    std::vector<CElement*> texts = OfKind(root, 74);
    ASSERT_EQ(texts.size(), 6u);
    auto raw = [&](size_t i) { return static_cast<FText*>(texts[i])->m_strRaw.str(); };
    auto pre = [&](size_t i) { return static_cast<FText*>(texts[i])->m_bPre; };
    EXPECT_EQ(raw(0), "a");
    EXPECT_FALSE(pre(0));
    EXPECT_EQ(raw(1), "  line 1\n\tx  y\r\n");
    EXPECT_TRUE(pre(1));
    EXPECT_EQ(raw(2), " bold  text "); // inside B inside PRE: still whole
    EXPECT_TRUE(pre(2));
    EXPECT_EQ(raw(3), "\n");
    EXPECT_TRUE(pre(3));
    EXPECT_EQ(raw(4), "b ");
    EXPECT_FALSE(pre(4));
    EXPECT_EQ(raw(5), "c");
}

TEST_F(TransformerTest, WbrIsAnEmptyWord)
{
    CElement* root = Build("<BODY>long<WBR>word</BODY>");
    std::vector<CElement*> texts = OfKind(root, 74);
    ASSERT_EQ(texts.size(), 3u);
    FText* wbr = dynamic_cast<FText*>(texts[1]);
    ASSERT_NE(wbr, nullptr);
    EXPECT_TRUE(wbr->m_strRaw.IsEmpty());
    EXPECT_FALSE(wbr->m_bPre);
    EXPECT_TRUE(wbr->m_dwFlags & EF_INLINE);
    EXPECT_EQ(Words(root), (Strings{"long", "", "word"}));
}

TEST_F(TransformerTest, FieldsOfFormsListsAndFrames)
{
    CElement* root =
        Build("<FRAMESET rows=\"50%,*\"><FRAME noresize><NOFRAMES><FORM method=post>"
              "<INPUT type=checkbox checked maxlength=\"5\"><TEXTAREA cols=30 rows=\"4\">t</TEXTAREA>"
              "</FORM><OL type=a start=3><LI type=I value=7>i<LI>j</OL></NOFRAMES></FRAMESET>");
    EXPECT_EQ(Nth<FFrameSet>(root, 26)->m_strRows, "50%,*");  // text, not a length
    EXPECT_EQ(Nth<FFrame>(root, 25)->m_strNoResize, "EXIST"); // text as the parser gives it
    EXPECT_EQ(Nth<FForm>(root, 24)->m_nMethod, METHOD_POST);
    FInput* input = Nth<FInput>(root, 38);
    EXPECT_EQ(input->m_nType, TYPE_CHECKBOX);
    EXPECT_EQ(input->m_bChecked, 1);
    EXPECT_EQ(input->m_nMaxLength, 5);
    EXPECT_EQ(input->m_nSize, -1);
    FTextArea* area = Nth<FTextArea>(root, 65);
    EXPECT_EQ(area->m_nCols, 30);
    EXPECT_EQ(area->m_nRowsAttr, 4);
    EXPECT_EQ(Nth<FOrderedList>(root, 48)->m_nType, TYPE_ALPHA);
    EXPECT_EQ(Nth<FOrderedList>(root, 48)->m_nStart, 3);
    EXPECT_EQ(Nth<FListItem>(root, 41, 0)->m_nType, TYPE_ROMAN);
    EXPECT_EQ(Nth<FListItem>(root, 41, 0)->m_nValue, 7);
    EXPECT_EQ(Nth<FListItem>(root, 41, 1)->m_nValue, -1);
}

TEST_F(TransformerTest, DeepNestingTransformsIteratively)
{
    const int depth = 100000;
    // A chain of B elements, each holding a word and the next B, built directly as a tag tree.
    CTagNode* top = KeepTags(new CTagNode(TAGNODE_ELEMENT, "B", 4));
    CTagNode* cur = top;
    for (int i = 1; i < depth; ++i) {
        CTagNode* word = new CTagNode(TAGNODE_TEXT, "#TEXT");
        word->SetData(" w ");
        word->SetEnclosingPre(nullptr); // as the parser records it, so the PRE test is O(1)
        cur->AddLastChild(word);
        CTagNode* next = new CTagNode(TAGNODE_ELEMENT, i % 2 ? "FOO" : "B", i % 2 ? -1 : 4);
        cur->AddLastChild(next);
        cur = next;
    }
    CTagNode* after = new CTagNode(TAGNODE_TEXT, "#TEXT");
    after->SetData("tail");
    after->SetEnclosingPre(nullptr);
    top->AddLastChild(after);

    CElement* root = Keep(TransformTags(top, nullptr));
    ASSERT_NE(root, nullptr);
    // The innermost element lies depth - 1 levels below the top.
    CTreeNode* innermost = nullptr;
    for (CTreeNode* n = root; n; n = n->GetDFSNext(root)) {
        if (static_cast<CElement*>(n)->m_nKind != KIND_TEXT)
            innermost = n;
    }
    int levels = 0;
    for (CTreeNode* n = innermost; n != root; n = n->GetParent())
        ++levels;
    EXPECT_EQ(levels, depth - 1);
    std::vector<CElement*> words = OfKind(root, 74);
    ASSERT_EQ(words.size(), size_t(depth));
    EXPECT_EQ(static_cast<FText*>(words.back())->m_strRaw, "tail");
    EXPECT_EQ(static_cast<FText*>(words.back())->GetParent(), root);
    EXPECT_EQ(OfKind(root, 15).size(), size_t(depth / 2));
    EXPECT_EQ(OfKind(root, 4).size(), size_t(depth / 2));

    // The parser's own deep trees go through as well.
    std::string html = "<BODY>";
    for (int i = 0; i < depth; ++i)
        html += "<DIV>";
    html += "deep";
    CElement* parsed = Build(html.c_str());
    ASSERT_NE(parsed, nullptr);
    EXPECT_EQ(OfKind(parsed, 19).size(), size_t(depth));
    EXPECT_EQ(Words(parsed), (Strings{"deep"}));
}
