// The page generator: same bytes every time, the sizes asked for, valid CP949, and pages that open
// in this library with the structure their shape promises.
#include "DocTestUtil.h"
#include "bench/PageGen.h"
#include "korhtml/Element.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

using bench::PageShape;

const PageShape kShapes[] = {PageShape::Running, PageShape::NoP, PageShape::Lists, PageShape::Tables};
constexpr std::size_t kSmall = 100 << 10;

TEST(PageGen, SizedDeterministicAndGrowingByPrefix)
{
    for (PageShape shape : kShapes) {
        SCOPED_TRACE(int(shape));
        const std::string a = bench::GeneratePage(shape, kSmall);
        EXPECT_EQ(a, bench::GeneratePage(shape, kSmall));
        EXPECT_GE(a.size(), kSmall);
        EXPECT_LT(a.size(), kSmall + 8192);
        const std::string b = bench::GeneratePage(shape, 1 << 20);
        EXPECT_GE(b.size(), std::size_t(1 << 20));
        EXPECT_LT(b.size(), std::size_t((1 << 20) + 8192));
        // The smaller page is the larger one's beginning, up to the end tags that close it.
        auto diverge = std::mismatch(a.begin(), a.end(), b.begin()).first;
        EXPECT_GT(diverge - a.begin(), std::ptrdiff_t(a.size() - 256));
        EXPECT_EQ(a.substr(a.size() - 16), "</BODY>\n</HTML>\n");
    }
}

TEST(PageGen, ValidCodePageAndLargeVocabulary)
{
    for (PageShape shape : kShapes) {
        SCOPED_TRACE(int(shape));
        const std::string page = bench::GeneratePage(shape, 1 << 20);
        int twoByte = 0;
        for (std::size_t i = 0; i < page.size(); ++i) {
            unsigned char c = (unsigned char)page[i];
            if (c >= 0x80) {
                ASSERT_TRUE(c >= 0x81 && c <= 0xFE && i + 1 < page.size()) << i;
                unsigned char t = (unsigned char)page[++i];
                ASSERT_TRUE(t >= 0xA1 && t <= 0xFE) << i;
                ++twoByte;
            } else {
                ASSERT_TRUE(c >= 0x20 || c == '\n') << i;
            }
        }
        EXPECT_GT(twoByte, 100000);
    }
    // Words are told apart by the bytes between blanks and tags.
    const std::string page = bench::GeneratePage(PageShape::Running, 1 << 20);
    std::set<std::string> words;
    std::string word;
    bool inTag = false;
    for (char c : page) {
        if (c == '<')
            inTag = true;
        if (inTag || c == ' ' || c == '\n' || c == ',' || c == '.' || c == '&' || c == ';') {
            if (!word.empty())
                words.insert(word);
            word.clear();
        } else {
            word += c;
        }
        if (c == '>')
            inTag = false;
    }
    EXPECT_GT(words.size(), 4000u);
}

// The elements of a kind under the body, in document order.
std::vector<CElement*> All(CHtmlX* doc, int kind)
{
    std::vector<CElement*> found;
    for (CElement* e = doc->GetBody()->FindNextByKind(kind, FALSE, nullptr); e;
         e = e->FindNextByKind(kind, FALSE, nullptr))
        found.push_back(e);
    return found;
}

int Ancestors(CElement* e, std::initializer_list<int> kinds)
{
    int n = 0;
    for (CElement* p = e->GetParentElement(); p; p = p->GetParentElement())
        n += std::count(kinds.begin(), kinds.end(), p->m_nKind) > 0;
    return n;
}

class PageGenDoc : public DocTest
{
};

TEST_F(PageGenDoc, EachShapeOpensWithItsStructure)
{
    for (PageShape shape : kShapes) {
        SCOPED_TRACE(int(shape));
        TestDoc t(800, 600);
        ASSERT_EQ(t.OpenHtml(bench::GeneratePage(shape, kSmall)), 1);
        t.Layout();
        EXPECT_GT(t.Texts().size(), 2000u);
        EXPECT_GT(t->GetContentSize().cy, 10000);
        const auto paragraphs = All(t.Doc(), TAG_P);
        const auto items = All(t.Doc(), TAG_LI);
        const auto tables = All(t.Doc(), TAG_TABLE);
        switch (shape) {
        case PageShape::Running:
            EXPECT_GT(paragraphs.size(), 50u);
            EXPECT_GT(All(t.Doc(), TAG_H2).size(), 5u);
            EXPECT_GT(All(t.Doc(), TAG_A).size(), 50u);
            EXPECT_GT(items.size(), 20u);
            break;
        case PageShape::NoP:
            // One block: nothing but text, breaks and inline styles.
            EXPECT_TRUE(paragraphs.empty());
            EXPECT_TRUE(items.empty());
            EXPECT_TRUE(tables.empty());
            EXPECT_TRUE(All(t.Doc(), TAG_H1).empty());
            EXPECT_GT(All(t.Doc(), TAG_BR).size(), 500u);
            break;
        case PageShape::Lists: {
            int deepest = 0;
            for (CElement* li : items)
                deepest = std::max(deepest, Ancestors(li, {TAG_UL, TAG_OL}));
            EXPECT_GE(deepest, 10);
            EXPECT_GT(items.size(), 1000u);
            break;
        }
        case PageShape::Tables: {
            EXPECT_GT(tables.size(), 50u);
            const auto nested = std::count_if(tables.begin(), tables.end(),
                                              [](CElement* e) { return Ancestors(e, {TAG_TABLE}) > 0; });
            EXPECT_GT(nested, 3);
            EXPECT_GT(All(t.Doc(), TAG_TD).size(), 500u);
            break;
        }
        }
    }
}

} // namespace
