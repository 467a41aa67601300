// GDI objects (fonts, pens, brushes, bitmaps, palettes), stock objects, system colours and metrics.
#include "platform/gdi/gdi_p.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNCREATE(CFont, CGdiObject)
IMPLEMENT_DYNCREATE(CPen, CGdiObject)
IMPLEMENT_DYNCREATE(CBrush, CGdiObject)
IMPLEMENT_DYNCREATE(CBitmap, CGdiObject)
IMPLEMENT_DYNCREATE(CPalette, CGdiObject)

namespace kor {

void AddRef(GdiData* d)
{
    if (d && !d->stock)
        ++d->refs;
}

void Release(GdiData* d)
{
    if (d && !d->stock && --d->refs == 0)
        delete d;
}

QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF FromQRgb(QRgb rgb)
{
    return RGB(BYTE(qRed(rgb)), BYTE(qGreen(rgb)), BYTE(qBlue(rgb)));
}

namespace {

struct StockTable
{
    GdiData* data[DEFAULT_GUI_FONT + 1] = {};
    CGdiObject* wrappers[DEFAULT_GUI_FONT + 1] = {};
    BitmapData* defaultBitmap = nullptr;
    CBitmap* defaultBitmapWrapper = nullptr;

    static BrushData* Brush(COLORREF c, UINT style = BS_SOLID)
    {
        auto* b = new BrushData;
        b->color = c;
        b->style = style;
        return b;
    }
    static PenData* Pen(COLORREF c, int style = PS_SOLID)
    {
        auto* p = new PenData;
        p->color = c;
        p->style = style;
        return p;
    }
    static FontData* Font(int height, const char* face, BYTE pitch)
    {
        auto* f = new FontData;
        f->lf.lfHeight = height;
        f->lf.lfWeight = FW_NORMAL;
        f->lf.lfCharSet = DEFAULT_CHARSET;
        f->lf.lfPitchAndFamily = pitch;
        strncpy(f->lf.lfFaceName, face, LF_FACESIZE - 1);
        return f;
    }

    // Stock objects live for the whole process (reachable through this table).
    StockTable()
    {
        data[WHITE_BRUSH] = Brush(0xFFFFFF);
        data[LTGRAY_BRUSH] = Brush(0xC0C0C0);
        data[GRAY_BRUSH] = Brush(0x808080);
        data[DKGRAY_BRUSH] = Brush(0x404040);
        data[BLACK_BRUSH] = Brush(0x000000);
        data[NULL_BRUSH] = Brush(0x000000, BS_NULL);
        data[WHITE_PEN] = Pen(0xFFFFFF);
        data[BLACK_PEN] = Pen(0x000000);
        data[NULL_PEN] = Pen(0x000000, PS_NULL);
        data[OEM_FIXED_FONT] = Font(16, "Courier New", FIXED_PITCH | FF_MODERN);
        data[ANSI_FIXED_FONT] = Font(16, "Courier New", FIXED_PITCH | FF_MODERN);
        data[ANSI_VAR_FONT] = Font(16, "System", VARIABLE_PITCH | FF_SWISS);
        data[SYSTEM_FONT] = Font(16, "System", VARIABLE_PITCH | FF_SWISS);
        data[DEVICE_DEFAULT_FONT] = Font(16, "System", VARIABLE_PITCH | FF_SWISS);
        data[DEFAULT_PALETTE] = new PaletteData;
        data[SYSTEM_FIXED_FONT] = Font(16, "Courier New", FIXED_PITCH | FF_MODERN);
        data[DEFAULT_GUI_FONT] = Font(16, "System", VARIABLE_PITCH | FF_SWISS);
        for (int i = 0; i <= DEFAULT_GUI_FONT; ++i) {
            if (!data[i])
                continue;
            data[i]->stock = true;
            CGdiObject* w = nullptr;
            switch (data[i]->type) {
            case OBJ_FONT:
                w = new CFont;
                break;
            case OBJ_PEN:
                w = new CPen;
                break;
            case OBJ_BRUSH:
                w = new CBrush;
                break;
            default:
                w = new CPalette;
                break;
            }
            w->m_hObject = ToHandle(data[i]);
            wrappers[i] = w;
        }
        defaultBitmap = new BitmapData;
        defaultBitmap->stock = true;
        defaultBitmapWrapper = new CBitmap;
        defaultBitmapWrapper->m_hObject = ToHandle(defaultBitmap);
    }
};

StockTable& Stock()
{
    static StockTable* table = new StockTable;
    return *table;
}

bool& BoxModeFlag()
{
    static bool on = [] {
        const char* v = getenv("KORHTML_BOX_FONT");
        return v && strcmp(v, "1") == 0;
    }();
    return on;
}

} // namespace

GdiData* StockData(int index)
{
    if (index < 0 || index > DEFAULT_GUI_FONT)
        return nullptr;
    return Stock().data[index];
}

CGdiObject* StockWrapper(int index)
{
    if (index < 0 || index > DEFAULT_GUI_FONT)
        return nullptr;
    return Stock().wrappers[index];
}

BitmapData* DefaultBitmapData()
{
    return Stock().defaultBitmap;
}

CBitmap* DefaultBitmapWrapper()
{
    return Stock().defaultBitmapWrapper;
}

void SetBoxFontMode(bool on)
{
    BoxModeFlag() = on;
}

bool IsBoxFontMode()
{
    return BoxModeFlag();
}

bool IsBoxFontModeFast()
{
    return BoxModeFlag();
}

QImage* BitmapImage(CBitmap* pBitmap)
{
    BitmapData* b = pBitmap ? DataAs<BitmapData>(pBitmap->m_hObject, OBJ_BITMAP) : nullptr;
    return b ? &b->image : nullptr;
}

} // namespace kor

using namespace kor;

// ---------------------------------------------------------------------------------------------------

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject)
        return FALSE;
    DeleteObject();
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    Release(ToData(m_hObject));
    m_hObject = nullptr;
    return TRUE;
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObject(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    GdiData* d = ToData(m_hObject);
    return d ? d->type : 0;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    GdiData* d = StockData(nIndex);
    return d ? Attach(ToHandle(d)) : FALSE;
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    if (!lpLogFont)
        return FALSE;
    auto* f = new FontData;
    f->lf = *lpLogFont;
    return Attach(ToHandle(f));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision,
                       BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    LOGFONT lf{};
    lf.lfHeight = nHeight;
    lf.lfWidth = nWidth;
    lf.lfEscapement = nEscapement;
    lf.lfOrientation = nOrientation;
    lf.lfWeight = nWeight;
    lf.lfItalic = bItalic;
    lf.lfUnderline = bUnderline;
    lf.lfStrikeOut = cStrikeOut;
    lf.lfCharSet = nCharSet;
    lf.lfOutPrecision = nOutPrecision;
    lf.lfClipPrecision = nClipPrecision;
    lf.lfQuality = nQuality;
    lf.lfPitchAndFamily = nPitchAndFamily;
    if (lpszFacename)
        strncpy(lf.lfFaceName, lpszFacename, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const
{
    return GetObject(int(sizeof(LOGFONT)), pLogFont);
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    auto* p = new PenData;
    p->style = (nPenStyle >= PS_SOLID && nPenStyle <= PS_INSIDEFRAME) ? nPenStyle : PS_SOLID;
    p->width = nWidth < 0 ? 0 : nWidth;
    p->color = crColor & 0xFFFFFF;
    return Attach(ToHandle(p));
}

int CPen::GetLogPen(LOGPEN* pLogPen) const
{
    return GetObject(int(sizeof(LOGPEN)), pLogPen);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    auto* b = new BrushData;
    b->color = crColor & 0xFFFFFF;
    return Attach(ToHandle(b));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return CreateSolidBrush(GetSysColor(nIndex));
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const
{
    return GetObject(int(sizeof(LOGBRUSH)), pLogBrush);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* /*pDC*/, int nWidth, int nHeight)
{
    auto* b = new BitmapData;
    if (nWidth > 0 && nHeight > 0) {
        b->image = QImage(nWidth, nHeight, QImage::Format_ARGB32_Premultiplied);
        if (b->image.isNull()) {
            delete b;
            return FALSE;
        }
        b->image.fill(QColor(0, 0, 0));
    }
    return Attach(ToHandle(b));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    return GetObject(int(sizeof(BITMAP)), pBitMap);
}

CSize CBitmap::GetBitmapDimension() const
{
    BitmapData* b = DataAs<BitmapData>(m_hObject, OBJ_BITMAP);
    return b ? CSize(b->image.width(), b->image.height()) : CSize();
}

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette)
{
    if (!lpLogPalette)
        return FALSE;
    auto* p = new PaletteData;
    p->entries.assign(lpLogPalette->palPalEntry, lpLogPalette->palPalEntry + lpLogPalette->palNumEntries);
    return Attach(ToHandle(p));
}

BOOL CPalette::CreateHalftonePalette(CDC* /*pDC*/)
{
    // The classic 6 x 6 x 6 colour cube; it has no effect on a true-colour surface.
    auto* p = new PaletteData;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p->entries.push_back(PALETTEENTRY{BYTE(r * 51), BYTE(g * 51), BYTE(b * 51), 0});
    return Attach(ToHandle(p));
}

int CPalette::GetEntryCount() const
{
    PaletteData* p = DataAs<PaletteData>(m_hObject, OBJ_PAL);
    return p ? int(p->entries.size()) : 0;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, PALETTEENTRY* lpPaletteColors) const
{
    PaletteData* p = DataAs<PaletteData>(m_hObject, OBJ_PAL);
    if (!p || !lpPaletteColors)
        return 0;
    UINT n = 0;
    for (UINT i = nStartIndex; i < p->entries.size() && n < nNumEntries; ++i)
        lpPaletteColors[n++] = p->entries[i];
    return n;
}

// ---------------------------------------------------------------------------------------------------

COLORREF GetSysColor(int nIndex)
{
    // The classic grey scheme.
    static const COLORREF colors[] = {
        0xC0C0C0, // COLOR_SCROLLBAR
        0x808000, // COLOR_BACKGROUND
        0x800000, // COLOR_ACTIVECAPTION
        0x808080, // COLOR_INACTIVECAPTION
        0xC0C0C0, // COLOR_MENU
        0xFFFFFF, // COLOR_WINDOW
        0x000000, // COLOR_WINDOWFRAME
        0x000000, // COLOR_MENUTEXT
        0x000000, // COLOR_WINDOWTEXT
        0xFFFFFF, // COLOR_CAPTIONTEXT
        0xC0C0C0, // COLOR_ACTIVEBORDER
        0xC0C0C0, // COLOR_INACTIVEBORDER
        0x808080, // COLOR_APPWORKSPACE
        0x800000, // COLOR_HIGHLIGHT
        0xFFFFFF, // COLOR_HIGHLIGHTTEXT
        0xC0C0C0, // COLOR_BTNFACE
        0x808080, // COLOR_BTNSHADOW
        0x808080, // COLOR_GRAYTEXT
        0x000000, // COLOR_BTNTEXT
        0xC0C0C0, // COLOR_INACTIVECAPTIONTEXT
        0xFFFFFF, // COLOR_BTNHIGHLIGHT
        0x000000, // COLOR_3DDKSHADOW
        0xC0C0C0, // COLOR_3DLIGHT
        0x000000, // COLOR_INFOTEXT
        0xE1FFFF, // COLOR_INFOBK
    };
    if (nIndex < 0 || nIndex >= int(sizeof(colors) / sizeof(colors[0])))
        return 0;
    return colors[nIndex];
}

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
        QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                              ? QGuiApplication::primaryScreen()
                              : nullptr;
        QSize size = screen ? screen->size() : QSize(1024, 768);
        return nIndex == SM_CXSCREEN ? size.width() : size.height();
    }
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return 16;
    case SM_CYCAPTION:
    case SM_CYMENU:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    default:
        return 0;
    }
}

HGDIOBJ GetStockObject(int nIndex)
{
    return ToHandle(StockData(nIndex));
}

BOOL DeleteObject(HGDIOBJ hObject)
{
    if (!hObject)
        return FALSE;
    Release(ToData(hObject));
    return TRUE;
}

int GetObject(HGDIOBJ hObject, int nCount, LPVOID lpObject)
{
    GdiData* d = ToData(hObject);
    if (!d)
        return 0;
    auto copy = [&](const void* src, int size) {
        if (!lpObject)
            return size;
        int n = nCount < size ? nCount : size;
        if (n <= 0)
            return 0;
        memcpy(lpObject, src, size_t(n));
        return n;
    };
    switch (d->type) {
    case OBJ_FONT:
        return copy(&static_cast<FontData*>(d)->lf, int(sizeof(LOGFONT)));
    case OBJ_PEN: {
        auto* p = static_cast<PenData*>(d);
        LOGPEN lp{UINT(p->style), POINT{p->width, 0}, p->color};
        return copy(&lp, int(sizeof(LOGPEN)));
    }
    case OBJ_BRUSH: {
        auto* b = static_cast<BrushData*>(d);
        LOGBRUSH lb{b->style, b->color, 0};
        return copy(&lb, int(sizeof(LOGBRUSH)));
    }
    case OBJ_BITMAP: {
        auto* b = static_cast<BitmapData*>(d);
        BITMAP bm{0, b->image.width(), b->image.height(), LONG(b->image.bytesPerLine()), 1, 32, nullptr};
        if (b->image.isNull())
            bm = BITMAP{0, 1, 1, 2, 1, 1, nullptr}; // the framework's 1 x 1 monochrome stand-in
        return copy(&bm, int(sizeof(BITMAP)));
    }
    case OBJ_PAL: {
        WORD count = WORD(static_cast<PaletteData*>(d)->entries.size());
        return copy(&count, int(sizeof(WORD)));
    }
    default:
        return 0;
    }
}
