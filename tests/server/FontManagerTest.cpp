// Tests of the font cache: sharing by description, exact face comparison, every field telling fonts apart.
#include "server/FontManager.h"

#include "platform/gdi/gdi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

LOGFONT Body()
{
    LOGFONT lf{};
    lf.lfHeight = -14;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = HANGEUL_CHARSET;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    strcpy(lf.lfFaceName, "\xB1\xBC\xB8\xB2"); // "굴림"
    return lf;
}

} // namespace

TEST(FontManagerTest, EqualDescriptionsShareOneFont)
{
    CFontManager manager;
    LOGFONT a = Body();
    CFont* first = manager.FindOrCreateFont(&a);
    ASSERT_NE(first, nullptr);
    LOGFONT copy = Body();
    EXPECT_EQ(manager.FindOrCreateFont(&copy), first);

    // Bytes after the face's NUL play no part.
    LOGFONT junk = Body();
    memset(junk.lfFaceName + 5, 'x', LF_FACESIZE - 5);
    EXPECT_EQ(manager.FindOrCreateFont(&junk), first);

    // Faces differing only in case are different fonts.
    LOGFONT lower = Body(), upper = Body();
    strcpy(lower.lfFaceName, "arial");
    strcpy(upper.lfFaceName, "Arial");
    CFont* fl = manager.FindOrCreateFont(&lower);
    CFont* fu = manager.FindOrCreateFont(&upper);
    EXPECT_NE(fl, fu);
    EXPECT_NE(fl, first);
    EXPECT_EQ(manager.FindOrCreateFont(&lower), fl);

    // A face that is a prefix of another is not equal to it.
    LOGFONT prefix = Body();
    strcpy(prefix.lfFaceName, "Aria");
    EXPECT_NE(manager.FindOrCreateFont(&prefix), fu);
    EXPECT_EQ(manager.m_listFont.GetCount(), 4);
}

TEST(FontManagerTest, EveryFieldTellsFontsApart)
{
    // A change of any byte before the face name makes another font, found again the next time.
    CFontManager manager;
    LOGFONT base = Body();
    std::vector<CFont*> made{manager.FindOrCreateFont(&base)};
    for (size_t i = 0; i < offsetof(LOGFONT, lfFaceName); ++i) {
        LOGFONT lf = Body();
        reinterpret_cast<unsigned char*>(&lf)[i] ^= 0x40;
        CFont* f = manager.FindOrCreateFont(&lf);
        EXPECT_EQ(std::count(made.begin(), made.end(), f), 0) << "byte " << i;
        EXPECT_EQ(manager.FindOrCreateFont(&lf), f) << "byte " << i;
        made.push_back(f);
    }
    // Earlier fonts stay valid while others are added.
    LOGFONT back{};
    EXPECT_EQ(made[0]->GetLogFont(&back), int(sizeof(LOGFONT)));
    EXPECT_EQ(back.lfHeight, -14);
}
