// Tests of the image map regions: reading coordinates, containment at the edges, writing back.
#include "korhtml/Region.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct Hit
{
    int x, y;
    int in;
};

std::string Coords(CRegion& r)
{
    char buf[REGION_COORDS_TEXT_MAX];
    std::memset(buf, 'x', sizeof buf);
    buf[0] = 0;
    r.GetCoords(buf);
    return buf;
}

} // namespace

TEST(Region, NumbersAreDigitRunsAndEverythingElseSeparates)
{
    CRegion r;
    r.SetCoords("  -5,6 ;7x08\t");
    ASSERT_EQ(r.m_nCount, 4);
    for (int i = 0; i < 4; ++i) // a minus sign is only a separator
        EXPECT_EQ(r.m_arNumbers[i], unsigned(5 + i));
    EXPECT_FALSE(r.m_bValid);
    EXPECT_FALSE(r.PtInRegion(5, 6));

    // The cursor walks on from call to call and -1 marks the end.
    CRegion s;
    EXPECT_EQ(s.GetNextNumber("12, 34"), 12);
    EXPECT_EQ(s.GetNextNumber("12, 34"), 34);
    EXPECT_EQ(s.GetNextNumber("12, 34"), -1);

    // Nothing to read: no numbers, and no crash on a null text or on an over-long number.
    CRegion e;
    e.SetCoords(nullptr);
    EXPECT_EQ(e.m_nCount, 0);
    e.SetCoords("99999999999999999999999,1");
    EXPECT_EQ(e.m_nCount, 2);
}

TEST(Region, RectangleEdgesAreInside)
{
    CRectangle r;
    r.SetCoords("10, 20, 30, 40");
    ASSERT_TRUE(r.m_bValid);
    EXPECT_TRUE(r.PtInRegion(CPoint(30, 20)));
    for (auto [x, y, in] : {Hit{10, 20, 1}, {30, 40, 1}, {31, 40, 0}, {9, 30, 0}, {20, 19, 0}, {20, 41, 0}})
        EXPECT_EQ(r.PtInRegion(x, y), in) << x << "," << y;
    EXPECT_EQ(Coords(r), "10,20,30,40");

    // Extra numbers are ignored; the first four decide.
    CRectangle extra;
    extra.SetCoords("0 0 5 5 100 100");
    EXPECT_TRUE(extra.PtInRegion(5, 5));
    EXPECT_FALSE(extra.PtInRegion(50, 50));

    // Three numbers are not enough: the rectangle stays invalid and writes nothing back.
    CRectangle few;
    few.SetCoords("0,0,100");
    EXPECT_FALSE(few.m_bValid);
    EXPECT_FALSE(few.PtInRegion(0, 0));
    EXPECT_EQ(Coords(few), "");
}

TEST(Region, CircleBoundaryIsInside)
{
    CCircle c;
    c.SetCoords("50,50,10");
    ASSERT_TRUE(c.m_bValid);
    // (56, 58): 36 + 64 = 100 is inside; (58, 57): 64 + 49 > 100 is not.
    for (auto [x, y, in] : {Hit{60, 50, 1}, {50, 40, 1}, {56, 58, 1}, {61, 50, 0}, {58, 57, 0}})
        EXPECT_EQ(c.PtInRegion(x, y), in) << x << "," << y;
    EXPECT_EQ(Coords(c), "50,50,10");

    // Far-away points must not overflow into a false hit.
    EXPECT_FALSE(c.PtInRegion(2000000000, -2000000000));

    CCircle few;
    few.SetCoords("50 50");
    EXPECT_FALSE(few.m_bValid);
    EXPECT_FALSE(few.PtInRegion(50, 50));
}

TEST(Region, PolygonCrossingsTest)
{
    // Seven integers: three vertices, the seventh number is ignored.
    CPolygon tri;
    tri.SetCoords("0,0, 100,0, 0,100, 77");
    EXPECT_EQ(tri.m_nVertices, 3);
    EXPECT_EQ(tri.m_dVertex[3][0], -1.0);
    EXPECT_FALSE(tri.m_bValid); // a polygon never sets valid, yet it matches
    for (auto [x, y, in] : {Hit{10, 10, 1}, {49, 50, 1}, {60, 60, 0}, {-1, 10, 0}})
        EXPECT_EQ(tri.PtInRegion(x, y), in) << x << "," << y;
    EXPECT_EQ(Coords(tri), "0,0,100,0,0,100");

    // A U shape: the notch between the arms is outside, the arms and the base inside.
    CPolygon u;
    u.SetCoords("0,0 30,0 30,60 70,60 70,0 100,0 100,100 0,100");
    for (auto [x, y, in] : {Hit{15, 30, 1}, {85, 30, 1}, {50, 80, 1}, {50, 30, 0}, {150, 80, 0}})
        EXPECT_EQ(u.PtInRegion(x, y), in) << x << "," << y;

    // Fewer than two numbers: no vertex, no match, nothing written back.
    CPolygon none;
    none.SetCoords("5");
    EXPECT_EQ(none.m_nVertices, 0);
    EXPECT_FALSE(none.PtInRegion(5, 0));
    EXPECT_EQ(Coords(none), "");
}

TEST(Region, PolygonKeepsAtMostAHundredVertices)
{
    // 150 vertices with ten-digit coordinates; only the first 100 are kept and the text written
    // back stays within its bound.
    std::string text;
    for (int i = 0; i < 150; ++i)
        text += std::to_string(1000000000 + i) + "," + std::to_string(1000000000 + (i % 2) * 5) + ",";
    CPolygon p;
    p.SetCoords(text.c_str());
    EXPECT_EQ(p.m_nCount, 300);
    EXPECT_EQ(p.m_nVertices, POLYGON_MAX_VERTICES);
    std::string back = Coords(p);
    EXPECT_LT(back.size(), size_t(REGION_COORDS_TEXT_MAX));
    EXPECT_EQ(back.substr(0, 22), "1000000000,1000000000,");
    EXPECT_EQ(back.substr(back.size() - 21), "1000000099,1000000005");
}
