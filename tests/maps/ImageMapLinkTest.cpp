// Image maps through the image element: client-side areas under points, server-side map queries, and
// the enclosing anchor where no map decides.
#include "DocTestUtil.h"
#include "ImageFiles.h"
#include "TempDir.h"

#include "korhtml/ImageElement.h"

#include <string>

namespace {

using ImageMapLink = DocTest;

const char kMap[] = "<map name=shapes>"
                    "<area shape=rect coords=\"10,10,30,30\" href=rect.html>"
                    "<area shape=circle coords=\"60,60,10\" href=circle.html>"
                    "<area shape=poly coords=\"0,90,20,70,40,90\" href=poly.html>"
                    "<area shape=rect coords=\"0,0,99,99\" nohref>"
                    "</map>";

// Points are taken relative to the image's corner (text before it moves it away from the origin).
// Inside an area of the map its link decides; outside the areas, without a map, or with a map that is
// not there, the enclosing anchor gives the kind and the map (if named) the link. (Where the edges
// of each shape lie is the regions' own test.)
TEST_F(ImageMapLink, AreasTheServerMapAndTheEnclosingAnchor)
{
    TempDir dir;
    const std::string pic = testimg::SolidPng(dir, "shapes.png", 100, 100, Qt::yellow);
    ASSERT_FALSE(pic.empty());
    const std::string mapped = "<p>ab <img src=\"" + pic + "\" usemap=\"#shapes\">" + kMap;
    const std::string inAnchor =
        "<a href=page.html><img src=\"" + pic + "\" usemap=#shapes ismap></a>" + kMap;
    const struct
    {
        std::string html;
        int rx, ry;
        int type;
        std::string link;
    } cases[] = {
        {mapped, 10, 10, ANCHOR_LINK, "rect.html"},
        {mapped, 31, 30, ANCHOR_NONE, ""},
        {mapped, 70, 60, ANCHOR_LINK, "circle.html"},
        {mapped, 20, 80, ANCHOR_LINK, "poly.html"},
        {mapped, 20, 60, ANCHOR_NONE, ""},
        {mapped, 95, 5, ANCHOR_NONE, ""},
        // With a map name, ismap plays no part: the anchor gives the kind, the map the (empty) link.
        {inAnchor, 15, 15, ANCHOR_LINK, "rect.html"},
        {inAnchor, 95, 5, ANCHOR_LINK, ""},
        {"<a href=#top><img src=\"" + pic + "\" usemap=#nowhere></a>", 15, 15, ANCHOR_LOCAL, ""},
        // A server-side map queries the anchor with the point; without an anchor it is no link.
        {"<p>ab <a href=\"/cgi-bin/map\"><img src=\"" + pic + "\" ismap></a>", 10, 20, ANCHOR_ISMAP,
         "/cgi-bin/map?10,20"},
        {"<img src=\"" + pic + "\" ismap>", 1, 1, ANCHOR_NONE, ""},
        // A plain image in an anchor is the anchor's link.
        {"<a href=next.html><img src=\"" + pic + "\"></a>", 1, 1, ANCHOR_LINK, "next.html"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.html << " at " << c.rx << "," << c.ry);
        TestDoc t(400, 300);
        ASSERT_EQ(t.OpenHtml(c.html), 1);
        t.Layout();
        auto* img = static_cast<FImage*>(t.FindKind(TAG_IMG));
        ASSERT_NE(img, nullptr);
        CPoint pt(img->m_nX + c.rx, img->m_nY + c.ry);
        EXPECT_EQ(img->GetAnchorType(pt), c.type);
        EXPECT_EQ(img->GetLink(&pt).str(), c.link);
    }
}

} // namespace
