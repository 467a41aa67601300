// Rules, breaks and list items: construction and attributes, visible ranges and breaks, rule sizing and
// drawing, bullets.
#include "korhtml/RuleElements.h"
#include "korhtml/HtmlX.h"
#include "korhtml/SimpleElements.h"
#include "elements/MeasurePass.h"
#include "platform/gdi/gdi.h"
#include "transform/AttrReader.h"

namespace {

// The page's body, whose colours the rule and the bullet follow: the document's, or, for a tree
// built without a document, the body at the top of the element's tree; null when there is none.
FBody* PageBody(CElement* e)
{
    if (e->m_pDoc && e->m_pDoc->m_pBody && e->m_pDoc->m_pBody->m_nKind == TAG_BODY)
        return static_cast<FBody*>(e->m_pDoc->m_pBody);
    CElement* top = e;
    while (CElement* parent = top->GetParentElement())
        top = parent;
    return top->m_nKind == TAG_BODY ? static_cast<FBody*>(top) : nullptr;
}

COLORREF PageBackground(CElement* e)
{
    FBody* body = PageBody(e);
    return body ? body->m_crBgColor : GetSysColor(COLOR_WINDOW);
}

COLORREF PageTextColor(CElement* e)
{
    FBody* body = PageBody(e);
    return body ? body->m_crText : RGB(0, 0, 0);
}

} // namespace

// ---- FRule ----

FRule::FRule(CHtmlX* doc)
    : CVisible(doc, TAG_HR, EF_INLINE | EF_PARAGRAPH), m_nRuleAlign(0), m_bNoShade(FALSE), m_nSize(-1),
      m_nWidthAttr(-1)
{
    m_nWidth = 0;
    m_nHeight = 4;
}

void FRule::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nRuleAlign);
    a.Flag("noshade", m_bNoShade);
    a.Length("size", m_nSize);
    a.Length("width", m_nWidthAttr);
}

void FRule::GetVisibleRange(CVisible** first, CVisible** after)
{
    *first = this;
    *after = GetNextVisible(FALSE, nullptr);
}

void FRule::SetLineWidth(int w)
{
    m_nLineWidth = w;
    if (m_nWidthAttr == -1) {
        m_nWidth = w;
    } else if (m_nWidthAttr < -1) {
        // Computed in floating point so that absurd percentages cannot overflow.
        double width = double(w) * -double(m_nWidthAttr) * 0.01;
        m_nWidth = width >= 2147483647.0 ? 2147483647 : width <= -2147483647.0 ? -2147483647 : int(width);
    } else {
        // A pixel width carries the height in its high half, which is 0 for any ordinary width:
        // such a rule takes no height in the layout, though it is drawn 4 pixels high.
        m_nWidth = int(short(m_nWidthAttr & 0xFFFF));
        m_nHeight = int(short((m_nWidthAttr >> 16) & 0xFFFF));
    }
}

void FRule::Draw(CDC* dc)
{
    if (!dc)
        return;
    // Dark shadow on mid-dark pages, bright highlight on light pages that are not white, so the
    // groove stays visible whatever the background.
    COLORREF bg = PageBackground(this);
    COLORREF topLeft = (bg != 0 && bg <= 0x808080) ? RGB(0, 0, 0) : RGB(0x80, 0x80, 0x80);
    COLORREF bottomRight = (bg >= 0xC0C0C0 && bg != 0xFFFFFF) ? RGB(0xFF, 0xFF, 0xFF) : RGB(0xC0, 0xC0, 0xC0);
    dc->Draw3dRect(m_nX, m_nY, m_nWidth, 4, topLeft, bottomRight);
}

// ---- FBreak ----

FBreak::FBreak(CHtmlX* doc) : CVisible(doc, TAG_BR, EF_INLINE | EF_LINEBREAK), m_nClear(0)
{
    m_nWidth = 0;
    m_nHeight = 15;
}

void FBreak::ReadAttributes(const CAttrReader& a)
{
    a.Clear("clear", m_nClear);
}

void FBreak::GetVisibleRange(CVisible** first, CVisible** after)
{
    *first = nullptr;
    *after = GetNextVisible(FALSE, nullptr);
}

void FBreak::ComputeBreaks()
{
    // The searches start before the break: from itself they would find the break itself.
    m_nBreak = CMeasurePass::Current().BreakBits(this, FALSE);
}

// ---- FListItem ----

FListItem::FListItem(CHtmlX* doc) : CVisible(doc, TAG_LI, EF_LINEBREAK), m_nType(0), m_nValue(-1)
{
    m_nWidth = 10;
    m_nHeight = 5;
}

void FListItem::ReadAttributes(const CAttrReader& a)
{
    a.Type("type", m_nType);
    a.Length("value", m_nValue);
}

void FListItem::GetVisibleRange(CVisible** first, CVisible** after)
{
    *first = this;
    *after = nullptr;
}

int FListItem::GetIndent()
{
    return 2 * INDENT_STEP * m_nListLevel;
}

void FListItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    // An item with nothing after it on its line shows no bullet.
    if (GetLineEnd(BRK_WRAP | BRK_LINE | BRK_PARA) == this)
        return;
    COLORREF color = PageTextColor(this);
    CBrush brush(color);
    CPen pen(PS_SOLID, 1, color);
    CBrush* oldBrush = dc->SelectObject(&brush);
    CPen* oldPen = dc->SelectObject(&pen);
    // The item sits on the bottom of its line; the disc floats beside the text above its top.
    dc->Ellipse(m_nX, m_nY - 8, m_nX + 5, m_nY - 3);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}
