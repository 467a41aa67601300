// The table of kept run widths: lookups by exact bytes through collisions, growth and clearing.
#include "platform/gdi/gdi_p.h"

#include <gtest/gtest.h>

#include <string>

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

    // Keys that share a hash are told apart by their bytes, whatever order they came in.
    kor::RunWidthTable same;
    for (int i = 0; i < 40; ++i)
        same.Add(std::string(size_t(i + 1), 'a'), 7u, 100 + i);
    for (int i = 39; i >= 0; --i)
        EXPECT_EQ(same.Find(std::string(size_t(i + 1), 'a'), 7u), 100 + i);
    EXPECT_EQ(same.Find("b", 7u), -1);

    table.Clear();
    EXPECT_EQ(table.Size(), 0u);
    EXPECT_EQ(table.Find("w1", kor::RunWidthTable::Hash("w1")), -1);
    table.Add("w1", kor::RunWidthTable::Hash("w1"), 42);
    EXPECT_EQ(table.Find("w1", kor::RunWidthTable::Hash("w1")), 42);
}
