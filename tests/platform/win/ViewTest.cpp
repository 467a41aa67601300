// Tests of the document/view layer and the UI seams: scroll view, menus, clipboard, file dialog.
#include "DocTestUtil.h"
#include "platform/win/win.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cstring>

namespace {

class Frame : public CWnd
{
public:
    std::vector<UINT> commands;

protected:
    BOOL OnCommand(WPARAM w, LPARAM) override
    {
        commands.push_back(UINT(w));
        return TRUE;
    }
};

class TestView : public CScrollView
{
protected:
    void OnDraw(CDC*) override {}
};

} // namespace

TEST(ViewTest, ScrollViewFollowsItsTotalAndItsHeightAndForgetsItsDocument)
{
    Frame top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "f", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr, nullptr));
    CDocument doc;
    CCreateContext context;
    context.m_pCurrentDoc = &doc;
    TestView view;
    ASSERT_TRUE(view.Create(nullptr, "v", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 200, 100),
                            &top, 0, &context));
    EXPECT_EQ(view.GetDocument(), &doc);

    // A shorter total clamps the position and scrolls the contents by the distance.
    view.SetScrollSizes(MM_TEXT, CSize(10, 1000), CSize(10, 90), CSize(10, 20));
    view.SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(view.GetScrollPosition().y, 900);
    view.ValidateRect(nullptr);
    view.SetScrollSizes(MM_TEXT, CSize(10, 500));
    EXPECT_EQ(view.GetScrollPosition().y, 400);
    EXPECT_EQ(UpdateRect(&view), CRect(0, 0, 184, 100));

    // A taller window leaves less to scroll.
    view.MoveWindow(0, 0, 200, 300);
    EXPECT_EQ(view.GetScrollLimit(SB_VERT), 200);
    EXPECT_EQ(view.GetScrollPosition().y, 200);

    // The document may go first; the view forgets it.
    {
        CDocument shortLived;
        shortLived.AddView(&view);
        EXPECT_EQ(view.GetDocument(), &shortLived);
        EXPECT_EQ(doc.GetFirstViewPosition(), nullptr);
    }
    EXPECT_EQ(view.GetDocument(), nullptr);
    top.DestroyWindow();
}

// Offscreen without a hook nothing is chosen and nothing blocks.
TEST(ViewTest, PopupMenuWithoutAHookChoosesNothing)
{
    Frame owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "o", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr));
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 1250, "Save (&S)");
    EXPECT_TRUE(menu.TrackPopupMenu(0, 0, 0, &owner));
    QCoreApplication::processEvents();
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_FALSE(menu.TrackPopupMenu(0, 0, 0, &owner));
}

TEST(ViewTest, ClipboardOwnsTheBlocksItIsGiven)
{
    HGLOBAL h = GlobalAlloc(GMEM_DDESHARE, 3);
    ASSERT_NE(h, nullptr);
    std::memcpy(GlobalLock(h), "ab", 3);
    GlobalUnlock(h);
    EXPECT_EQ(GlobalSize(h), 3u);

    EXPECT_EQ(SetClipboardData(CF_TEXT, h), nullptr); // not open
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), h);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_EQ(GlobalFree(h), h); // the clipboard owns it now

    HGLOBAL mine = GlobalAlloc(GMEM_MOVEABLE, 4);
    EXPECT_EQ(GlobalFree(mine), nullptr);
    EXPECT_EQ(GlobalLock(mine), nullptr); // gone
}

TEST(ViewTest, FileDialogThroughItsSeam)
{
    const char* filter = "HTML Files (*.html)|*.html|Text File (*.txt)|*.txt|All Files (*.*)|*.*||";
    kor::FileDialogRequest asked{};
    CString answer;
    kor::SetFileDialogHook([&](const kor::FileDialogRequest& r, CString& path) {
        asked = r;
        path = answer;
        return answer.IsEmpty() ? IDCANCEL : IDOK;
    });
    // A dot in a directory is no extension: the name gets the default one.
    const struct
    {
        const char *answer, *path;
    } cases[] = {{"/tmp/x.d/plain", "/tmp/x.d/plain.html"}, {"", ""}};
    for (const auto& c : cases) {
        answer = c.answer;
        CFileDialog dlg(FALSE, "html", "a", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter);
        EXPECT_EQ(dlg.DoModal(), *c.answer ? IDOK : IDCANCEL);
        EXPECT_EQ(dlg.GetPathName(), c.path);
        EXPECT_EQ(asked.defExt, "html"); // what else the dialog is asked is tested with the view's commands
    }
    kor::SetFileDialogHook(nullptr);
    testing::internal::CaptureStderr();
    CFileDialog dlg(FALSE, "html", "a", 6, filter);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("file dialog"), std::string::npos);
}
