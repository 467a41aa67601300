// Form elements: attributes, the control windows made when measuring and shown when drawing, walks past a
// control's content.
#include "korhtml/FormElements.h"

#include "elements/MeasurePass.h"
#include "korhtml/AttrValues.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/TextElement.h"
#include "korlib/korlib.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"
#include "transform/AttrReader.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

// Visits every node below root in document order with its depth (root's children are 1), without
// recursion and without leaving the subtree.
template <class Visit> void WalkBelow(CTreeNode* root, Visit visit)
{
    int depth = 1;
    CTreeNode* n = root->GetFirstChild();
    while (n) {
        visit(n, depth);
        if (n->GetFirstChild()) {
            n = n->GetFirstChild();
            ++depth;
            continue;
        }
        while (n != root && !n->GetNextSibling()) {
            n = n->GetParent();
            --depth;
        }
        n = n == root ? nullptr : n->GetNextSibling();
    }
}

// The text run a node is, or null.
FText* AsText(CTreeNode* n)
{
    CElement* e = static_cast<CElement*>(n);
    return e->m_nKind == KIND_TEXT ? static_cast<FText*>(e) : nullptr;
}

// Measures text in one of the standard fonts on the measuring DC (a memory DC when there is none),
// with the DC's own font back afterwards.
class FontMeasure
{
public:
    FontMeasure(CDC* dc, CFont* font) : m_pDC(dc)
    {
        if (!m_pDC) {
            m_own.emplace();
            m_own->CreateCompatibleDC(nullptr);
            m_pDC = &*m_own;
        }
        m_pOld = m_pDC->SelectObject(font);
    }
    ~FontMeasure()
    {
        if (m_pOld)
            m_pDC->SelectObject(m_pOld);
    }
    FontMeasure(const FontMeasure&) = delete;
    FontMeasure& operator=(const FontMeasure&) = delete;

    SIZE Extent(const CString& text) const
    {
        SIZE size = {0, 0};
        ::GetTextExtentPointA(m_pDC->GetSafeHdc(), text.GetString(), text.GetLength(), &size);
        return size;
    }

private:
    std::optional<CDC> m_own; // only when no DC was given
    CDC* m_pDC;
    CFont* m_pOld = nullptr;
};

int WindowSide(long long side)
{
    return int(std::clamp<long long>(side, 0, kMaxControlSide));
}

} // namespace

// ---- CFormControl ----

CFormControl::CFormControl(CHtmlX* doc, int kind)
    : CVisible(doc, kind, EF_INLINE | EF_CONTROL), m_hWnd(nullptr), m_hParent(nullptr)
{}

CFormControl::~CFormControl()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

void CFormControl::Measure(CDC* dc)
{
    CVisible::Measure(dc);
    // Each measuring makes a new window: whatever the user did with the old one is gone.
    if (m_hWnd) {
        ::DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
    }
    CWnd* wnd = dc ? CWnd::FromHandle(::WindowFromDC(dc->GetSafeHdc())) : nullptr;
    m_hParent = wnd ? wnd->GetSafeHwnd() : nullptr;
}

void CFormControl::Draw(CDC* dc)
{
    if (!m_hWnd || !dc)
        return;
    POINT pt = {m_nX, m_nY};
    ::LPtoDP(dc->m_hAttribDC, &pt, 1);
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    ::MoveWindow(m_hWnd, pt.x, pt.y, rc.right - rc.left, rc.bottom - rc.top, FALSE);
    ::ShowWindow(m_hWnd, SW_SHOW);
}

HWND CFormControl::CreateControl(DWORD exStyle, const char* className, const char* caption, DWORD style,
                                 long long width, long long height, CFont* font)
{
    if (!m_hParent)
        return nullptr;
    // No control identifier: the system never listens to its controls.
    HWND h = ::CreateWindowExA(exStyle, className, caption, style, 0, 0, WindowSide(width),
                               WindowSide(height), m_hParent, nullptr, AfxGetInstanceHandle(), nullptr);
    if (h && font)
        ::SendMessageA(h, WM_SETFONT, WPARAM(font->GetSafeHandle()), FALSE);
    return h;
}

void CFormControl::SetSize(long long width, long long height)
{
    m_nWidth = int(std::clamp<long long>(width, -KOR_MAX_EXTENT, KOR_MAX_EXTENT));
    m_nHeight = int(std::clamp<long long>(height, -KOR_MAX_EXTENT, KOR_MAX_EXTENT));
}

// ---- FInput ----

FInput::FInput(CHtmlX* doc)
    : CFormControl(doc, TAG_INPUT), m_nInputAlign(0), m_bChecked(FALSE), m_nMaxLength(-1), m_nSize(-1),
      m_nType(TYPE_TEXT)
{}

void FInput::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nInputAlign);
    a.Flag("checked", m_bChecked);
    a.Length("maxlength", m_nMaxLength);
    a.Text("name", m_strName);
    a.Length("size", m_nSize);
    a.Text("src", m_strSrc);
    a.Type("type", m_nType);
    a.Text("value", m_strValue);
}

void FInput::Measure(CDC* dc)
{
    CFormControl::Measure(dc);
    constexpr DWORD kEditStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    switch (m_nType) {
    case TYPE_TEXT:
    case TYPE_PASSWORD:
    case TYPE_INT: {
        CFont* font = GetStdFont(1);
        SIZE size;
        long long width;
        {
            FontMeasure m(dc, font);
            if (m_nType == TYPE_INT) {
                size = m.Extent("0123456789");
                width = size.cx;
            } else {
                size = m.Extent("a");
                width = (long long)(m_nSize > 0 ? m_nSize : kDefaultFieldChars) * size.cx;
            }
        }
        SetSize(width + 10, size.cy + 10);
        DWORD style = m_nType == TYPE_PASSWORD ? kEditStyle | ES_PASSWORD : kEditStyle;
        m_hWnd = CreateControl(WS_EX_CLIENTEDGE, "EDIT", "", style, m_nWidth, m_nHeight, font);
        break;
    }
    case TYPE_CHECKBOX:
    case TYPE_RADIO: {
        SetSize(15, 15);
        DWORD kind = m_nType == TYPE_CHECKBOX ? BS_AUTOCHECKBOX : BS_AUTORADIOBUTTON;
        m_hWnd = CreateControl(0, "BUTTON", "", WS_CHILD | WS_TABSTOP | kind, 15, 15, nullptr);
        if (m_hWnd && m_bChecked)
            ::SendMessageA(m_hWnd, BM_SETCHECK, BST_CHECKED, 0);
        break;
    }
    case TYPE_BUTTON:
    case TYPE_SUBMIT:
    case TYPE_RESET: {
        CString caption = m_strValue;
        if (caption.IsEmpty())
            caption = m_nType == TYPE_SUBMIT ? "Submit Query" : m_nType == TYPE_RESET ? "Reset" : "  ";
        CFont* font = GetStdFont(2);
        SIZE size = FontMeasure(dc, font).Extent(caption);
        SetSize((long long)size.cx + 10, (long long)size.cy + 10);
        m_hWnd =
            CreateControl(0, "BUTTON", caption.GetString(), WS_CHILD | WS_TABSTOP, m_nWidth, m_nHeight, font);
        break;
    }
    default:
        // File, hidden and image inputs have no window and keep their size.
        break;
    }
}

// ---- FSelect ----

FSelect::FSelect(CHtmlX* doc) : CFormControl(doc, TAG_SELECT), m_bMultiple(FALSE), m_nSize(1), m_lstItems(10)
{}

void FSelect::ReadAttributes(const CAttrReader& a)
{
    a.Flag("multiple", m_bMultiple);
    a.Text("name", m_strName);
    a.Length("size", m_nSize);
}

void FSelect::Measure(CDC* dc)
{
    CFormControl::Measure(dc);

    // One walk over the content: every text run is decoded (none is measured by itself) and added
    // to the text of every option around it inside this select, as options of a nested select
    // count too. The open options are those at a smaller depth than the node being visited.
    std::vector<std::string> items;
    std::vector<std::pair<int, size_t>> open; // depth, item
    long long budget = kMaxOptionBytes;
    WalkBelow(this, [&](CTreeNode* n, int depth) {
        while (!open.empty() && open.back().first >= depth)
            open.pop_back();
        CElement* e = static_cast<CElement*>(n);
        if (e->m_nKind == TAG_OPTION) {
            open.emplace_back(depth, items.size());
            items.emplace_back();
        } else if (FText* text = AsText(n)) {
            text->DecodeEntities();
            const CString& t = text->m_strText;
            if (t.IsEmpty())
                return;
            // Each addition takes at least one byte of the budget, so deep nests stay bounded.
            for (auto it = open.rbegin(); it != open.rend() && budget > 0; ++it) {
                int take = int(std::min<long long>(t.GetLength(), budget));
                items[it->second].append(t.GetString(), size_t(take));
                budget -= take;
            }
        }
    });

    CFont* font = GetStdFont(2);
    long long widest = 0;
    long long total = 0;
    SIZE line;
    m_lstItems.RemoveAll();
    {
        FontMeasure m(dc, font);
        for (const std::string& item : items) {
            CString text(item.data(), int(item.size()));
            widest = KorMax(widest, (long long)m.Extent(text).cx);
            total += text.GetLength();
            m_lstItems.AddTail(text);
        }
        line = m.Extent("W");
    }

    const long long count = m_lstItems.GetCount();
    if (m_nSize < 2) {
        // The window's height is that of its dropped list; closed it shows one line.
        SetSize(widest + 30, (long long)line.cy + 10);
        m_hWnd = CreateControl(0, "COMBOBOX", "",
                               WS_CHILD | WS_BORDER | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_HASSTRINGS,
                               m_nWidth, line.cy * count + 10, font);
        FillList(CB_INITSTORAGE, CB_ADDSTRING, total);
    } else {
        SetSize(widest + 30, (long long)line.cy * m_nSize + 10);
        DWORD style = WS_CHILD | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_DISABLENOSCROLL | LBS_HASSTRINGS;
        if (m_bMultiple)
            style |= LBS_EXTENDEDSEL;
        m_hWnd = CreateControl(WS_EX_CLIENTEDGE, "LISTBOX", "", style, m_nWidth, m_nHeight, font);
        FillList(LB_INITSTORAGE, LB_ADDSTRING, total);
    }
}

void FSelect::FillList(UINT initMessage, UINT addMessage, long long totalLength)
{
    if (!m_hWnd)
        return;
    ::SendMessageA(m_hWnd, initMessage, WPARAM(m_lstItems.GetCount()), LPARAM(totalLength));
    for (POSITION pos = m_lstItems.GetHeadPosition(); pos;)
        ::SendMessageA(m_hWnd, addMessage, 0, LPARAM(m_lstItems.GetNext(pos).GetString()));
}

CVisible* FSelect::GetNextVisible(BOOL, CElement*)
{
    return CMeasurePass::Current().NextVisibleAfter(this);
}

CVisible* FSelect::GetNextElement()
{
    return CMeasurePass::Current().NextVisibleAfter(this);
}

// ---- FOption ----

FOption::FOption(CHtmlX* doc) : CElement(doc, TAG_OPTION, EF_INLINE), m_bSelected(FALSE) {}

void FOption::ReadAttributes(const CAttrReader& a)
{
    a.Flag("selected", m_bSelected);
    a.Text("value", m_strValue);
}

CString FOption::GetOptionText()
{
    CString text;
    WalkBelow(this, [&](CTreeNode* n, int) {
        if (FText* t = AsText(n))
            text += t->m_strText;
    });
    return text;
}

// ---- FTextArea ----

FTextArea::FTextArea(CHtmlX* doc) : CFormControl(doc, TAG_TEXTAREA), m_nCols(-1), m_nRowsAttr(-1) {}

void FTextArea::ReadAttributes(const CAttrReader& a)
{
    a.Length("cols", m_nCols);
    a.Text("name", m_strName);
    a.Length("rows", m_nRowsAttr);
}

void FTextArea::Measure(CDC* dc)
{
    CFormControl::Measure(dc);
    CFont* font = GetStdFont(1);
    SIZE w = FontMeasure(dc, font).Extent("W");
    long long cols = m_nCols > 0 ? m_nCols : kDefaultAreaCols;
    long long rows = m_nRowsAttr > 0 ? m_nRowsAttr : kDefaultAreaRows;
    SetSize(cols * w.cx + 30, rows * w.cy + 30);
    m_hWnd = CreateControl(WS_EX_CLIENTEDGE, "EDIT", "",
                           WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE |
                               ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                           m_nWidth, m_nHeight, font);
    if (!GetFirstChild())
        return;
    // The content arrives as words with one trailing space each, so it shows on one line.
    CString text;
    WalkBelow(this, [&](CTreeNode* n, int) {
        if (FText* t = AsText(n)) {
            t->DecodeEntities();
            text += t->m_strText;
        }
    });
    if (m_hWnd)
        ::SetWindowTextA(m_hWnd, text.GetString());
}

CVisible* FTextArea::GetNextVisible(BOOL, CElement*)
{
    return CMeasurePass::Current().NextVisibleAfter(this);
}

CVisible* FTextArea::GetNextElement()
{
    return CMeasurePass::Current().NextVisibleAfter(this);
}

void FTextArea::GetVisibleRange(CVisible** first, CVisible** after)
{
    *first = this;
    *after = CMeasurePass::Current().NextVisibleAfter(this);
}

// ---- FForm ----

FForm::FForm(CHtmlX* doc) : CElement(doc, TAG_FORM, 0), m_nMethod(METHOD_GET) {}

void FForm::ReadAttributes(const CAttrReader& a)
{
    a.Text("action", m_strAction);
    a.Text("enctype", m_strEncType);
    a.Method("method", m_nMethod);
}
