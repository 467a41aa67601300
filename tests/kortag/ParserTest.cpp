// Tests of the HTML tag database and of the tag nodes the parser makes: lookups, searches, line
// breaks the case files cannot write, and deep nesting. (The trees made of markup as it was written
// in 1997-98 are pinned by the parse cases.)
#include "Hostile.h"
#include "TagTree.h"

#include "korhtml/Element.h"

#include <gtest/gtest.h>

#include <string>

using hostile::Repeat;
using Parsed = TagTree;

TEST(HtmlDB, IndicesAndNames)
{
    CHTMLDB& db = TestDB();
    EXPECT_EQ(db.GetTagCount(), TAG_LAST + 1);
    // Any case; names that are no tag of the table, or only start like one, have none.
    EXPECT_EQ(db.GetTagIndex("PlainText"), TAG_PLAINTEXT);
    for (const char* unknown : {"", "TABLES", "AB", " A", "\xC7\xD1"})
        EXPECT_EQ(db.GetTagIndex(unknown), -1) << unknown;
    EXPECT_EQ(db.GetTagIndex(CString("B\0X", 3)), -1);
    // Each name maps back to its index (the first and the last included).
    for (int i = 0; i <= TAG_LAST; ++i)
        EXPECT_EQ(db.GetTagIndex(db.GetTagName(i)), i) << i;
    EXPECT_TRUE(db.GetTagName(TAG_LAST + 1).IsEmpty());
    CTagDB empty;
    EXPECT_EQ(empty.GetTagIndex("A"), -1);
}

TEST(Parser, BlankSourcesAndPreformattedText)
{
    EXPECT_EQ(Parsed("").root, nullptr);
    EXPECT_EQ(Parsed(" \r\n\t ").root, nullptr);
    // PRE keeps its text whole and drops one line break after the start tag, CR LF too; a lone CR
    // stays. Its texts find it among their ancestors, below inline elements too; the text after it
    // and a title written inside it do not.
    Parsed p("<pre>\r\n  col1\tcol2\n\n  <b>bold</b><title>T</title>  end\n</pre>after<pre>\r</pre>"
             "<listing>\r\n</listing>");
    CTagNode* pre = p.Get("PRE");
    EXPECT_EQ(p.FirstIn("PRE")->GetData(), "  col1\tcol2\n\n  ");
    EXPECT_EQ(p.FirstIn("PRE")->Find("pre", TAGFIND_ANCESTORS, 0), pre);
    EXPECT_EQ(p.FirstIn("B")->Find("pre", TAGFIND_ANCESTORS, 0), pre);
    EXPECT_EQ(p.FirstIn("TITLE")->Find("pre", TAGFIND_ANCESTORS, 0), nullptr);
    CTagNode* after = static_cast<CTagNode*>(pre->GetNextSibling());
    EXPECT_EQ(after->GetData(), "after");
    EXPECT_EQ(after->Find("pre", TAGFIND_ANCESTORS, 0), nullptr);
    ASSERT_FALSE(p.Get("PRE", 1)->IsLeaf());
    EXPECT_EQ(static_cast<CTagNode*>(p.Get("PRE", 1)->GetFirstChild())->GetData(), "\r");
    EXPECT_TRUE(p.Get("LISTING")->IsLeaf());
}

TEST(Parser, TagNodeInterface)
{
    Parsed p("<body><!-- c --><div align=center><p>t<b>x</b></div><blink>y</blink><foo>"
             "<table Border=true width=\"100%\">");
    CTagNode* body = p.Get("BODY");
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->GetName(2), "body");

    CTagNode* text = p.FirstIn("B");
    EXPECT_TRUE(text->IsText());
    EXPECT_EQ(text->GetValueOf("data", 0, 0), "x");
    EXPECT_EQ(text->GetValueOf("align", 0, 0), "");
    EXPECT_EQ(text->GetValueOf("align", 1, 0), "center"); // from the nearest ancestor
    EXPECT_EQ(text->GetName(1), "#TEXT");

    // Values by a name in any case, as written, quotes and all.
    CTagNode* table = p.Get("TABLE");
    EXPECT_EQ(table->GetValueOf("BORDER"), "true");
    EXPECT_EQ(table->GetValueOf("width"), "\"100%\"");
    EXPECT_EQ(table->GetValueOf("missing"), "");

    CTagNode* div = p.Get("DIV");
    EXPECT_EQ(text->Find("div", TAGFIND_ANCESTORS, 0), div);
    EXPECT_EQ(text->Find("div", TAGFIND_ANCESTORS, 2), nullptr); // B, then P: bound reached
    EXPECT_EQ(text->Find("div", TAGFIND_ANCESTORS, 3), div);
    EXPECT_EQ(body->Find("B"), p.Get("B"));
    EXPECT_EQ(body->Find("b", TAGFIND_CHILDREN, 0), nullptr);
    EXPECT_EQ(body->Find("blink", TAGFIND_CHILDREN, 0), p.Get("BLINK"));
    EXPECT_EQ(div->Find("div", TAGFIND_SELF | TAGFIND_DESCENDANTS, 0), div);
    EXPECT_EQ(div->Find("div", TAGFIND_DESCENDANTS, 0), nullptr);
    EXPECT_EQ(div->Find("blink", TAGFIND_DESCENDANTS, 0), nullptr); // not inside DIV
    EXPECT_EQ(p.Get("BLINK")->GetIndex(), TAG_BLINK);
    EXPECT_EQ(p.Get("FOO")->GetIndex(), -1);

    // A node not made by the parser is searched by walking up.
    CTagNode n(TAGNODE_ELEMENT, "font", TAG_FONT);
    CTagNode* pre = new CTagNode(TAGNODE_ELEMENT, "PRE", TAG_PRE);
    CTagNode* t = new CTagNode(TAGNODE_TEXT, "", -1);
    n.AddLastChild(pre);
    pre->AddLastChild(t);
    EXPECT_EQ(t->Find("pre", TAGFIND_ANCESTORS, 0), pre);
}

TEST(Parser, DeepNesting)
{
    const size_t N = 100000;
    struct Case
    {
        const char* label;
        std::string src;
        size_t depth;
    };
    const Case cases[] = {
        {"nested B", Repeat("<b>x", N), N + 2},
        {"DIV with stray end tags", Repeat("<div>", N) + Repeat("</i></p></td></li>", N), N + 1},
        {"nested tables", Repeat("<table><tr><td>", N), 3 * N + 1},
        {"lists with implied ends", Repeat("<ul><li>", N) + Repeat("<li>a<dd>b<option>c<p>d", N), 2 * N + 3},
        {"PRE", Repeat("<pre><font>", N), 2 * N + 1},
        {"NOFRAMES", "<frameset>" + Repeat("<noframes>a", N), 2 * N + 2},
        {"unclosed quotes", Repeat("<a href=\"x>y ", N), 2},
    };
    for (const Case& c : cases) {
        Parsed p(c.src);
        ASSERT_NE(p.root, nullptr) << c.label;
        size_t depth = 0;
        for (CTreeNode* n = p.root->GetRightMostLeaf(); n; n = n->GetParent())
            ++depth;
        EXPECT_GE(depth, c.depth) << c.label;
    }
}
