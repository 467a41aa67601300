// CHtmlX layout: the measure pass, the layout pass, vertical alignment of the body, the visible band.
#include "korhtml/HtmlX.h"

#include "document/BandIndex.h"
#include "elements/AlignQueue.h"
#include "elements/MeasurePass.h"
#include "korhtml/AttrValues.h"
#include "korhtml/Element.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/ImageElement.h"
#include "korhtml/SimpleElements.h"
#include "korhtml/TableElements.h"
#include "korlib/korlib.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

// The visible elements of root's subtree in layout order: a table is one step (its GetNextElement
// passes over its cells). The walk ends at the first visible element after the subtree, which is
// where it would leave the subtree; comparing with it costs nothing per step, unlike an ancestor test.
class CLayoutWalk
{
public:
    explicit CLayoutWalk(CElement* root)
        : m_pCur(static_cast<CVisible*>(root->FindDescendantByFlags(EF_VISIBLE, FALSE, nullptr))),
          m_pEnd(m_pCur ? CMeasurePass::Current().NextVisibleAfter(root) : nullptr)
    {}
    CVisible* Get() const { return m_pCur; }
    void Next()
    {
        m_pCur = m_pCur->GetNextElement();
        if (m_pCur == m_pEnd)
            m_pCur = nullptr;
    }

private:
    CVisible* m_pCur;
    CVisible* m_pEnd;
};

// Closes the line in the alignment queue; the last line of a layout is justified whenever the
// even-align switch is on.
void CloseLastLine()
{
    CAlignQueue* queue = GetAlignQueue();
    queue->VerticalAlign();
    queue->HorizontalAlign(EvenAlign());
    queue->RemoveAll();
}

} // namespace

void CHtmlX::Layout(int width, int height)
{
    CRect rc(0, 0, 0, 0);
    if (m_pView && m_pView->GetSafeHwnd())
        m_pView->GetWindowRect(&rc);
    if (width == 0)
        width = rc.Width();
    if (height == 0)
        height = rc.Height();
    m_sizeViewport = CSize(width, height);
    m_ptViewportOrg = CPoint(0, 0);
    SetDynamicData();
}

void CHtmlX::SetStaticData()
{
    AfxGetApp()->BeginWaitCursor();
    // Text is measured with the view's fonts; a document without a window measures on a memory DC.
    CDC* dc;
    if (m_pView && m_pView->GetSafeHwnd()) {
        dc = new CClientDC(m_pView);
    } else {
        dc = new CDC;
        dc->CreateCompatibleDC(nullptr);
    }

    RemoveState(STATE_STATICDATA);
    LayoutChanged();
    m_listAnimate.RemoveAll();

    FBody* body = Body();
    if (body && g_pHtmlSrvr) {
        body->LoadBackground();
        CVisible* e = body->GetNextVisible(FALSE, nullptr);
        if (e) {
            // The elements' searches go through this pass while it runs; a table that repairs the
            // tree in the middle of it makes the pass forget what it found before.
            CMeasurePass pass;
            // This walk meets every table but those inside the controls whose contents it passes
            // over: the search for tables below starts at the first of either, so a page without
            // them is not walked again.
            CElement* tablesFrom = nullptr;
            for (; e; e = e->GetNextVisible(FALSE, nullptr)) {
                if (e->m_nKind != TAG_TABLE)
                    e->Measure(dc);
                else
                    pass.Keep(e);
                if (e->m_nKind == TAG_IMG && static_cast<FImage*>(e)->IsAnimated())
                    m_listAnimate.AddTail(e);
                if (!tablesFrom && (e->m_nKind == TAG_TABLE || PassesOverContents(e)))
                    tablesFrom = e;
            }
            // Tables last, each after everything inside it, nested tables before their own table.
            for (CElement* t = tablesFrom ? tablesFrom->FindNextByKind(TAG_TABLE, TRUE, nullptr) : nullptr;
                 t;) {
                CElement* last = t;
                if (FTable* table = dynamic_cast<FTable*>(t))
                    last = table->MeasureNested(dc);
                else
                    static_cast<CVisible*>(t)->Measure(dc);
                t = last->FindNextByKind(TAG_TABLE, FALSE, nullptr);
            }
            AddState(STATE_STATICDATA);
        }
    }

    LayoutChanged();
    delete dc;
    AfxGetApp()->EndWaitCursor();
}

void CHtmlX::SetDynamicData()
{
    if (!HasState(STATE_STATICDATA) || !g_pHtmlSrvr)
        return;
    RemoveState(STATE_DYNAMICDATA);
    LayoutChanged();
    FBody* body = Body();
    if (!body) {
        m_sizeContent = CSize(0, 0);
        return;
    }

    int hm = GetHorMargin();
    int vm = GetVerMargin();
    CSize extent;
    {
        // The elements' searches go through this pass while the body is placed.
        CMeasurePass pass;
        // The width pass; in the same walk, lines narrowed beside a float in an earlier layout
        // start at the margin again. One walk instead of two: on a large page each walk is a trip
        // through memory, and the two setters touch nothing the other reads.
        const int width = m_sizeViewport.cx - 2 * hm;
        for (CLayoutWalk walk(body); walk.Get(); walk.Next()) {
            walk.Get()->SetLineWidth(width);
            walk.Get()->SetLineLeft(hm);
        }
        GetAlignQueue()->RemoveAll();
        SetPosition(CPoint(hm, vm), body);
        extent = body->GetExtent();
    }
    m_sizeContent = CSize(2 * hm + extent.cx, 2 * vm + extent.cy);
    if (body->m_nVAlign != 0)
        SetVerAlign();
    AddState(STATE_DYNAMICDATA);
    LayoutChanged();

    FindTopVisible();
    FindBottomVisible();
}

void CHtmlX::SetVerAlign()
{
    FBody* body = Body();
    if (!body)
        return;
    int big = KorMax(m_sizeContent.cy, m_sizeViewport.cy);
    int small = KorMin(m_sizeContent.cy, m_sizeViewport.cy);
    int shift = 0;
    if (body->m_nVAlign == VALIGN_MIDDLE)
        shift = (big - small) / 2;
    else if (body->m_nVAlign == VALIGN_BOTTOM)
        shift = big - small;
    if (shift == 0)
        return;
    for (CVisible* e = static_cast<CVisible*>(body->FindDescendantByFlags(EF_VISIBLE, FALSE, nullptr)); e;
         e = e->GetNextVisible(FALSE, nullptr))
        e->m_nY += shift;
}

void CHtmlX::SetPosition(CPoint start, CElement* root)
{
    if (!root)
        return;
    CLayoutWalk walk(root);
    if (!walk.Get())
        return;
    CPoint p = start;
    for (; walk.Get(); walk.Next()) {
        CVisible* e = walk.Get();
        e->Place(p.x, p.y);
        p = e->GetNextPos();
    }
    CloseLastLine();
}

void CHtmlX::SetGroundWidth(int width, CElement* root)
{
    if (!root)
        return;
    for (CLayoutWalk walk(root); walk.Get(); walk.Next())
        walk.Get()->SetLineWidth(width);
}

void CHtmlX::SetHorBase(int x, CElement* root)
{
    if (!root)
        return;
    for (CLayoutWalk walk(root); walk.Get(); walk.Next())
        walk.Get()->SetLineLeft(x);
}

void CHtmlX::LayoutChanged()
{
    if (m_pBandIndex)
        m_pBandIndex->Invalidate();
}

// The first visible element after the body inside the band, as a walk down from the first would
// find it; the index spares the walk over the page above the band.
CVisible* CHtmlX::FindTop(int top, int bottom)
{
    if (!m_pBody)
        return nullptr;
    if (!m_pBandIndex)
        m_pBandIndex = new CBandIndex;
    return m_pBandIndex->FindTop(m_pBody, top, bottom);
}

// The same for the walk up from the last visible element.
CVisible* CHtmlX::FindBottom(int top, int bottom)
{
    if (!m_pBody)
        return nullptr;
    if (!m_pBandIndex)
        m_pBandIndex = new CBandIndex;
    return m_pBandIndex->FindBottom(m_pBody, top, bottom);
}

void CHtmlX::FindTopVisible()
{
    m_pTopVisible = FindTop(m_ptViewportOrg.y, m_ptViewportOrg.y + m_sizeViewport.cy);
}

void CHtmlX::FindBottomVisible()
{
    m_pBottomVisible = FindBottom(m_ptViewportOrg.y, m_ptViewportOrg.y + m_sizeViewport.cy);
}

CVisible* CHtmlX::GetTopVisible(int top, int bottom)
{
    return FindTop(top, bottom);
}

CVisible* CHtmlX::GetBottomVisible(int top, int bottom)
{
    return FindBottom(top, bottom);
}

int CHtmlX::ReadyToDraw() const
{
    return m_pBody && HasState(STATE_DYNAMICDATA) ? 1 : 0;
}
