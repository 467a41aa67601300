// Form elements: construction, the end of the control window, and the walks that skip a control's content.
#include "korhtml/FormElements.h"

#include "korhtml/AttrValues.h"
#include "elements/MeasurePass.h"
#include "platform/win/win.h"

namespace {} // namespace

// ---- CFormControl ----

CFormControl::CFormControl(CHtmlX* doc) : CVisible(doc), m_hWnd(nullptr), m_hParent(nullptr)
{
    m_dwFlags |= EF_INLINE | EF_CONTROL;
}

CFormControl::~CFormControl()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

// ---- FInput ----

FInput::FInput(CHtmlX* doc)
    : CFormControl(doc), m_nInputAlign(0), m_bChecked(FALSE), m_nMaxLength(-1), m_nSize(-1),
      m_nType(TYPE_TEXT)
{
    m_nKind = TAG_INPUT;
}

// ---- FSelect ----

FSelect::FSelect(CHtmlX* doc) : CFormControl(doc), m_bMultiple(FALSE), m_nSize(1), m_lstItems(10)
{
    m_nKind = TAG_SELECT;
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

FOption::FOption(CHtmlX* doc) : CElement(doc), m_bSelected(FALSE)
{
    m_nKind = TAG_OPTION;
    m_dwFlags = EF_INLINE;
}

// ---- FTextArea ----

FTextArea::FTextArea(CHtmlX* doc) : CFormControl(doc), m_nCols(-1), m_nRowsAttr(-1)
{
    m_nKind = TAG_TEXTAREA;
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

FForm::FForm(CHtmlX* doc) : CElement(doc), m_nMethod(METHOD_GET)
{
    m_nKind = TAG_FORM;
    m_dwFlags = 0;
}
