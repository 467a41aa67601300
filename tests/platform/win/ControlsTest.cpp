// Tests of the child controls: frames, sizes, texts, check states, list and combo items.
#include "DocTestUtil.h"
#include "platform/win/win.h"
#include "platform/win/winqt.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

template <class T> T* Control(HWND h)
{
    QWidget* host = kor::WindowWidget(CWnd::FromHandle(h));
    return host ? host->findChild<T*>() : nullptr;
}

// A control of the class, style and size in the parent.
HWND Make(const char* cls, DWORD style, int w, int h, HWND parent, DWORD ex = 0)
{
    return CreateWindowExA(ex, cls, nullptr, WS_CHILD | style, 0, 0, w, h, parent, nullptr, nullptr, nullptr);
}

CRect WindowRect(HWND h)
{
    CRect r;
    GetWindowRect(h, r);
    return r;
}

struct Parent
{
    Parent()
    {
        EXPECT_TRUE(wnd.CreateEx(0, nullptr, "p", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr));
    }
    CWnd wnd;
};

} // namespace

TEST(ControlsTest, EditFieldsWithFramesAndText)
{
    Parent p;
    HWND edit = Make("EDIT", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 80, 24, p.wnd.m_hWnd, WS_EX_CLIENTEDGE);
    ASSERT_NE(edit, nullptr);
    CWnd* w = CWnd::FromHandle(edit);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GetParent(), &p.wnd);
    auto* line = Control<QLineEdit>(edit);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(line->focusPolicy(), Qt::StrongFocus);
    // One pixel of border and two of sunken edge on every side.
    EXPECT_EQ(line->geometry(), QRect(3, 3, 74, 18));
    w->UpdateWindow();
    // Greys, the same in either byte order.
    const Pixel frame[] = {
        {0, 0, 0}, {1, 1, 0x808080}, {2, 2, 0x404040}, {78, 22, 0xFFFFFF}, {77, 21, 0xC0C0C0}};
    ExpectPixels(*kor::WindowSurface(w), frame);

    // Text in CP949.
    EXPECT_TRUE(SetWindowTextA(edit, "\xC7\xD1 abc"));
    EXPECT_EQ(line->text(), QString::fromUtf8("\xED\x95\x9C abc"));

    // Moving keeps the frame insets; a control is made hidden and shows once shown, in a shown parent.
    EXPECT_TRUE(MoveWindow(edit, 10, 20, 100, 30, FALSE));
    EXPECT_EQ(line->geometry(), QRect(3, 3, 94, 24));
    EXPECT_EQ(WindowRect(edit).Width(), 100);
    p.wnd.ShowWindow(SW_SHOW);
    EXPECT_FALSE(w->IsWindowVisible());
    ShowWindow(edit, SW_SHOW);
    EXPECT_TRUE(w->IsWindowVisible());

    const DWORD bars = WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP;
    HWND area = Make("edit", bars | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 100, 60, p.wnd.m_hWnd,
                     WS_EX_CLIENTEDGE);
    ASSERT_NE(area, nullptr);
    CRect client;
    CWnd::FromHandle(area)->GetClientRect(client);
    EXPECT_EQ(client.Width(), 100); // the bars are the control's, not the window's

    // Destroying a control frees it; destroying the parent takes the rest along.
    EXPECT_TRUE(DestroyWindow(area));
    EXPECT_FALSE(IsWindow(area));
    EXPECT_FALSE(DestroyWindow(area));
    p.wnd.DestroyWindow();
    EXPECT_FALSE(IsWindow(edit));

    // No parent window, or a class that is not a control: nothing is made.
    EXPECT_EQ(Make("EDIT", 0, 5, 5, nullptr), nullptr);
    Parent q;
    EXPECT_EQ(Make("STATIC", 0, 5, 5, q.wnd.m_hWnd), nullptr);
}

// Radio buttons the program checks all stay checked, as the system's do; the user's choice is tested
// with the form.
TEST(ControlsTest, RadioButtonsSetByTheProgramStayChecked)
{
    Parent p;
    HWND r1 = Make("BUTTON", BS_AUTORADIOBUTTON, 15, 15, p.wnd.m_hWnd);
    HWND r2 = Make("BUTTON", BS_AUTORADIOBUTTON, 15, 15, p.wnd.m_hWnd);
    SendMessageA(r1, BM_SETCHECK, 1, 0);
    SendMessageA(r2, BM_SETCHECK, 1, 0);
    EXPECT_TRUE(Control<QRadioButton>(r1)->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(r2)->isChecked());
}

TEST(ControlsTest, ComboAndListItems)
{
    BoxFontMode boxFont;
    Parent p;
    CFont font;
    LOGFONT lf{};
    lf.lfHeight = -14;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));

    // A drop-down list is given the height of its list and shows one line high.
    HWND combo =
        Make("COMBOBOX", WS_BORDER | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 60, 100, p.wnd.m_hWnd);
    ASSERT_NE(combo, nullptr);
    SendMessageA(combo, WM_SETFONT, WPARAM(font.GetSafeHandle()), 0);
    EXPECT_EQ(WindowRect(combo).Height(), 22); // em 14 + 8
    MoveWindow(combo, 5, 5, 60, 200, FALSE);
    EXPECT_EQ(WindowRect(combo).Height(), 22);
    EXPECT_EQ(SendMessageA(combo, CB_INITSTORAGE, 3, 20), 3);
    EXPECT_EQ(SendMessageA(combo, CB_ADDSTRING, 0, LPARAM("one")), 0);
    EXPECT_EQ(SendMessageA(combo, CB_ADDSTRING, 0, LPARAM("\xC7\xD1")), 1);
    auto* box = Control<QComboBox>(combo);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isEditable());
    EXPECT_EQ(box->maxVisibleItems(), 30);

    HWND list =
        Make("LISTBOX",
             WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_DISABLENOSCROLL | LBS_HASSTRINGS | LBS_EXTENDEDSEL, 60,
             66, p.wnd.m_hWnd, WS_EX_CLIENTEDGE);
    ASSERT_NE(list, nullptr);
    auto* items = Control<QListWidget>(list);
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(WindowRect(list).Height(), 66);
    EXPECT_EQ(SendMessageA(list, LB_INITSTORAGE, 2, 10), 2);
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, LPARAM("a")), 0);
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, LPARAM("b")), 1);
    EXPECT_EQ(items->count(), 2);
    EXPECT_TRUE(items->selectedItems().isEmpty());
}
