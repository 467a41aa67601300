// Form elements: CFormControl with FInput, FSelect and FTextArea as child windows; FOption and FForm.
#pragma once

#include "korhtml/Export.h"
#include "korhtml/Element.h"

// A control window is at most this many pixels on each side, however large its element is: each
// window keeps a picture of its whole size.
constexpr int kMaxControlSide = 2048;
// The option texts of one select hold at most this many bytes together; the rest of the text is
// left out (an option nested in options would otherwise repeat the text of every level).
constexpr int kMaxOptionBytes = 1 << 20;
// Characters of a text field without a usable size, and of a text area without cols or rows.
constexpr int kDefaultFieldChars = 20;
constexpr int kDefaultAreaCols = 20;
constexpr int kDefaultAreaRows = 2;

// A control shown as a child window, created when the element is measured. The system never reads
// the controls back and never submits a form.
class KORHTML_API CFormControl : public CVisible
{
public:
    // kind: the tag index of the control.
    CFormControl(CHtmlX* doc, int kind);
    // Destroys the control window, if there is one.
    ~CFormControl() override;

    // Structure steps, then the old window goes and m_hParent becomes the DC's window (null when
    // the DC has none, and then no control window is made).
    void Measure(CDC* dc) override;
    // Moves the window to the element's place in the DC's device units and shows it.
    void Draw(CDC* dc) override;

    HWND m_hWnd;    // owned
    HWND m_hParent; // the window the control was created in

protected:
    // Creates the hidden control window in m_hParent at (0, 0) with the font; the window is at most
    // kMaxControlSide on each side, whatever size the element has. Null without a parent.
    HWND CreateControl(DWORD exStyle, const char* className, const char* caption, DWORD style,
                       long long width, long long height, CFont* font);
    // Sets the element's size, kept within the extents the layout allows.
    void SetSize(long long width, long long height);
};

// INPUT: an edit field, a button, a check box or a radio button, by type.
class KORHTML_API FInput : public CFormControl
{
public:
    explicit FInput(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    // The control of the type: its window and the element's size.
    void Measure(CDC* dc) override;

    int m_nInputAlign; // stored only
    BOOL m_bChecked;
    int m_nMaxLength; // stored only
    CString m_strName;
    int m_nSize;
    CString m_strSrc;
    int m_nType;
    CString m_strValue;
};

// SELECT: a drop-down list or a list box of its options' texts. The layout walks jump over its
// children, which are never placed themselves.
class KORHTML_API FSelect : public CFormControl
{
public:
    explicit FSelect(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    // Decodes the texts inside, collects the option texts and makes a drop-down list (size below 2)
    // or a list box of them.
    void Measure(CDC* dc) override;

    // Both give the first visible element after the subtree, whatever the arguments (the walks
    // that rely on meeting every element know this class by PassesOverContents).
    CVisible* GetNextVisible(BOOL includeSelf = FALSE, CElement* stop = nullptr) override;
    CVisible* GetNextElement() override;

    BOOL m_bMultiple;
    CString m_strName;
    int m_nSize;
    CStringList m_lstItems; // the option texts, rebuilt at each measuring

private:
    // Gives the window the items, with the storage message first.
    void FillList(UINT initMessage, UINT addMessage, long long totalLength);
};

// OPTION: an inline element that is never placed or drawn by itself.
class KORHTML_API FOption : public CElement
{
public:
    explicit FOption(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    // The decoded texts of the text runs inside, in document order ("" when there are none). The
    // runs must have been decoded (the select does that when it is measured).
    CString GetOptionText();

    BOOL m_bSelected; // stored only
    CString m_strValue;
};

// TEXTAREA: a multi-line edit holding the words of its content.
class KORHTML_API FTextArea : public CFormControl
{
public:
    explicit FTextArea(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    // A multi-line edit of cols x rows characters holding the decoded words of the content.
    void Measure(CDC* dc) override;

    // Both give the first visible element after the subtree, whatever the arguments (the walks
    // that rely on meeting every element know this class by PassesOverContents).
    CVisible* GetNextVisible(BOOL includeSelf = FALSE, CElement* stop = nullptr) override;
    CVisible* GetNextElement() override;
    // The text area itself, and the first visible element after its subtree.
    void GetVisibleRange(CVisible** first, CVisible** after) override;

    int m_nCols;
    CString m_strName;
    int m_nRowsAttr;
};

// FORM: stored only; forms are not submitted.
class KORHTML_API FForm : public CElement
{
public:
    explicit FForm(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    CString m_strAction;
    CString m_strEncType;
    int m_nMethod;
};
