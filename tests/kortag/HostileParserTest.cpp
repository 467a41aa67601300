// Hostile markup for the parser: floods of attributes, giant names, runs of half-made tags, linear time.
#include <gtest/gtest.h>

#include <string>

#include "Hostile.h"
#include "kortag/kortag.h"

using hostile::Repeat;

namespace {

// The parse of src with the built-in database; freed at the end of the scope.
struct Tree
{
    explicit Tree(const std::string& src)
    {
        CSGMLParser parser;
        parser.SetSource(CString(src));
        root = parser.Parse(nullptr);
    }
    ~Tree() { delete root; }
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    CTagNode* First(const char* name) const { return root ? root->Find(name, TAGFIND_DESCENDANTS) : nullptr; }
    size_t Nodes() const
    {
        size_t n = 0;
        for (CTreeNode* t = root; t; t = t->GetDFSNext())
            ++n;
        return n;
    }

    CTagNode* root = nullptr;
};

TEST(HostileParser, AttributeFloods)
{
    // 100 000 attributes on one tag: all kept, the first of a name wins, names lower-cased.
    std::string tag = "<img";
    for (int i = 0; i < 100000; ++i)
        tag += " A" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    tag += " a0=late src=x.gif>";
    Tree t(tag);
    CTagNode* img = t.First("img");
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->GetMap()->GetCount(), 100001);
    EXPECT_EQ(img->GetValueOf("a0"), "\"0\"");
    EXPECT_EQ(img->GetValueOf("a99999", 0, 1), "99999");
    EXPECT_EQ(img->GetValueOf("src"), "x.gif");

    hostile::AtScale("attributes on one tag", 25000, [](size_t n) {
        std::string s = "<td";
        for (size_t i = 0; i < n; ++i)
            s += " n" + std::to_string(i) + "=v";
        Tree t("<table><tr>" + s + ">x</table>");
        ASSERT_NE(t.First("td"), nullptr);
    });
    // Each later BODY start tag adds the attributes the body lacks.
    hostile::AtScale("BODY tags adding attributes", 25000, [](size_t n) {
        std::string s;
        for (size_t i = 0; i < n; ++i)
            s += "<body b" + std::to_string(i) + "=1>";
        Tree t(s + "x");
        CTagNode* body = t.First("body");
        ASSERT_NE(body, nullptr);
        EXPECT_EQ(size_t(body->GetMap()->GetCount()), n);
    });
    hostile::AtScale("one name repeated", 50000, [](size_t n) {
        Tree t("<font" + Repeat(" size=1", n) + ">x");
        ASSERT_NE(t.First("font"), nullptr);
    });
}

TEST(HostileParser, GiantNamesAndValues)
{
    const std::string mega(1 << 20, 'q');
    {
        // An unknown tag of a 1 MB name is an empty element; an attribute name and value of 1 MB are kept.
        Tree t("<" + mega + " " + mega + "=" + mega + ">after");
        ASSERT_NE(t.root, nullptr);
        EXPECT_NE(t.First("body"), nullptr);
    }
    {
        Tree t("<p " + mega + "=\"" + mega + "\">x");
        CTagNode* p = t.First("p");
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->GetValueOf(mega.c_str()).GetLength(), (1 << 20) + 2);
    }
    {
        // An end tag of a 1 MB name is ignored; text around it joins.
        Tree t("<p>a</" + mega + ">b");
        CTagNode* p = t.First("p");
        ASSERT_NE(p, nullptr);
        ASSERT_NE(p->GetFirstChild(), nullptr);
        EXPECT_EQ(static_cast<CTagNode*>(p->GetFirstChild())->GetData(), "ab");
    }
}

TEST(HostileParser, RunsOfHalfMadeMarkup)
{
    const char* const pieces[] = {"<",
                                  "</",
                                  "<!--",
                                  "<!",
                                  "<?",
                                  "<a ",
                                  "<a href=\"",
                                  "<a href='",
                                  "&",
                                  "<p =",
                                  "<table><tr><td></table>",
                                  "</td></tr>",
                                  "<li>",
                                  "<option>",
                                  "<title>"};
    for (const char* piece : pieces) {
        hostile::AtScale(piece, 20000, [&](size_t n) {
            Tree t(Repeat(piece, n) + "end");
            if (t.root) {
                EXPECT_GT(t.Nodes(), 0u);
            }
        });
    }
}

} // namespace
