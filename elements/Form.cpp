// Form elements: construction and attributes, the end of the control window, walks past a control's content.
#include "korhtml/FormElements.h"

#include "korhtml/AttrValues.h"
#include "elements/MeasurePass.h"
#include "platform/win/win.h"
#include "transform/AttrReader.h"

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

// ---- FSelect ----

FSelect::FSelect(CHtmlX* doc) : CFormControl(doc, TAG_SELECT), m_bMultiple(FALSE), m_nSize(1), m_lstItems(10)
{}

void FSelect::ReadAttributes(const CAttrReader& a)
{
    a.Flag("multiple", m_bMultiple);
    a.Text("name", m_strName);
    a.Length("size", m_nSize);
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

// ---- FTextArea ----

FTextArea::FTextArea(CHtmlX* doc) : CFormControl(doc, TAG_TEXTAREA), m_nCols(-1), m_nRowsAttr(-1) {}

void FTextArea::ReadAttributes(const CAttrReader& a)
{
    a.Length("cols", m_nCols);
    a.Text("name", m_strName);
    a.Length("rows", m_nRowsAttr);
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
