// Tests of the image map regions: reading coordinates, containment at the edges, writing back.
#include "korhtml/Region.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

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

// Each shape takes the numbers it needs (a rectangle four, a circle three, a polygon pairs) and
// ignores the rest; with too few it matches nothing and writes nothing back. Edges are inside.
TEST(Region, ShapesTheirEdgesAndTheirNumbersWrittenBack)
{
    const struct
    {
        CRuntimeClass* shape;
        const char* coords;
        int valid; // a polygon never sets it, yet it matches
        const char* back;
        std::vector<Hit> hits;
    } cases[] = {
        {RUNTIME_CLASS(CRectangle),
         "10, 20, 30, 40",
         1,
         "10,20,30,40",
         {{10, 20, 1}, {30, 20, 1}, {30, 40, 1}, {31, 40, 0}, {9, 30, 0}, {20, 19, 0}, {20, 41, 0}}},
        {RUNTIME_CLASS(CRectangle), "0 0 5 5 100 100", 1, "0,0,5,5", {{5, 5, 1}, {50, 50, 0}}},
        {RUNTIME_CLASS(CRectangle), "0,0,100", 0, "", {{0, 0, 0}}},
        // (56, 58): 36 + 64 = 100 is inside; (58, 57): 64 + 49 > 100 is not. Far-away points must
        // not overflow into a false hit.
        {RUNTIME_CLASS(CCircle),
         "50,50,10",
         1,
         "50,50,10",
         {{60, 50, 1}, {50, 40, 1}, {56, 58, 1}, {61, 50, 0}, {58, 57, 0}, {2000000000, -2000000000, 0}}},
        {RUNTIME_CLASS(CCircle), "50 50", 0, "", {{50, 50, 0}}},
        // Seven integers: three vertices, the seventh number is ignored.
        {RUNTIME_CLASS(CPolygon),
         "0,0, 100,0, 0,100, 77",
         0,
         "0,0,100,0,0,100",
         {{10, 10, 1}, {49, 50, 1}, {60, 60, 0}, {-1, 10, 0}}},
        // A U shape: the notch between the arms is outside, the arms and the base inside.
        {RUNTIME_CLASS(CPolygon),
         "0,0 30,0 30,60 70,60 70,0 100,0 100,100 0,100",
         0,
         "0,0,30,0,30,60,70,60,70,0,100,0,100,100,0,100",
         {{15, 30, 1}, {85, 30, 1}, {50, 80, 1}, {50, 30, 0}, {150, 80, 0}}},
        {RUNTIME_CLASS(CPolygon), "5", 0, "", {{5, 0, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.shape->m_lpszClassName) + " " + c.coords);
        std::unique_ptr<CRegion> r(static_cast<CRegion*>(c.shape->CreateObject()));
        r->SetCoords(c.coords);
        EXPECT_EQ(r->m_bValid, c.valid);
        EXPECT_EQ(Coords(*r), c.back);
        for (auto [x, y, in] : c.hits)
            EXPECT_EQ(r->PtInRegion(x, y), in) << x << "," << y;
    }
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
