// Tests of CTreeNode: links, navigation, editing, deletion and the edit count.
#include "kortag/kortag.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

int g_alive = 0;

// A named node that counts live instances, so deletions can be checked.
class Node : public CTreeNode
{
public:
    explicit Node(char name = '?') : m_name(name) { ++g_alive; }
    ~Node() override { --g_alive; }
    char m_name;
};

char NameOf(CTreeNode* n)
{
    return n ? static_cast<Node*>(n)->m_name : '-';
}

std::string PreOrder(CTreeNode* from)
{
    std::string s;
    for (CTreeNode* n = from; n; n = n->GetDFSNext())
        s += NameOf(n);
    return s;
}

std::string Children(CTreeNode* n)
{
    std::string s;
    for (CTreeNode* c = n->GetFirstChild(); c; c = c->GetNextSibling()) {
        EXPECT_EQ(c->GetParent(), n);
        s += NameOf(c);
    }
    std::string back;
    for (CTreeNode* c = n->GetLastChild(); c; c = c->GetPrevSibling())
        back.insert(back.begin(), NameOf(c));
    EXPECT_EQ(s, back) << "backward links disagree";
    return s;
}

// a(b(c d) e(f) g)
struct Sample
{
    Node *a = new Node('a'), *b = new Node('b'), *c = new Node('c'), *d = new Node('d'), *e = new Node('e'),
         *f = new Node('f'), *g = new Node('g');
    Sample()
    {
        a->AddLastChild(b);
        b->AddLastChild(d);
        b->AddFirstChild(c);
        a->AddLastChild(e);
        e->AddLastChild(f);
        a->AddLastChild(g);
    }
    ~Sample() { delete a; }
};

// Every node a test made is gone when it ends.
class TreeNode : public ::testing::Test
{
protected:
    void TearDown() override { EXPECT_EQ(g_alive, 0); }
};

} // namespace

TEST_F(TreeNode, CountsAndBoundedWalks)
{
    Sample t;
    EXPECT_EQ(NameOf(t.a->GetChildAt(1)), 'e');
    EXPECT_EQ(t.a->GetChildAt(3), nullptr);
    EXPECT_EQ(t.a->GetChildAt(-1), nullptr);
    EXPECT_EQ(t.g->GetSiblingIndex(), 2);
    EXPECT_EQ(t.a->GetChildCount(), 3);
    EXPECT_TRUE(t.d->IsDescendantOf(t.a));
    EXPECT_FALSE(t.d->IsDescendantOf(t.e));
    EXPECT_FALSE(t.a->IsDescendantOf(t.a));
    EXPECT_FALSE(t.a->IsDescendantOf(nullptr));
    EXPECT_EQ(t.f->GetRoot(), t.a);

    std::string within;
    for (CTreeNode* n = t.b; n; n = n->GetDFSNext(t.b))
        within += NameOf(n);
    EXPECT_EQ(within, "bcd");
    EXPECT_EQ(t.f->GetDFSNext(t.e), nullptr);
    EXPECT_EQ(NameOf(t.b->GetDFSNextSkipChildren()), 'e');
    EXPECT_EQ(t.g->GetDFSNextSkipChildren(), nullptr);
}

TEST_F(TreeNode, RefusedLinksLeaveTheTree)
{
    // Null, self and an ancestor (which would make a cycle) are refused.
    Sample t;
    EXPECT_FALSE(t.c->AddLastChild(nullptr));
    EXPECT_FALSE(t.c->AddLastChild(t.c));
    EXPECT_FALSE(t.c->AddLastChild(t.a));
    EXPECT_FALSE(t.c->AddFirstChild(t.b));
    EXPECT_FALSE(t.c->InsertNextSibling(t.b));
    EXPECT_FALSE(t.d->InsertParent(t.b));
    EXPECT_EQ(PreOrder(t.a), "abcdefg");
}

TEST_F(TreeNode, RemoveAndCollapse)
{
    Sample t;
    // Remove unlinks with the subtree and deletes nothing.
    EXPECT_TRUE(t.b->Remove());
    EXPECT_EQ(Children(t.a), "eg");
    EXPECT_EQ(Children(t.b), "cd");
    EXPECT_EQ(g_alive, 7);
    t.a->AddFirstChild(t.b);

    // Collapse leaves the node unlinked and empty; a root with children has no place for them.
    EXPECT_TRUE(t.b->Collapse());
    EXPECT_EQ(t.b->GetParent(), nullptr);
    EXPECT_TRUE(t.b->IsLeaf());
    delete t.b;
    EXPECT_FALSE(t.a->Collapse());
}

// Random edits of every kind keep the links of each node consistent: children read the same
// forward and backward, the first has no previous sibling, the last no next, and the backward
// pre-order is the forward one reversed. Detached nodes get parentless siblings as well.
TEST_F(TreeNode, RandomEditsKeepTheLinksConsistent)
{
    Node* root = new Node('r');
    std::vector<Node*> nodes; // every node not deleted, root excluded
    unsigned seed = 12345;
    auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    using Link = BOOL (CTreeNode::*)(CTreeNode*);
    const Link links[] = {&CTreeNode::AddFirstChild, &CTreeNode::AddLastChild, &CTreeNode::InsertPrevSibling,
                          &CTreeNode::InsertNextSibling, &CTreeNode::InsertParent};
    for (int step = 0; step < 3000; ++step) {
        if (nodes.size() < 3 || next(4) == 0) {
            Node* n = new Node(char('a' + next(26)));
            nodes.push_back(n);
            root->AddLastChild(n);
            continue;
        }
        Node* x = nodes[next(unsigned(nodes.size()))];
        Node* y = nodes[next(unsigned(nodes.size()))];
        const unsigned op = next(8);
        if (op < 5) {
            (x->*links[op])(y);
        } else if (op == 5) {
            x->Remove();
        } else if (op == 6 ? x->Collapse() : x->IsLeaf()) {
            std::erase(nodes, x);
            delete x;
        }
        for (Node* n : nodes) {
            Children(n);
            if (CTreeNode* f = n->GetFirstChild()) {
                EXPECT_EQ(f->GetPrevSibling(), nullptr);
                EXPECT_EQ(n->GetLastChild()->GetNextSibling(), nullptr);
            }
        }
        // Walks bounded by the number of nodes, so broken links fail instead of looping.
        std::string forward, backward;
        for (CTreeNode* n = root; n && forward.size() <= nodes.size(); n = n->GetDFSNext())
            forward += NameOf(n);
        CTreeNode* last = root;
        for (size_t i = 0; last->GetFirstChild() && i <= nodes.size(); ++i)
            last = last->GetLastChild();
        for (CTreeNode* n = last; n && backward.size() <= nodes.size(); n = n->GetDFSPrev())
            backward.insert(backward.begin(), NameOf(n));
        ASSERT_EQ(forward, backward) << step;
    }
    // Nodes that are still detached (or head parentless chains) are freed one by one.
    for (Node* n : nodes)
        n->Remove();
    root->DeleteChildren();
    for (Node* n : nodes)
        if (!n->GetParent() && n != root)
            delete n;
    delete root;
}

// The walks that remember answers about a tree rely on the edit count: an operation that changes a
// link without moving it would let them answer from the old tree. Linking, unlinking and deleting
// move it; reading, refused links and unlinking what is not linked leave it.
TEST_F(TreeNode, EveryLinkChangeMovesTheEditCount)
{
    Sample t;
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"AddLastChild of a new node", [&] { t.c->AddLastChild(new Node('n')); }},
        {"AddFirstChild", [&] { t.a->AddFirstChild(t.d); }},
        {"Remove", [&] { t.d->Remove(); }},
        {"DeleteChildren", [&] { t.b->DeleteChildren(); }},
    };
    for (const auto& [label, change] : changes) {
        const unsigned long long before = CTreeNode::GetEditCount();
        change();
        EXPECT_NE(CTreeNode::GetEditCount(), before) << label;
    }
    delete t.d;
    const unsigned long long before = CTreeNode::GetEditCount();
    for (CTreeNode* n = t.a; n; n = n->GetDFSNext())
        n->GetRightMostLeaf();
    EXPECT_FALSE(t.e->AddLastChild(t.a));
    EXPECT_FALSE(t.e->AddLastChild(t.e));
    Node loose;
    loose.Remove();
    loose.DeleteChildren();
    EXPECT_EQ(CTreeNode::GetEditCount(), before);
}
