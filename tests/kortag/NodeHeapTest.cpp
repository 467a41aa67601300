// Memory of tree nodes: nodes of many sizes made and freed in any order never share bytes.
#include "kortag/kortag.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

namespace {

// A node of n payload bytes, each set to a pattern its owner can check later.
template <int n> struct Padded : CTreeNode
{
    explicit Padded(std::uint8_t mark) { std::fill(bytes, bytes + n, mark); }
    bool Intact(std::uint8_t mark) const
    {
        return std::all_of(bytes, bytes + n, [mark](std::uint8_t b) { return b == mark; });
    }
    std::uint8_t bytes[n];
};

struct Live
{
    CTreeNode* node;
    int kind;
    std::uint8_t mark;
};

CTreeNode* Make(int kind, std::uint8_t mark)
{
    switch (kind) {
    case 0:
        return new Padded<1>(mark);
    case 1:
        return new Padded<100>(mark);
    case 2:
        return new Padded<300>(mark);
    default:
        return new Padded<2000>(mark); // beyond the slab sizes
    }
}

bool Intact(const Live& l)
{
    switch (l.kind) {
    case 0:
        return static_cast<Padded<1>*>(l.node)->Intact(l.mark);
    case 1:
        return static_cast<Padded<100>*>(l.node)->Intact(l.mark);
    case 2:
        return static_cast<Padded<300>*>(l.node)->Intact(l.mark);
    default:
        return static_cast<Padded<2000>*>(l.node)->Intact(l.mark);
    }
}

} // namespace

TEST(NodeHeapTest, NodesMadeAndFreedInAnyOrderKeepTheirBytes)
{
    std::mt19937 random(7);
    std::vector<Live> live;
    // Rounds of growth and random frees: freed slots and emptied chunks are reused by other sizes.
    for (int round = 0; round < 6; ++round) {
        for (int i = 0; i < 20000; ++i) {
            const int kind = int(random() % 4 == 3 ? random() % 4 : random() % 3);
            const auto mark = std::uint8_t(random());
            live.push_back({Make(kind, mark), kind, mark});
        }
        std::shuffle(live.begin(), live.end(), random);
        const size_t keep = round % 2 ? live.size() / 10 : live.size() / 2;
        for (size_t i = keep; i < live.size(); ++i)
            delete live[i].node;
        live.resize(keep);
        for (const Live& l : live)
            ASSERT_TRUE(Intact(l)) << "round " << round;
    }
    // A tree of slab nodes deletes its subtree through the same path.
    auto* root = new Padded<100>(1);
    for (Live& l : live)
        root->AddLastChild(l.node);
    delete root;
}
