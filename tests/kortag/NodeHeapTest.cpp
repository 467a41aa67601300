// Memory of tree nodes: nodes of many sizes made and freed in any order never share bytes.
#include "kortag/kortag.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

// A node whose payload bytes all hold a mark its owner can check later.
struct Marked : CTreeNode
{
    virtual bool Intact(std::uint8_t mark) const = 0;
};

template <int n> struct Padded : Marked
{
    explicit Padded(std::uint8_t mark) { std::fill(bytes, bytes + n, mark); }
    bool Intact(std::uint8_t mark) const override
    {
        return std::all_of(bytes, bytes + n, [mark](std::uint8_t b) { return b == mark; });
    }
    std::uint8_t bytes[n];
};

// Sizes from the smallest slab to beyond the slab sizes.
Marked* Make(int kind, std::uint8_t mark)
{
    switch (kind) {
    case 0:
        return new Padded<1>(mark);
    case 1:
        return new Padded<100>(mark);
    case 2:
        return new Padded<300>(mark);
    default:
        return new Padded<2000>(mark);
    }
}

} // namespace

TEST(NodeHeapTest, NodesMadeAndFreedInAnyOrderKeepTheirBytes)
{
    std::mt19937 random(7);
    std::vector<std::pair<Marked*, std::uint8_t>> live;
    // Rounds of growth and random frees: freed slots and emptied chunks are reused by other sizes.
    for (int round = 0; round < 6; ++round) {
        for (int i = 0; i < 20000; ++i) {
            const int kind = int(random() % 4 == 3 ? random() % 4 : random() % 3);
            const auto mark = std::uint8_t(random());
            live.emplace_back(Make(kind, mark), mark);
        }
        std::shuffle(live.begin(), live.end(), random);
        const size_t keep = round % 2 ? live.size() / 10 : live.size() / 2;
        for (size_t i = keep; i < live.size(); ++i)
            delete live[i].first;
        live.resize(keep);
        for (auto [node, mark] : live)
            ASSERT_TRUE(node->Intact(mark)) << "round " << round;
    }
    // A tree of slab nodes deletes its subtree through the same path.
    auto* root = new Padded<100>(1);
    for (auto [node, mark] : live)
        root->AddLastChild(node);
    delete root;
}
