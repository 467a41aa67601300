// Tests of the HTML tag database and of the parser on markup as it was written in 1997-98.
#include "Hostile.h"
#include "TagDump.h"

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
    EXPECT_EQ(BodyDump("hello"), "'hello'");
    EXPECT_EQ(ParseDump("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">"), "HTML");

    // A typical page: white space before the body stays where it was written.
    EXPECT_EQ(ParseDump("<HTML>\n<HEAD>\n<TITLE>Home</TITLE>\n<META NAME=\"keywords\" CONTENT=\"a,b\">\n"
                        "</HEAD>\n<BODY BGCOLOR=\"#FFFFFF\">\n<H1>Welcome</H1>\n</BODY>\n</HTML>\n"),
              "HTML['\\n' HEAD['\\n' TITLE['Home'] '\\n' META(content=\"a,b\" name=\"keywords\") '\\n'] "
              "'\\n' BODY(bgcolor=\"#FFFFFF\")['\\n' H1['Welcome'] '\\n\\n\\n']]");

    // Head elements go into an implied HEAD, even after </HEAD>; comments and unknown tags too.
    EXPECT_EQ(ParseDump("<!-- top --><nobr><base href=x></head><link rel=a><script>s</script><p>x"),
              "HTML[HEAD[<!-- top --> NOBR BASE(href=x) LINK(rel=a) SCRIPT[<!--s-->]] BODY[P['x']]]");
    // After body content META and SCRIPT stay where they are; a later BODY adds what is missing;
    // </BODY> and </HTML> are ignored without a trace.
    EXPECT_EQ(ParseDump("<body bgcolor=white>a<meta name=m><script>s</script></body></html>b"
                        "<body bgcolor=red text=blue><html lang=ko>"),
              "HTML(lang=ko)[BODY(bgcolor=white text=blue)['a' META(name=m) SCRIPT[<!--s-->] 'b']]");
    // A non-blank text opens the body; a blank one does not.
    EXPECT_EQ(ParseDump("<head> <title>t</title> </head> text"),
              "HTML[HEAD[' ' TITLE['t'] ' '] BODY[' text']]");
}

TEST(Parser, TitleElement)
{
    // Markup inside TITLE is its content; nothing in it opens the body.
    EXPECT_EQ(ParseDump("<title>A <b>bold</b> one</title>"), "HTML[HEAD[TITLE['A ' B['bold'] ' one']]]");
    // A missing </TITLE> ends at the start of a block or BODY, where the body begins.
    EXPECT_EQ(ParseDump("<title>T<p>para"), "HTML[HEAD[TITLE['T']] BODY[P['para']]]");
    EXPECT_EQ(ParseDump("<title>T<body text=red>x"), "HTML[HEAD[TITLE['T']] BODY(text=red)['x']]");
    EXPECT_EQ(ParseDump("<title>T<table><tr><td>x"), "HTML[HEAD[TITLE['T']] BODY[TABLE[TR[TD['x']]]]]");
    // Inline tags and text do not end it.
    EXPECT_EQ(ParseDump("<title>T<font>x<br>y"), "HTML[HEAD[TITLE['T' FONT['x' BR 'y']]]]");
    // A late TITLE goes into HEAD when HEAD has none; a second one is dropped with its content.
    EXPECT_EQ(ParseDump("<p>a<title>Late</title>b<title>Again<b>x</b></title>c"),
              "HTML[HEAD[TITLE['Late']] BODY[P['abc']]]");
    // End tags inside the title do not reach the elements outside it.
    EXPECT_EQ(ParseDump("<p><b>a<title>x</p></b>y</title>z"), "HTML[HEAD[TITLE['xy']] BODY[P[B['az']]]]");
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
        "HTML[HEAD[TITLE['F']] FRAMESET(cols=\"50%,*\")[FRAME(src=a.html) FRAME(src=b.html) "
        "NOFRAMES[BODY['Your browser ' B['lacks'] ' frames.']]]]");
    // A BODY written inside NOFRAMES is an ordinary element.
    EXPECT_EQ(ParseDump("<frameset rows=*><noframes><body bgcolor=red>x</body>y</noframes></frameset>"),
              "HTML[FRAMESET(rows=*)[NOFRAMES[BODY(bgcolor=red)['x'] 'y']]]");
    // Outside NOFRAMES a BODY after the frameset is the document's body.
    EXPECT_EQ(ParseDump("<frameset><frame src=a></frameset>x<body bgcolor=red>y<body text=red>"),
              "HTML[FRAMESET[FRAME(src=a)] 'x' BODY(bgcolor=red text=red)['y']]");
    // NOFRAMES inside an ordinary body is just an element of it.
    EXPECT_EQ(BodyDump("<body>a<noframes>b</noframes>"), "'a' NOFRAMES['b']");
}

TEST(Parser, OmittedEndTags)
{
    EXPECT_EQ(BodyDump("<p>one<p>two<h2>head</h2><p>three<hr><p>four<ul><li>a</ul>"),
              "P['one'] P['two'] H2['head'] P['three'] HR P['four'] UL[LI['a']]");
    // P ends at a block even with inline elements open inside it; inline tags do not end it.
    EXPECT_EQ(BodyDump("<p><font size=2><b>x<center>y</center>z"), "P[FONT(size=2)[B['x']]] CENTER['y'] 'z'");
    // LI ends at the next LI of the same list, not of an inner one.
    EXPECT_EQ(BodyDump("<ul><li>a<ol><li>b<li>c</ol><li>d</ul>"), "UL[LI['a' OL[LI['b'] LI['c']]] LI['d']]");
    EXPECT_EQ(BodyDump("<dl><dt>t1<dd>d1<dl><dt>in</dl><dt>t2<dd>d2</dl>"),
              "DL[DT['t1'] DD['d1' DL[DT['in']]] DT['t2'] DD['d2']]");
    EXPECT_EQ(BodyDump("<select name=s><option>1<option selected value=\"2\">2</select>x"),
              "SELECT(name=s)[OPTION['1'] OPTION(selected=EXIST value=\"2\")['2']] 'x'");
    EXPECT_EQ(BodyDump("<h1>a<h2>b<a href=1>c<a href=2>d</h2>e"),
              "H1['a'] H2['b' A(href=1)['c'] A(href=2)['d']] 'e'");
    // Mis-nested inline tags: an end tag closes everything opened inside; a stray one is ignored.
    EXPECT_EQ(BodyDump("<b>bold <i>both</b> italic?</i> plain"), "B['bold ' I['both']] ' italic? plain'");
    EXPECT_EQ(BodyDump("<font color=red><a href=x>link</font> more</a>"),
              "FONT(color=red)[A(href=x)['link']] ' more'");
}

TEST(Parser, Tables)
{
    EXPECT_EQ(BodyDump("<table border=1><caption>cap<tr><th>h<td>a<tr><td>b</table>after"),
              "TABLE(border=1)[CAPTION['cap'] TR[TH['h'] TD['a']] TR[TD['b']]] 'after'");
    // TBODY, FORM and comments directly in TABLE/TR make no node; text there stays.
    EXPECT_EQ(
        BodyDump("<table><tbody><!-- row --><form action=x><tr> <td>1</td></tr></tbody></form></table>"),
        "TABLE[TR[' ' TD['1']]]");
    // Inline elements opened in a cell end with it; a cell without a row belongs to the table.
    EXPECT_EQ(BodyDump("<table><td><b>x<td>y</p></i>z<tr><td>w</table>"),
              "TABLE[TD[B['x']] TD['yz'] TR[TD['w']]]");
    // Cell and row tags work on the innermost table; </TD> of the outer cell waits for </TABLE>.
    EXPECT_EQ(BodyDump("<table><tr><td><table><tr><td>in<td>in2</table>out</td></tr></table>"),
              "TABLE[TR[TD[TABLE[TR[TD['in'] TD['in2']]] 'out']]]");
    // End tags inside a cell cannot close what lies outside it.
    EXPECT_EQ(BodyDump("<center><table><tr><td>a</center>b</td></tr></table>c</center>d"),
              "CENTER[TABLE[TR[TD['ab']]] 'c'] 'd'");
    // A P in a cell ends with the cell; a P outside is ended by the TABLE.
    EXPECT_EQ(BodyDump("<p>x<table><tr><td><p>y<td>z</table>"), "P['x'] TABLE[TR[TD[P['y']] TD['z']]]");
    // Table tags outside any table leave no trace.
    EXPECT_EQ(BodyDump("a<td>b</tr>c<caption>d</table>e"), "'abcde'");
    // Stray content inside TABLE stays there; </TR> then <TD> makes a row-less cell.
    EXPECT_EQ(BodyDump("<table><b>s</b><tr><td>1</tr>x<td>2</table>"),
              "TABLE[B['s'] TR[TD['1']] 'x' TD['2']]");
}

TEST(Parser, EmptyAndUnknownTags)
{
    // Unknown tags never capture what follows; their end tags are ignored.
    EXPECT_EQ(BodyDump("<p><span class=x>a</span>b<nobr>c</nobr><embed src=m.mid>"),
              "P[SPAN(class=x) 'ab' NOBR 'c' EMBED(src=m.mid)]");
    EXPECT_EQ(BodyDump("a<br>b<img src=x.gif>c<wbr>d<hr>e<input type=text>f</br></img>g"),
              "'a' BR 'b' IMG(src=x.gif) 'c' WBR 'd' HR 'e' INPUT(type=text) 'fg'");
    EXPECT_EQ(BodyDump("<map name=m><area shape=rect coords=\"0,0,1,1\" href=a><area nohref></map>"),
              "MAP(name=m)[AREA(coords=\"0,0,1,1\" href=a shape=rect) AREA(nohref=EXIST)]");
    EXPECT_EQ(BodyDump("<applet code=A.class><param name=p value=1>alt</applet>"),
              "APPLET(code=A.class)[PARAM(name=p value=1) 'alt']");
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
    // The first of duplicates wins; values keep their quotes.
    const std::pair<const char*, const char*> values[] = {
        {"border", "true"},  {"width", "\"100%\""},  {"bgcolor", "'#FF0000'"}, {"cellpadding", "4"},
        {"nowrap", "EXIST"}, {"title", "\"a > b\""}, {"alt", "\"\""},          {"x", ""}};
    for (auto [name, value] : values)
        EXPECT_TRUE(m->Lookup(name, v) && v == value) << name;
    EXPECT_FALSE(m->Lookup("Border", v));
    EXPECT_EQ(t->GetValueOf("BORDER"), "true");
    EXPECT_EQ(t->GetValueOf("width", 0, 1), "100%");
    EXPECT_EQ(t->GetValueOf("bgcolor", 0, 1), "#FF0000");
    EXPECT_EQ(t->GetValueOf("missing"), "");

    // The three ways of writing a border arrive as written.
    EXPECT_EQ(BodyDump("<table border=true></table><table border=\"true\"></table><table border></table>"),
              "TABLE(border=true) TABLE(border=\"true\") TABLE(border=EXIST)");
    // Values may span lines; an unclosed quote ends like an unquoted value; a '<' ends a tag.
    EXPECT_EQ(BodyDump("<a href=\"a\nb\">x</a><img alt=\"oops src=y.gif><b>z</b><p<i>w"),
              "A(href=\"a\nb\")['x'] IMG(alt=\"oops src=y.gif) B['z'] P[I['w']]");
    // A tag cut off by the end of the input ends there.
    EXPECT_EQ(BodyDump("x<font size=3"), "'x' FONT(size=3)");
    EXPECT_EQ(BodyDump("<br/><img src=a.gif />"), "BR IMG(src=a.gif)");
}

TEST(Parser, CommentsRawContentAndPre)
{
    EXPECT_EQ(BodyDump("<p>a<!-- note <b>not bold</b> -->b<!---->c"),
              "P['a' <!-- note <b>not bold</b> --> 'b' <!----> 'c']");
    EXPECT_EQ(BodyDump("x<!-- never closed <p>y"), "'x' <!-- never closed <p>y-->");
    EXPECT_EQ(ParseDump("<comment>old <b>style</b></comment>x"),
              "HTML[HEAD[<!--old <b>style</b>-->] BODY['x']]");
    // Script and style text is hidden in a comment, whatever markup it holds.
    EXPECT_EQ(BodyDump("<p><script language=\"JavaScript\"><!--\nif (a<b) document.write(\"</p>\");\n// -->"
                       "</SCRIPT >x<style></style>"),
              "P[SCRIPT(language=\"JavaScript\")[<!--<!--\\nif (a<b) document.write(\"</p>\");\\n// -->-->] "
              "'x' STYLE]");

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
    EXPECT_EQ(BodyDump("<pre>\n\nx</pre><pre>\n</pre><pre>\r</pre>"), "PRE['\\nx'] PRE PRE['\\r']");

    // XMP, LISTING and TEXTAREA hold their text literally; PLAINTEXT the rest of the input.
    EXPECT_EQ(BodyDump("<xmp>\n<b>x</b>\n</xmp><listing>\r\n</listing><textarea name=t>\n\n<p>a</TEXTAREA>"
                       "<plaintext>\n<b>x</b></plaintext>"),
              "XMP['<b>x</b>\\n'] LISTING TEXTAREA(name=t)['\\n<p>a'] PLAINTEXT['\\n<b>x</b></plaintext>']");
    EXPECT_EQ(BodyDump("<xmp>never closed <b>"), "XMP['never closed <b>']");
}

TEST(Parser, TextJoiningAndStrayMarkup)
{
    // Dropped declarations, ignored end tags and '<' that starts no tag leave one text node.
    EXPECT_EQ(BodyDump("a<!DOCTYPE x>b<?php echo ?>c</u>d < e <3 f<>g </ h<!x"), "'abcd < e <3 f<>g </ h'");
    EXPECT_EQ(BodyDump("x<!-y"), "'x<!-y'");
    // Text on either side of a real element stays apart.
    EXPECT_EQ(BodyDump("a<b></b>b"), "'a' B 'b'");
}

TEST(Parser, KoreanTextUntouched)
{
    // "한글" as text, in an attribute value, and '<' followed by a lead byte (not a tag).
    const char* src = "<p title=\"\xC7\xD1\xB1\xDB\" alt=\xB1\xDB>\xC7\xD1\xB1\xDB \xB6\xC7 <\xB1\xDB>"
                      "<font face=\"\xB1\xBC\xB8\xB2\">\xB0\xA1\xB3\xAA\xB4\xD9</font>";
    EXPECT_EQ(BodyDump(src), "P(alt=\xB1\xDB title=\"\xC7\xD1\xB1\xDB\")['\xC7\xD1\xB1\xDB \xB6\xC7 "
                             "<\xB1\xDB>' FONT(face=\"\xB1\xBC\xB8\xB2\")['\xB0\xA1\xB3\xAA\xB4\xD9']]");
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
        EXPECT_GT(p.CheckLinks(), c.depth) << c.label;
    }
}
