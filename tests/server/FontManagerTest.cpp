// Tests of the font cache: sharing by description, exact face comparison, creation order.
#include "server/FontManager.h"

#include "platform/gdi/gdi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
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
    EXPECT_STREQ(manager.GetRuntimeClass()->m_lpszClassName, "CFontManager");
    EXPECT_EQ(manager.GetRuntimeClass()->m_wSchema, 0xFFFFu);
    EXPECT_TRUE(manager.IsKindOf(RUNTIME_CLASS(CObject)));

    LOGFONT a = Body();
    CFont* first = manager.FindOrCreateFont(&a);
    ASSERT_NE(first, nullptr);
    LOGFONT copy = Body();
    EXPECT_EQ(manager.FindOrCreateFont(&copy), first);
    EXPECT_EQ(manager.m_listFont.GetCount(), 1);

    // The font reports the description it was made from.
    LOGFONT back{};
    ASSERT_EQ(first->GetObject(sizeof(LOGFONT), &back), int(sizeof(LOGFONT)));
    EXPECT_EQ(memcmp(&back, &a, sizeof(LOGFONT)), 0);

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

    // Fonts are kept in creation order.
    std::vector<CFont*> order;
    for (POSITION pos = manager.m_listFont.GetHeadPosition(); pos;)
        order.push_back(static_cast<CFont*>(manager.m_listFont.GetNext(pos)));
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], first);
    EXPECT_EQ(order[1], fl);
    EXPECT_EQ(order[2], fu);
}

TEST(FontManagerTest, EveryFieldTellsFontsApart)
{
    CFontManager manager;
    LOGFONT base = Body();
    CFont* baseFont = manager.FindOrCreateFont(&base);
    const std::vector<std::function<void(LOGFONT&)>> changes = {
        [](LOGFONT& lf) { lf.lfHeight = -15; },
        [](LOGFONT& lf) { lf.lfWidth = 3; },
        [](LOGFONT& lf) { lf.lfEscapement = 900; },
        [](LOGFONT& lf) { lf.lfOrientation = 900; },
        [](LOGFONT& lf) { lf.lfWeight = FW_BOLD; },
        [](LOGFONT& lf) { lf.lfItalic = 1; },
        [](LOGFONT& lf) { lf.lfUnderline = 1; },
        [](LOGFONT& lf) { lf.lfStrikeOut = 1; },
        [](LOGFONT& lf) { lf.lfCharSet = ANSI_CHARSET; },
        [](LOGFONT& lf) { lf.lfOutPrecision = OUT_STRING_PRECIS; },
        [](LOGFONT& lf) { lf.lfClipPrecision = CLIP_STROKE_PRECIS; },
        [](LOGFONT& lf) { lf.lfQuality = DRAFT_QUALITY; },
        [](LOGFONT& lf) { lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN; },
        [](LOGFONT& lf) { lf.lfFaceName[3] = 'x'; },
    };
    std::vector<CFont*> made;
    for (size_t i = 0; i < changes.size(); ++i) {
        LOGFONT lf = Body();
        changes[i](lf);
        CFont* f = manager.FindOrCreateFont(&lf);
        EXPECT_NE(f, baseFont) << "field " << i;
        for (CFont* other : made)
            EXPECT_NE(f, other) << "field " << i;
        made.push_back(f);
        EXPECT_EQ(manager.FindOrCreateFont(&lf), f) << "field " << i;
    }
    EXPECT_EQ(manager.m_listFont.GetCount(), int(changes.size()) + 1);
    // Earlier fonts stay valid and usable while others are added.
    LOGFONT back{};
    EXPECT_EQ(baseFont->GetLogFont(&back), int(sizeof(LOGFONT)));
    EXPECT_EQ(back.lfHeight, -14);
}

TEST(FontManagerTest, FontsServeDrawingUntilTheManagerGoes)
{
    kor::SetBoxFontMode(true);
    auto* manager = new CFontManager;
    LOGFONT lf = Body();
    CFont* font = manager->FindOrCreateFont(&lf);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* old = dc.SelectObject(font);
    EXPECT_EQ(dc.GetTextExtent("hello ", 6), CSize(42, 14));
    dc.SelectObject(old);
    delete manager; // deletes every font it made
}
