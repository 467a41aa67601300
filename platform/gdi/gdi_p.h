// Private side of the drawing layer: reference-counted GDI objects, DC state, font internals (uses Qt).
#pragma once

#include "platform/gdi/gdi.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QRegion>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kor {

// The object a GDI handle points at. One reference belongs to the CGdiObject that created it, one
// to every DC that has it selected; stock objects are never freed.
struct GdiData
{
    explicit GdiData(UINT t) : type(t) {}
    virtual ~GdiData() = default;
    int refs = 1;
    UINT type;
    bool stock = false;
};

inline GdiData* ToData(HGDIOBJ h)
{
    return reinterpret_cast<GdiData*>(h);
}
inline HGDIOBJ ToHandle(GdiData* d)
{
    return reinterpret_cast<HGDIOBJ>(d);
}
void AddRef(GdiData* d);
void Release(GdiData* d);

// A counted reference held by a DC.
template <class T> class Ref
{
public:
    Ref() = default;
    explicit Ref(T* p) : m_p(p)
    {
        if (m_p)
            AddRef(m_p);
    }
    Ref(const Ref& o) : Ref(o.m_p) {}
    Ref& operator=(const Ref& o)
    {
        if (o.m_p)
            AddRef(o.m_p);
        if (m_p)
            Release(m_p);
        m_p = o.m_p;
        return *this;
    }
    ~Ref()
    {
        if (m_p)
            Release(m_p);
    }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

// Widths of runs by their exact bytes: open addressing over a power-of-two table of 8-byte slots
// (a lookup misses the cache once or not at all), the keys packed in one buffer and compared only
// when the slot's length and hash bits match. It never shrinks; Clear starts it afresh.
class RunWidthTable
{
public:
    static std::uint32_t Hash(std::string_view key);
    // The width kept for the bytes, or -1.
    int Find(std::string_view key, std::uint32_t hash) const;
    // Keeps the width of bytes not yet kept; runs over 255 bytes and widths over 65 535 are not kept.
    void Add(std::string_view key, std::uint32_t hash, int width);
    size_t Size() const { return m_nCount; }
    void Clear();

private:
    struct Slot
    {
        std::uint32_t offset; // of the key in m_bytes
        std::uint16_t width;
        std::uint8_t length; // 0: the slot is free (kept keys are never empty)
        std::uint8_t tag;    // the top bits of the key's hash
    };
    static std::uint8_t Tag(std::uint32_t hash) { return std::uint8_t(hash >> 24); }
    void Place(const Slot& slot, std::uint32_t hash);
    void Grow();
    std::vector<Slot> m_slots;
    std::string m_bytes;
    size_t m_nCount = 0;
};

// A font in real-font mode: the Qt font and its metrics, made on first use. The metrics a DC asks
// for on every call are read once here; the widths of runs are kept by their exact bytes (a sum of
// per-character widths would miss kerning), so a word is shaped once per font. The font object owns
// them, so they go when the font goes.
struct RealFont
{
    QFont font;
    QFontMetrics metrics;
    // Run widths come from the same font without hinting when that gives the same widths, as it
    // does under light or no hinting (advances are then the design ones): measuring a glyph for
    // the first time then skips the hinter, which is most of the cost of a page's first layout.
    QFontMetrics runMetrics;
    int ascent;
    int descent;
    int leading;
    int averageCharWidth;
    int maxWidth;

    explicit RealFont(const QFont& f);
    // Width of the bytes s[0..n) drawn as one run (control bytes as blanks).
    int RunWidth(const char* s, int n) const;

private:
    mutable RunWidthTable m_widths;
};

struct FontData : GdiData
{
    FontData() : GdiData(OBJ_FONT) {}
    LOGFONT lf{};
    mutable std::unique_ptr<RealFont> real;
    const RealFont& Real() const;
    // Box-font em: abs(lfHeight), 16 when 0 (kept within a sane range).
    int Em() const;
};

struct PenData : GdiData
{
    PenData() : GdiData(OBJ_PEN) {}
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct BrushData : GdiData
{
    BrushData() : GdiData(OBJ_BRUSH) {}
    UINT style = BS_SOLID;
    COLORREF color = 0xFFFFFF;
};

struct BitmapData : GdiData
{
    BitmapData() : GdiData(OBJ_BITMAP) {}
    QImage image;
};

struct PaletteData : GdiData
{
    PaletteData() : GdiData(OBJ_PAL) {}
    std::vector<PALETTEENTRY> entries;
};

template <class T> T* DataAs(HGDIOBJ h, UINT type)
{
    GdiData* d = ToData(h);
    return d && d->type == type ? static_cast<T*>(d) : nullptr;
}

// Stock objects and the framework-style wrappers SelectObject hands back for them.
GdiData* StockData(int index);
CGdiObject* StockWrapper(int index);
// The bitmap every memory DC starts with (draws nowhere).
BitmapData* DefaultBitmapData();
CBitmap* DefaultBitmapWrapper();

QColor ToQColor(COLORREF c);
COLORREF FromQRgb(QRgb rgb);

// Everything a DC keeps that SaveDC/RestoreDC save and restore.
struct DCAttributes
{
    Ref<FontData> font;
    CFont* pFont = nullptr;
    Ref<PenData> pen;
    CPen* pPen = nullptr;
    Ref<BrushData> brush;
    CBrush* pBrush = nullptr;
    Ref<BitmapData> bitmap;
    CBitmap* pBitmap = nullptr;
    Ref<PaletteData> palette;
    CPalette* pPalette = nullptr;
    COLORREF text = 0x000000;
    COLORREF bk = 0xFFFFFF;
    int bkMode = OPAQUE;
    QPoint org;
    QPoint cur;
    bool hasClip = false;
    QRegion clip; // device coordinates
};

struct DCState
{
    enum Kind
    {
        kNone,
        kMemory,
        kWindow
    };
    Kind kind = kNone;
    CWnd* wnd = nullptr;
    bool hasPaintClip = false;
    QRegion paintClip; // device coordinates
    DCAttributes a;
    std::vector<DCAttributes> saved;
    QRect touched; // device pixels drawn since creation

    static DCState& Of(CDC* dc) { return *dc->m_pState; }
    static const DCState& Of(const CDC* dc) { return *dc->m_pState; }

    void Reset();
    QImage* Target() const;
    // The device region drawing may touch: the image, the paint region, the clip region.
    QRegion Clip(const QImage& img) const;
};

// Device coordinates are kept within a range where sums and sizes cannot overflow.
constexpr long long kCoordLimit = 1 << 28;

inline int ClampCoord(long long v)
{
    return int(v < -kCoordLimit ? -kCoordLimit : v > kCoordLimit ? kCoordLimit : v);
}

inline QPoint DevPoint(const DCState& s, int x, int y)
{
    return QPoint(ClampCoord((long long)x + s.a.org.x()), ClampCoord((long long)y + s.a.org.y()));
}

// Opens a painter on the DC's target clipped as the DC says (and, if given, to a further device
// rectangle); records what it may touch. ok is false when there is nothing to draw on.
class DCPainter
{
public:
    DCPainter(DCState& s, const QRect* extraClip = nullptr, const QRect* bounds = nullptr);
    ~DCPainter();
    bool ok() const { return m_ok; }
    QPainter& p() { return *m_painter; }
    // Bounding rectangle of what may be drawn (device coordinates).
    const QRect& visible() const { return m_visible; }

private:
    bool m_ok = false;
    QRect m_visible;
    std::unique_ptr<QPainter> m_painter;
};

// Text internals shared by the DC and the tests.
int CharLen(const char* s, int n, int i);
bool IsBoxFontModeFast();

} // namespace kor
