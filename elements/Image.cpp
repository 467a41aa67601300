// FImage: attributes, sizing from the image cache, inline and floating placement, drawing with the
// placeholder, animation, and the links of server-side and client-side image maps.
#include "korhtml/ImageElement.h"

#include "korgr/ImageDax.h"
#include "korhtml/AttrValues.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "korhtml/SimpleElements.h"
#include "korlib/korlib.h"
#include "maps/ImageManager.h"
#include "maps/MapManager.h"
#include "platform/gdi/gdi.h"
#include "transform/AttrReader.h"

namespace {

// A picture that is not ready is shown this much larger than its stand-in, room for the label.
constexpr int kPlaceholderGrowth = 40;
// The stand-in sits this far below the top of the placeholder; the label this far below it.
constexpr int kPlaceholderTop = 5;
constexpr int kLabelGap = 10;
constexpr int kLabelInset = 2;
// The standard font of the placeholder label.
constexpr int kLabelFont = 3;

int ClipExtent(long long v)
{
    return int(v > KOR_MAX_EXTENT ? KOR_MAX_EXTENT : v < -KOR_MAX_EXTENT ? -KOR_MAX_EXTENT : v);
}

int ClipPosition(long long v)
{
    return int(v > KOR_MAX_POSITION ? KOR_MAX_POSITION : v < -KOR_MAX_POSITION ? -KOR_MAX_POSITION : v);
}

FBody* DocumentBody(CHtmlX* doc)
{
    CElement* body = doc ? doc->GetBody() : nullptr;
    return body && body->m_nKind == TAG_BODY ? static_cast<FBody*>(body) : nullptr;
}

FAnchor* EnclosingAnchor(CElement* e)
{
    return static_cast<FAnchor*>(e->FindAncestorByKind(TAG_A, FALSE, nullptr));
}

} // namespace

FImage::FImage(CHtmlX* doc)
    : CVisible(doc, TAG_IMG, EF_INLINE), m_nImageAlign(0), m_nBorder(0), m_nHeightAttr(-1), m_nHSpace(-1),
      m_bIsMap(FALSE), m_nVSpace(-1), m_nWidthAttr(-1), m_pImage(nullptr), m_nImageWidth(0),
      m_nImageHeight(0), m_nFrame(0), m_nTick(0)
{}

void FImage::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nImageAlign);
    a.Text("alt", m_strAlt);
    a.Length("border", m_nBorder);
    a.Length("height", m_nHeightAttr);
    a.Length("hspace", m_nHSpace);
    a.Flag("ismap", m_bIsMap);
    a.Text("src", m_strSrc);
    a.Text("usemap", m_strUseMap);
    if (!m_strUseMap.IsEmpty() && m_strUseMap[0] == '#')
        m_strUseMap = m_strUseMap.Mid(1); // "#nav" names the map "nav"
    a.Length("vspace", m_nVSpace);
    a.Length("width", m_nWidthAttr);
}

void FImage::Measure(CDC* dc)
{
    CVisible::Measure(dc);
    m_nFrame = 0;
    m_nTick = 0;

    CImageManager* images = m_pDoc ? m_pDoc->GetImageManager() : nullptr;
    m_pImage = images ? images->GetImage(m_pDoc->FindLocalPath(m_strSrc)) : nullptr;

    // Computed wide: attributes of any size must not overflow the box.
    long long w = 0, h = 0;
    if (m_pImage) {
        m_nImageWidth = m_pImage->Width();
        m_nImageHeight = m_pImage->Height();
        w = m_nImageWidth;
        h = m_nImageHeight;
        if (m_pImage->state != IMAGE_LOADED) {
            w += kPlaceholderGrowth;
            h += kPlaceholderGrowth;
        }
        if (m_nWidthAttr >= 0)
            w = m_nWidthAttr;
        if (m_nHeightAttr >= 0)
            h = m_nHeightAttr;
    } else {
        m_nImageWidth = m_nImageHeight = 0;
    }
    w += 2LL * m_nBorder + 2LL * HSpace();
    h += 2LL * m_nBorder + 2LL * VSpace();
    m_nWidth = ClipExtent(w);
    m_nHeight = ClipExtent(h);

    m_strLabel = m_strAlt.IsEmpty() ? KorGetPureFileName(m_strSrc) : m_strAlt;
}

void FImage::Place(int x, int y)
{
    if (m_nImageAlign != ALIGN_LEFT && m_nImageAlign != ALIGN_RIGHT) {
        CVisible::Place(x, y);
        return;
    }
    // A float never joins the line; a line it must break is closed before it.
    if (m_nBreak != 0)
        y = CloseLineForFloat(y);
    m_nY = ClipPosition(y);
    // The spaces are part of the box already: the text keeps twice the space from the picture.
    const long long h2 = 2LL * HSpace();
    const long long bottom = static_cast<long long>(m_nY) + m_nHeight + 2LL * VSpace();
    const long long right = static_cast<long long>(m_nLineLeft) + m_nLineWidth;
    if (m_nImageAlign == ALIGN_LEFT) {
        m_nX = m_nLineLeft;
        FlowAround(ClipPosition(static_cast<long long>(m_nX) + m_nWidth + h2), m_nY, ClipPosition(right),
                   ClipPosition(bottom), ALIGN_LEFT);
    } else {
        m_nX = ClipPosition(right - m_nWidth);
        FlowAround(m_nLineLeft, m_nY, ClipPosition(m_nX - h2), ClipPosition(bottom), ALIGN_RIGHT);
    }
}

CPoint* FImage::GetNextPos(CPoint* pt)
{
    // Beside a right float the text starts at the left edge, on the image's top line.
    if (m_nImageAlign != ALIGN_RIGHT)
        return CVisible::GetNextPos(pt);
    if (pt)
        *pt = CPoint(m_nLineLeft, m_nY);
    return pt;
}

int FImage::GetFloatAlign()
{
    return m_nImageAlign == ALIGN_LEFT || m_nImageAlign == ALIGN_RIGHT ? m_nImageAlign : 0;
}

void FImage::FlowAround(int left, int top, int right, int bottom, int side)
{
    FlowLinesAround(GetNextVisible(FALSE, nullptr), left, top, right, bottom, side);
}

void FImage::Draw(CDC* dc)
{
    if (!dc)
        return;
    FBody* body = DocumentBody(m_pDoc);
    int x = ClipPosition(static_cast<long long>(m_nX) + HSpace());
    int y = ClipPosition(static_cast<long long>(m_nY) + VSpace());
    const int cx = DrawnWidth();
    const int cy = DrawnHeight();

    if (m_nBorder != 0) {
        // Filled with the text colour inside the current pen's outline; the picture covers the middle.
        CBrush brush(body ? body->m_crText : RGB(0, 0, 0));
        CBrush* old = dc->SelectObject(&brush);
        const long long b2 = 2LL * m_nBorder;
        dc->Rectangle(x, y, ClipPosition(x + cx + b2), ClipPosition(y + cy + b2));
        dc->SelectObject(old);
        x = ClipPosition(static_cast<long long>(x) + m_nBorder);
        y = ClipPosition(static_cast<long long>(y) + m_nBorder);
    }
    if (!m_pImage)
        return;
    if (m_pImage->state != IMAGE_LOADED) {
        DrawPlaceholder(dc);
        return;
    }
    if (m_nWidthAttr == m_nImageWidth && m_nHeightAttr == m_nImageHeight)
        m_pImage->Draw(dc, x, y, m_nFrame);
    else
        m_pImage->Draw(dc, x, y, cx, cy, 0, 0, m_nFrame);
}

int FImage::DrawnWidth() const
{
    return m_nWidthAttr >= 0 ? KorMin(m_nWidthAttr, KOR_MAX_EXTENT) : m_nImageWidth;
}

int FImage::DrawnHeight() const
{
    return m_nHeightAttr >= 0 ? KorMin(m_nHeightAttr, KOR_MAX_EXTENT) : m_nImageHeight;
}

void FImage::DrawPlaceholder(CDC* dc)
{
    FBody* body = DocumentBody(m_pDoc);
    const COLORREF background = body ? body->m_crBgColor : GetSysColor(COLOR_WINDOW);

    m_pImage->Draw(dc, m_nX + (m_nWidth - m_nImageWidth) / 2, m_nY + kPlaceholderTop, m_nFrame);

    // Sunken, in shades that stay visible on dark and on light pages.
    const COLORREF topLeft = background != 0 && background <= 0x808080 ? 0x000000 : 0x808080;
    const COLORREF bottomRight = background >= 0xC0C0C0 && background != 0xFFFFFF ? 0xFFFFFF : 0xC0C0C0;
    CRect box(m_nX, m_nY, m_nX + m_nWidth, m_nY + m_nHeight);
    dc->Draw3dRect(&box, topLeft, bottomRight);

    COLORREF colour = RGB(0, 0, 0);
    if (body)
        colour = GetAnchorType(CPoint(0, 0)) >= ANCHOR_LOCAL ? body->m_crLink : body->m_crText;
    CFont* font = g_pHtmlSrvr ? GetStdFont(kLabelFont) : nullptr;
    CFont* oldFont = font ? dc->SelectObject(font) : nullptr;
    const COLORREF oldColour = dc->SetTextColor(colour);
    CRect label(m_nX + kLabelInset, m_nY + m_nImageHeight + kLabelGap, m_nX + m_nWidth - kLabelInset,
                m_nY + m_nHeight);
    dc->DrawText(m_strLabel, &label, DT_CENTER | DT_WORDBREAK);
    dc->SetTextColor(oldColour);
    if (font)
        dc->SelectObject(oldFont);
}

int FImage::GetAnchorType(CPoint pt)
{
    if (!m_strUseMap.IsEmpty()) {
        CMapManager* maps = m_pDoc ? m_pDoc->GetMapManager() : nullptr;
        if (maps && maps->IsInMap(m_strUseMap, pt.x - m_nX, pt.y - m_nY))
            return ANCHOR_LINK;
    } else if (m_bIsMap && EnclosingAnchor(this)) {
        return ANCHOR_ISMAP;
    }
    return CVisible::GetAnchorType(pt);
}

CString FImage::GetLink(CPoint* pt)
{
    const int rx = pt ? pt->x - m_nX : 0;
    const int ry = pt ? pt->y - m_nY : 0;
    if (!m_strUseMap.IsEmpty()) {
        CString link;
        if (CMapManager* maps = m_pDoc ? m_pDoc->GetMapManager() : nullptr)
            maps->GetMapLink(link, m_strUseMap, rx, ry);
        return link;
    }
    if (m_bIsMap) {
        // A server-side map: the server is told where the picture was clicked.
        CString link;
        if (FAnchor* a = EnclosingAnchor(this))
            link.Format("%s?%d,%d", a->m_strHref.GetString(), rx, ry);
        return link;
    }
    return CVisible::GetLink(pt);
}

BOOL FImage::IsAnimated()
{
    return m_pImage && m_pImage->GetImageCount() > 1;
}

void FImage::DrawNextFrame(CDC* dc)
{
    if (!m_pImage)
        return;
    if (++m_nTick <= m_pImage->GetWaitTime(m_nFrame))
        return;
    m_nTick = 0;
    m_nFrame = (m_nFrame + 1) % m_pImage->GetImageCount();
    const int x = ClipPosition(static_cast<long long>(m_nX) + HSpace() + m_nBorder);
    const int y = ClipPosition(static_cast<long long>(m_nY) + VSpace() + m_nBorder);
    if (m_nWidthAttr < 0 && m_nHeightAttr < 0)
        m_pImage->Draw(dc, x, y, m_nFrame);
    else
        m_pImage->Draw(dc, x, y, DrawnWidth(), DrawnHeight(), 0, 0, m_nFrame);
}
