// Tests of form controls: their windows, sizes and contents, drawing, new windows per measuring, tab order;
// hostile forms: huge option lists, selects nested in selects, huge text areas and absurd sizes.
#include "DocTestUtil.h"
#include "Hostile.h"

#include "korhtml/AttrValues.h"
#include "korhtml/FormElements.h"
#include "korhtml/TextElement.h"
#include "korlib/korlib.h"
#include "platform/gdi/codepage.h"
#include "platform/win/win.h"
#include "platform/win/winqt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace {

class FormTest : public DocTest
{
};

// The Qt control inside a control window.
template <class T> T* Control(HWND h)
{
    QWidget* host = h ? kor::WindowWidget(CWnd::FromHandle(h)) : nullptr;
    return host ? host->findChild<T*>() : nullptr;
}

// Shown by the system (the document's window itself is never shown in these tests).
bool Shown(CWnd* w)
{
    return (w->GetStyle() & WS_VISIBLE) != 0;
}

HWND Window(CVisible* e)
{
    return e ? static_cast<CFormControl*>(e)->m_hWnd : nullptr;
}

CRect WindowRectIn(HWND h, CWnd* parent)
{
    CRect r;
    GetWindowRect(h, r);
    parent->ScreenToClient(r);
    return r;
}

// The control windows that are children of the document's window.
int ChildWindows(CWnd* parent)
{
    return int(kor::WindowWidget(parent)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size());
}

// CP949 bytes of a UTF-8 text, for Korean in a page.
std::string Cp949(const char* utf8)
{
    CString s = kor::FromUnicode(QString::fromUtf8(utf8));
    return std::string(s.GetString(), size_t(s.GetLength()));
}

} // namespace

// The sizes of the controls are pinned by the forms case file.
TEST_F(FormTest, InputsMakeTheWindowOfTheirType)
{
    TestDoc t(800, 400);
    ASSERT_TRUE(t.OpenHtml("<input size=10><input type=password size=3><input type=int><input>"
                           "<input type=checkbox checked><input type=radio checked><input type=checkbox>"
                           "<input type=submit><input type=reset value=Clear><input type=reset>"
                           "<input type=button><input type=hidden value=x><input type=image src=i.gif>"
                           "<input type=file>"));
    auto input = [&](int n) { return t.FindKind(TAG_INPUT, n); };
    auto size = [&](int n) { return CSize(input(n)->m_nWidth, input(n)->m_nHeight); };

    // Edit fields; their windows are as large as their elements.
    for (int i = 0; i < 4; ++i) {
        QLineEdit* edit = Control<QLineEdit>(Window(input(i)));
        ASSERT_NE(edit, nullptr) << i;
        EXPECT_EQ(edit->echoMode(), i == 1 ? QLineEdit::Password : QLineEdit::Normal) << i;
        EXPECT_EQ(WindowRectIn(Window(input(i)), t.Window()).Size(), size(i)) << i;
    }

    // Check boxes and radio buttons take their checked state.
    ASSERT_TRUE(Control<QCheckBox>(Window(input(4))) && Control<QRadioButton>(Window(input(5))));
    EXPECT_TRUE(Control<QCheckBox>(Window(input(4)))->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(Window(input(5)))->isChecked());
    EXPECT_FALSE(Control<QCheckBox>(Window(input(6)))->isChecked());

    // Push buttons show their captions.
    const char* captions[] = {"Submit Query", "Clear", "Reset", "  "};
    for (int i = 0; i < 4; ++i) {
        QPushButton* button = Control<QPushButton>(Window(input(7 + i)));
        ASSERT_NE(button, nullptr) << i;
        EXPECT_EQ(button->text(), QString(captions[i]));
    }
    // Fonts 1 and 2 reach the widgets at their sizes.
    EXPECT_EQ(Control<QLineEdit>(Window(input(0)))->font().pixelSize(), 12);
    EXPECT_EQ(Control<QPushButton>(Window(input(7)))->font().pixelSize(), 16);

    // Hidden, image and file inputs: no window.
    for (int i = 11; i < 14; ++i)
        EXPECT_EQ(Window(input(i)), nullptr) << i;
    // Every window is a hidden child of the document's window until it is drawn.
    EXPECT_EQ(ChildWindows(t.Window()), 11);
    for (int i = 0; i < 11; ++i)
        EXPECT_FALSE(Shown(CWnd::FromHandle(Window(input(i))))) << i;
}

TEST_F(FormTest, SelectsListTheirDecodedOptions)
{
    TestDoc t(800, 400);
    std::string seoul = Cp949("서울");
    ASSERT_TRUE(t.OpenHtml("<select name=a><option>One &amp; two<option selected>" + seoul +
                           " &lt;1&gt;<option>x</select>"
                           "<select size=1><option>a</select>"
                           "<select size=4><option>aa<option>bbbbbb<option>c</select>"
                           "<select size=4 multiple><option>m</select>"
                           "<select></select> after"));
    FSelect* drop = static_cast<FSelect*>(t.FindKind(TAG_SELECT, 0));
    ASSERT_NE(drop, nullptr);
    // The option texts are decoded; their words are never laid out themselves.
    ASSERT_EQ(drop->m_lstItems.GetCount(), 3);
    EXPECT_EQ(t.FindText("two"), nullptr);
    QComboBox* combo = Control<QComboBox>(drop->m_hWnd);
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), QString("One & two"));
    EXPECT_EQ(combo->itemText(1), QString::fromUtf8("서울 <1>"));
    EXPECT_EQ(combo->currentIndex(), -1); // nothing is chosen for the user
    EXPECT_NE(Control<QComboBox>(Window(t.FindKind(TAG_SELECT, 1))), nullptr);

    // Size 4: a list box four lines high; multiple allows extended selection.
    CVisible* list = t.FindKind(TAG_SELECT, 2);
    QListWidget* box = Control<QListWidget>(Window(list));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->count(), 3);
    EXPECT_EQ(box->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(WindowRectIn(Window(list), t.Window()).Size(), CSize(list->m_nWidth, list->m_nHeight));
    QListWidget* multi = Control<QListWidget>(Window(t.FindKind(TAG_SELECT, 3)));
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->selectionMode(), QAbstractItemView::ExtendedSelection);

    // Without options: an empty list.
    ASSERT_NE(Control<QComboBox>(Window(t.FindKind(TAG_SELECT, 4))), nullptr);
    EXPECT_EQ(Control<QComboBox>(Window(t.FindKind(TAG_SELECT, 4)))->count(), 0);
}

TEST_F(FormTest, TextAreasShowTheirWordsOnOneLine)
{
    TestDoc t(800, 400);
    ASSERT_TRUE(t.OpenHtml("<textarea rows=3 cols=20>\nHello &lt;world&gt;\n   second  line</textarea>"
                           "<textarea></textarea>"));
    CVisible* area = t.FindKind(TAG_TEXTAREA);
    ASSERT_NE(area, nullptr);
    QPlainTextEdit* edit = Control<QPlainTextEdit>(Window(area));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->toPlainText(), QString("Hello <world> second line"));
    EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(t.FindText("second"), nullptr); // the words are the control's, not the page's
    // Without content: an empty edit.
    CVisible* bare = t.FindKind(TAG_TEXTAREA, 1);
    ASSERT_NE(Control<QPlainTextEdit>(Window(bare)), nullptr);
    EXPECT_TRUE(Control<QPlainTextEdit>(Window(bare))->toPlainText().isEmpty());
}

TEST_F(FormTest, DrawingShowsTheWindowsWhereTheElementsAreAndMeasuringReplacesThem)
{
    TestDoc t(300, 100);
    const std::string page = "<p>top <input size=4><p>x<p>x<p>x<p>x<p>x<p>low <input type=checkbox "
                             "checked><select><option>o</select>";
    ASSERT_TRUE(t.OpenHtml(page));
    t.Layout();
    CVisible* field = t.FindKind(TAG_INPUT, 0);
    CVisible* check = t.FindKind(TAG_INPUT, 1);
    ASSERT_GT(check->m_nY, 100); // below the first view
    HWND hField = Window(field);
    HWND hCheck = Window(check);
    CWnd* wField = CWnd::FromHandle(hField);
    CWnd* wCheck = CWnd::FromHandle(hCheck);

    t.Render(0);
    EXPECT_TRUE(Shown(wField));
    EXPECT_EQ(WindowRectIn(hField, t.Window()).TopLeft(), CPoint(field->m_nX, field->m_nY));
    EXPECT_FALSE(Shown(wCheck)); // not in the band: not drawn
    // Nor would it appear with the document's window shown.
    QWidget* top = kor::WindowWidget(t.Window());
    EXPECT_FALSE(kor::WindowWidget(wCheck)->isVisibleTo(top));
    EXPECT_TRUE(kor::WindowWidget(wField)->isVisibleTo(top));

    // Scrolled, the window goes to the element's place less the scroll position; the field above
    // the band keeps where it was last drawn.
    int scroll = check->m_nY - 20;
    t.Render(scroll);
    EXPECT_TRUE(Shown(wCheck));
    EXPECT_TRUE(kor::WindowWidget(wCheck)->isVisibleTo(top));
    EXPECT_EQ(WindowRectIn(hCheck, t.Window()), CRect(CPoint(check->m_nX, 20), CSize(15, 15)));
    EXPECT_EQ(WindowRectIn(hField, t.Window()).TopLeft(), CPoint(field->m_nX, field->m_nY));

    // A layout at another width keeps the windows, and with them what the user did.
    QPointer<QCheckBox> box = Control<QCheckBox>(hCheck);
    ASSERT_FALSE(box.isNull());
    box->click();
    EXPECT_EQ(SendMessageA(hCheck, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    t->Layout(120, 100);
    t.Render(0);
    EXPECT_EQ(Window(check), hCheck);
    ASSERT_FALSE(box.isNull());
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(WindowRectIn(hField, t.Window()).TopLeft(), CPoint(field->m_nX, field->m_nY));

    // Opening the page again makes new windows, checked as the page says; the old ones are gone.
    QPointer<QLineEdit> oldEdit = Control<QLineEdit>(hField);
    ASSERT_TRUE(t.OpenHtml(page));
    EXPECT_TRUE(box.isNull());
    EXPECT_TRUE(oldEdit.isNull());
    EXPECT_EQ(ChildWindows(t.Window()), 3);
    CVisible* check2 = t.FindKind(TAG_INPUT, 1);
    ASSERT_NE(Control<QCheckBox>(Window(check2)), nullptr);
    EXPECT_TRUE(Control<QCheckBox>(Window(check2))->isChecked());
    EXPECT_FALSE(Shown(CWnd::FromHandle(Window(check2))));

    // Closing the document destroys the windows with their elements.
    t->Close();
    EXPECT_EQ(ChildWindows(t.Window()), 0);
}

TEST_F(FormTest, WithoutAWindowControlsTakeTheirSizeOnly)
{
    CHtmlX doc(nullptr);
    ASSERT_TRUE(doc.OpenString("<input type=submit><select size=3><option>ab</select><textarea rows=2 cols=3>"
                               "t</textarea><input type=checkbox>",
                               ""));
    doc.Layout(400, 300);
    CElement* body = doc.GetBody();
    ASSERT_NE(body, nullptr);
    std::vector<CVisible*> controls;
    for (CVisible* e = body->GetNextVisible(FALSE, nullptr); e; e = e->GetNextVisible(FALSE, nullptr))
        controls.push_back(e);
    // The sizes are those the tool's recorded layouts show, laid out without a window as well.
    ASSERT_EQ(controls.size(), 4u);
    for (CVisible* e : controls) {
        EXPECT_EQ(static_cast<CFormControl*>(e)->m_hWnd, nullptr);
        EXPECT_EQ(static_cast<CFormControl*>(e)->m_hParent, nullptr);
        EXPECT_GT(e->m_nWidth, 0);
    }
    EXPECT_EQ(static_cast<FSelect*>(controls[1])->m_lstItems.GetHead(), CString("ab"));
}

TEST_F(FormTest, RadioButtonsFormOneGroupAndTabFollowsThePage)
{
    TestDoc t(400, 200);
    ASSERT_TRUE(t.OpenHtml("<input size=5><input type=radio checked><input type=radio>"
                           "<select size=3><option>a<option>b</select><textarea></textarea>"));
    t.Layout();
    t.Render(0);
    QLineEdit* edit = Control<QLineEdit>(Window(t.FindKind(TAG_INPUT, 0)));
    QRadioButton* r1 = Control<QRadioButton>(Window(t.FindKind(TAG_INPUT, 1)));
    QRadioButton* r2 = Control<QRadioButton>(Window(t.FindKind(TAG_INPUT, 2)));
    QListWidget* list = Control<QListWidget>(Window(t.FindKind(TAG_SELECT)));
    QPlainTextEdit* area = Control<QPlainTextEdit>(Window(t.FindKind(TAG_TEXTAREA)));
    ASSERT_TRUE(edit && r1 && r2 && list && area);
    r2->click();
    EXPECT_TRUE(r2->isChecked());
    EXPECT_FALSE(r1->isChecked());

    // Tab goes from control to control in the order of the page.
    QWidget* top = kor::WindowWidget(t.Window());
    std::vector<QWidget*> chain;
    for (QWidget* w = edit->nextInFocusChain(); w != edit && chain.size() < 100; w = w->nextInFocusChain())
        if (w != top && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(top))
            chain.push_back(w);
    std::vector<QWidget*> expected = {r1, r2, list, area};
    EXPECT_EQ(chain, expected);
}

TEST_F(FormTest, HugeOptionListsAndNestedSelects)
{
    hostile::AtScale("options", 2500, [&](size_t n) {
        TestDoc t(400, 300);
        ASSERT_TRUE(t.OpenHtml("<select>" + hostile::Repeat("<option>item &amp; more", n) +
                               "</select><select size=" + std::to_string(n) + ">" +
                               hostile::Repeat("<option>x", n) + "</select> end"));
        t.Layout();
        t.Render(0);
        CVisible* drop = t.FindKind(TAG_SELECT, 0);
        CVisible* list = t.FindKind(TAG_SELECT, 1);
        ASSERT_NE(Control<QComboBox>(Window(drop)), nullptr);
        EXPECT_EQ(Control<QComboBox>(Window(drop))->count(), int(n));
        EXPECT_EQ(Control<QComboBox>(Window(drop))->itemText(int(n) - 1), QString("item & more"));
        // The list box's window stays of a bounded size.
        EXPECT_EQ(Control<QListWidget>(Window(list))->count(), int(n));
        EXPECT_LE(WindowRectIn(Window(list), t.Window()).Height(), kMaxControlSide);
        EXPECT_LE(WindowRectIn(Window(drop), t.Window()).Height(), kMaxControlSide);
        EXPECT_NE(t.FindText("end"), nullptr);
    });

    // Selects nested in options of selects: each option holds the text of every level below it,
    // up to a bound for the whole select; only the outermost select is measured and shown.
    hostile::AtScale("nested selects", 2500, [&](size_t n) {
        TestDoc t(400, 300);
        ASSERT_TRUE(t.OpenHtml(hostile::Repeat("<select><option>abcdefgh ", n) + "x" +
                               hostile::Repeat("</select>", n) + " end"));
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
        EXPECT_LE(WindowRectIn(Window(outer), t.Window()).Width(), kMaxControlSide);
        EXPECT_NE(t.FindText("end"), nullptr);
    });
}

TEST_F(FormTest, HugeTextAreasAndAbsurdSizes)
{
    TestDoc t(400, 300);
    // A megabyte of words in a text area: all of it reaches the control, on one line.
    std::string words = hostile::Repeat("abcdefg ", (1 << 20) / 8);
    ASSERT_TRUE(t.OpenHtml("<textarea rows=100000 cols=100000>" + words +
                           "</textarea><input size=100000><select size=2000000000><option>o</select>"
                           "<textarea rows=-5 cols=2147483647>a</textarea><input size=-3> end"));
    t.Layout();
    t.Render(0);
    CVisible* area = t.FindKind(TAG_TEXTAREA, 0);
    ASSERT_NE(Control<QPlainTextEdit>(Window(area)), nullptr);
    EXPECT_EQ(Control<QPlainTextEdit>(Window(area))->toPlainText().size(), qsizetype(words.size()));
    EXPECT_EQ(Control<QPlainTextEdit>(Window(area))->blockCount(), 1);

    // The elements' sizes are pinned by the forms case file; no window is larger than the bound.
    for (CVisible* e :
         {area, t.FindKind(TAG_INPUT, 0), t.FindKind(TAG_SELECT, 0), t.FindKind(TAG_TEXTAREA, 1)}) {
        CRect r = WindowRectIn(Window(e), t.Window());
        EXPECT_LE(r.Width(), kMaxControlSide) << e->m_nKind;
        EXPECT_LE(r.Height(), kMaxControlSide) << e->m_nKind;
        EXPECT_GT(r.Width(), 0) << e->m_nKind;
    }
    EXPECT_NE(t.FindText("end"), nullptr);
}
