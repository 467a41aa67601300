// Tests of the HTML tag database and of the parser on markup as it was written in 1997-98.
#include "TagDump.h"

#include "korhtml/Element.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Parsed = TagTree;

std::string Repeat(const std::string& s, int n)
{
    std::string r;
    r.reserve(s.size() * size_t(n));
    for (int i = 0; i < n; ++i)
        r += s;
    return r;
}

} // namespace

TEST(HtmlDB, IndicesAndNames)
{
    CHTMLDB& db = TestDB();
    EXPECT_EQ(db.GetTagCount(), TAG_LAST + 1);
    // Any case; names that are no tag of the table, or only start like one, have none.
    EXPECT_EQ(db.GetTagIndex("PlainText"), TAG_PLAINTEXT);
    for (const char* unknown : {"", "TBODY", "SPAN", "H7", "TABLES", "AB", " A", "\xC7\xD1"})
        EXPECT_EQ(db.GetTagIndex(unknown), -1) << unknown;
    EXPECT_EQ(db.GetTagIndex(CString("B\0X", 3)), -1);
    // Each name maps back to its index (the first and the last included).
    for (int i = 0; i <= TAG_LAST; ++i)
        EXPECT_EQ(db.GetTagIndex(db.GetTagName(i)), i) << i;
    EXPECT_TRUE(db.GetTagName(TAG_LAST + 1).IsEmpty());
    CTagDB empty;
    EXPECT_EQ(empty.GetTagIndex("A"), -1);
}

TEST(Parser, ImpliedStructure)
{
    EXPECT_EQ(ParseDump(""), "");
    EXPECT_EQ(ParseDump(" \r\n\t "), "");
    EXPECT_EQ(ParseDump("hello"), "HTML\n  BODY\n    'hello'\n");
    EXPECT_EQ(ParseDump("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">"), "HTML\n");

    // A typical page: white space before the body stays where it was written.
    EXPECT_EQ(ParseDump("<HTML>\n<HEAD>\n<TITLE>Home</TITLE>\n<META NAME=\"keywords\" CONTENT=\"a,b\">\n"
                        "</HEAD>\n<BODY BGCOLOR=\"#FFFFFF\">\n<H1>Welcome</H1>\n</BODY>\n</HTML>\n"),
              "HTML\n  '\\n'\n  HEAD\n    '\\n'\n    TITLE\n      'Home'\n    '\\n'\n"
              "    META content=\"a,b\" name=\"keywords\"\n    '\\n'\n  '\\n'\n"
              "  BODY bgcolor=\"#FFFFFF\"\n    '\\n'\n    H1\n      'Welcome'\n    '\\n\\n\\n'\n");

    // Head elements go into an implied HEAD, even after </HEAD>; comments and unknown tags too.
    EXPECT_EQ(ParseDump("<!-- top --><nobr><base href=x></head><link rel=a><script>s</script><p>x"),
              "HTML\n  HEAD\n    <!-- top -->\n    NOBR\n    BASE href=x\n    LINK rel=a\n    SCRIPT\n"
              "      <!--s-->\n  BODY\n    P\n      'x'\n");
    // After body content META and SCRIPT stay where they are; a later BODY adds what is missing;
    // </BODY> and </HTML> are ignored without a trace.
    EXPECT_EQ(ParseDump("<body bgcolor=white>a<meta name=m><script>s</script></body></html>b"
                        "<body bgcolor=red text=blue><html lang=ko>"),
              "HTML lang=ko\n  BODY bgcolor=white text=blue\n    'a'\n    META name=m\n    SCRIPT\n"
              "      <!--s-->\n    'b'\n");
    // A non-blank text opens the body; a blank one does not.
    EXPECT_EQ(ParseDump("<head> <title>t</title> </head> text"),
              "HTML\n  HEAD\n    ' '\n    TITLE\n      't'\n    ' '\n  BODY\n    ' text'\n");
}

TEST(Parser, TitleElement)
{
    // Markup inside TITLE is its content; nothing in it opens the body.
    EXPECT_EQ(ParseDump("<title>A <b>bold</b> one</title>"),
              "HTML\n  HEAD\n    TITLE\n      'A '\n      B\n        'bold'\n      ' one'\n");
    // A missing </TITLE> ends at the start of a block or BODY, where the body begins.
    EXPECT_EQ(ParseDump("<title>T<p>para"),
              "HTML\n  HEAD\n    TITLE\n      'T'\n  BODY\n    P\n      'para'\n");
    EXPECT_EQ(ParseDump("<title>T<body text=red>x"),
              "HTML\n  HEAD\n    TITLE\n      'T'\n  BODY text=red\n    'x'\n");
    EXPECT_EQ(ParseDump("<title>T<table><tr><td>x"),
              "HTML\n  HEAD\n    TITLE\n      'T'\n  BODY\n    TABLE\n      TR\n        TD\n          'x'\n");
    // Inline tags and text do not end it.
    EXPECT_EQ(ParseDump("<title>T<font>x<br>y"),
              "HTML\n  HEAD\n    TITLE\n      'T'\n      FONT\n        'x'\n        BR\n        'y'\n");
    // A late TITLE goes into HEAD when HEAD has none; a second one is dropped with its content.
    EXPECT_EQ(ParseDump("<p>a<title>Late</title>b<title>Again<b>x</b></title>c"),
              "HTML\n  HEAD\n    TITLE\n      'Late'\n  BODY\n    P\n      'abc'\n");
    // End tags inside the title do not reach the elements outside it.
    EXPECT_EQ(ParseDump("<p><b>a<title>x</p></b>y</title>z"),
              "HTML\n  HEAD\n    TITLE\n      'xy'\n  BODY\n    P\n      B\n        'az'\n");
    // A title inside PRE is not inside PRE.
    Parsed t("<pre>a<title>T</title>b</pre>");
    ASSERT_NE(t.Get("TITLE"), nullptr);
    CTagNode* text = static_cast<CTagNode*>(t.Get("TITLE")->GetFirstChild());
    EXPECT_EQ(text->Find("pre", TAGFIND_ANCESTORS, 0), nullptr);
    EXPECT_EQ(static_cast<CTagNode*>(t.Get("PRE")->GetFirstChild())->Find("pre", TAGFIND_ANCESTORS, 0),
              t.Get("PRE"));
}

TEST(Parser, Frames)
{
    // FRAMESET takes BODY's place; NOFRAMES content gets a BODY of its own.
    EXPECT_EQ(
        ParseDump("<html><head><title>F</title></head><frameset cols=\"50%,*\"><frame src=a.html>"
                  "<frame src=b.html><noframes>Your browser <b>lacks</b> frames.</noframes></frameset>"),
        "HTML\n  HEAD\n    TITLE\n      'F'\n  FRAMESET cols=\"50%,*\"\n    FRAME src=a.html\n"
        "    FRAME src=b.html\n    NOFRAMES\n      BODY\n        'Your browser '\n        B\n"
        "          'lacks'\n        ' frames.'\n");
    // A BODY written inside NOFRAMES is an ordinary element.
    EXPECT_EQ(ParseDump("<frameset rows=*><noframes><body bgcolor=red>x</body>y</noframes></frameset>"),
              "HTML\n  FRAMESET rows=*\n    NOFRAMES\n      BODY bgcolor=red\n        'x'\n      'y'\n");
    // Outside NOFRAMES a BODY after the frameset is the document's body.
    EXPECT_EQ(ParseDump("<frameset><frame src=a></frameset>x<body bgcolor=red>y<body text=red>"),
              "HTML\n  FRAMESET\n    FRAME src=a\n  'x'\n  BODY bgcolor=red text=red\n    'y'\n");
    // NOFRAMES inside an ordinary body is just an element of it.
    EXPECT_EQ(ParseDump("<body>a<noframes>b</noframes>"), "HTML\n  BODY\n    'a'\n    NOFRAMES\n      'b'\n");
}

TEST(Parser, OmittedEndTags)
{
    EXPECT_EQ(
        ParseDump("<p>one<p>two<h2>head</h2><p>three<hr><p>four<ul><li>a</ul>"),
        "HTML\n  BODY\n    P\n      'one'\n    P\n      'two'\n    H2\n      'head'\n    P\n      'three'\n"
        "    HR\n    P\n      'four'\n    UL\n      LI\n        'a'\n");
    // P ends at a block even with inline elements open inside it; inline tags do not end it.
    EXPECT_EQ(
        ParseDump("<p><font size=2><b>x<center>y</center>z"),
        "HTML\n  BODY\n    P\n      FONT size=2\n        B\n          'x'\n    CENTER\n      'y'\n    'z'\n");
    // LI ends at the next LI of the same list, not of an inner one.
    EXPECT_EQ(ParseDump("<ul><li>a<ol><li>b<li>c</ol><li>d</ul>"),
              "HTML\n  BODY\n    UL\n      LI\n        'a'\n        OL\n          LI\n            'b'\n"
              "          LI\n            'c'\n      LI\n        'd'\n");
    EXPECT_EQ(
        ParseDump("<dl><dt>t1<dd>d1<dl><dt>in</dl><dt>t2<dd>d2</dl>"),
        "HTML\n  BODY\n    DL\n      DT\n        't1'\n      DD\n        'd1'\n        DL\n          DT\n"
        "            'in'\n      DT\n        't2'\n      DD\n        'd2'\n");
    EXPECT_EQ(ParseDump("<select name=s><option>1<option selected value=\"2\">2</select>x"),
              "HTML\n  BODY\n    SELECT name=s\n      OPTION\n        '1'\n      OPTION selected=EXIST "
              "value=\"2\"\n"
              "        '2'\n    'x'\n");
    EXPECT_EQ(
        ParseDump("<h1>a<h2>b<a href=1>c<a href=2>d</h2>e"),
        "HTML\n  BODY\n    H1\n      'a'\n    H2\n      'b'\n      A href=1\n        'c'\n      A href=2\n"
        "        'd'\n    'e'\n");
    // Mis-nested inline tags: an end tag closes everything opened inside; a stray one is ignored.
    EXPECT_EQ(ParseDump("<b>bold <i>both</b> italic?</i> plain"),
              "HTML\n  BODY\n    B\n      'bold '\n      I\n        'both'\n    ' italic? plain'\n");
    EXPECT_EQ(ParseDump("<font color=red><a href=x>link</font> more</a>"),
              "HTML\n  BODY\n    FONT color=red\n      A href=x\n        'link'\n    ' more'\n");
}

TEST(Parser, Tables)
{
    EXPECT_EQ(ParseDump("<table border=1><caption>cap<tr><th>h<td>a<tr><td>b</table>after"),
              "HTML\n  BODY\n    TABLE border=1\n      CAPTION\n        'cap'\n      TR\n        TH\n"
              "          'h'\n        TD\n          'a'\n      TR\n        TD\n          'b'\n    'after'\n");
    // TBODY, FORM and comments directly in TABLE/TR make no node; text there stays.
    EXPECT_EQ(
        ParseDump("<table><tbody><!-- row --><form action=x><tr> <td>1</td></tr></tbody></form></table>"),
        "HTML\n  BODY\n    TABLE\n      TR\n        ' '\n        TD\n          '1'\n");
    // Inline elements opened in a cell end with it; a cell without a row belongs to the table.
    EXPECT_EQ(
        ParseDump("<table><td><b>x<td>y</p></i>z<tr><td>w</table>"),
        "HTML\n  BODY\n    TABLE\n      TD\n        B\n          'x'\n      TD\n        'yz'\n      TR\n"
        "        TD\n          'w'\n");
    // Cell and row tags work on the innermost table; </TD> of the outer cell waits for </TABLE>.
    EXPECT_EQ(
        ParseDump("<table><tr><td><table><tr><td>in<td>in2</table>out</td></tr></table>"),
        "HTML\n  BODY\n    TABLE\n      TR\n        TD\n          TABLE\n            TR\n              TD\n"
        "                'in'\n              TD\n                'in2'\n          'out'\n");
    // End tags inside a cell cannot close what lies outside it.
    EXPECT_EQ(ParseDump("<center><table><tr><td>a</center>b</td></tr></table>c</center>d"),
              "HTML\n  BODY\n    CENTER\n      TABLE\n        TR\n          TD\n            'ab'\n      'c'\n"
              "    'd'\n");
    // A P in a cell ends with the cell; a P outside is ended by the TABLE.
    EXPECT_EQ(
        ParseDump("<p>x<table><tr><td><p>y<td>z</table>"),
        "HTML\n  BODY\n    P\n      'x'\n    TABLE\n      TR\n        TD\n          P\n            'y'\n"
        "        TD\n          'z'\n");
    // Table tags outside any table leave no trace.
    EXPECT_EQ(ParseDump("a<td>b</tr>c<caption>d</table>e"), "HTML\n  BODY\n    'abcde'\n");
    // Stray content inside TABLE stays there; </TR> then <TD> makes a row-less cell.
    EXPECT_EQ(
        ParseDump("<table><b>s</b><tr><td>1</tr>x<td>2</table>"),
        "HTML\n  BODY\n    TABLE\n      B\n        's'\n      TR\n        TD\n          '1'\n      'x'\n"
        "      TD\n        '2'\n");
}

TEST(Parser, EmptyAndUnknownTags)
{
    // Unknown tags never capture what follows; their end tags are ignored.
    EXPECT_EQ(ParseDump("<p><span class=x>a</span>b<nobr>c</nobr><embed src=m.mid>"),
              "HTML\n  BODY\n    P\n      SPAN class=x\n      'ab'\n      NOBR\n      'c'\n      EMBED "
              "src=m.mid\n");
    EXPECT_EQ(ParseDump("a<br>b<img src=x.gif>c<wbr>d<hr>e<input type=text>f</br></img>g"),
              "HTML\n  BODY\n    'a'\n    BR\n    'b'\n    IMG src=x.gif\n    'c'\n    WBR\n    'd'\n    HR\n"
              "    'e'\n    INPUT type=text\n    'fg'\n");
    EXPECT_EQ(ParseDump("<map name=m><area shape=rect coords=\"0,0,1,1\" href=a><area nohref></map>"),
              "HTML\n  BODY\n    MAP name=m\n      AREA coords=\"0,0,1,1\" href=a shape=rect\n      AREA "
              "nohref=EXIST\n");
    EXPECT_EQ(ParseDump("<applet code=A.class><param name=p value=1>alt</applet>"),
              "HTML\n  BODY\n    APPLET code=A.class\n      PARAM name=p value=1\n      'alt'\n");
}

TEST(Parser, Attributes)
{
    Parsed p("<TABLE Border=true BORDER=2 width=\"100%\" bgcolor='#FF0000' cellpadding = 4 nowrap "
             "title=\"a > b\" alt=\"\" x= >");
    CTagNode* t = p.Get("TABLE");
    ASSERT_NE(t, nullptr);
    CMapStringToString* m = t->GetMap();
    CString v;
    EXPECT_EQ(m->GetCount(), 8);
    EXPECT_TRUE(m->Lookup("border", v) && v == "true"); // the first of duplicates wins
    EXPECT_TRUE(m->Lookup("width", v) && v == "\"100%\"");
    EXPECT_TRUE(m->Lookup("bgcolor", v) && v == "'#FF0000'");
    EXPECT_TRUE(m->Lookup("cellpadding", v) && v == "4");
    EXPECT_TRUE(m->Lookup("nowrap", v) && v == "EXIST");
    EXPECT_TRUE(m->Lookup("title", v) && v == "\"a > b\"");
    EXPECT_TRUE(m->Lookup("alt", v) && v == "\"\"");
    EXPECT_TRUE(m->Lookup("x", v) && v.IsEmpty());
    EXPECT_FALSE(m->Lookup("Border", v));
    EXPECT_EQ(t->GetValueOf("BORDER"), "true");
    EXPECT_EQ(t->GetValueOf("width", 0, 1), "100%");
    EXPECT_EQ(t->GetValueOf("bgcolor", 0, 1), "#FF0000");
    EXPECT_EQ(t->GetValueOf("missing"), "");

    // The three ways of writing a border arrive as written.
    EXPECT_EQ(ParseDump("<table border=true></table><table border=\"true\"></table><table border></table>"),
              "HTML\n  BODY\n    TABLE border=true\n    TABLE border=\"true\"\n    TABLE border=EXIST\n");
    // Values may span lines; an unclosed quote ends like an unquoted value; a '<' ends a tag.
    EXPECT_EQ(ParseDump("<a href=\"a\nb\">x</a><img alt=\"oops src=y.gif><b>z</b><p<i>w"),
              "HTML\n  BODY\n    A href=\"a\nb\"\n      'x'\n    IMG alt=\"oops src=y.gif\n    B\n      'z'\n"
              "    P\n      I\n        'w'\n");
    // A tag cut off by the end of the input ends there.
    EXPECT_EQ(ParseDump("x<font size=3"), "HTML\n  BODY\n    'x'\n    FONT size=3\n");
    EXPECT_EQ(ParseDump("<br/><img src=a.gif />"), "HTML\n  BODY\n    BR\n    IMG src=a.gif\n");
}

TEST(Parser, CommentsRawContentAndPre)
{
    EXPECT_EQ(
        ParseDump("<p>a<!-- note <b>not bold</b> -->b<!---->c"),
        "HTML\n  BODY\n    P\n      'a'\n      <!-- note <b>not bold</b> -->\n      'b'\n      <!---->\n"
        "      'c'\n");
    EXPECT_EQ(ParseDump("x<!-- never closed <p>y"), "HTML\n  BODY\n    'x'\n    <!-- never closed <p>y-->\n");
    EXPECT_EQ(ParseDump("<comment>old <b>style</b></comment>x"),
              "HTML\n  HEAD\n    <!--old <b>style</b>-->\n  BODY\n    'x'\n");
    // Script and style text is hidden in a comment, whatever markup it holds.
    EXPECT_EQ(ParseDump("<p><script language=\"JavaScript\"><!--\nif (a<b) document.write(\"</p>\");\n// -->"
                        "</SCRIPT >x<style></style>"),
              "HTML\n  BODY\n    P\n      SCRIPT language=\"JavaScript\"\n"
              "        <!--<!--\\nif (a<b) document.write(\"</p>\");\\n// -->-->\n      'x'\n      STYLE\n");

    // PRE keeps its text whole and drops one line break after the start tag.
    Parsed p("<pre>\r\n  col1\tcol2\n\n  <b>bold</b>  end\n</pre>after");
    CTagNode* pre = p.Get("PRE");
    ASSERT_NE(pre, nullptr);
    CTagNode* first = static_cast<CTagNode*>(pre->GetFirstChild());
    ASSERT_EQ(first->GetType(), TAGNODE_TEXT);
    EXPECT_EQ(first->GetValueOf("data", 0, 0), "  col1\tcol2\n\n  ");
    EXPECT_EQ(first->Find("pre", TAGFIND_ANCESTORS, 0), pre);
    CTagNode* boldText = static_cast<CTagNode*>(p.Get("B")->GetFirstChild());
    EXPECT_EQ(boldText->Find("pre", TAGFIND_ANCESTORS, 0), pre);
    CTagNode* after = static_cast<CTagNode*>(pre->GetNextSibling());
    EXPECT_EQ(after->GetData(), "after");
    EXPECT_EQ(after->Find("pre", TAGFIND_ANCESTORS, 0), nullptr);
    EXPECT_EQ(ParseDump("<pre>\n\nx</pre><pre>\n</pre><pre>\r</pre>"),
              "HTML\n  BODY\n    PRE\n      '\\nx'\n    PRE\n    PRE\n      '\\r'\n");

    // XMP, LISTING and TEXTAREA hold their text literally; PLAINTEXT the rest of the input.
    EXPECT_EQ(
        ParseDump("<xmp>\n<b>x</b>\n</xmp><listing>\r\n</listing><textarea name=t>\n\n<p>a</TEXTAREA>"
                  "<plaintext>\n<b>x</b></plaintext>"),
        "HTML\n  BODY\n    XMP\n      '<b>x</b>\\n'\n    LISTING\n    TEXTAREA name=t\n      '\\n<p>a'\n"
        "    PLAINTEXT\n      '\\n<b>x</b></plaintext>'\n");
    EXPECT_EQ(ParseDump("<xmp>never closed <b>"), "HTML\n  BODY\n    XMP\n      'never closed <b>'\n");
}

TEST(Parser, TextJoiningAndStrayMarkup)
{
    // Dropped declarations, ignored end tags and '<' that starts no tag leave one text node.
    EXPECT_EQ(ParseDump("a<!DOCTYPE x>b<?php echo ?>c</u>d < e <3 f<>g </ h<!x"),
              "HTML\n  BODY\n    'abcd < e <3 f<>g </ h'\n");
    EXPECT_EQ(ParseDump("x<!-y"), "HTML\n  BODY\n    'x<!-y'\n");
    // Text on either side of a real element stays apart.
    EXPECT_EQ(ParseDump("a<b></b>b"), "HTML\n  BODY\n    'a'\n    B\n    'b'\n");
}

TEST(Parser, KoreanTextUntouched)
{
    // "한글" as text, in an attribute value, and '<' followed by a lead byte (not a tag).
    const char* src = "<p title=\"\xC7\xD1\xB1\xDB\" alt=\xB1\xDB>\xC7\xD1\xB1\xDB \xB6\xC7 <\xB1\xDB>"
                      "<font face=\"\xB1\xBC\xB8\xB2\">\xB0\xA1\xB3\xAA\xB4\xD9</font>";
    EXPECT_EQ(ParseDump(src), "HTML\n  BODY\n    P alt=\xB1\xDB title=\"\xC7\xD1\xB1\xDB\"\n"
                              "      '\xC7\xD1\xB1\xDB \xB6\xC7 <\xB1\xDB>'\n"
                              "      FONT face=\"\xB1\xBC\xB8\xB2\"\n        '\xB0\xA1\xB3\xAA\xB4\xD9'\n");
    // Trail bytes that are ASCII letters are not case-mapped anywhere.
    Parsed p("<b title=\"\x81\x61\x81\x41\">\x81\x61</b>");
    EXPECT_EQ(p.Get("B")->GetValueOf("title"), "\"\x81\x61\x81\x41\"");
    EXPECT_EQ(static_cast<CTagNode*>(p.Get("B")->GetFirstChild())->GetData(), "\x81\x61");
}

TEST(Parser, TagNodeInterface)
{
    Parsed p("<body><!-- c --><div align=center><p>t<b>x</b></div><blink>y</blink><foo>");
    CTagNode* body = p.Get("BODY");
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->GetName(2), "body");

    CTagNode* comment = static_cast<CTagNode*>(body->GetFirstChild());
    EXPECT_EQ(TestDB().GetTagIndex(comment->GetName(1)), TAG_COMMENT);
    EXPECT_EQ(comment->GetValueOf("comment"), " c ");

    CTagNode* text = static_cast<CTagNode*>(p.Get("B")->GetFirstChild());
    EXPECT_TRUE(text->IsText());
    EXPECT_EQ(text->GetValueOf("data", 0, 0), "x");
    EXPECT_EQ(text->GetValueOf("align", 0, 0), "");
    EXPECT_EQ(text->GetValueOf("align", 1, 0), "center"); // from the nearest ancestor
    EXPECT_EQ(text->GetName(1), "#TEXT");

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

    // Attributes can be added by hand; the first value stays.
    CTagNode n(TAGNODE_ELEMENT, "font", TAG_FONT);
    EXPECT_TRUE(n.AddAttribute("SIZE", "3"));
    EXPECT_FALSE(n.AddAttribute("size", "4"));
    EXPECT_EQ(n.GetValueOf("size"), "3");
    // A node not made by the parser is searched by walking up.
    CTagNode* pre = new CTagNode(TAGNODE_ELEMENT, "PRE", TAG_PRE);
    CTagNode* t = new CTagNode(TAGNODE_TEXT, "", -1);
    n.AddLastChild(pre);
    pre->AddLastChild(t);
    EXPECT_EQ(t->Find("pre", TAGFIND_ANCESTORS, 0), pre);
}

TEST(Parser, DeepNesting)
{
    const int N = 100000;
    struct Case
    {
        const char* label;
        std::string src;
        size_t depth;
    };
    const Case cases[] = {
        {"nested B", Repeat("<b>x", N), size_t(N) + 2},
        {"DIV with stray end tags", Repeat("<div>", N) + Repeat("</i></p></td></li>", N), size_t(N) + 1},
        {"nested tables", Repeat("<table><tr><td>", N), size_t(3 * N) + 1},
        {"lists with implied ends", Repeat("<ul><li>", N) + Repeat("<li>a<dd>b<option>c<p>d", N),
         size_t(2 * N) + 3},
        {"PRE", Repeat("<pre><font>", N), size_t(2 * N) + 1},
        {"NOFRAMES", "<frameset>" + Repeat("<noframes>a", N), size_t(2 * N) + 2},
        {"unclosed quotes", Repeat("<a href=\"x>y ", N), 2},
    };
    for (const Case& c : cases) {
        Parsed p(c.src);
        ASSERT_NE(p.root, nullptr) << c.label;
        size_t depth = 0;
        for (CTreeNode* n = p.root->GetRightMostLeaf(); n; n = n->GetParent())
            ++depth;
        EXPECT_GE(depth, c.depth) << c.label;
        EXPECT_GT(p.CheckLinks(), c.depth) << c.label;
    }
}
