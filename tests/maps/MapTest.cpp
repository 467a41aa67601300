// Tests of client-side image maps: areas and their shapes, hits in a map, and the map registry.
#include "ElementBoxes.h"

#include "korhtml/MapElements.h"
#include "korhtml/Region.h"
#include "korhtml/AttrValues.h"
#include "maps/MapManager.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

FArea* AddArea(FMap* map, int shape, const char* coords, const char* href)
{
    FArea* a = new FArea(nullptr);
    a->m_strHref = href;
    if (coords)
        a->SetShape(shape, coords);
    map->AddLastChild(a);
    return a;
}

} // namespace

TEST(Map, EarlierAreasWinAndOnlyLinkedRegionsMatch)
{
    std::unique_ptr<FMap> map(new FMap(nullptr));
    map->m_strName = "nav";
    map->AddLastChild(new Node(KIND_TEXT));                   // content that is no area is skipped
    AddArea(map.get(), SHAPE_RECT, nullptr, "noregion.html"); // no coords: never matches
    FArea* nohref = AddArea(map.get(), SHAPE_RECT, "0,0,100,100", "");
    nohref->m_bNoHref = 1;
    AddArea(map.get(), SHAPE_RECT, "0,0,50,50", "first.html");
    AddArea(map.get(), SHAPE_CIRCLE, "50,50,30", "second.html");
    FArea* both = AddArea(map.get(), SHAPE_CIRCLE, "0,0,1", "both.html");
    both->SetShape(SHAPE_RECT, "200,200,210,210"); // replaces the circle
    both->m_bNoHref = 1;                           // the href decides, not the no-link flag

    EXPECT_TRUE(map->IsInMap(40, 40));
    EXPECT_EQ(map->GetLink(40, 40), "first.html"); // inside both: the earlier one wins
    EXPECT_EQ(map->GetLink(70, 60), "second.html");
    EXPECT_EQ(map->GetLink(205, 205), "both.html");
    // Inside only the area without href (and the one without region).
    EXPECT_FALSE(map->IsInMap(95, 5));
    EXPECT_EQ(map->GetLink(95, 5), "");

    // Areas nested deeper than the map's own children do not count.
    Node* wrapper = new Node(TAG_COMMENT);
    map->AddLastChild(wrapper);
    FArea* deep = new FArea(nullptr);
    deep->m_strHref = "deep.html";
    deep->SetShape(SHAPE_RECT, "300,300,310,310");
    wrapper->AddLastChild(deep);
    EXPECT_FALSE(map->IsInMap(305, 305));
}

TEST(Map, ManagerFindsMapsByExactName)
{
    std::unique_ptr<FMap> map(new FMap(nullptr));
    AddArea(map.get(), SHAPE_RECT, "0,0,10,10", "one.html");
    CMapManager mgr(nullptr);
    mgr.AddMap("m", map.get());
    EXPECT_TRUE(mgr.IsInMap("m", 5, 5));
    EXPECT_FALSE(mgr.IsInMap("M", 5, 5)); // names are case-sensitive
    EXPECT_FALSE(mgr.IsInMap("m", 11, 5));
    // A miss, or a map that is not there, empties the link given in.
    CString out = "stale";
    EXPECT_EQ(mgr.GetMapLink(out, "m", 5, 5), "one.html");
    for (const char* name : {"m", "none"}) {
        out = "stale";
        EXPECT_EQ(mgr.GetMapLink(out, name, 11, 5), "") << name;
        EXPECT_EQ(out, "") << name;
    }
    mgr.RemoveAll();
    EXPECT_EQ(mgr.GetMap("m"), nullptr);
}
