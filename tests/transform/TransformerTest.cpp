// Tests of the transformer over parsed HTML: an element for every tag index, maps and raw words.
#include "DocTestUtil.h"
#include "ElementTree.h"

#include "korhtml/HtmlSrvr.h"
#include "korhtml/MapElements.h"
#include "kortag/kortag.h"
#include "maps/MapManager.h"
#include "transform/Transformer.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using TransformerTest = DocTest;

using Strings = std::vector<std::string>;

TEST_F(TransformerTest, EveryIndexBuildsItsKindForTheCurrentDocument)
{
    CTagDB* db = GetHtmlDB();
    CHtmlX doc(nullptr);
    for (CHtmlX* owner : {static_cast<CHtmlX*>(nullptr), &doc}) {
        GetTransformer()->SetDocument(owner);
        for (int i = 0; i <= TAG_LAST; ++i) {
            CTagNode node(TAGNODE_ELEMENT, db->GetTagName(i), i);
            std::unique_ptr<CElement> e(GetTransformer()->CreateElement(&node));
            ASSERT_NE(e, nullptr) << i;
            // PLAINTEXT has no element of its own: it is kept like an unlisted tag.
            EXPECT_EQ(e->m_nKind, i == TAG_PLAINTEXT ? TAG_COMMENT : i) << db->GetTagName(i).GetString();
            EXPECT_EQ(e->m_pDoc, owner);
        }
    }
    GetTransformer()->SetDocument(nullptr);
}

// The attributes each family reads, and the comments and unlisted tags, are pinned by the case
// files of the transform folder.

TEST_F(TransformerTest, MapsRegisterWithTheirDocument)
{
    CHtmlX doc(nullptr);
    ElementTree t(
        "<BODY><MAP name=m><AREA coords=\"1,2,30,40\"></MAP><MAP name=\"m\"></MAP><MAP></MAP></BODY>", &doc);
    // The second map named m replaces the first; the unnamed map is not registered.
    std::vector<CElement*> maps = t.All(TAG_MAP);
    ASSERT_EQ(maps.size(), 3u);
    EXPECT_EQ(doc.GetMapManager()->GetMap("m"), maps[1]);
    EXPECT_EQ(doc.GetMapManager()->GetMap(""), nullptr);
    EXPECT_EQ(doc.GetMapManager()->m_mapMaps.GetCount(), 1);

    // Without a document the maps are built but registered nowhere.
    ElementTree bare("<MAP name=n><AREA coords=0,0,9,9 href=b></MAP>");
    EXPECT_EQ(bare.Nth<FMap>(TAG_MAP)->m_strName, "n");
    EXPECT_EQ(doc.GetMapManager()->GetMap("n"), nullptr);
}

TEST_F(TransformerTest, EntitiesStayUndecodedInTheRawText)
{
    EXPECT_EQ(ElementTree("a&amp;b c").Words(), (Strings{"a&amp;b ", "c"}));
}

} // namespace
