// Hostile forms: huge option lists, selects nested in selects, huge text areas and absurd sizes.
#include "DocTestUtil.h"
#include "Hostile.h"

#include "korhtml/AttrValues.h"
#include "korhtml/FormElements.h"
#include "korlib/korlib.h"
#include "platform/win/win.h"
#include "platform/win/winqt.h"

#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>

using hostile::Repeat;

namespace {

class FormHostile : public DocTest
{
};

CRect WindowRect(CVisible* e)
{
    CRect r;
    GetWindowRect(static_cast<CFormControl*>(e)->m_hWnd, r);
    return r;
}

template <class T> T* Control(CVisible* e)
{
    HWND h = static_cast<CFormControl*>(e)->m_hWnd;
    QWidget* host = h ? kor::WindowWidget(CWnd::FromHandle(h)) : nullptr;
    return host ? host->findChild<T*>() : nullptr;
}

} // namespace

TEST_F(FormHostile, HugeOptionListsAndNestedSelects)
{
    hostile::AtScale("options", 2500, [&](size_t n) {
        TestDoc t(400, 300);
        ASSERT_TRUE(t.OpenHtml("<select>" + Repeat("<option>item &amp; more", n) + "</select><select size=" +
                               std::to_string(n) + ">" + Repeat("<option>x", n) + "</select> end"));
        t.Layout();
        t.Render(0);
        CVisible* drop = t.FindKind(TAG_SELECT, 0);
        CVisible* list = t.FindKind(TAG_SELECT, 1);
        ASSERT_NE(Control<QComboBox>(drop), nullptr);
        EXPECT_EQ(Control<QComboBox>(drop)->count(), int(n));
        EXPECT_EQ(Control<QComboBox>(drop)->itemText(int(n) - 1), QString("item & more"));
        // The list box is n lines high as an element; its window stays of a bounded size.
        EXPECT_EQ(list->m_nHeight, int(n) * 16 + 10);
        EXPECT_EQ(Control<QListWidget>(list)->count(), int(n));
        EXPECT_LE(WindowRect(list).Height(), kMaxControlSide);
        EXPECT_LE(WindowRect(drop).Height(), kMaxControlSide);
        EXPECT_NE(t.FindText("end"), nullptr);
    });

    // Selects nested in options of selects: each option holds the text of every level below it,
    // up to a bound for the whole select; only the outermost select is measured and shown.
    hostile::AtScale("nested selects", 2500, [&](size_t n) {
        TestDoc t(400, 300);
        ASSERT_TRUE(
            t.OpenHtml(Repeat("<select><option>abcdefgh ", n) + "x" + Repeat("</select>", n) + " end"));
        t.Layout();
        t.Render(0);
        FSelect* outer = static_cast<FSelect*>(t.FindKind(TAG_SELECT));
        ASSERT_NE(outer, nullptr);
        EXPECT_EQ(t.FindKind(TAG_SELECT, 1), nullptr); // the inner ones are not walked
        ASSERT_EQ(outer->m_lstItems.GetCount(), int(n));
        long long total = 0;
        for (POSITION pos = outer->m_lstItems.GetHeadPosition(); pos;)
            total += outer->m_lstItems.GetNext(pos).GetLength();
        EXPECT_EQ(total, kMaxOptionBytes); // 9 n (n + 1) / 2 bytes would be asked for
        EXPECT_EQ(outer->m_lstItems.GetHead().Left(18), CString("abcdefgh abcdefgh "));
        EXPECT_EQ(outer->m_lstItems.GetTail(), CString("")); // the budget ran out before the last
        EXPECT_LE(WindowRect(outer).Width(), kMaxControlSide);
        EXPECT_NE(t.FindText("end"), nullptr);
    });
}

TEST_F(FormHostile, HugeTextAreasAndAbsurdSizes)
{
    TestDoc t(400, 300);
    // A megabyte of words in a text area: all of it reaches the control, on one line.
    std::string words = Repeat("abcdefg ", (1 << 20) / 8);
    ASSERT_TRUE(t.OpenHtml("<textarea rows=100000 cols=100000>" + words +
                           "</textarea><input size=100000><select size=2000000000><option>o</select>"
                           "<textarea rows=-5 cols=2147483647>a</textarea><input size=-3> end"));
    t.Layout();
    t.Render(0);
    CVisible* area = t.FindKind(TAG_TEXTAREA, 0);
    ASSERT_NE(Control<QPlainTextEdit>(area), nullptr);
    EXPECT_EQ(Control<QPlainTextEdit>(area)->toPlainText().size(), qsizetype(words.size()));
    EXPECT_EQ(Control<QPlainTextEdit>(area)->blockCount(), 1);
    EXPECT_EQ(CSize(area->m_nWidth, area->m_nHeight), CSize(100000 * 6 + 30, 100000 * 12 + 30));

    // The elements keep their sizes within the layout's bounds; no window is larger than the bound.
    CVisible* field = t.FindKind(TAG_INPUT, 0);
    CVisible* list = t.FindKind(TAG_SELECT, 0);
    CVisible* wide = t.FindKind(TAG_TEXTAREA, 1);
    EXPECT_EQ(field->m_nWidth, 100000 * 6 + 10);
    EXPECT_EQ(list->m_nHeight, KOR_MAX_EXTENT);
    EXPECT_EQ(wide->m_nWidth, KOR_MAX_EXTENT);
    EXPECT_EQ(wide->m_nHeight, kDefaultAreaRows * 12 + 30);
    EXPECT_EQ(t.FindKind(TAG_INPUT, 1)->m_nWidth, kDefaultFieldChars * 6 + 10);
    for (CVisible* e : {area, field, list, wide}) {
        CRect r = WindowRect(e);
        EXPECT_LE(r.Width(), kMaxControlSide) << e->m_nKind;
        EXPECT_LE(r.Height(), kMaxControlSide) << e->m_nKind;
        EXPECT_GT(r.Width(), 0) << e->m_nKind;
    }
    EXPECT_NE(t.FindText("end"), nullptr);
    EXPECT_GT(t->GetContentSize().cy, 100000 * 12);
}
