// Tests of the document/view layer and the UI seams: scroll view, menus, clipboard, file dialog.
#include "DocTestUtil.h"
#include "EventLoop.h"
#include "platform/win/win.h"
#include "platform/win/winqt.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
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

// A view whose drawing marks document row 10 + its scroll position, as a document would.
class TestView : public CScrollView
{
public:
    int draws = 0;
    CPoint origin;

protected:
    void OnDraw(CDC* dc) override
    {
        ++draws;
        origin = dc->GetViewportOrg();
        dc->FillSolidRect(0, GetScrollPosition().y + 10, 5, 1, RGB(0, 0, 255));
    }
};

} // namespace

TEST(ViewTest, ScrollViewRangesAndScrolling)
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

    // The bar is always there and takes 16 pixels from the client area.
    CRect client;
    view.GetClientRect(client);
    EXPECT_EQ(client, CRect(0, 0, 184, 100));

    view.SetScrollSizes(MM_TEXT, CSize(10, 1000), CSize(10, 90), CSize(10, 20));
    EXPECT_EQ(view.GetScrollLimit(SB_VERT), 900);
    // Each bar action from a wholly painted view: the position after it.
    auto scroll = [&](WPARAM code) {
        view.ValidateRect(nullptr);
        view.SendMessage(WM_VSCROLL, code);
        return view.GetScrollPosition().y;
    };
    EXPECT_EQ(scroll(SB_PAGEDOWN), 90);
    EXPECT_EQ(view.GetScrollPosition().x, 0);
    EXPECT_EQ(scroll(SB_LINEDOWN), 110);
    EXPECT_EQ(UpdateRect(&view), CRect(0, 80, 184, 100)); // the strip the scroll uncovered
    EXPECT_EQ(scroll(SB_BOTTOM), 900);
    EXPECT_EQ(scroll(SB_PAGEDOWN), 900);
    EXPECT_EQ(scroll(SB_TOP), 0);
    EXPECT_EQ(scroll(SB_LINEUP), 0);
    EXPECT_EQ(UpdateRect(&view), CRect()); // nothing moved, nothing to paint

    // Painting goes through OnPrepareDC: document coordinates shifted by the scroll position.
    view.SendMessage(WM_VSCROLL, SB_THUMBPOSITION | (WPARAM(300) << 16));
    view.Invalidate();
    view.UpdateWindow();
    EXPECT_EQ(view.origin, CPoint(0, -300));
    EXPECT_EQ(kor::WindowSurface(&view)->pixel(2, 10) & 0xFFFFFF, 0x0000FFu);

    // A shorter total clamps the position and scrolls the contents by the distance.
    scroll(SB_BOTTOM);
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

TEST(ViewTest, PopupMenuPostsTheChosenCommand)
{
    Frame owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "o", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr));
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 1249, "\xC5\xAC\xB8\xB3 (&C)");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, 1250, "Save (&S)");

    std::vector<kor::MenuItem> shown;
    POINT at{};
    kor::SetMenuHook([&](const std::vector<kor::MenuItem>& items, POINT pt, CWnd* wnd) {
        shown = items;
        at = pt;
        EXPECT_EQ(wnd, &owner);
        return 1250u;
    });
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, 30, 40, &owner));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_TRUE(shown[1].flags & MF_SEPARATOR);
    EXPECT_EQ(shown[0].text, "\xC5\xAC\xB8\xB3 (&C)");
    EXPECT_EQ(at.x, 30);
    EXPECT_TRUE(owner.commands.empty()); // posted: it comes after the menu has closed
    ASSERT_TRUE(PumpUntil([&] { return !owner.commands.empty(); }));
    EXPECT_EQ(owner.commands, std::vector<UINT>{1250});

    // Offscreen without a hook: nothing is chosen and nothing blocks.
    kor::SetMenuHook(nullptr);
    owner.commands.clear();
    EXPECT_TRUE(menu.TrackPopupMenu(0, 0, 0, &owner));
    QCoreApplication::processEvents();
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_FALSE(menu.TrackPopupMenu(0, 0, 0, &owner));
}

TEST(ViewTest, ClipboardTakesTextBlocks)
{
    const char text[] = "\xC0\xCE\xBC\xE2\r\nline";
    HGLOBAL h = GlobalAlloc(GMEM_DDESHARE, sizeof text);
    ASSERT_NE(h, nullptr);
    std::memcpy(GlobalLock(h), text, sizeof text);
    GlobalUnlock(h);
    EXPECT_EQ(GlobalSize(h), sizeof text);

    EXPECT_EQ(SetClipboardData(CF_TEXT, h), nullptr); // not open
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), h);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("\xEC\x9D\xB8\xEC\x87\x84\r\nline"));
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
    // A name without an extension gets the default one; a dot in a directory is no extension.
    const struct
    {
        const char *answer, *path;
    } cases[] = {{"/tmp/out/page", "/tmp/out/page.html"},
                 {"/tmp/x.d/NOTES.TXT", "/tmp/x.d/NOTES.TXT"},
                 {"/tmp/x.d/plain", "/tmp/x.d/plain.html"},
                 {"", ""}};
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
