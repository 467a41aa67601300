// Image maps through the image element: client-side areas under points, server-side map queries, and
// the enclosing anchor where no map decides.
#include "DocTestUtil.h"
#include "ImageFiles.h"
#include "TempDir.h"

#include "korhtml/ImageElement.h"

#include <string>

namespace {

class ImageMapLink : public DocTest
{
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        pic = testimg::SolidPng(dir, "shapes.png", 100, 100, Qt::yellow);
        ASSERT_FALSE(pic.empty());
    }

    // The image of a laid-out page whose map areas are given.
    FImage* Open(TestDoc& t, const std::string& html)
    {
        EXPECT_EQ(t.OpenHtml(html), 1);
        t.Layout();
        return static_cast<FImage*>(t.FindKind(TAG_IMG));
    }

    TempDir dir;
    std::string pic;
};

const char kMap[] = "<map name=shapes>"
                    "<area shape=rect coords=\"10,10,30,30\" href=rect.html>"
                    "<area shape=circle coords=\"60,60,10\" href=circle.html>"
                    "<area shape=poly coords=\"0,90,20,70,40,90\" href=poly.html>"
                    "<area shape=rect coords=\"0,0,99,99\" nohref>"
                    "</map>";

TEST_F(ImageMapLink, AreasUnderPointsAreLinks)
{
    TestDoc t(400, 300);
    // Text before the image puts it away from the origin: points are taken relative to its corner.
    FImage* img = Open(t, std::string("<p>ab <img src=\"") + pic + "\" usemap=\"#shapes\">" + kMap);
    ASSERT_NE(img, nullptr);
    ASSERT_EQ(img->m_strUseMap.str(), "shapes");
    const int x = img->m_nX, y = img->m_nY;
    ASSERT_GT(x, 10);
    const struct
    {
        int rx, ry;
        int type;
        const char* link;
    } cases[] = {
        // Where the edges of each shape lie is the regions' own test.
        {10, 10, ANCHOR_LINK, "rect.html"}, {31, 30, ANCHOR_NONE, ""}, {70, 60, ANCHOR_LINK, "circle.html"},
        {20, 80, ANCHOR_LINK, "poly.html"}, {20, 60, ANCHOR_NONE, ""}, {95, 5, ANCHOR_NONE, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rx << "," << c.ry);
        CPoint pt(x + c.rx, y + c.ry);
        EXPECT_EQ(img->GetAnchorType(pt), c.type);
        EXPECT_EQ(img->GetLink(&pt).str(), c.link);
    }
}

TEST_F(ImageMapLink, OutsideTheAreasAndWithoutAMapTheAnchorDecides)
{
    TestDoc t(400, 300);
    FImage* img =
        Open(t, std::string("<a href=page.html><img src=\"") + pic + "\" usemap=#shapes ismap></a>" + kMap);
    const int x = img->m_nX, y = img->m_nY;
    CPoint inside(x + 15, y + 15), outside(x + 95, y + 5);
    EXPECT_EQ(img->GetAnchorType(inside), ANCHOR_LINK);
    EXPECT_EQ(img->GetLink(&inside).str(), "rect.html");
    // With a map name, ismap plays no part: the anchor gives the kind, the map the (empty) link.
    EXPECT_EQ(img->GetAnchorType(outside), ANCHOR_LINK);
    EXPECT_EQ(img->GetLink(&outside).str(), "");

    // A map that does not exist answers nothing; the anchor still decides the kind.
    FImage* lost = Open(t, std::string("<a href=#top><img src=\"") + pic + "\" usemap=#nowhere></a>");
    CPoint p(lost->m_nX + 15, lost->m_nY + 15);
    EXPECT_EQ(lost->GetAnchorType(p), ANCHOR_LOCAL);
    EXPECT_EQ(lost->GetLink(&p).str(), "");

    // A server-side map queries the anchor with the point.
    img = Open(t, std::string("<p>ab <a href=\"/cgi-bin/map\"><img src=\"") + pic + "\" ismap></a>");
    CPoint pt(img->m_nX + 10, img->m_nY + 20);
    EXPECT_EQ(img->GetAnchorType(pt), ANCHOR_ISMAP);
    EXPECT_EQ(img->GetLink(&pt).str(), "/cgi-bin/map?10,20");

    // Without an anchor an ismap image is no link at all.
    FImage* bare = Open(t, std::string("<img src=\"") + pic + "\" ismap>");
    CPoint q(bare->m_nX + 1, bare->m_nY + 1);
    EXPECT_EQ(bare->GetAnchorType(q), ANCHOR_NONE);
    EXPECT_EQ(bare->GetLink(&q).str(), "");

    // A plain image in an anchor is the anchor's link.
    FImage* plain = Open(t, std::string("<a href=next.html><img src=\"") + pic + "\"></a>");
    EXPECT_EQ(plain->GetAnchorType(q), ANCHOR_LINK);
    EXPECT_EQ(plain->GetLink(&q).str(), "next.html");
}

} // namespace
