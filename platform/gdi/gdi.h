// The framework's drawing layer: device contexts, GDI objects, system colours and metrics, the box font.
#pragma once

#include "korhtml/Export.h"
#include "platform/afx/afx.h"

// Qt types appear here only by name; the implementation keeps them behind private pointers.
class QImage;
class QRegion;
class CWnd;
class CDC;

// ---------------------------------------------------------------------------------------------------
// Handles. Every GDI object handle points at a reference-counted object of the layer; a DC that has
// an object selected holds its own reference, so deleting a selected object never leaves it dangling.
struct HGDIOBJ__;
typedef HGDIOBJ__* HGDIOBJ;
typedef HGDIOBJ HFONT;
typedef HGDIOBJ HPEN;
typedef HGDIOBJ HBRUSH;
typedef HGDIOBJ HBITMAP;
typedef HGDIOBJ HPALETTE;
typedef HGDIOBJ HRGN;
typedef POINT* LPPOINT;
typedef SIZE* LPSIZE;

// Background modes.
#define TRANSPARENT 1
#define OPAQUE 2

// Mapping modes (only MM_TEXT is supported).
#define MM_TEXT 1

// DrawText formats.
#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_EXPANDTABS 0x00000040
#define DT_TABSTOP 0x00000080
#define DT_NOCLIP 0x00000100
#define DT_EXTERNALLEADING 0x00000200
#define DT_CALCRECT 0x00000400
#define DT_NOPREFIX 0x00000800

// Pen styles.
#define PS_SOLID 0
#define PS_DASH 1
#define PS_DOT 2
#define PS_DASHDOT 3
#define PS_DASHDOTDOT 4
#define PS_NULL 5
#define PS_INSIDEFRAME 6

// Brush styles.
#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL

// Raster operations of BitBlt/PatBlt.
#define SRCCOPY 0x00CC0020
#define PATCOPY 0x00F00021
#define BLACKNESS 0x00000042
#define WHITENESS 0x00FF0062

// Stock objects.
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define OEM_FIXED_FONT 10
#define ANSI_FIXED_FONT 11
#define ANSI_VAR_FONT 12
#define SYSTEM_FONT 13
#define DEVICE_DEFAULT_FONT 14
#define DEFAULT_PALETTE 15
#define SYSTEM_FIXED_FONT 16
#define DEFAULT_GUI_FONT 17

// GetObjectType results.
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7

// Clipping results (0 is an error).
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3

// System colours (classic values, see GetSysColor).
#define COLOR_SCROLLBAR 0
#define COLOR_BACKGROUND 1
#define COLOR_ACTIVECAPTION 2
#define COLOR_INACTIVECAPTION 3
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_WINDOWFRAME 6
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_CAPTIONTEXT 9
#define COLOR_ACTIVEBORDER 10
#define COLOR_INACTIVEBORDER 11
#define COLOR_APPWORKSPACE 12
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_BTNSHADOW 16
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_INACTIVECAPTIONTEXT 19
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_3DDKSHADOW 21
#define COLOR_3DLIGHT 22
#define COLOR_INFOTEXT 23
#define COLOR_INFOBK 24
#define COLOR_3DFACE COLOR_BTNFACE
#define COLOR_3DSHADOW COLOR_BTNSHADOW
#define COLOR_3DHIGHLIGHT COLOR_BTNHIGHLIGHT
#define COLOR_3DHILIGHT COLOR_BTNHIGHLIGHT
#define COLOR_BTNHILIGHT COLOR_BTNHIGHLIGHT

// System metrics.
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYHSCROLL 3
#define SM_CYCAPTION 4
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CYVTHUMB 9
#define SM_CXHTHUMB 10
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CXCURSOR 13
#define SM_CYCURSOR 14
#define SM_CYMENU 15
#define SM_CYVSCROLL 20
#define SM_CXHSCROLL 21
#define SM_CXEDGE 45
#define SM_CYEDGE 46

// GetDeviceCaps indices.
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define RASTERCAPS 38
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define SIZEPALETTE 104
#define RC_PALETTE 0x0100

#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_LIGHT 300
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600

struct TEXTMETRIC
{
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
typedef TEXTMETRIC TEXTMETRICA;
typedef TEXTMETRIC* LPTEXTMETRIC;

struct BITMAP
{
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};

struct LOGPEN
{
    UINT lopnStyle;
    POINT lopnWidth;
    COLORREF lopnColor;
};

struct LOGBRUSH
{
    UINT lbStyle;
    COLORREF lbColor;
    uintptr_t lbHatch;
};

struct PALETTEENTRY
{
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

struct LOGPALETTE
{
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[1];
};
typedef LOGPALETTE* LPLOGPALETTE;

struct PAINTSTRUCT
{
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
};

// ---------------------------------------------------------------------------------------------------
// GDI objects.

class KORHTML_API CGdiObject : public CObject
{
    DECLARE_DYNCREATE(CGdiObject)

public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    ~CGdiObject() override;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }

    // Takes over the handle's reference / gives it up without deleting.
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    // Drops this object's reference to its GDI object (a DC that still has it selected keeps it alive).
    BOOL DeleteObject();
    // Copies the object's description (LOGFONT, LOGPEN, LOGBRUSH, BITMAP, or the palette's entry
    // count as a WORD); returns the number of bytes written, 0 on failure.
    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const;
    BOOL CreateStockObject(int nIndex);
};

class KORHTML_API CFont : public CGdiObject
{
    DECLARE_DYNCREATE(CFont)

public:
    CFont() = default;
    // Keeps the description exactly, so GetObject gives it back byte for byte.
    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename);
    int GetLogFont(LOGFONT* pLogFont) const;
    operator HFONT() const { return m_hObject; }
};

class KORHTML_API CPen : public CGdiObject
{
    DECLARE_DYNCREATE(CPen)

public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    int GetLogPen(LOGPEN* pLogPen) const;
    operator HPEN() const { return m_hObject; }
};

class KORHTML_API CBrush : public CGdiObject
{
    DECLARE_DYNCREATE(CBrush)

public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreateSysColorBrush(int nIndex);
    int GetLogBrush(LOGBRUSH* pLogBrush) const;
    operator HBRUSH() const { return m_hObject; }
};

class KORHTML_API CBitmap : public CGdiObject
{
    DECLARE_DYNCREATE(CBitmap)

public:
    CBitmap() = default;
    // A true-colour bitmap of the given size, opaque black (whatever pDC is).
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const;
    CSize GetBitmapDimension() const;
    operator HBITMAP() const { return m_hObject; }
};

class KORHTML_API CPalette : public CGdiObject
{
    DECLARE_DYNCREATE(CPalette)

public:
    CPalette() = default;
    BOOL CreatePalette(LPLOGPALETTE lpLogPalette);
    BOOL CreateHalftonePalette(CDC* pDC);
    int GetEntryCount() const;
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, PALETTEENTRY* lpPaletteColors) const;
    operator HPALETTE() const { return m_hObject; }
};

// ---------------------------------------------------------------------------------------------------
// Device contexts.

namespace kor {
struct DCState;
}

class KORHTML_API CDC : public CObject
{
    DECLARE_DYNCREATE(CDC)

public:
    // Both handles are this DC itself once it is created (null before); FromHandle maps them back.
    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;

    CDC();
    ~CDC() override;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    static CDC* FromHandle(HDC hDC) { return reinterpret_cast<CDC*>(hDC); }

    // A memory DC: draws into the bitmap selected into it (nothing until one is).
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();
    // The window whose surface this DC draws on; null for memory DCs.
    CWnd* GetWindow() const;

    // Objects. SelectObject returns the previously selected object (a stock object for the defaults).
    CGdiObject* SelectStockObject(int nIndex);
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CGdiObject* SelectObject(CGdiObject* pObject);
    CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
    UINT RealizePalette();
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    CPalette* GetCurrentPalette() const;

    // Attributes.
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const;
    int SetBkMode(int nBkMode);
    int GetBkMode() const;
    int SetMapMode(int nMapMode);
    int GetMapMode() const;
    int GetDeviceCaps(int nIndex) const;

    // Coordinates: logical + viewport origin = device.
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint OffsetViewportOrg(int nWidth, int nHeight);
    CPoint GetViewportOrg() const;
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
    void LPtoDP(LPRECT lpRect) const;
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
    void DPtoLP(LPRECT lpRect) const;

    // Clipping (rectangles in logical coordinates; the region is kept in device coordinates).
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT lpRect);
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(LPCRECT lpRect);
    int SelectClipRgn(CGdiObject* pRgn); // null: back to the DC's own clipping
    int GetClipBox(LPRECT lpRect) const;
    BOOL RectVisible(LPCRECT lpRect) const;
    BOOL PtVisible(int x, int y) const;
    int SaveDC();
    BOOL RestoreDC(int nSavedDC);

    // Lines and shapes with the selected pen and brush.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const;
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT lpRect);
    BOOL Polyline(const POINT* lpPoints, int nCount);
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    COLORREF SetPixel(int x, int y, COLORREF crColor);
    COLORREF GetPixel(int x, int y) const;
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);

    // Text in the selected font (CP949 bytes).
    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    CSize GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
    {
        return GetTextExtent(lpszString, nCount);
    }
    CSize GetOutputTextExtent(const CString& str) const { return GetTextExtent(str); }
    BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const;

protected:
    // Window DCs (CClientDC, CPaintDC) attach to a window's surface.
    void AttachWindow(CWnd* pWnd);

private:
    friend struct kor::DCState;
    kor::DCState* m_pState;

    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
};

// A DC on a window's client area; released (and what it touched shown) on destruction.
class KORHTML_API CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    CWnd* m_pWnd;
};

// A DC that serves one paint of a window, clipped to the region being painted.
class KORHTML_API CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    CWnd* m_pWnd;
};

// A DC on the whole window (the same surface as the client DC here).
class KORHTML_API CWindowDC : public CClientDC
{
public:
    explicit CWindowDC(CWnd* pWnd) : CClientDC(pWnd) {}
};

// ---------------------------------------------------------------------------------------------------
// Win32 functions the system calls on handles.

KORHTML_API COLORREF GetSysColor(int nIndex);
KORHTML_API int GetSystemMetrics(int nIndex);
KORHTML_API HGDIOBJ GetStockObject(int nIndex);
KORHTML_API BOOL DeleteObject(HGDIOBJ hObject);
KORHTML_API int GetObject(HGDIOBJ hObject, int nCount, LPVOID lpObject);
#define GetObjectA GetObject
KORHTML_API BOOL GetTextExtentPointA(HDC hdc, LPCSTR lpString, int c, LPSIZE lpSize);
KORHTML_API BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE lpSize);
KORHTML_API BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRIC lptm);
KORHTML_API HWND WindowFromDC(HDC hDC);
KORHTML_API BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c);
KORHTML_API BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c);

// ---------------------------------------------------------------------------------------------------
// The layer's own helpers.
namespace kor {

// Box-font mode: deterministic metrics for tests and reproducible output. Starts on when the
// environment has KORHTML_BOX_FONT=1; a call switches it for the whole process.
KORHTML_API void SetBoxFontMode(bool on);
KORHTML_API bool IsBoxFontMode();

// The image a DC draws on (a window surface or the selected bitmap), null when it has none;
// the image of a bitmap. Both are ARGB32 premultiplied. For tests and for the image library.
QImage* DCImage(CDC* pDC);
QImage* BitmapImage(CBitmap* pBitmap);

// Draws (part of) an image into a DC: the source rectangle (sx, sy, sw, sh) of the image into the
// logical rectangle (x, y, cx, cy), composed over what is there (alpha respected), smoothly scaled
// when the sizes differ, through the DC's viewport origin and clipping. A source width or height
// below 0 means "to the image's edge".
void DrawImage(CDC* pDC, int x, int y, int cx, int cy, const QImage& image, int sx = 0, int sy = 0,
               int sw = -1, int sh = -1);

// Hooks the window layer (platform/win) defines; this layer carries weak fallbacks (no surface)
// so that it links on its own.
//  - WindowSurface: the window's backing image (ARGB32 premultiplied), or null.
//  - WindowHandle: the window's HWND, for WindowFromDC.
//  - WindowBeginPaint: called by CPaintDC's constructor; fills the region being painted (device
//    coordinates) and its bounding rectangle, and returns false when no paint is in progress (the DC
//    is then unclipped and rcPaint is the whole surface).
//  - WindowEndPaint: called by CPaintDC's destructor.
//  - WindowReleaseDC: called by CClientDC's destructor with the device rectangle its drawing
//    touched (empty when nothing was drawn), so the window can schedule an update of it.
QImage* WindowSurface(CWnd* pWnd);
HWND WindowHandle(CWnd* pWnd);
bool WindowBeginPaint(CWnd* pWnd, QRegion& region, RECT& rcPaint);
void WindowEndPaint(CWnd* pWnd);
void WindowReleaseDC(CWnd* pWnd, const RECT& rcTouched);

} // namespace kor
