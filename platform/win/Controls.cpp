// Child controls of the classes EDIT, BUTTON, COMBOBOX and LISTBOX: windows around Qt's widgets.
#include "platform/win/Wnd_p.h"

#include "platform/gdi/codepage.h"
#include "platform/gdi/gdi_p.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace kor {
namespace {

enum class ControlKind
{
    Edit,
    MultiEdit,
    PushButton,
    CheckBox,
    Radio,
    Combo,
    List
};

// A child window whose client area is one Qt control, inside the frames its styles ask for.
class ControlWnd : public CWnd
{
public:
    ControlWnd(ControlKind kind, DWORD style, DWORD exStyle)
        : m_kind(kind), m_dwStyle(style), m_dwExStyle(exStyle)
    {}

    bool m_bAutoDelete = false;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        // The scroll bars are the control's own, not the window's.
        cs.style &= ~LONG(WS_VSCROLL | WS_HSCROLL);
        return TRUE;
    }

    int OnCreate(LPCREATESTRUCT cs) override
    {
        QWidget* host = WindowWidget(this);
        if (!host)
            return -1;
        WndState::Of(this).style |= m_dwStyle & (WS_VSCROLL | WS_HSCROLL);
        Qt::ScrollBarPolicy vpolicy =
            (m_dwStyle & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
        Qt::ScrollBarPolicy hpolicy =
            (m_dwStyle & WS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
        switch (m_kind) {
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(host);
            edit->setFrame(false);
            if (m_dwStyle & ES_PASSWORD)
                edit->setEchoMode(QLineEdit::Password);
            edit->setReadOnly(m_dwStyle & ES_READONLY);
            m_pControl = edit;
            break;
        }
        case ControlKind::MultiEdit: {
            auto* edit = new QPlainTextEdit(host);
            edit->setFrameShape(QFrame::NoFrame);
            edit->setLineWrapMode((m_dwStyle & ES_AUTOHSCROLL) ? QPlainTextEdit::NoWrap
                                                               : QPlainTextEdit::WidgetWidth);
            edit->setVerticalScrollBarPolicy(vpolicy);
            edit->setHorizontalScrollBarPolicy(hpolicy);
            edit->setReadOnly(m_dwStyle & ES_READONLY);
            m_pControl = edit;
            break;
        }
        case ControlKind::PushButton:
            m_pControl = new QPushButton(host);
            break;
        case ControlKind::CheckBox:
            m_pControl = new QCheckBox(host);
            break;
        case ControlKind::Radio: {
            auto* radio = new QRadioButton(host);
            // The group is the window's sibling buttons, as the system groups them.
            radio->setAutoExclusive(false);
            QObject::connect(radio, &QAbstractButton::clicked, radio, [this](bool checked) {
                if (checked)
                    UncheckGroup();
            });
            m_pControl = radio;
            break;
        }
        case ControlKind::Combo: {
            auto* combo = new QComboBox(host);
            combo->setEditable((m_dwStyle & 3) != CBS_DROPDOWNLIST);
            combo->setMaxVisibleItems(30);
            combo->setCurrentIndex(-1);
            m_pControl = combo;
            break;
        }
        case ControlKind::List: {
            auto* list = new QListWidget(host);
            list->setFrameShape(QFrame::NoFrame);
            list->setSelectionMode((m_dwStyle & LBS_EXTENDEDSEL)   ? QAbstractItemView::ExtendedSelection
                                   : (m_dwStyle & LBS_MULTIPLESEL) ? QAbstractItemView::MultiSelection
                                                                   : QAbstractItemView::SingleSelection);
            if ((m_dwStyle & WS_VSCROLL) && (m_dwStyle & LBS_DISABLENOSCROLL))
                vpolicy = Qt::ScrollBarAlwaysOn;
            list->setVerticalScrollBarPolicy(vpolicy);
            list->setHorizontalScrollBarPolicy(hpolicy);
            m_pControl = list;
            break;
        }
        }
        m_pControl->setFocusPolicy((m_dwStyle & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
        host->setFocusProxy(m_pControl);
        m_pControl->show();
        SetControlText(CString(cs->lpszName));
        if (m_kind == ControlKind::Combo)
            FitClosedHeight();
        return 0;
    }

    void OnSize(UINT, int cx, int cy) override
    {
        if (m_pControl) {
            int inset = Inset();
            m_pControl->setGeometry(inset, inset, std::max(0, cx - 2 * inset), std::max(0, cy - 2 * inset));
        }
    }

    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(rc);
        dc.FillSolidRect(rc, 0xFFFFFF);
        if (m_dwStyle & WS_BORDER) {
            dc.Draw3dRect(rc, 0x000000, 0x000000);
            rc.DeflateRect(1, 1);
        }
        if (m_dwExStyle & WS_EX_CLIENTEDGE) {
            dc.Draw3dRect(rc, 0x808080, 0xFFFFFF);
            rc.DeflateRect(1, 1);
            dc.Draw3dRect(rc, 0x404040, 0xC0C0C0);
        }
    }

    void PostNcDestroy() override
    {
        m_pControl = nullptr;
        if (m_bAutoDelete)
            delete this;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int Inset() const
    {
        return ((m_dwStyle & WS_BORDER) ? 1 : 0) + ((m_dwExStyle & WS_EX_CLIENTEDGE) ? 2 : 0);
    }

    CString ControlText() const;
    void SetControlText(const CString& text);
    void ApplyFont(HGDIOBJ hFont);
    void FitClosedHeight();
    void UncheckGroup();
    template <class T> T* As() const { return static_cast<T*>(m_pControl); }

    ControlKind m_kind;
    DWORD m_dwStyle;
    DWORD m_dwExStyle;
    QWidget* m_pControl = nullptr; // a child of the window's widget
    int m_nTextHeight = 16;
};

CString ControlWnd::ControlText() const
{
    switch (m_kind) {
    case ControlKind::Edit:
        return FromUnicode(As<QLineEdit>()->text());
    case ControlKind::MultiEdit:
        return FromUnicode(As<QPlainTextEdit>()->toPlainText());
    case ControlKind::Combo:
        return FromUnicode(As<QComboBox>()->currentText());
    default:
        return WndState::Of(this).text;
    }
}

void ControlWnd::SetControlText(const CString& text)
{
    QString t = ToUnicode(text);
    switch (m_kind) {
    case ControlKind::Edit:
        As<QLineEdit>()->setText(t);
        break;
    case ControlKind::MultiEdit:
        As<QPlainTextEdit>()->setPlainText(t);
        break;
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::Radio:
        As<QAbstractButton>()->setText(t);
        break;
    case ControlKind::Combo:
        if (As<QComboBox>()->isEditable())
            As<QComboBox>()->setEditText(t);
        break;
    case ControlKind::List:
        break;
    }
}

void ControlWnd::ApplyFont(HGDIOBJ hFont)
{
    // The widget shows a real font of the size asked for, in either font mode; in box mode only the
    // numbers of the layout come from the box metrics.
    if (FontData* font = DataAs<FontData>(hFont, OBJ_FONT)) {
        m_pControl->setFont(font->Real().font);
        m_nTextHeight = IsBoxFontMode() ? font->Em() : font->Real().ascent + font->Real().descent;
    }
    if (m_kind == ControlKind::Combo)
        FitClosedHeight();
}

// A drop-down list is one line high while closed, whatever height it was given for its list.
void ControlWnd::FitClosedHeight()
{
    WndState& s = WndState::Of(this);
    s.fixedHeight = m_nTextHeight + 8;
    if (s.widget && s.widget->height() != s.fixedHeight)
        MoveWindow(s.widget->x(), s.widget->y(), s.widget->width(), s.fixedHeight, FALSE);
}

// Unchecks the other automatic radio buttons of this one's group: the siblings from the last
// WS_GROUP window before it up to the next one.
void ControlWnd::UncheckGroup()
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    const std::vector<CWnd*>& siblings = WndState::Of(parent).children;
    auto self = std::find(siblings.begin(), siblings.end(), this);
    if (self == siblings.end())
        return;
    auto first = self;
    while (first != siblings.begin() && !((*first)->GetStyle() & WS_GROUP))
        --first;
    for (auto it = first; it != siblings.end(); ++it) {
        if (it != first && ((*it)->GetStyle() & WS_GROUP))
            break;
        auto* other = dynamic_cast<ControlWnd*>(*it);
        if (other && other != this && other->m_kind == ControlKind::Radio &&
            (other->m_dwStyle & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            other->As<QRadioButton>()->setChecked(false);
    }
}

LRESULT ControlWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_pControl)
        return CWnd::WindowProc(message, wParam, lParam);
    auto copyOut = [](const QString& text, LPARAM buffer) -> LRESULT {
        CString bytes = FromUnicode(text);
        if (buffer)
            std::memcpy(reinterpret_cast<char*>(buffer), bytes.GetString(), size_t(bytes.GetLength()) + 1);
        return bytes.GetLength();
    };
    switch (message) {
    case WM_SETTEXT: {
        LRESULT r = CWnd::WindowProc(message, wParam, lParam);
        SetControlText(CString(reinterpret_cast<LPCSTR>(lParam)));
        return r;
    }
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<char*>(lParam);
        if (!buf || wParam == 0)
            return 0;
        CString t = ControlText();
        int n = std::min<int>(t.GetLength(), int(std::min<WPARAM>(wParam - 1, 0x7FFFFFFF)));
        std::memcpy(buf, t.GetString(), size_t(n));
        buf[n] = '\0';
        return n;
    }
    case WM_GETTEXTLENGTH:
        return ControlText().GetLength();
    case WM_SETFONT: {
        LRESULT r = CWnd::WindowProc(message, wParam, lParam);
        ApplyFont(reinterpret_cast<HGDIOBJ>(wParam));
        return r;
    }
    case BM_SETCHECK:
        if (m_kind == ControlKind::CheckBox || m_kind == ControlKind::Radio)
            As<QAbstractButton>()->setChecked(wParam == BST_CHECKED);
        return 0;
    case BM_GETCHECK:
        if (m_kind == ControlKind::CheckBox || m_kind == ControlKind::Radio)
            return As<QAbstractButton>()->isChecked() ? BST_CHECKED : BST_UNCHECKED;
        return BST_UNCHECKED;
    default:
        break;
    }
    if (m_kind == ControlKind::Combo) {
        auto* combo = As<QComboBox>();
        int count = combo->count();
        switch (message) {
        case CB_INITSTORAGE:
            return LRESULT(wParam);
        case CB_ADDSTRING: {
            int current = combo->currentIndex();
            combo->addItem(ToUnicode(reinterpret_cast<LPCSTR>(lParam)));
            combo->setCurrentIndex(current); // adding chooses nothing
            return count;
        }
        case CB_GETCOUNT:
            return count;
        case CB_GETCURSEL:
            return combo->currentIndex();
        case CB_SETCURSEL:
            if (int(wParam) < 0 || int(wParam) >= count) {
                combo->setCurrentIndex(-1);
                return CB_ERR;
            }
            combo->setCurrentIndex(int(wParam));
            return LRESULT(wParam);
        case CB_GETLBTEXT:
        case CB_GETLBTEXTLEN:
            if (int(wParam) < 0 || int(wParam) >= count)
                return CB_ERR;
            return copyOut(combo->itemText(int(wParam)), message == CB_GETLBTEXT ? lParam : 0);
        }
    }
    if (m_kind == ControlKind::List) {
        auto* list = As<QListWidget>();
        int count = list->count();
        switch (message) {
        case LB_INITSTORAGE:
            return LRESULT(wParam);
        case LB_ADDSTRING:
            list->addItem(ToUnicode(reinterpret_cast<LPCSTR>(lParam)));
            return count;
        case LB_GETCOUNT:
            return count;
        case LB_GETCURSEL:
            return list->currentRow();
        case LB_SETCURSEL:
            if (int(wParam) < 0 || int(wParam) >= count) {
                list->clearSelection();
                return LB_ERR;
            }
            list->setCurrentRow(int(wParam));
            return LRESULT(wParam);
        case LB_SETSEL:
            for (int i = 0; i < count; ++i) {
                if (int(lParam) == -1 || int(lParam) == i)
                    list->item(i)->setSelected(wParam != 0);
            }
            return int(lParam) >= count ? LB_ERR : 0;
        case LB_GETSEL:
            if (int(wParam) < 0 || int(wParam) >= count)
                return LB_ERR;
            return list->item(int(wParam))->isSelected() ? 1 : 0;
        case LB_GETTEXT:
        case LB_GETTEXTLEN:
            if (int(wParam) < 0 || int(wParam) >= count)
                return LB_ERR;
            return copyOut(list->item(int(wParam))->text(), message == LB_GETTEXT ? lParam : 0);
        }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

} // namespace
} // namespace kor

HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                     int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE, LPVOID lpParam)
{
    using kor::ControlKind;
    if (!lpClassName || IS_INTRESOURCE(lpClassName) || !(dwStyle & WS_CHILD) || !CWnd::FromHandle(hWndParent))
        return nullptr;
    ControlKind kind;
    if (strcasecmp(lpClassName, "EDIT") == 0) {
        kind = (dwStyle & ES_MULTILINE) ? ControlKind::MultiEdit : ControlKind::Edit;
    } else if (strcasecmp(lpClassName, "BUTTON") == 0) {
        UINT type = dwStyle & BS_TYPEMASK;
        kind = (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX)         ? ControlKind::CheckBox
               : (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) ? ControlKind::Radio
                                                                        : ControlKind::PushButton;
    } else if (strcasecmp(lpClassName, "COMBOBOX") == 0) {
        kind = ControlKind::Combo;
    } else if (strcasecmp(lpClassName, "LISTBOX") == 0) {
        kind = ControlKind::List;
    } else {
        return nullptr;
    }
    auto* wnd = new kor::ControlWnd(kind, dwStyle, dwExStyle);
    if (!wnd->CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, X, Y, nWidth, nHeight, hWndParent,
                       hMenu, lpParam)) {
        delete wnd;
        return nullptr;
    }
    wnd->m_bAutoDelete = true;
    return wnd->m_hWnd;
}
