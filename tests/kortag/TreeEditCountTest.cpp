// Tests of CTreeNode's edit count: every link change moves it, reading the tree does not.
#include "kortag/kortag.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// The walks that remember answers about a tree rely on the count: an operation that changes a
// link without moving it would let them answer from the old tree.
TEST(TreeEditCount, EveryLinkChangeMovesTheCount)
{
    // root(a(b c) d)
    auto root = std::make_unique<CTreeNode>();
    CTreeNode* a = new CTreeNode;
    CTreeNode* b = new CTreeNode;
    CTreeNode* c = new CTreeNode;
    CTreeNode* d = new CTreeNode;
    root->AddLastChild(a);
    a->AddLastChild(c);
    a->AddFirstChild(b);
    root->AddLastChild(d);

    struct Step
    {
        std::string label;
        std::function<void()> run;
    };
    const std::vector<Step> changes = {
        {"InsertPrevSibling", [&] { d->InsertPrevSibling(c); }},
        {"InsertNextSibling", [&] { d->InsertNextSibling(c); }},
        {"InsertParent", [&] { b->InsertParent(new CTreeNode); }},
        {"Remove", [&] { d->Remove(); }},
        {"AddFirstChild", [&] { root->AddFirstChild(d); }},
        {"Collapse",
         [&] {
             CTreeNode* wrapper = b->GetParent();
             wrapper->Collapse();
             delete wrapper;
         }},
        {"delete", [&] { delete c; }},
        {"DeleteChildren", [&] { a->DeleteChildren(); }},
    };
    for (const Step& step : changes) {
        const unsigned long long before = CTreeNode::GetEditCount();
        step.run();
        EXPECT_NE(CTreeNode::GetEditCount(), before) << step.label;
    }

    // Reading, refused links and unlinking what is not linked change nothing.
    const unsigned long long before = CTreeNode::GetEditCount();
    for (CTreeNode* n = root.get(); n; n = n->GetDFSNext())
        n->GetRightMostLeaf();
    EXPECT_FALSE(a->AddLastChild(root.get())); // a cycle
    EXPECT_FALSE(a->AddLastChild(a));
    CTreeNode loose;
    loose.Remove();
    loose.DeleteChildren();
    EXPECT_EQ(CTreeNode::GetEditCount(), before);
    root->DeleteChildren();
}

} // namespace
