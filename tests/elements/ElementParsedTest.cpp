// Tests of break bits, alignment, list levels, lines and extents on element trees built from parsed HTML.
#include "ElementTestTree.h"

#include "korhtml/AttrValues.h"
#include "korhtml/TextElement.h"
#include "kortag/kortag.h"
#include "transform/Transformer.h"

#include <memory>
#include <string>
#include <vector>

namespace {

// The element tree of an HTML string, its BODY, and its visible elements in document order.
class Parsed
{
public:
    explicit Parsed(const char* html)
    {
        CSGMLParser parser;
        parser.SetSource(html);
        std::unique_ptr<CTagNode> tags(parser.Parse(GetHtmlDB()));
        if (tags)
            m_root.reset(GetTransformer()->Transform(tags.get()));
        if (m_root)
            m_pBody = m_root->FindDescendantByKind(TAG_BODY, TRUE);
        if (!m_pBody)
            return;
        for (CVisible* v = m_pBody->GetNextVisible(); v && v->IsDescendantOf(m_pBody);
             v = v->GetNextVisible())
            m_items.push_back(v);
    }

    // The base preparation steps of every visible element (no fonts or device context needed).
    void Measure()
    {
        for (CVisible* v : m_items) {
            v->ComputeBreaks();
            v->InheritAlign();
            v->ComputeListLevel();
        }
    }

    // Words are 10 pixels per byte and 16 high; other elements keep the size their class gave them.
    void SizeWords()
    {
        for (CVisible* v : m_items)
            if (v->m_nKind == KIND_TEXT) {
                v->m_nWidth = 10 * static_cast<FText*>(v)->m_strRaw.GetLength();
                v->m_nHeight = 16;
            }
    }

    // The n-th word whose text (without its trailing space) is word.
    CVisible* Word(const char* word, int n = 0)
    {
        for (CVisible* v : m_items) {
            if (v->m_nKind != KIND_TEXT)
                continue;
            CString raw = static_cast<FText*>(v)->m_strRaw;
            raw.TrimRight();
            if (raw == word && n-- == 0)
                return v;
        }
        ADD_FAILURE() << "no word " << word;
        return nullptr;
    }

    // The n-th visible element of a kind.
    CVisible* Kind(int kind, int n = 0)
    {
        for (CVisible* v : m_items)
            if (v->m_nKind == kind && n-- == 0)
                return v;
        ADD_FAILURE() << "no element of kind " << kind;
        return nullptr;
    }

    std::unique_ptr<CElement> m_root;
    CElement* m_pBody = nullptr;
    std::vector<CVisible*> m_items;
};

} // namespace

TEST_F(ServerTest, ParsedBreakBits)
{
    Parsed doc("<body>zero<p>one two</p>three<h1>big head</h1>"
               "<ul><li>item a<li>item b</ul>after<br>next<br><br>last<hr>rule"
               "<table><tr><td>c1 x<td>c2</table>end</body>");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    EXPECT_EQ(doc.Word("zero")->m_nBreak, 0);
    EXPECT_EQ(doc.Word("one")->m_nBreak, BRK_PARA);
    EXPECT_EQ(doc.Word("two")->m_nBreak, 0);
    EXPECT_EQ(doc.Word("three")->m_nBreak, BRK_PARA);
    EXPECT_EQ(doc.Word("big")->m_nBreak, BRK_PARA);
    EXPECT_EQ(doc.Word("head")->m_nBreak, 0);
    // Each item starts a line (the first one also the list's paragraph); its words follow on it.
    EXPECT_EQ(doc.Kind(41, 0)->m_nBreak, BRK_PARA | BRK_LINE);
    EXPECT_EQ(doc.Word("item", 0)->m_nBreak, 0);
    EXPECT_EQ(doc.Kind(41, 1)->m_nBreak, BRK_LINE);
    EXPECT_EQ(doc.Word("b")->m_nBreak, 0);
    EXPECT_EQ(doc.Word("after")->m_nBreak, BRK_PARA);
    // A BR ends its line; the element after it starts the next one; two in a row give an empty line.
    EXPECT_EQ(doc.Kind(10, 0)->m_nBreak, 0);
    EXPECT_EQ(doc.Word("next")->m_nBreak, BRK_LINE);
    EXPECT_EQ(doc.Kind(10, 1)->m_nBreak, 0);
    EXPECT_EQ(doc.Kind(10, 2)->m_nBreak, BRK_LINE);
    EXPECT_EQ(doc.Word("last")->m_nBreak, BRK_LINE);
    // A rule and the element after it start paragraphs.
    EXPECT_EQ(doc.Kind(34)->m_nBreak, BRK_PARA);
    EXPECT_EQ(doc.Word("rule")->m_nBreak, BRK_PARA);
    // Words of a cell start the cell's first line; the element after the table starts a line.
    EXPECT_EQ(doc.Word("c1")->m_nBreak, BRK_LINE);
    EXPECT_EQ(doc.Word("x")->m_nBreak, 0);
    EXPECT_EQ(doc.Word("c2")->m_nBreak, BRK_LINE);
    EXPECT_EQ(doc.Word("end")->m_nBreak & BRK_LINE, BRK_LINE);
}

TEST_F(ServerTest, ParsedAlignmentStopsAtCells)
{
    Parsed doc("<center>c1<p align=right>r1</p><p>c2</p>"
               "<table><tr><td>in<p align=center>mid</p></td></tr></table></center>"
               "<div align=right><h2>h</h2><h3 align=left>l</h3></div>plain");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    EXPECT_EQ(doc.Word("c1")->m_nAlign, ALIGN_CENTER);
    EXPECT_EQ(doc.Word("r1")->m_nAlign, ALIGN_RIGHT);
    EXPECT_EQ(doc.Word("c2")->m_nAlign, ALIGN_CENTER);
    EXPECT_EQ(doc.Word("in")->m_nAlign, ALIGN_LEFT);
    EXPECT_EQ(doc.Word("mid")->m_nAlign, ALIGN_CENTER);
    EXPECT_EQ(doc.Kind(63)->m_nAlign, ALIGN_CENTER);
    EXPECT_EQ(doc.Word("h")->m_nAlign, ALIGN_RIGHT);
    EXPECT_EQ(doc.Word("l")->m_nAlign, ALIGN_LEFT);
    EXPECT_EQ(doc.Word("plain")->m_nAlign, ALIGN_LEFT);
}

TEST_F(ServerTest, ParsedListLevels)
{
    Parsed doc("<ul><li>a<ul><li>b</ul></ul><ol><ul>c</ul></ol>"
               "<ul><li><table><tr><td>d</table></ul><dir><li>e</dir>f");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    CVisible* a = doc.Word("a");
    EXPECT_EQ(a->m_nListLevel, 1);
    EXPECT_EQ(a->m_bInListItem, 1);
    EXPECT_EQ(doc.Kind(41, 1)->m_nListLevel, 2);
    EXPECT_EQ(doc.Kind(41, 1)->m_bInListItem, 0);
    EXPECT_EQ(doc.Word("b")->m_nListLevel, 2);
    EXPECT_EQ(doc.Word("b")->m_bInListItem, 1);
    EXPECT_EQ(doc.Word("c")->m_nListLevel, 2);
    EXPECT_EQ(doc.Word("c")->m_bInListItem, 0);
    EXPECT_EQ(doc.Word("d")->m_nListLevel, 0);
    EXPECT_EQ(doc.Word("d")->m_bInListItem, 0);
    EXPECT_EQ(doc.Word("e")->m_nListLevel, 1);
    EXPECT_EQ(doc.Word("e")->m_bInListItem, 1);
    EXPECT_EQ(doc.Word("f")->m_nListLevel, 0);
    // A word that starts a line in an item of one list is indented by 30, in two lists without item by 40.
    a->m_nBreak = BRK_WRAP;
    EXPECT_EQ(a->GetIndent(), 30);
    doc.Word("c")->m_nBreak = BRK_LINE;
    EXPECT_EQ(doc.Word("c")->GetIndent(), 40);
}

TEST_F(ServerTest, ParsedLinesAcrossBreaks)
{
    Parsed doc("<body>aa bb<br>cc dd ee<p>ff</body>");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    doc.SizeWords();
    LayOut(doc.m_pBody, 20 + 75); // line width 75: "cc dd " fits, "ee" wraps
    CVisible *aa = doc.Word("aa"), *bb = doc.Word("bb"), *cc = doc.Word("cc"), *dd = doc.Word("dd");
    CVisible *ee = doc.Word("ee"), *ff = doc.Word("ff"), *br = doc.Kind(10);
    // The BR sits at the end of the first line and gives it at least its own height.
    EXPECT_EQ(br->m_nX, 60);
    EXPECT_EQ(br->m_nY, 10 + 1);
    EXPECT_EQ(cc->m_nY, 10 + 16 + 5);
    EXPECT_EQ(ee->m_nBreak, BRK_WRAP);
    EXPECT_EQ(ee->m_nY, 31 + 16 + 5);
    EXPECT_EQ(ff->m_nY, 52 + 16 + 20);

    const DWORD all = BRK_WRAP | BRK_LINE | BRK_PARA;
    EXPECT_EQ(bb->GetLineStart(all), aa);
    EXPECT_EQ(aa->GetLineEnd(all), br);
    EXPECT_EQ(br->GetLineStart(all), aa);
    EXPECT_EQ(dd->GetLineStart(all), cc);
    EXPECT_EQ(cc->GetLineEnd(all), dd);
    EXPECT_EQ(aa->GetNextLineStart(all), cc);
    EXPECT_EQ(dd->GetPrevLineEnd(all), br);
    EXPECT_EQ(dd->GetPrevLineStart(all), aa);
    EXPECT_EQ(cc->GetNextLineEnd(all), ee);
    // Without the wrap bit the wrapped line counts as part of the forced one.
    EXPECT_EQ(cc->GetLineEnd(BRK_LINE | BRK_PARA), ee);
    EXPECT_EQ(ee->GetLineStart(BRK_LINE | BRK_PARA), cc);
}

TEST_F(ServerTest, ParsedExtentWithIndents)
{
    Parsed doc("<ul><li>aa bb</ul><ul><ul>cc</ul></ul>");
    ASSERT_NE(doc.m_pBody, nullptr);
    doc.Measure();
    doc.SizeWords();
    LayOut(doc.m_pBody, 400);
    CVisible* li = doc.Kind(41);
    // The item opens the line and indents it by 20 per list; the bullet is 10 wide.
    EXPECT_EQ(li->m_nX, 30);
    EXPECT_EQ(doc.Word("aa")->m_nX, 40);
    EXPECT_EQ(doc.Word("bb")->m_nX, 70);
    // The second list's word opens its line inside two lists: moved right by 40.
    EXPECT_EQ(doc.Word("cc")->m_nX, 50);
    CElement* ul2 = doc.Word("cc")->GetParentElement();
    EXPECT_EQ(ul2->GetExtent(), CSize(20, 16));
    // The body's box reaches from the line's left edge (indents count as content) to the last word.
    CSize ext = doc.m_pBody->GetExtent();
    EXPECT_EQ(ext.cx, 80);
    EXPECT_EQ(ext.cy, doc.Word("cc")->m_nY + 16 - 10);
}
