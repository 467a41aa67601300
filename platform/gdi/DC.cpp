// CDC: state, object selection, coordinates, clipping, lines, shapes and bit-block transfers.
#include "platform/gdi/gdi_p.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace kor {

// Fallbacks for the window layer's hooks: without it, window DCs have no surface.
__attribute__((weak)) QImage* WindowSurface(CWnd*)
{
    return nullptr;
}
__attribute__((weak)) HWND WindowHandle(CWnd*)
{
    return nullptr;
}
__attribute__((weak)) bool WindowBeginPaint(CWnd*, QRegion&, RECT&)
{
    return false;
}
__attribute__((weak)) void WindowEndPaint(CWnd*) {}
__attribute__((weak)) void WindowReleaseDC(CWnd*, const RECT&) {}

void DCState::Reset()
{
    a = DCAttributes();
    a.font = Ref<FontData>(static_cast<FontData*>(StockData(SYSTEM_FONT)));
    a.pFont = static_cast<CFont*>(StockWrapper(SYSTEM_FONT));
    a.pen = Ref<PenData>(static_cast<PenData*>(StockData(BLACK_PEN)));
    a.pPen = static_cast<CPen*>(StockWrapper(BLACK_PEN));
    a.brush = Ref<BrushData>(static_cast<BrushData*>(StockData(WHITE_BRUSH)));
    a.pBrush = static_cast<CBrush*>(StockWrapper(WHITE_BRUSH));
    a.bitmap = Ref<BitmapData>(DefaultBitmapData());
    a.pBitmap = DefaultBitmapWrapper();
    a.palette = Ref<PaletteData>(static_cast<PaletteData*>(StockData(DEFAULT_PALETTE)));
    a.pPalette = static_cast<CPalette*>(StockWrapper(DEFAULT_PALETTE));
    saved.clear();
    kind = kNone;
    wnd = nullptr;
    hasPaintClip = false;
    paintClip = QRegion();
    touched = QRect();
}

QImage* DCState::Target() const
{
    QImage* img = nullptr;
    if (kind == kMemory)
        img = a.bitmap ? &a.bitmap->image : nullptr;
    else if (kind == kWindow && wnd)
        img = WindowSurface(wnd);
    return img && !img->isNull() ? img : nullptr;
}

QRegion DCState::Clip(const QImage& img) const
{
    QRegion r(img.rect());
    if (hasPaintClip)
        r &= paintClip;
    if (a.hasClip)
        r &= a.clip;
    return r;
}

DCPainter::DCPainter(DCState& s, const QRect* extraClip, const QRect* bounds)
{
    QImage* img = s.Target();
    if (!img)
        return;
    QRegion clip = s.Clip(*img);
    if (extraClip)
        clip &= *extraClip;
    if (bounds)
        clip &= *bounds;
    if (clip.isEmpty())
        return;
    m_visible = clip.boundingRect();
    s.touched |= m_visible;
    m_painter = std::make_unique<QPainter>(img);
    if (!m_painter->isActive())
        return;
    if (clip.rectCount() != 1 || clip.boundingRect() != img->rect())
        m_painter->setClipRegion(clip);
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_ok = true;
}

DCPainter::~DCPainter()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

QImage* DCImage(CDC* pDC)
{
    return pDC ? DCState::Of(pDC).Target() : nullptr;
}

void DrawImage(CDC* pDC, int x, int y, int cx, int cy, const QImage& image, int sx, int sy, int sw, int sh)
{
    if (!pDC || image.isNull() || cx <= 0 || cy <= 0)
        return;
    if (sw < 0)
        sw = image.width() - sx;
    if (sh < 0)
        sh = image.height() - sy;
    if (sw <= 0 || sh <= 0)
        return;
    DCState& s = DCState::Of(pDC);
    QRect target(DevPoint(s, x, y), QSize(cx, cy));
    DCPainter dp(s, nullptr, &target);
    if (!dp.ok())
        return;
    if (sw != cx || sh != cy)
        dp.p().setRenderHint(QPainter::SmoothPixmapTransform, true);
    dp.p().drawImage(target, image, QRect(sx, sy, sw, sh));
}

} // namespace kor

using namespace kor;

namespace {

QRect DevRect(const DCState& s, int l, int t, int r, int b)
{
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    const QPoint tl = DevPoint(s, l, t), br = DevPoint(s, r, b);
    return QRect(tl, QSize(br.x() - tl.x(), br.y() - tl.y()));
}

void Fill(QPainter& p, const QRect& r, COLORREF c)
{
    if (!r.isEmpty())
        p.fillRect(r, ToQColor(c));
}

// Pixels of a pen line from a to b, b excluded, following the pen style's dash pattern. Step k along
// the major axis puts the minor coordinate at the nearest pixel (halves rounded up); only steps
// whose major coordinate lies within [lo, hi] are produced, so long lines cost what is visible.
void LinePixels(const QPoint& a, const QPoint& b, int style, int lo, int hi, std::vector<QPoint>& out)
{
    static const int dash[] = {18, 6};
    static const int dot[] = {3, 3};
    static const int dashDot[] = {9, 6, 3, 6};
    static const int dashDotDot[] = {9, 3, 3, 3, 3, 3};
    const int* pattern = nullptr;
    int patternLen = 0;
    switch (style) {
    case PS_DASH:
        pattern = dash, patternLen = 2;
        break;
    case PS_DOT:
        pattern = dot, patternLen = 2;
        break;
    case PS_DASHDOT:
        pattern = dashDot, patternLen = 4;
        break;
    case PS_DASHDOTDOT:
        pattern = dashDotDot, patternLen = 6;
        break;
    default:
        break;
    }
    int period = 0;
    for (int i = 0; i < patternLen; ++i)
        period += pattern[i];

    const long long dx = (long long)b.x() - a.x(), dy = (long long)b.y() - a.y();
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long dMajor = xMajor ? dx : dy, dMinor = xMajor ? dy : dx;
    const long long n = std::llabs(dMajor);
    if (n == 0)
        return;
    const long long major0 = xMajor ? a.x() : a.y(), minor0 = xMajor ? a.y() : a.x();
    const long long sMajor = dMajor > 0 ? 1 : -1, sMinor = dMinor >= 0 ? 1 : -1;
    const long long absMinor = std::llabs(dMinor);
    // Steps whose major coordinate falls in [lo, hi].
    long long k0 = sMajor > 0 ? lo - major0 : major0 - hi;
    long long k1 = sMajor > 0 ? hi - major0 : major0 - lo;
    k0 = std::max(k0, 0LL);
    k1 = std::min(k1, n - 1);
    for (long long k = k0; k <= k1; ++k) {
        if (pattern) {
            long long phase = k % period;
            int seg = 0;
            while (phase >= pattern[seg])
                phase -= pattern[seg++];
            if (seg % 2)
                continue;
        }
        const long long major = major0 + sMajor * k;
        const long long minor = minor0 + sMinor * ((2 * k * absMinor + n) / (2 * n));
        out.emplace_back(int(xMajor ? major : minor), int(xMajor ? minor : major));
    }
}

// Draws pen pixels, merging horizontal neighbours into runs; a wide pen paints a square per pixel.
void PaintPixels(QPainter& p, const std::vector<QPoint>& pts, int width, COLORREF c)
{
    const QColor color = ToQColor(c);
    const int w = width > 1 ? width : 1;
    const int off = w / 2;
    size_t i = 0;
    while (i < pts.size()) {
        size_t j = i + 1;
        int minX = pts[i].x(), maxX = pts[i].x();
        while (j < pts.size() && pts[j].y() == pts[i].y() && std::abs(pts[j].x() - pts[j - 1].x()) == 1) {
            minX = std::min(minX, pts[j].x());
            maxX = std::max(maxX, pts[j].x());
            ++j;
        }
        p.fillRect(QRect(minX - off, pts[i].y() - off, maxX - minX + w, w), color);
        i = j;
    }
}

// Column spans [x0, x1] (relative to the box) of the ellipse inscribed in a w x h box, per row.
void EllipseSpans(int w, int h, std::vector<std::pair<int, int>>& spans)
{
    spans.assign(size_t(h), {1, 0});
    const double a = w / 2.0, b = h / 2.0;
    for (int j = 0; j < h; ++j) {
        const double yc = (j + 0.5 - b) / b;
        const double t = 1.0 - yc * yc;
        if (t < 0)
            continue;
        const double half = a * std::sqrt(t);
        int x0 = int(std::ceil(a - half - 0.5 - 1e-9));
        int x1 = int(std::floor(a + half - 0.5 + 1e-9));
        x0 = std::max(x0, 0);
        x1 = std::min(x1, w - 1);
        spans[size_t(j)] = {x0, x1};
    }
}

CGdiObject* SelectInto(DCState& s, CGdiObject* pObject)
{
    if (!pObject)
        return nullptr;
    GdiData* d = ToData(pObject->m_hObject);
    if (!d)
        return nullptr;
    CGdiObject* prev = nullptr;
    switch (d->type) {
    case OBJ_FONT:
        prev = s.a.pFont;
        s.a.font = Ref<FontData>(static_cast<FontData*>(d));
        s.a.pFont = static_cast<CFont*>(pObject);
        break;
    case OBJ_PEN:
        prev = s.a.pPen;
        s.a.pen = Ref<PenData>(static_cast<PenData*>(d));
        s.a.pPen = static_cast<CPen*>(pObject);
        break;
    case OBJ_BRUSH:
        prev = s.a.pBrush;
        s.a.brush = Ref<BrushData>(static_cast<BrushData*>(d));
        s.a.pBrush = static_cast<CBrush*>(pObject);
        break;
    case OBJ_BITMAP:
        // Only memory DCs take bitmaps.
        if (s.kind != DCState::kMemory)
            return nullptr;
        prev = s.a.pBitmap;
        s.a.bitmap = Ref<BitmapData>(static_cast<BitmapData*>(d));
        s.a.pBitmap = static_cast<CBitmap*>(pObject);
        break;
    case OBJ_PAL:
        prev = s.a.pPalette;
        s.a.palette = Ref<PaletteData>(static_cast<PaletteData*>(d));
        s.a.pPalette = static_cast<CPalette*>(pObject);
        break;
    default:
        return nullptr;
    }
    return prev;
}

// The previous object is read from its typed slot: it may no longer exist, and is only handed back.
template <class T> T* SelectTyped(DCState& s, T* pObject, T* DCAttributes::*slot, UINT type)
{
    if (!pObject || !ToData(pObject->m_hObject) || ToData(pObject->m_hObject)->type != type)
        return nullptr;
    T* prev = s.a.*slot;
    return SelectInto(s, pObject) ? prev : nullptr;
}

int RegionKind(const QRegion& r)
{
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// A stand-in for "everything" when a DC without a surface is asked to exclude from its clipping.
const QRect kHugeRect(-(1 << 28), -(1 << 28), 1 << 29, 1 << 29);

} // namespace

// ---------------------------------------------------------------------------------------------------

CDC::CDC() : m_pState(new DCState)
{
    m_pState->Reset();
}

CDC::~CDC()
{
    delete m_pState;
}

BOOL CDC::CreateCompatibleDC(CDC* /*pDC*/)
{
    m_pState->Reset();
    m_pState->kind = DCState::kMemory;
    m_hDC = m_hAttribDC = reinterpret_cast<HDC>(this);
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    m_pState->Reset();
    m_hDC = m_hAttribDC = nullptr;
    return TRUE;
}

void CDC::AttachWindow(CWnd* pWnd)
{
    DCState& s = *m_pState;
    s.Reset();
    s.kind = pWnd ? DCState::kWindow : DCState::kNone;
    s.wnd = pWnd;
    m_hDC = m_hAttribDC = reinterpret_cast<HDC>(this);
}

CWnd* CDC::GetWindow() const
{
    return m_pState->wnd;
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return SelectInto(*m_pState, StockWrapper(nIndex));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return SelectTyped(*m_pState, pPen, &DCAttributes::pPen, OBJ_PEN);
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return SelectTyped(*m_pState, pBrush, &DCAttributes::pBrush, OBJ_BRUSH);
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return SelectTyped(*m_pState, pFont, &DCAttributes::pFont, OBJ_FONT);
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return SelectTyped(*m_pState, pBitmap, &DCAttributes::pBitmap, OBJ_BITMAP);
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return SelectInto(*m_pState, pObject);
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL /*bForceBackground*/)
{
    return SelectTyped(*m_pState, pPalette, &DCAttributes::pPalette, OBJ_PAL);
}

UINT CDC::RealizePalette()
{
    return 0; // a true-colour surface maps no palette entries
}

CPen* CDC::GetCurrentPen() const
{
    return m_pState->a.pPen;
}

CBrush* CDC::GetCurrentBrush() const
{
    return m_pState->a.pBrush;
}

CFont* CDC::GetCurrentFont() const
{
    return m_pState->a.pFont;
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return m_pState->kind == DCState::kMemory ? m_pState->a.pBitmap : nullptr;
}

CPalette* CDC::GetCurrentPalette() const
{
    return m_pState->a.pPalette;
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    COLORREF old = m_pState->a.text;
    m_pState->a.text = crColor & 0xFFFFFF;
    return old;
}

COLORREF CDC::GetTextColor() const
{
    return m_pState->a.text;
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    COLORREF old = m_pState->a.bk;
    m_pState->a.bk = crColor & 0xFFFFFF;
    return old;
}

COLORREF CDC::GetBkColor() const
{
    return m_pState->a.bk;
}

int CDC::SetBkMode(int nBkMode)
{
    if (nBkMode != TRANSPARENT && nBkMode != OPAQUE)
        return 0;
    int old = m_pState->a.bkMode;
    m_pState->a.bkMode = nBkMode;
    return old;
}

int CDC::GetBkMode() const
{
    return m_pState->a.bkMode;
}

int CDC::SetMapMode(int nMapMode)
{
    return nMapMode == MM_TEXT ? MM_TEXT : 0;
}

int CDC::GetMapMode() const
{
    return MM_TEXT;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    QImage* img = m_pState->Target();
    switch (nIndex) {
    case HORZRES:
        return img ? img->width() : GetSystemMetrics(SM_CXSCREEN);
    case VERTRES:
        return img ? img->height() : GetSystemMetrics(SM_CYSCREEN);
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case RASTERCAPS:
    case SIZEPALETTE:
    default:
        return 0;
    }
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    QPoint old = m_pState->a.org;
    m_pState->a.org = QPoint(x, y);
    return CPoint(old.x(), old.y());
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    QPoint old = m_pState->a.org;
    m_pState->a.org += QPoint(nWidth, nHeight);
    return CPoint(old.x(), old.y());
}

CPoint CDC::GetViewportOrg() const
{
    return CPoint(m_pState->a.org.x(), m_pState->a.org.y());
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    for (int i = 0; lpPoints && i < nCount; ++i) {
        lpPoints[i].x += m_pState->a.org.x();
        lpPoints[i].y += m_pState->a.org.y();
    }
}

void CDC::LPtoDP(LPRECT lpRect) const
{
    LPtoDP(reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    for (int i = 0; lpPoints && i < nCount; ++i) {
        lpPoints[i].x -= m_pState->a.org.x();
        lpPoints[i].y -= m_pState->a.org.y();
    }
}

void CDC::DPtoLP(LPRECT lpRect) const
{
    DPtoLP(reinterpret_cast<LPPOINT>(lpRect), 2);
}

// ---------------------------------------------------------------------------------------------------
// Clipping.

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    DCState& s = *m_pState;
    QRect r = DevRect(s, x1, y1, x2, y2);
    if (s.a.hasClip)
        s.a.clip &= r;
    else
        s.a.clip = QRegion(r);
    s.a.hasClip = true;
    return RegionKind(s.a.clip);
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return lpRect ? IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : 0;
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    DCState& s = *m_pState;
    if (!s.a.hasClip) {
        QImage* img = s.Target();
        s.a.clip = QRegion(img ? img->rect() : kHugeRect);
        s.a.hasClip = true;
    }
    s.a.clip -= DevRect(s, x1, y1, x2, y2);
    return RegionKind(s.a.clip);
}

int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    return lpRect ? ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : 0;
}

int CDC::SelectClipRgn(CGdiObject* pRgn)
{
    if (pRgn)
        return 0; // regions are not GDI objects of this layer
    m_pState->a.hasClip = false;
    m_pState->a.clip = QRegion();
    return SIMPLEREGION;
}

int CDC::GetClipBox(LPRECT lpRect) const
{
    const DCState& s = *m_pState;
    QImage* img = s.Target();
    QRegion clip = img ? s.Clip(*img) : (s.a.hasClip ? s.a.clip : QRegion());
    QRect b = clip.boundingRect().translated(-s.a.org);
    if (lpRect) {
        if (clip.isEmpty())
            *lpRect = RECT{0, 0, 0, 0};
        else
            *lpRect = RECT{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
    }
    return RegionKind(clip);
}

BOOL CDC::RectVisible(LPCRECT lpRect) const
{
    const DCState& s = *m_pState;
    QImage* img = s.Target();
    if (!lpRect || !img)
        return FALSE;
    return s.Clip(*img).intersects(DevRect(s, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom));
}

BOOL CDC::PtVisible(int x, int y) const
{
    const DCState& s = *m_pState;
    QImage* img = s.Target();
    return img && s.Clip(*img).contains(DevPoint(s, x, y));
}

int CDC::SaveDC()
{
    m_pState->saved.push_back(m_pState->a);
    return int(m_pState->saved.size());
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    DCState& s = *m_pState;
    int n = int(s.saved.size());
    int index = nSavedDC < 0 ? n + nSavedDC : nSavedDC - 1;
    if (index < 0 || index >= n)
        return FALSE;
    s.a = s.saved[size_t(index)];
    s.saved.resize(size_t(index));
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// Lines and shapes.

CPoint CDC::MoveTo(int x, int y)
{
    QPoint old = m_pState->a.cur;
    m_pState->a.cur = QPoint(x, y);
    return CPoint(old.x(), old.y());
}

CPoint CDC::GetCurrentPosition() const
{
    return CPoint(m_pState->a.cur.x(), m_pState->a.cur.y());
}

BOOL CDC::LineTo(int x, int y)
{
    DCState& s = *m_pState;
    const QPoint from = DevPoint(s, s.a.cur.x(), s.a.cur.y()), to = DevPoint(s, x, y);
    s.a.cur = QPoint(x, y);
    const PenData* pen = s.a.pen.get();
    if (!pen || pen->style == PS_NULL || from == to)
        return TRUE;
    const int w = std::min(std::max(pen->width, 1), 1 << 12);
    QRect bounds = QRect(from, to).normalized().adjusted(-w, -w, w, w);
    QImage* img = s.Target();
    if (!img)
        return TRUE;
    // Only the part of the line near the drawable area is rasterised.
    const QRect visible = (s.Clip(*img).boundingRect() & bounds).adjusted(-w, -w, w, w);
    DCPainter dp(s, nullptr, &bounds);
    if (dp.ok()) {
        const bool xMajor = std::abs(to.x() - from.x()) >= std::abs(to.y() - from.y());
        std::vector<QPoint> pts;
        LinePixels(from, to, pen->style, xMajor ? visible.left() : visible.top(),
                   xMajor ? visible.right() : visible.bottom(), pts);
        PaintPixels(dp.p(), pts, w, pen->color);
    }
    return TRUE;
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    if (!lpPoints || nCount < 2)
        return FALSE;
    QPoint saved = m_pState->a.cur;
    MoveTo(lpPoints[0].x, lpPoints[0].y);
    for (int i = 1; i < nCount; ++i)
        LineTo(lpPoints[i].x, lpPoints[i].y);
    m_pState->a.cur = saved;
    return TRUE;
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    DCState& s = *m_pState;
    QRect r = DevRect(s, x1, y1, x2, y2);
    if (r.isEmpty())
        return TRUE;
    DCPainter dp(s, nullptr, &r);
    if (!dp.ok())
        return TRUE;
    const PenData* pen = s.a.pen.get();
    const BrushData* brush = s.a.brush.get();
    const bool outline = pen && pen->style != PS_NULL;
    const int w = outline ? std::max(pen->width, 1) : 0;
    if (brush && brush->style != BS_NULL)
        Fill(dp.p(), r.adjusted(w, w, -w, -w), brush->color);
    if (outline) {
        const QColor c = ToQColor(pen->color);
        const int tw = std::min(w, r.width()), th = std::min(w, r.height());
        dp.p().fillRect(QRect(r.left(), r.top(), r.width(), th), c);
        dp.p().fillRect(QRect(r.left(), r.bottom() - th + 1, r.width(), th), c);
        dp.p().fillRect(QRect(r.left(), r.top(), tw, r.height()), c);
        dp.p().fillRect(QRect(r.right() - tw + 1, r.top(), tw, r.height()), c);
    }
    return TRUE;
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return lpRect ? Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    DCState& s = *m_pState;
    QRect r = DevRect(s, x1, y1, x2, y2);
    if (r.isEmpty() || r.width() > 1 << 16 || r.height() > 1 << 16)
        return TRUE;
    DCPainter dp(s, nullptr, &r);
    if (!dp.ok())
        return TRUE;
    const PenData* pen = s.a.pen.get();
    const BrushData* brush = s.a.brush.get();
    const bool outline = pen && pen->style != PS_NULL;
    const bool fill = brush && brush->style != BS_NULL;
    std::vector<std::pair<int, int>> spans;
    EllipseSpans(r.width(), r.height(), spans);
    auto inside = [&](int i, int j) {
        return j >= 0 && j < int(spans.size()) && i >= spans[size_t(j)].first && i <= spans[size_t(j)].second;
    };
    const QColor penColor = outline ? ToQColor(pen->color) : QColor();
    const QColor brushColor = fill ? ToQColor(brush->color) : QColor();
    for (int j = 0; j < r.height(); ++j) {
        const auto [x0, x1] = spans[size_t(j)];
        if (x0 > x1)
            continue;
        // Runs of outline pixels (touching the outside) and inner pixels along the row.
        int runStart = x0;
        bool runEdge = false;
        for (int i = x0; i <= x1 + 1; ++i) {
            bool edge = false;
            if (i <= x1)
                edge = i == x0 || i == x1 || !inside(i, j - 1) || !inside(i, j + 1);
            if (i == x0) {
                runEdge = edge;
                continue;
            }
            if (i > x1 || edge != runEdge) {
                const QRect run(r.left() + runStart, r.top() + j, i - runStart, 1);
                if (runEdge && outline)
                    dp.p().fillRect(run, penColor);
                else if (fill)
                    dp.p().fillRect(run, brushColor);
                runStart = i;
                runEdge = edge;
            }
        }
    }
    return TRUE;
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
    return lpRect ? Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (!lpRect || !pBrush)
        return;
    BrushData* brush = DataAs<BrushData>(pBrush->m_hObject, OBJ_BRUSH);
    if (!brush || brush->style == BS_NULL || lpRect->right <= lpRect->left || lpRect->bottom <= lpRect->top)
        return;
    DCState& s = *m_pState;
    QRect r = DevRect(s, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    DCPainter dp(s, nullptr, &r);
    if (dp.ok())
        Fill(dp.p(), r, brush->color);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (!lpRect || !pBrush)
        return;
    BrushData* brush = DataAs<BrushData>(pBrush->m_hObject, OBJ_BRUSH);
    if (!brush || brush->style == BS_NULL || lpRect->right <= lpRect->left || lpRect->bottom <= lpRect->top)
        return;
    DCState& s = *m_pState;
    QRect r = DevRect(s, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    DCPainter dp(s, nullptr, &r);
    if (!dp.ok())
        return;
    Fill(dp.p(), QRect(r.left(), r.top(), r.width(), 1), brush->color);
    Fill(dp.p(), QRect(r.left(), r.bottom(), r.width(), 1), brush->color);
    Fill(dp.p(), QRect(r.left(), r.top(), 1, r.height()), brush->color);
    Fill(dp.p(), QRect(r.right(), r.top(), 1, r.height()), brush->color);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    if (lpRect)
        FillSolidRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                      clr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    DCState& s = *m_pState;
    s.a.bk = clr & 0xFFFFFF;
    QRect r = DevRect(s, x, y, x + cx, y + cy);
    if (r.isEmpty())
        return;
    DCPainter dp(s, nullptr, &r);
    if (dp.ok())
        Fill(dp.p(), r, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (lpRect)
        Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                   clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    // Four solid fills, as the framework does it: the background colour ends as the bottom-right one.
    DCState& s = *m_pState;
    s.a.bk = clrBottomRight & 0xFFFFFF;
    if (cx <= 0 || cy <= 0)
        return;
    QRect r = DevRect(s, x, y, x + cx, y + cy);
    DCPainter dp(s, nullptr, &r);
    if (!dp.ok())
        return;
    Fill(dp.p(), QRect(r.left(), r.top(), cx - 1, 1), clrTopLeft);
    Fill(dp.p(), QRect(r.left(), r.top(), 1, cy - 1), clrTopLeft);
    Fill(dp.p(), QRect(r.left() + cx - 1, r.top(), 1, cy), clrBottomRight);
    Fill(dp.p(), QRect(r.left(), r.top() + cy - 1, cx, 1), clrBottomRight);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    DCState& s = *m_pState;
    QRect r(DevPoint(s, x, y), QSize(1, 1));
    DCPainter dp(s, nullptr, &r);
    if (!dp.ok())
        return 0xFFFFFFFF;
    Fill(dp.p(), r, crColor);
    return crColor & 0xFFFFFF;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    const DCState& s = *m_pState;
    QImage* img = s.Target();
    QPoint p = DevPoint(s, x, y);
    if (!img || !img->rect().contains(p))
        return 0xFFFFFFFF;
    return FromQRgb(qUnpremultiply(img->pixel(p)));
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    DCState& s = *m_pState;
    COLORREF c;
    if (dwRop == BLACKNESS)
        c = 0x000000;
    else if (dwRop == WHITENESS)
        c = 0xFFFFFF;
    else if (dwRop == PATCOPY) {
        if (!s.a.brush || s.a.brush->style == BS_NULL)
            return TRUE;
        c = s.a.brush->color;
    } else {
        return FALSE;
    }
    QRect r = DevRect(s, x, y, x + nWidth, y + nHeight);
    DCPainter dp(s, nullptr, &r);
    if (dp.ok())
        Fill(dp.p(), r, c);
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    if (dwRop != SRCCOPY)
        return PatBlt(x, y, nWidth, nHeight, dwRop);
    if (!pSrcDC || nWidth <= 0 || nHeight <= 0)
        return FALSE;
    DCState& s = *m_pState;
    const DCState& src = DCState::Of(pSrcDC);
    QImage* srcImg = src.Target();
    if (!srcImg)
        return FALSE;
    // Source rectangle in the source image's pixels, cut to the image; the destination follows.
    QRect srcRect(DevPoint(src, xSrc, ySrc), QSize(nWidth, nHeight));
    QRect cut = srcRect & srcImg->rect();
    if (cut.isEmpty())
        return TRUE;
    QPoint dst = DevPoint(s, x, y) + (cut.topLeft() - srcRect.topLeft());
    QRect dstRect(dst, cut.size());
    // The copy goes through a temporary, so overlapping copies within one image come out right;
    // pixels are taken as they are and made opaque.
    QImage tmp = srcImg->copy(cut);
    if (tmp.format() != QImage::Format_ARGB32_Premultiplied)
        tmp = tmp.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int j = 0; j < tmp.height(); ++j) {
        QRgb* line = reinterpret_cast<QRgb*>(tmp.scanLine(j));
        for (int i = 0; i < tmp.width(); ++i)
            line[i] |= 0xFF000000u;
    }
    DCPainter dp(s, nullptr, &dstRect);
    if (!dp.ok())
        return TRUE;
    dp.p().setCompositionMode(QPainter::CompositionMode_Source);
    dp.p().drawImage(dst, tmp);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// Window DCs.

CClientDC::CClientDC(CWnd* pWnd) : m_pWnd(pWnd)
{
    AttachWindow(pWnd);
}

CClientDC::~CClientDC()
{
    if (!m_pWnd)
        return;
    const QRect t = DCState::Of(this).touched;
    RECT r{0, 0, 0, 0};
    if (!t.isEmpty())
        r = RECT{t.left(), t.top(), t.left() + t.width(), t.top() + t.height()};
    WindowReleaseDC(m_pWnd, r);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd)
{
    AttachWindow(pWnd);
    m_ps.hdc = m_hDC;
    m_ps.fErase = FALSE;
    m_ps.rcPaint = RECT{0, 0, 0, 0};
    if (!pWnd)
        return;
    DCState& s = DCState::Of(this);
    QRegion region;
    RECT rc{0, 0, 0, 0};
    if (WindowBeginPaint(pWnd, region, rc)) {
        s.hasPaintClip = true;
        s.paintClip = region;
        m_ps.rcPaint = rc;
    } else if (QImage* img = s.Target()) {
        m_ps.rcPaint = RECT{0, 0, img->width(), img->height()};
    }
}

CPaintDC::~CPaintDC()
{
    if (m_pWnd)
        WindowEndPaint(m_pWnd);
}

// ---------------------------------------------------------------------------------------------------

HWND WindowFromDC(HDC hDC)
{
    CDC* dc = CDC::FromHandle(hDC);
    CWnd* wnd = dc ? dc->GetWindow() : nullptr;
    return wnd ? WindowHandle(wnd) : nullptr;
}

BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c)
{
    CDC* dc = CDC::FromHandle(hdc);
    if (!dc)
        return FALSE;
    dc->LPtoDP(lppt, c);
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c)
{
    CDC* dc = CDC::FromHandle(hdc);
    if (!dc)
        return FALSE;
    dc->DPtoLP(lppt, c);
    return TRUE;
}
