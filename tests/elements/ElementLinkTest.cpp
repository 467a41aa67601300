// Tests of what a visible element answers about links under it, and of its invalidation in a window.
#include "ElementTestTree.h"

#include "korhtml/SimpleElements.h"
#include "platform/win/win.h"

#include <memory>

TEST_F(ServerTest, AnchorTypeAndLink)
{
    std::unique_ptr<TElem> body(new TElem(9, EF_FONT | EF_CONTEXT));
    TBox* outside = Add(body.get(), new TBox(10, 10));

    auto anchor = [&](const char* href, const char* name, const char* korlink) {
        FAnchor* a = Add(body.get(), new FAnchor(nullptr));
        a->m_strHref = href;
        a->m_strName = name;
        a->m_strKorLink = korlink;
        // The anchor decides even for a word nested deeper inside it.
        return Add(Add(a, new TElem(4, EF_FONT)), new TBox(10, 10));
    };
    TBox* local = anchor("#top", "", "");
    TBox* remote = anchor("page.html", "n", "k.html");
    TBox* named = anchor("", "here", "");
    TBox* bare = anchor("", "", "");
    TBox* korOnly = anchor("", "", "k.html");

    EXPECT_EQ(outside->GetAnchorType(CPoint(0, 0)), 0);
    EXPECT_EQ(local->GetAnchorType(CPoint(0, 0)), 2);
    EXPECT_EQ(remote->GetAnchorType(CPoint(5, 5)), 3);
    EXPECT_EQ(named->GetAnchorType(CPoint(0, 0)), 1);
    EXPECT_EQ(bare->GetAnchorType(CPoint(0, 0)), 5);
    EXPECT_EQ(korOnly->GetAnchorType(CPoint(0, 0)), 5); // a korlink alone is no href

    CPoint pt(1, 1);
    EXPECT_EQ(outside->GetLink(&pt), "");
    EXPECT_EQ(local->GetLink(&pt), "#top");
    EXPECT_EQ(remote->GetLink(&pt), "page.html");
    EXPECT_EQ(named->GetLink(&pt), "");
    EXPECT_EQ(korOnly->GetLink(nullptr), "k.html");
}

TEST_F(ServerTest, InvalidateOldAndNewPlace)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "elements", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr));
    CRect all(0, 0, 300, 300);
    wnd.ValidateRect(&all);
    CRect update;
    EXPECT_FALSE(wnd.GetUpdateRect(&update));

    TBox box(40, 16);
    box.m_nX = 10;
    box.m_nY = 20;
    box.m_rcDrawn = CRect(10, 20, 50, 36);
    box.Invalidate(&wnd, TRUE); // not moved: nothing to repaint
    EXPECT_FALSE(wnd.GetUpdateRect(&update));
    box.Invalidate(nullptr, FALSE);

    box.Invalidate(&wnd, FALSE); // asked for: repainted even where it stands
    EXPECT_TRUE(wnd.GetUpdateRect(&update));
    EXPECT_EQ(update, CRect(10, 20, 50, 36));
    wnd.ValidateRect(&all);

    box.m_nY = 100; // moved: both the old and the new place
    box.Invalidate(&wnd, TRUE);
    EXPECT_TRUE(wnd.GetUpdateRect(&update));
    EXPECT_EQ(update, CRect(10, 20, 50, 116));
    wnd.DestroyWindow();
}
