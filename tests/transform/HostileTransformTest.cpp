// Hostile pages through the parser and the transformer: depth, size, attribute floods and bad bytes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "Hostile.h"
#include "korhtml/Element.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "korhtml/TableElements.h"
#include "korhtml/TextElement.h"
#include "kortag/kortag.h"
#include "transform/Transformer.h"

using hostile::Repeat;

namespace {

// One page parsed and transformed for a document of its own; frees everything when it goes.
struct Built
{
    explicit Built(const std::string& html)
    {
        CSGMLParser* parser = GetSGMLParser();
        parser->SetSource(CString(html));
        tags = parser->Parse(GetHtmlDB());
        parser->SetSource(CString());
        doc = new CHtmlX(nullptr);
        if (tags) {
            GetTransformer()->SetDocument(doc);
            root = GetTransformer()->Transform(tags);
            GetTransformer()->SetDocument(nullptr);
        }
    }
    ~Built()
    {
        if (root) {
            root->DeleteChildren();
            delete root;
        }
        delete tags;
        delete doc;
    }
    Built(const Built&) = delete;
    Built& operator=(const Built&) = delete;

    // The words in document order.
    std::vector<FText*> Words() const
    {
        std::vector<FText*> words;
        for (CTreeNode* n = root; n; n = n->GetDFSNext(root)) {
            if (static_cast<CElement*>(n)->m_nKind == KIND_TEXT)
                words.push_back(static_cast<FText*>(n));
        }
        return words;
    }
    // Levels from the root down to the deepest element, counted on one walk.
    size_t Depth() const
    {
        size_t depth = 0, deepest = 0;
        for (CTreeNode* n = root; n;) {
            deepest = std::max(deepest, depth);
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
        return deepest;
    }

    CTagNode* tags = nullptr;
    CElement* root = nullptr;
    CHtmlX* doc = nullptr;
};

class HostileTransform : public ::testing::Test
{
protected:
    void SetUp() override { CreateHtmlServer(); }
    void TearDown() override { DestroyHtmlServer(); }
};

TEST_F(HostileTransform, DeepNestingOfEveryKind)
{
    const size_t n = 100000;
    struct Case
    {
        const char* label;
        std::string html;
        size_t depth;
    };
    const Case cases[] = {
        {"inline tags", Repeat("<b><i>x", n / 2), n},
        {"lists", Repeat("<ul><li>x", n / 2), n},
        {"tables", Repeat("<table><tr><td>x", n / 3), n - 1},
        {"font", Repeat("<font size=+1 color=red>x", n), n},
        {"blocks with stray ends", Repeat("<center><blockquote>x</td></li>", n / 2), n},
    };
    for (const Case& c : cases) {
        Built b(c.html);
        ASSERT_NE(b.root, nullptr) << c.label;
        EXPECT_GE(b.Depth(), c.depth) << c.label;
        const std::vector<FText*> words = b.Words();
        ASSERT_FALSE(words.empty()) << c.label;
        EXPECT_EQ(words.front()->m_strRaw, "x") << c.label;
        EXPECT_EQ(words.size(), std::count(c.html.begin(), c.html.end(), 'x')) << c.label;
    }
}

TEST_F(HostileTransform, ManyCopiesKeepEveryWord)
{
    const std::string block = "<p align=center>Some <b>bold</b> and <a href=\"x.html\">linked</a> words"
                              "<table border=1><tr><td width=50%>\xC7\xD1\xB1\xDB<td><img src=a.gif></table>"
                              "<ul><li>one<li>two</ul><pre>\n pre\ttext\n</pre><!-- c -->\n";
    const size_t wordsPerBlock = Built(block).Words().size();
    ASSERT_EQ(wordsPerBlock, 9u);
    hostile::AtScale("dense page", 4000, [&](size_t copies) {
        Built b(Repeat(block, copies));
        ASSERT_NE(b.root, nullptr);
        EXPECT_EQ(b.Words().size(), copies * wordsPerBlock);
    });
    // One text node of many words, and one element of many attributes.
    hostile::AtScale("one long paragraph", 50000, [&](size_t words) {
        Built b("<p>" + Repeat("word ", words));
        EXPECT_EQ(b.Words().size(), words);
    });
    hostile::AtScale("attributes on one tag", 25000, [&](size_t count) {
        std::string tag = "<font";
        for (size_t i = 0; i < count; ++i)
            tag += " a" + std::to_string(i) + "=" + std::to_string(i);
        Built b(tag + " size=7 color=red>x");
        ASSERT_NE(b.root, nullptr);
        EXPECT_EQ(b.Words().size(), 1u);
    });
}

TEST_F(HostileTransform, FiftyMegabytePage)
{
    // Text-heavy blocks keep the element count moderate; the point is the size of the source.
    const std::string pre = Repeat("\xC7\xD1\xB1\xDB text line\n", 600);
    const std::string block = "<h2>Title</h2><p>A paragraph of words.<pre>\n" + pre + "</pre><script>" +
                              Repeat("var a = 1 < 2;", 100) + "</script><!--" + Repeat("comment ", 200) +
                              "-->\n";
    std::string page;
    page.reserve((50u << 20) + block.size());
    size_t blocks = 0;
    while (page.size() < (50u << 20)) {
        page += block;
        ++blocks;
    }
    Built b(page);
    ASSERT_NE(b.root, nullptr);
    size_t preBytes = 0, preRuns = 0, words = 0;
    for (FText* t : b.Words()) {
        if (t->IsPre()) {
            preBytes += size_t(t->m_strRaw.GetLength());
            ++preRuns;
        } else {
            ++words;
        }
    }
    EXPECT_EQ(preRuns, blocks);
    EXPECT_EQ(preBytes, blocks * pre.size());
    EXPECT_EQ(words, blocks * 5);
}

TEST_F(HostileTransform, HugeWordsAttributesAndEntities)
{
    const std::string mega(1 << 20, 'w');
    {
        // A word of 1 MB stays one word with its space.
        Built b("<p>" + mega + " end");
        const std::vector<FText*> words = b.Words();
        ASSERT_EQ(words.size(), 2u);
        EXPECT_EQ(words[0]->m_strRaw.GetLength(), (1 << 20) + 1);
        EXPECT_EQ(words[1]->m_strRaw, "end");
    }
    {
        // An entity name of 1 MB, and a numeric reference of 1 MB of digits, are kept as written.
        Built b("<p>&" + mega + "; &#" + std::string(1 << 20, '9') + ";");
        const std::vector<FText*> words = b.Words();
        ASSERT_EQ(words.size(), 2u);
        EXPECT_EQ(words[0]->m_strRaw.GetLength(), (1 << 20) + 3);
    }
    {
        // An attribute value of 1 MB, unquoted, quoted and never closed.
        Built b("<img src=" + mega + " alt=\"" + mega + "\"><a href=\"" + mega + ">x");
        ASSERT_NE(b.root, nullptr);
    }
    {
        // 100 000 attributes: the first of each name wins, and the known ones still take effect.
        std::string tag = "<td";
        for (int i = 0; i < 100000; ++i)
            tag += i % 1000 ? " x" + std::to_string(i) : std::string(" colspan=") + std::to_string(i + 2);
        Built b("<table><tr>" + tag + ">cell</table>");
        ASSERT_NE(b.root, nullptr);
        EXPECT_EQ(b.Words().size(), 1u);
        FTableCell* cell = nullptr;
        for (CTreeNode* n = b.root; n && !cell; n = n->GetDFSNext(b.root))
            cell = dynamic_cast<FTableCell*>(n);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->m_nColSpan, 2);
    }
}

TEST_F(HostileTransform, BadBytesAndTruncation)
{
    // NUL and control bytes in text, names and values.
    {
        const std::string nul("\0", 1);
        Built b("<p>a" + nul + "b \x01\x02\x7f c<b" + nul + "x=" + nul + ">d</b" + nul + "><" + nul +
                ">e\x1b[31m");
        ASSERT_NE(b.root, nullptr);
        EXPECT_FALSE(b.Words().empty());
    }
    // Invalid CP949: lone lead bytes before markup, a lead byte before a space, one at the very end.
    {
        Built b("<p>\xB0<b>bold</b> \xC7 x\xFE<i>y</i>\x81");
        const std::vector<FText*> words = b.Words();
        std::vector<std::string> raw;
        for (FText* t : words)
            raw.push_back(t->m_strRaw.str());
        EXPECT_EQ(raw, (std::vector<std::string>{"\xB0", "bold", "\xC7 ", "x\xFE", "y", "\x81"}));
    }
    // Every cut of a page with tags, comments, quotes, scripts and tables.
    const std::string page =
        "<html><head><title>T\xC7\xD1</title><!-- a -- b --></head><body bgcolor=\"#fff\">"
        "<table border><tr><td colspan='2'>c<td>d</table><pre>\n p </pre>"
        "<script>if (a < b) x = '<b>';</script><form><select><option>o</select>"
        "<map name=m><area coords=\"1,2,3\"></map><img src=x.gif usemap=#m>&amp;";
    for (size_t cut = 0; cut <= page.size(); ++cut) {
        Built b(page.substr(0, cut));
        if (b.tags) {
            EXPECT_NE(b.root, nullptr) << cut;
        }
    }
    // Random bytes biased towards markup.
    std::mt19937 rng(1998);
    const std::string alphabet = "<>/=\"'&;!- \n\tabpx\xB0\xC7\x81";
    for (int round = 0; round < 300; ++round) {
        std::string s(size_t(rng() % 400), ' ');
        for (char& c : s)
            c = rng() % 3 ? alphabet[rng() % alphabet.size()] : char(rng());
        Built b(s);
    }
}

} // namespace
