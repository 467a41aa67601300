// Inherited alignment and list levels of what the layout does not show: cells and narrow blocks.
// (Break bits, alignment and list levels as they place words are pinned by the case files of the
// breaks, align and lists folders.)
#include "DocTestUtil.h"

#include "korhtml/AttrValues.h"
#include "korhtml/TextElement.h"

namespace {

class ElementParsedTest : public DocTest
{
};

// A cell without an alignment takes that of the aligning ancestor around its table, and a block
// in the cell centres though the cell is too narrow to show it; a cell counts the lists around
// its table (level 1, inside an item) while its content does not.
TEST_F(ElementParsedTest, CellsTakeAlignmentAndListLevelFromAroundTheirTable)
{
    TestDoc t(300, 200);
    ASSERT_EQ(t.OpenHtml("<center><table><tr><td>in<p align=center>mid</p></table></center>"
                         "<ul><li><table><tr><td>d</table></ul>"),
              1);
    CVisible* centred = t.FindKind(TAG_TD, 0);
    CVisible* listed = t.FindKind(TAG_TD, 1);
    ASSERT_TRUE(centred && listed);
    EXPECT_EQ(centred->m_nAlign, ALIGN_CENTER);
    EXPECT_EQ(t.FindText("in")->m_nAlign, ALIGN_LEFT);
    EXPECT_EQ(t.FindText("mid")->m_nAlign, ALIGN_CENTER);
    EXPECT_EQ(listed->m_nListLevel, 1);
    EXPECT_EQ(listed->m_bInListItem, 1);
    EXPECT_EQ(t.FindText("d")->m_nListLevel, 0);
    EXPECT_EQ(t.FindText("d")->m_bInListItem, 0);
}

} // namespace
