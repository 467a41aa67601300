// Form elements: CFormControl with FInput, FSelect and FTextArea as child windows; FOption and FForm.
#pragma once

#include "korhtml/Export.h"
#include "korhtml/Element.h"

// A control shown as a child window, created when the element is measured. The system never reads
// the controls back and never submits a form.
class KORHTML_API CFormControl : public CVisible
{
public:
    // kind: the tag index of the control.
    CFormControl(CHtmlX* doc, int kind);
    // Destroys the control window, if there is one.
    ~CFormControl() override;

    HWND m_hWnd;    // owned
    HWND m_hParent; // the window the control was created in
};

// INPUT: an edit field, a button, a check box or a radio button, by type.
class KORHTML_API FInput : public CFormControl
{
public:
    explicit FInput(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

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

    // Both give the first visible element after the subtree, whatever the arguments.
    CVisible* GetNextVisible(BOOL includeSelf = FALSE, CElement* stop = nullptr) override;
    CVisible* GetNextElement() override;

    BOOL m_bMultiple;
    CString m_strName;
    int m_nSize;
    CStringList m_lstItems; // the option texts, rebuilt at each measuring
};

// OPTION: an inline element that is never placed or drawn by itself.
class KORHTML_API FOption : public CElement
{
public:
    explicit FOption(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    BOOL m_bSelected; // stored only
    CString m_strValue;
};

// TEXTAREA: a multi-line edit holding the words of its content.
class KORHTML_API FTextArea : public CFormControl
{
public:
    explicit FTextArea(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    // Both give the first visible element after the subtree, whatever the arguments.
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
