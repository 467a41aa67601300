// Tests that measuring text stays linear: words reuse their node's font and structure, deep or long.
#include "TextTestDoc.h"

#include "korhtml/SimpleElements.h"

#include <string>

namespace {

// A font element that counts how often text asks it for its font.
class CountingFont : public CElement
{
public:
    explicit CountingFont(int* calls) : CElement(nullptr), m_pCalls(calls)
    {
        m_nKind = TAG_B;
        m_dwFlags = EF_FONT;
    }
    void ApplyFont(LOGFONT* lf, COLORREF* /*color*/) override
    {
        ++*m_pCalls;
        lf->lfWeight = 800;
    }
    int* m_pCalls;
};

FText* AddWord(CElement* parent, const char* raw)
{
    FText* t = new FText(nullptr);
    t->m_strRaw = raw;
    parent->AddLastChild(t);
    return t;
}

} // namespace

TEST_F(BoxFontTest, TextWordsReuseTheirNodesFont)
{
    const int depth = 500, words = 2000;
    int calls = 0;
    std::unique_ptr<FBody> body(new FBody(nullptr));
    CElement* inner = body.get();
    for (int i = 0; i < depth; ++i)
        inner = Add(inner, new CountingFont(&calls));
    for (int i = 0; i < words; ++i)
        AddWord(inner, "word ");
    CElement* tag = Add(inner, new CountingFont(&calls));
    AddWord(tag, "in ");
    FText* after = AddWord(inner, "after");

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    for (CVisible* v = body->GetNextVisible(); v; v = v->GetNextVisible())
        v->Measure(&dc);
    // Only the first word of each text node asks the font elements around it.
    EXPECT_EQ(calls, depth + (depth + 1) + depth);
    EXPECT_EQ(after->m_pFont, static_cast<FText*>(inner->GetChildAt(0))->m_pFont);
    EXPECT_EQ(after->m_nWidth, 35);
    body->DeleteChildren();
}

TEST_F(BoxFontTest, TextMeasureOfLongAndDeepParagraphs)
{
    // A long paragraph under deep nesting, and one where every other word follows a tag: the
    // shortcuts that keep these linear (timed in bench/) must still give every word its font.
    std::string html = "<body>";
    for (int i = 0; i < 20000; ++i)
        html += "<i>";
    for (int i = 0; i < 40000; ++i)
        html += "word ";
    html += "</body>";
    std::string alternating = "<body><p>";
    for (int i = 0; i < 20000; ++i)
        alternating += "x <b>y</b> ";
    for (const std::string* source : {&html, &alternating}) {
        const bool deep = source == &html;
        TextDoc doc(*source);
        ASSERT_NE(doc.m_pBody, nullptr);
        doc.Measure();
        std::vector<FText*> texts = doc.Texts();
        ASSERT_EQ(texts.size(), 40000u);
        EXPECT_EQ(texts.back()->m_nBreak, 0);
        EXPECT_EQ(texts.back()->m_nWidth, deep ? 35 : 7);
        EXPECT_EQ(TextDoc::Font(texts.back()).lfItalic, deep ? 1 : 0);
        EXPECT_EQ(texts[0]->m_pFont, texts[2]->m_pFont);
    }
}

TEST_F(BoxFontTest, TextShortcutsMatchTheFullSearches)
{
    // The break bits, alignment and list level a run takes over must be what the full searches give.
    const char* sources[] = {
        "<body>zero<p>one two</p>three<h1>big <i>head</i> x</h1><ul><li>item a<li>item <b>b</b> c</ul>"
        "after<br>next<br><br>last<hr>rule<table><tr><td>c1 x<td>c2 <p>c3 y</table>end <wbr>z</body>",
        "<body><center>a b<div align=right>c <b>d</b> e<p>f g</p>h</div>i j</center><dl><dt>t u<dd>v w</dl>"
        "<pre>p\nq</pre>r s<blockquote>u v<img src=x.gif> w</blockquote><ol><li><ul><li>deep "
        "er</ul>x</ol></body>",
        "<body><table><tr><td><table><tr><td>in ner<td></table>out er</td><td><br>y z</table>"
        "<caption>cap tion</caption><address>ad dr<p>ess</address><form>f1 <input> f2</form></body>",
    };
    for (const char* source : sources) {
        TextDoc doc(source);
        ASSERT_NE(doc.m_pBody, nullptr);
        doc.Measure();
        for (FText* t : doc.Texts()) {
            const int brk = t->m_nBreak, align = t->m_nAlign, level = t->m_nListLevel,
                      item = t->m_bInListItem;
            t->CVisible::ComputeBreaks();
            t->CVisible::InheritAlign();
            t->CVisible::ComputeListLevel();
            EXPECT_EQ(brk, t->m_nBreak) << t->m_strRaw.GetString();
            EXPECT_EQ(align, t->m_nAlign) << t->m_strRaw.GetString();
            EXPECT_EQ(level, t->m_nListLevel) << t->m_strRaw.GetString();
            EXPECT_EQ(item, t->m_bInListItem) << t->m_strRaw.GetString();
        }
    }
}
