// Hostile markup for the parser, parsed with its built-in tag table: floods of attributes, giant names,
// runs of half-made tags.
#include <gtest/gtest.h>

#include <string>

#include "Hostile.h"
#include "TagTree.h"

using hostile::Repeat;

namespace {

TEST(HostileParser, AttributeFloods)
{
    // 100 000 attributes on one tag: all kept, the first of a name wins, names lower-cased.
    std::string tag = "<img";
    for (int i = 0; i < 100000; ++i)
        tag += " A" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    tag += " a0=late src=x.gif>";
    TagTree t(tag, false);
    CTagNode* img = t.Get("IMG");
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->GetMap()->GetCount(), 100001);
    EXPECT_EQ(img->GetValueOf("a0"), "\"0\"");
    EXPECT_EQ(img->GetValueOf("a99999", 0, 1), "99999");
    EXPECT_EQ(img->GetValueOf("src"), "x.gif");

    // Each later BODY start tag adds the attributes the body lacks.
    hostile::AtScale("BODY tags adding attributes", 25000, [](size_t n) {
        std::string s;
        for (size_t i = 0; i < n; ++i)
            s += "<body b" + std::to_string(i) + "=1>";
        TagTree t(s + "x", false);
        CTagNode* body = t.Get("BODY");
        ASSERT_NE(body, nullptr);
        EXPECT_EQ(size_t(body->GetMap()->GetCount()), n);
    });
}

TEST(HostileParser, GiantNamesAndValues)
{
    const std::string mega(1 << 20, 'q');
    // An unknown tag of a 1 MB name is an empty element; an attribute name and value of 1 MB are kept.
    EXPECT_NE(TagTree("<" + mega + " " + mega + "=" + mega + ">after", false).Get("BODY"), nullptr);
    TagTree t("<p " + mega + "=\"" + mega + "\">x", false);
    ASSERT_NE(t.Get("P"), nullptr);
    EXPECT_EQ(t.Get("P")->GetValueOf(mega.c_str()).GetLength(), (1 << 20) + 2);
    // An end tag of a 1 MB name is ignored; text around it joins.
    TagTree e("<p>a</" + mega + ">b", false);
    ASSERT_NE(e.Get("#TEXT"), nullptr);
    EXPECT_EQ(e.Get("#TEXT")->GetData(), "ab");
}

// Long runs of half-made markup before a word: the word is text unless an open tag, quote, comment
// or declaration has taken it in.
TEST(HostileParser, RunsOfHalfMadeMarkup)
{
    const struct
    {
        const char* piece;
        bool wordIsText;
    } cases[] = {{"<", true},           {"</", true},         {"<!--", false},
                 {"<!", true},          {"<?", false},        {"<a ", false},
                 {"<a href=\"", false}, {"<a href='", false}, {"&", true},
                 {"<p =", false},       {"</td></tr>", true}, {"<li>", true},
                 {"<option>", true},    {"<title>", true},    {"<table><tr><td></table>", true}};
    for (const auto& c : cases) {
        hostile::AtScale(c.piece, 20000, [&](size_t n) {
            TagTree t(Repeat(c.piece, n) + " end", false);
            ASSERT_NE(t.root, nullptr);
            EXPECT_EQ(t.root->GetName(1), "HTML");
            bool text = false;
            for (CTreeNode* node = t.root; node; node = node->GetDFSNext()) {
                CTagNode* tag = static_cast<CTagNode*>(node);
                text |= tag->GetType() == TAGNODE_TEXT && tag->GetData().Right(3) == "end";
            }
            EXPECT_EQ(text, c.wordIsText);
        });
    }
}

} // namespace
