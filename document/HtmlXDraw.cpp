// CHtmlX drawing: background colour and tiles, the elements of the band, animation, hit tests of links.
#include "korhtml/HtmlX.h"

#include "korgr/ImageDax.h"
#include "korhtml/Element.h"
#include "korhtml/ImageElement.h"
#include "korhtml/SimpleElements.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

// Walks the band from its first to its last element (inclusive), calling f on each.
template <class F> void ForBand(CVisible* top, CVisible* bottom, F f)
{
    for (CVisible* e = top; e; e = e->GetNextVisible(FALSE, nullptr)) {
        f(e);
        if (e == bottom)
            break;
    }
}

} // namespace

void CHtmlX::DrawBackground(CDC* dc)
{
    FBody* body = Body();
    if (!body || !dc)
        return;
    CSize size = m_sizeViewport;
    if (m_pView && m_pView->GetSafeHwnd()) {
        CRect rc;
        m_pView->GetWindowRect(&rc);
        size = rc.Size();
    }
    CPoint org = m_ptViewportOrg;
    CImageDax* image = body->m_pBackImage;
    if (!body->m_strBackground.IsEmpty() && image && image->state == IMAGE_LOADED && body->m_nBackWidth > 0 &&
        body->m_nBackHeight > 0) {
        TileBackground(dc, body, org, size.cx, size.cy);
        return;
    }
    dc->FillSolidRect(org.x, org.y, size.cx, size.cy, body->m_crBgColor);
}

// Tiles are anchored at document multiples of the image size. Up to 2 x 2 tiles are drawn
// directly; more are composed off screen from at most two image draws, doubling the filled part
// with each copy, and shown with one copy. Nothing is painted under the tiles: drawn directly,
// their transparent parts show what the view held; composed, the bitmap's own black.
void CHtmlX::TileBackground(CDC* dc, FBody* body, CPoint org, int W, int H)
{
    CImageDax* image = body->m_pBackImage;
    int w = body->m_nBackWidth;
    int h = body->m_nBackHeight;
    int ox = org.x % w;
    int oy = org.y % h;
    if (ox < 0)
        ox += w;
    if (oy < 0)
        oy += h;
    // Relative to the viewport's top-left: where the first tile that starts inside it begins.
    int x0 = w - ox;
    int y0 = h - oy;
    int x1 = x0 + w;
    int y1 = y0 + h;

    if (x1 >= W && y1 >= H) {
        for (int y = org.y - oy; y < org.y + H; y += h)
            for (int x = org.x - ox; x < org.x + W; x += w)
                image->Draw(dc, x, y, 0);
        return;
    }

    CDC mem;
    mem.CreateCompatibleDC(dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(dc, W, H);
    CBitmap* oldBitmap = mem.SelectObject(&bitmap);

    if (x1 < W && y1 < H) {
        image->Draw(&mem, x0, y0, 0);
        for (int x = x1, step = w; x < W; x += step, step *= 2)
            mem.BitBlt(x, y0, step, h, &mem, x - step, y0, SRCCOPY);
        for (int y = y1, step = h; y < H; y += step, step *= 2)
            mem.BitBlt(x0, y, W - x0, step, &mem, x0, y - step, SRCCOPY);
        mem.BitBlt(x0, 0, W - x0, y0, &mem, x0, h, SRCCOPY); // the cut row at the top
        mem.BitBlt(0, 0, x0, H, &mem, w, 0, SRCCOPY);        // the cut column on the left
    } else if (x1 < W) {
        // One row of tiles, cut at the top: the rest of the tile above y0, then whole tiles.
        image->Draw(&mem, x0, 0, w, y0, 0, oy, 0);
        image->Draw(&mem, x0, y0, 0);
        for (int x = x1, step = w; x < W; x += step, step *= 2)
            mem.BitBlt(x, 0, step, H, &mem, x - step, 0, SRCCOPY);
        mem.BitBlt(0, 0, x0, H, &mem, w, 0, SRCCOPY);
    } else {
        // One column of tiles, cut at the left.
        image->Draw(&mem, 0, y0, x0, h, ox, 0, 0);
        image->Draw(&mem, x0, y0, 0);
        for (int y = y1, step = h; y < H; y += step, step *= 2)
            mem.BitBlt(0, y, W, step, &mem, 0, y - step, SRCCOPY);
        mem.BitBlt(0, 0, W, y0, &mem, 0, h, SRCCOPY);
    }

    dc->BitBlt(org.x, org.y, W, H, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(oldBitmap);
    bitmap.DeleteObject();
    mem.DeleteDC();
}

void CHtmlX::DrawElements(CDC* dc)
{
    FBody* body = Body();
    if (!body || !dc)
        return;
    dc->SetBkColor(body->m_crBgColor);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(body->m_crText);

    int top = m_ptViewportOrg.y;
    int bottom = top + m_sizeViewport.cy;
    if (m_pTopVisible && m_pBottomVisible)
        ForBand(m_pTopVisible, m_pBottomVisible, [&](CVisible* e) {
            if (e->GetBandRelation(top, bottom) == BAND_INSIDE)
                e->Draw(dc);
        });

    m_listAnimateVisible.RemoveAll();
    for (POSITION pos = m_listAnimate.GetHeadPosition(); pos;) {
        CVisible* e = static_cast<CVisible*>(m_listAnimate.GetNext(pos));
        if (e->GetBandRelation(top, bottom) == BAND_INSIDE)
            m_listAnimateVisible.AddTail(e);
    }

    // The animation timer runs only while an animated image is in view.
    if (!m_pView || !m_pView->GetSafeHwnd())
        return;
    if (m_listAnimateVisible.IsEmpty()) {
        if (HasState(STATE_ANIMATING)) {
            RemoveState(STATE_ANIMATING);
            m_pView->KillTimer(ID_TIMER_ANIMATE);
        }
    } else if (!HasState(STATE_ANIMATING)) {
        AddState(STATE_ANIMATING);
        m_pView->SetTimer(ID_TIMER_ANIMATE, 50, nullptr);
    }
}

void CHtmlX::DrawAnimateImages(CDC* dc)
{
    if (!dc)
        return;
    for (POSITION pos = m_listAnimateVisible.GetHeadPosition(); pos;)
        static_cast<FImage*>(m_listAnimateVisible.GetNext(pos))->DrawNextFrame(dc);
}

void CHtmlX::SaveOldRect()
{
    if (!m_pBody)
        return;
    for (CVisible* e = m_pBody->GetNextVisible(FALSE, nullptr); e; e = e->GetNextVisible(FALSE, nullptr))
        e->m_rcDrawn = CRect(e->m_nX, e->m_nY, e->m_nX + e->m_nWidth, e->m_nY + e->m_nHeight);
}

void CHtmlX::RedrawElements()
{
    if (!m_pTopVisible || !m_pBottomVisible)
        return;
    ForBand(m_pTopVisible, m_pBottomVisible, [&](CVisible* e) { e->Invalidate(m_pView, TRUE); });
}

CVisible* CHtmlX::GetVisibleInPoint(CPoint pt)
{
    if (!m_pTopVisible || !m_pBottomVisible)
        return nullptr;
    // The last element hit wins: an inner or later element lies over an earlier one.
    CVisible* hit = nullptr;
    ForBand(m_pTopVisible, m_pBottomVisible, [&](CVisible* e) {
        if (CRect(e->m_nX, e->m_nY, e->m_nX + e->m_nWidth, e->m_nY + e->m_nHeight).PtInRect(pt))
            hit = e;
    });
    return hit;
}

int CHtmlX::MouseOnAnchor(CPoint pt)
{
    CPoint p(pt.x + m_ptViewportOrg.x, pt.y + m_ptViewportOrg.y);
    CVisible* hit = GetVisibleInPoint(p);
    // Blank space keeps the active link, so a click there still follows the link last hovered.
    if (!hit)
        return 0;
    m_pActiveLink = static_cast<FAnchor*>(hit->FindAncestorByKind(TAG_A, FALSE, nullptr));
    return m_pActiveLink ? 1 : 0;
}

CString CHtmlX::GetCurrentAnchor()
{
    return m_pActiveLink ? m_pActiveLink->m_strHref : CString();
}
