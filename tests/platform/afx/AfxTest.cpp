// Tests of the base layer: CString byte semantics, the collections and the hash order of the maps.
#include "platform/afx/afx.h"

#include <gtest/gtest.h>

#include <vector>

TEST(CStringTest, SlicingSearchingAndNulBytes)
{
    CString s("hello world");
    EXPECT_EQ(s.Left(5), "hello");
    EXPECT_EQ(s.Mid(6), "world");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Mid(50), "");
    EXPECT_EQ(s.Find('o', 5), 7);
    EXPECT_EQ(s.Find("wor"), 6);
    EXPECT_EQ(s.Find("xyz"), -1);

    // Length-counted: NUL bytes survive construction with a length, concatenation and slicing...
    CString withNul("a\0b", 3);
    EXPECT_EQ(withNul.GetLength(), 3);
    CString joined = withNul + CString("c");
    EXPECT_EQ(joined.GetLength(), 4);
    EXPECT_EQ(joined.Mid(2), CString("bc"));
    // ...but comparisons and C-string searches stop at the first NUL, as the framework's do.
    EXPECT_TRUE(withNul == "a");
    EXPECT_EQ(withNul.Find("b"), -1);
}

TEST(CStringTest, CaseMappingLeavesTrailBytesAlone)
{
    // 0xB0 0x61 is a two-byte character whose trail byte is the letter 'a'.
    CString s("Ab\xB0\x61z");
    s.MakeUpper();
    EXPECT_EQ(s, CString("AB\xB0\x61Z"));
    s.MakeLower();
    EXPECT_EQ(s, CString("ab\xB0\x61z"));
    // Trail bytes that look like letters of different case stay different.
    EXPECT_NE(CString("\xB0\x61X").CompareNoCase("\xB0\x41x"), 0);
    // A lead byte at the very end has no trail byte to protect.
    CString end("a\xB0");
    end.MakeUpper();
    EXPECT_EQ(end, CString("A\xB0"));
}

TEST(CStringTest, TrimAndFormat)
{
    CString s(" \t x y \r\n");
    s.TrimLeft();
    EXPECT_EQ(s, "x y \r\n");
    CString q("\"v\"");
    q.TrimLeft('"');
    q.TrimRight('"');
    EXPECT_EQ(q, "v");

    CString f;
    f.Format("%s=%d", "n", 42);
    EXPECT_EQ(f, "n=42");
    std::string big(1000, 'x');
    f.Format("%s!", big.c_str());
    EXPECT_EQ(f, CString((big + "!").c_str()));
}

TEST(CollectionsTest, ListPositionsSurviveOtherChanges)
{
    CStringList list;
    list.AddTail("0");
    POSITION a = list.AddTail("a");
    list.AddTail("b");
    POSITION c = list.AddTail("c");
    EXPECT_EQ(list.GetCount(), 4);
    list.RemoveAt(list.Find("0"));
    EXPECT_EQ(list.GetAt(a), "a");
    EXPECT_EQ(list.GetAt(c), "c");
    std::vector<std::string> seen;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        seen.push_back(list.GetNext(pos).str());
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(list.RemoveHead(), "a");
    EXPECT_EQ(list.RemoveTail(), "c");
    EXPECT_EQ(list.GetHead(), "b");
}

TEST(CollectionsTest, MapVisitsBucketsInOrderNewestFirst)
{
    // With 17 buckets: "a" (97) and "r" (114) share bucket 12, "b" (98) is in 13, "q" (113) in 11.
    CMapStringToString map;
    map.SetAt("a", "1");
    map.SetAt("b", "2");
    map.SetAt("r", "3");
    map.SetAt("q", "4");
    map["a"] = "5"; // replacing keeps the entry where it is
    std::vector<std::string> keys, values;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        CString k, v;
        map.GetNextAssoc(pos, k, v);
        keys.push_back(k.str());
        values.push_back(v.str());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"q", "r", "a", "b"}));
    EXPECT_EQ(values, (std::vector<std::string>{"4", "3", "5", "2"}));

    CString v;
    EXPECT_TRUE(map.Lookup("r", v));
    EXPECT_EQ(v, "3");
    EXPECT_FALSE(map.Lookup("zz", v));
    EXPECT_EQ(map.GetCount(), 4);

    // Signed bytes: a high byte hashes as a negative value.
    EXPECT_EQ(kor::HashKey("\xB0"), UINT(int(char(0xB0))));
    CMapStringToPtr seven;
    seven.InitHashTable(7);
    EXPECT_EQ(seven.GetHashTableSize(), 7u);
    seven.SetAt("x", nullptr);
    seven.InitHashTable(11); // ignored once the map holds entries
    EXPECT_EQ(seven.GetHashTableSize(), 7u);
    map.RemoveAll();
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}
