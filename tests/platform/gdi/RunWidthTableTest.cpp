// The table of kept run widths: lookups by exact bytes through collisions, growth and clearing.
#include "platform/gdi/gdi_p.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(RunWidthTableTest, FindsEachKeptRunByItsExactBytesOnly)
{
    kor::RunWidthTable table;
    EXPECT_EQ(table.Find("word", kor::RunWidthTable::Hash("word")), -1);

    // Enough keys to grow the table many times; every one must still be found afterwards.
    const int count = 5000;
    for (int i = 0; i < count; ++i) {
        const std::string key = "w" + std::to_string(i);
        table.Add(key, kor::RunWidthTable::Hash(key), i);
    }
    EXPECT_EQ(table.Size(), size_t(count));
    for (int i = 0; i < count; ++i) {
        const std::string key = "w" + std::to_string(i);
        ASSERT_EQ(table.Find(key, kor::RunWidthTable::Hash(key)), i) << key;
    }
    // A prefix, an extension and a key with an embedded NUL are other runs.
    EXPECT_EQ(table.Find("w1", kor::RunWidthTable::Hash("w1")), 1);
    EXPECT_EQ(table.Find("w", kor::RunWidthTable::Hash("w")), -1);
    EXPECT_EQ(table.Find("w10000", kor::RunWidthTable::Hash("w10000")), -1);
    const std::string nul("w1\0", 3);
    EXPECT_EQ(table.Find(nul, kor::RunWidthTable::Hash(nul)), -1);

    // Keys of one length whose hashes share the slot bits and the bits kept in the slot are told
    // apart by their bytes, whatever order they came in (twenty keep a 64-slot table from growing).
    std::vector<std::string> same;
    const std::uint32_t want = kor::RunWidthTable::Hash("k1000000");
    for (int i = 1000001; same.size() < 20 && i < 99999999; ++i) {
        const std::string key = "k" + std::to_string(i);
        const std::uint32_t h = kor::RunWidthTable::Hash(key);
        if ((h & 63) == (want & 63) && (h >> 24) == (want >> 24))
            same.push_back(key);
    }
    ASSERT_EQ(same.size(), 20u);
    kor::RunWidthTable clash;
    for (size_t i = 0; i < same.size(); ++i)
        clash.Add(same[i], kor::RunWidthTable::Hash(same[i]), int(100 + i));
    for (size_t i = same.size(); i-- > 0;)
        EXPECT_EQ(clash.Find(same[i], kor::RunWidthTable::Hash(same[i])), int(100 + i)) << same[i];
    EXPECT_EQ(clash.Find("k1000000", want), -1);

    // Widths that do not fit a slot are measured again rather than kept wrong.
    table.Add("wide", kor::RunWidthTable::Hash("wide"), 70000);
    EXPECT_EQ(table.Find("wide", kor::RunWidthTable::Hash("wide")), -1);

    table.Clear();
    EXPECT_EQ(table.Size(), 0u);
    EXPECT_EQ(table.Find("w1", kor::RunWidthTable::Hash("w1")), -1);
    table.Add("w1", kor::RunWidthTable::Hash("w1"), 42);
    EXPECT_EQ(table.Find("w1", kor::RunWidthTable::Hash("w1")), 42);
}
