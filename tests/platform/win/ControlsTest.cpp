// Tests of the child controls: classes and styles, frames, fonts, texts, check states, list and combo items.
#include "Canvas.h"
#include "platform/win/win.h"
#include "platform/win/winqt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

template <class T> T* Control(HWND h)
{
    QWidget* host = kor::WindowWidget(CWnd::FromHandle(h));
    return host ? host->findChild<T*>() : nullptr;
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
    DWORD style = WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", nullptr, style, 0, 0, 80, 24, p.wnd.m_hWnd, nullptr,
                                nullptr, nullptr);
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
    QImage* surface = kor::WindowSurface(w);
    EXPECT_EQ(surface->pixel(0, 0) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(surface->pixel(1, 1) & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(surface->pixel(2, 2) & 0xFFFFFF, 0x404040u);
    EXPECT_EQ(surface->pixel(78, 22) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(surface->pixel(77, 21) & 0xFFFFFF, 0xC0C0C0u);

    // Text in and out in CP949; what the user typed is read back.
    EXPECT_TRUE(SetWindowTextA(edit, "\xC7\xD1 abc"));
    EXPECT_EQ(line->text(), QString::fromUtf8("\xED\x95\x9C abc"));
    line->setText(QString::fromUtf8("\xED\x95\x9C\xED\x95\x9C"));
    CString text;
    w->GetWindowText(text);
    EXPECT_EQ(text, "\xC7\xD1\xC7\xD1");
    EXPECT_EQ(w->GetWindowTextLength(), 4);

    // Moving keeps the frame insets; a control is made hidden and shows once shown, in a shown parent.
    EXPECT_TRUE(MoveWindow(edit, 10, 20, 100, 30, FALSE));
    EXPECT_EQ(line->geometry(), QRect(3, 3, 94, 24));
    EXPECT_EQ(WindowRect(edit).Width(), 100);
    p.wnd.ShowWindow(SW_SHOW);
    EXPECT_FALSE(w->IsWindowVisible());
    ShowWindow(edit, SW_SHOW);
    EXPECT_TRUE(w->IsWindowVisible());

    HWND password = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", nullptr, style | ES_PASSWORD, 0, 0, 50, 20,
                                    p.wnd.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(password, nullptr);
    EXPECT_EQ(Control<QLineEdit>(password)->echoMode(), QLineEdit::Password);

    HWND area = CreateWindowExA(WS_EX_CLIENTEDGE, "edit", nullptr,
                                WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE |
                                    ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                                0, 0, 100, 60, p.wnd.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(area, nullptr);
    auto* plain = Control<QPlainTextEdit>(area);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(plain->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    CRect client;
    CWnd::FromHandle(area)->GetClientRect(client);
    EXPECT_EQ(client.Width(), 100); // the bars are the control's, not the window's
    SetWindowTextA(area, "one two ");
    EXPECT_EQ(plain->toPlainText(), "one two ");

    // Destroying a control frees it; destroying the parent takes the rest along.
    EXPECT_TRUE(DestroyWindow(password));
    EXPECT_FALSE(IsWindow(password));
    EXPECT_FALSE(DestroyWindow(password));
    p.wnd.DestroyWindow();
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_FALSE(IsWindow(area));

    // No parent window, or a class that is not a control: nothing is made.
    EXPECT_EQ(CreateWindowExA(0, "EDIT", nullptr, WS_CHILD, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    Parent q;
    EXPECT_EQ(
        CreateWindowExA(0, "STATIC", nullptr, WS_CHILD, 0, 0, 5, 5, q.wnd.m_hWnd, nullptr, nullptr, nullptr),
        nullptr);
}

TEST(ControlsTest, ButtonsCheckAndGroup)
{
    Parent p;
    HWND push = CreateWindowExA(0, "BUTTON", "Submit Query", WS_CHILD | WS_TABSTOP, 0, 0, 90, 24,
                                p.wnd.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(push, nullptr);
    ASSERT_NE(Control<QPushButton>(push), nullptr);
    EXPECT_EQ(Control<QPushButton>(push)->text(), "Submit Query");
    EXPECT_EQ(SendMessageA(push, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    HWND check = CreateWindowExA(0, "BUTTON", nullptr, WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 15, 15,
                                 p.wnd.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(Control<QCheckBox>(check), nullptr);
    SendMessageA(check, BM_SETCHECK, 1, 0);
    EXPECT_TRUE(Control<QCheckBox>(check)->isChecked());
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);

    // Automatic radio buttons of one parent form one group: choosing one clears the others.
    HWND r1 = CreateWindowExA(0, "BUTTON", nullptr, WS_CHILD | BS_AUTORADIOBUTTON, 0, 0, 15, 15, p.wnd.m_hWnd,
                              nullptr, nullptr, nullptr);
    HWND r2 = CreateWindowExA(0, "BUTTON", nullptr, WS_CHILD | BS_AUTORADIOBUTTON, 0, 0, 15, 15, p.wnd.m_hWnd,
                              nullptr, nullptr, nullptr);
    SendMessageA(r1, BM_SETCHECK, 1, 0);
    SendMessageA(r2, BM_SETCHECK, 1, 0); // set by the program: both stay checked, as the system does
    EXPECT_EQ(SendMessageA(r1, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(r2, BM_SETCHECK, 0, 0);
    Control<QRadioButton>(r2)->click(); // the user's choice
    EXPECT_EQ(SendMessageA(r2, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(r1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(Control<QCheckBox>(check)->isChecked()); // not a radio button
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
    HWND combo = CreateWindowExA(0, "COMBOBOX", nullptr,
                                 WS_CHILD | WS_BORDER | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, 0,
                                 60, 100, p.wnd.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    SendMessageA(combo, WM_SETFONT, WPARAM(font.GetSafeHandle()), 0);
    EXPECT_EQ(WindowRect(combo).Height(), 22); // em 14 + 8
    MoveWindow(combo, 5, 5, 60, 200, FALSE);
    EXPECT_EQ(WindowRect(combo).Height(), 22);
    EXPECT_EQ(SendMessageA(combo, CB_INITSTORAGE, 3, 20), 3);
    EXPECT_EQ(SendMessageA(combo, CB_ADDSTRING, 0, LPARAM("one")), 0);
    EXPECT_EQ(SendMessageA(combo, CB_ADDSTRING, 0, LPARAM("\xC7\xD1")), 1);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR); // nothing chosen by adding
    auto* box = Control<QComboBox>(combo);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isEditable());
    EXPECT_EQ(box->maxVisibleItems(), 30);
    EXPECT_EQ(box->itemText(1), QString::fromUtf8("\xED\x95\x9C"));
    EXPECT_EQ(box->font().pixelSize(), 14);
    char buf[16];
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 1, LPARAM(buf)), 2);
    EXPECT_STREQ(buf, "\xC7\xD1");

    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", nullptr,
                                WS_CHILD | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_DISABLENOSCROLL |
                                    LBS_HASSTRINGS | LBS_EXTENDEDSEL,
                                0, 0, 60, 66, p.wnd.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    auto* items = Control<QListWidget>(list);
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(items->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(WindowRect(list).Height(), 66);
    EXPECT_EQ(SendMessageA(list, LB_INITSTORAGE, 2, 10), 2);
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, LPARAM("a")), 0);
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, LPARAM("b")), 1);
    EXPECT_EQ(items->count(), 2);
    EXPECT_TRUE(items->selectedItems().isEmpty());
    SendMessageA(list, LB_SETSEL, 1, 1);
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, 1, 0), 1);
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, 0, 0), 0);

    HWND single = CreateWindowExA(0, "LISTBOX", nullptr, WS_CHILD | LBS_HASSTRINGS, 0, 0, 60, 66,
                                  p.wnd.m_hWnd, nullptr, nullptr, nullptr);
    EXPECT_EQ(Control<QListWidget>(single)->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(Control<QListWidget>(single)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}
