// Fonts and text: face substitution, box-font and real-font metrics, TextOut, DrawText, extents.
#include "platform/gdi/codepage.h"
#include "platform/gdi/gdi_p.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QSet>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace kor {

int CharLen(const char* s, int n, int i)
{
    return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < n ? 2 : 1;
}

int FontData::Em() const
{
    long long h = lf.lfHeight < 0 ? -(long long)lf.lfHeight : lf.lfHeight;
    if (h == 0)
        return 16;
    return int(std::min<long long>(h, 0x7FFF));
}

namespace {

// Faces that stand in for the ones the system asks for; the first installed one wins.
struct Substitution
{
    const char* asked[3];
    const char* used[3];
};

const Substitution kSubstitutions[] = {
    {{"굴림", "돋움", "새굴림"}, {"NanumGothic", "Noto Sans CJK KR", "DejaVu Sans"}},
    {{"굴림체", "돋움체", nullptr}, {"NanumGothicCoding", "Noto Sans Mono CJK KR", "DejaVu Sans Mono"}},
    {{"바탕", "궁서", nullptr}, {"NanumMyeongjo", "Noto Serif CJK KR", "DejaVu Serif"}},
    {{"바탕체", "궁서체", nullptr}, {"NanumGothicCoding", "DejaVu Sans Mono", nullptr}},
    {{"System", nullptr, nullptr}, {"DejaVu Sans", nullptr, nullptr}},
    {{"Times New Roman", "Times", nullptr}, {"Liberation Serif", nullptr, nullptr}},
    {{"Arial", "Helvetica", nullptr}, {"Liberation Sans", nullptr, nullptr}},
    {{"Courier New", "Courier", nullptr}, {"Liberation Mono", nullptr, nullptr}},
};

const QSet<QString>& InstalledFamilies()
{
    static const QSet<QString> families = [] {
        QSet<QString> set;
        for (const QString& f : QFontDatabase::families())
            set.insert(f.toLower());
        return set;
    }();
    return families;
}

QString ChooseFamily(const LOGFONT& lf)
{
    const QString face = ToUnicode(lf.lfFaceName, int(strnlen(lf.lfFaceName, LF_FACESIZE))).trimmed();
    const QSet<QString>& installed = InstalledFamilies();
    for (const Substitution& sub : kSubstitutions) {
        bool match = false;
        for (const char* a : sub.asked)
            if (a && face.compare(QString::fromUtf8(a), Qt::CaseInsensitive) == 0)
                match = true;
        if (!match)
            continue;
        for (const char* u : sub.used)
            if (u && installed.contains(QString::fromUtf8(u).toLower()))
                return QString::fromUtf8(u);
        return QString();
    }
    if (!face.isEmpty() && installed.contains(face.toLower()))
        return face;
    return QString();
}

// Real fonts need Qt's font database, which only exists with a GUI application; without one the
// layer measures and draws with the box font rather than fail.
bool UseBox()
{
    return IsBoxFontModeFast() || !qobject_cast<QGuiApplication*>(QCoreApplication::instance());
}

bool IsControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

// The run as Qt draws it: control bytes show as blanks.
QString Visible(const char* s, int n)
{
    QString str = ToUnicode(s, n);
    for (QChar& c : str)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    return str;
}

// Runs up to this many bytes (words) have their widths kept; a font keeps at most so many of them
// and starts afresh when full, so a page of endless distinct words costs bounded memory.
constexpr int kMaxKeptRun = 64;
constexpr size_t kMaxKeptRuns = 1 << 17;

// The selected font as text measuring and drawing see it.
struct TextFont
{
    const FontData* f;
    bool box;
    int em = 16;
    const RealFont* real = nullptr;
    int lineHeight = 16;
    int ascent = 16;
    int tab = 64; // tab stop distance for DT_EXPANDTABS

    explicit TextFont(const FontData* font) : f(font), box(UseBox())
    {
        if (box) {
            em = f->Em();
            lineHeight = em;
            ascent = em - em / 5;
            tab = 4 * em;
        } else {
            real = &f->Real();
            ascent = real->ascent;
            lineHeight = real->ascent + real->descent;
            tab = 8 * std::max(real->averageCharWidth, 1);
        }
    }

    int CharAdvance(const char* s, int n, int i) const { return CharLen(s, n, i) == 2 ? em : em / 2; }

    // Width of a run drawn without tab expansion.
    int RunWidth(const char* s, int n) const
    {
        if (n <= 0)
            return 0;
        if (box) {
            long long w = 0;
            for (int i = 0; i < n; i += CharLen(s, n, i))
                w += CharAdvance(s, n, i);
            return int(std::min<long long>(w, 1 << 30));
        }
        return real->RunWidth(s, n);
    }
};

// x after the bytes s[0..n) starting at x; with tabs expanded, a tab goes to the next multiple of
// the tab distance strictly to the right.
int Advance(const TextFont& tf, bool expandTabs, int x, const char* s, int n)
{
    if (!expandTabs)
        return x + tf.RunWidth(s, n);
    int i = 0;
    while (i < n) {
        int j = i;
        while (j < n && s[j] != '\t')
            j += CharLen(s, n, j);
        x += tf.RunWidth(s + i, j - i);
        if (j < n) {
            x = (x / tf.tab + 1) * tf.tab;
            ++j;
        }
        i = j;
    }
    return x;
}

struct TextLine
{
    int begin;
    int end;
    int width;
};

// Draws one line of text with its cell's top-left at the device point (x, y).
// Characters wholly left of the visible area are skipped, and drawing stops past its right edge.
void PaintLine(QPainter& p, const QRect& visible, const TextFont& tf, const DCAttributes& a, int x, int y,
               const char* s, int n, bool expandTabs, int width, int mnemonic)
{
    if (a.bkMode == OPAQUE && width > 0)
        p.fillRect(QRect(x, y, width, tf.lineHeight), ToQColor(a.bk));
    const QColor color = ToQColor(a.text);
    if (tf.box) {
        const int em = tf.em;
        int cx = x;
        for (int i = 0; i < n;) {
            if (cx > visible.right())
                break;
            const int len = CharLen(s, n, i);
            const unsigned char c = static_cast<unsigned char>(s[i]);
            if (c == '\t' && expandTabs) {
                cx = x + ((cx - x) / tf.tab + 1) * tf.tab;
            } else {
                const int adv = tf.CharAdvance(s, n, i);
                const bool shown = cx + adv > visible.left();
                if (shown && (len == 2 || (c != ' ' && c != '\t' && !IsControl(c))) && adv > 1)
                    p.fillRect(QRect(cx, y, adv - 1, em), color);
                if (i == mnemonic && adv > 0)
                    p.fillRect(QRect(cx, y + em - 1, adv, 1), color);
                cx += adv;
            }
            i += len;
        }
        if (width > 0 && tf.f->lf.lfUnderline)
            p.fillRect(QRect(x, y + em - 1, width, 1), color);
        if (width > 0 && tf.f->lf.lfStrikeOut)
            p.fillRect(QRect(x, y + em / 2, width, 1), color);
        return;
    }
    p.setFont(tf.real->font);
    p.setPen(color);
    int i = 0;
    int cx = x;
    while (i < n && cx <= visible.right()) {
        int j = i;
        while (j < n && !(expandTabs && s[j] == '\t'))
            j += CharLen(s, n, j);
        if (j > i)
            p.drawText(QPoint(cx, y + tf.ascent), Visible(s + i, j - i));
        if (mnemonic >= i && mnemonic < j) {
            const int mx = cx + tf.RunWidth(s + i, mnemonic - i);
            const int mw = tf.RunWidth(s + mnemonic, CharLen(s, n, mnemonic));
            p.fillRect(QRect(mx, y + tf.ascent + 1, mw, 1), color);
        }
        cx += tf.RunWidth(s + i, j - i);
        if (j < n) {
            cx = x + ((cx - x) / tf.tab + 1) * tf.tab;
            ++j;
        }
        i = j;
    }
}

// Removes mnemonic prefixes: "&&" is "&", "&x" is x underlined (the first such is remembered).
std::string StripPrefixes(const char* s, int n, int& mnemonic)
{
    std::string out;
    out.reserve(size_t(n));
    mnemonic = -1;
    for (int i = 0; i < n;) {
        if (s[i] == '&') {
            if (i + 1 < n && s[i + 1] == '&') {
                out += '&';
                i += 2;
                continue;
            }
            if (i + 1 < n && mnemonic < 0)
                mnemonic = int(out.size());
            ++i;
            continue;
        }
        const int len = CharLen(s, n, i);
        out.append(s + i, size_t(len));
        i += len;
    }
    return out;
}

// Cuts one hard line [b, e) into lines no wider than maxWidth, breaking after spaces; a word wider
// than maxWidth stays whole. Lines ended by a wrap lose their trailing spaces.
void WrapLine(const TextFont& tf, bool expandTabs, const char* s, int b, int e, int maxWidth,
              std::vector<TextLine>& lines)
{
    auto wordEnd = [&](int i) {
        while (i < e && s[i] != ' ')
            i += CharLen(s, e, i);
        return i;
    };
    auto spacesEnd = [&](int i) {
        while (i < e && s[i] == ' ')
            ++i;
        return i;
    };
    int i = b;
    do {
        const int lineStart = i;
        int j = wordEnd(i);
        int lastWordEnd = j;
        int lastWordX = Advance(tf, expandTabs, 0, s + i, j - i);
        int k = spacesEnd(j);
        int x = Advance(tf, expandTabs, lastWordX, s + j, k - j);
        i = k;
        bool wrapped = false;
        while (i < e) {
            j = wordEnd(i);
            const int xw = Advance(tf, expandTabs, x, s + i, j - i);
            if (xw > maxWidth) {
                wrapped = true;
                break;
            }
            lastWordEnd = j;
            lastWordX = xw;
            k = spacesEnd(j);
            x = Advance(tf, expandTabs, xw, s + j, k - j);
            i = k;
        }
        if (wrapped)
            lines.push_back({lineStart, lastWordEnd, lastWordX});
        else
            lines.push_back({lineStart, e, x});
    } while (i < e);
}

CSize Extent(const CDC* dc, const char* s, int n)
{
    const FontData* f = DCState::Of(dc).a.font.get();
    TextFont tf(f);
    if (!s || n <= 0)
        return CSize(0, tf.lineHeight);
    return CSize(tf.RunWidth(s, n), tf.lineHeight);
}

} // namespace

const RealFont& FontData::Real() const
{
    if (!real) {
        QFont font;
        const QString family = ChooseFamily(lf);
        if (!family.isEmpty())
            font.setFamily(family);
        long long h = lf.lfHeight < 0 ? -(long long)lf.lfHeight : lf.lfHeight;
        font.setPixelSize(h == 0 ? 16 : int(std::clamp<long long>(h, 1, 2000)));
        const int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<int>(lf.lfWeight, 1000);
        font.setWeight(QFont::Weight(weight));
        font.setItalic(lf.lfItalic != 0);
        font.setUnderline(lf.lfUnderline != 0);
        font.setStrikeOut(lf.lfStrikeOut != 0);
        real = std::make_unique<RealFont>(font);
    }
    return *real;
}

namespace {

QFontMetrics UnhintedIfSameWidths(const QFont& f, const QFontMetrics& hinted)
{
    QFont unhinted(f);
    unhinted.setHintingPreference(QFont::PreferNoHinting);
    QFontMetrics m(unhinted);
    // Full hinting rounds each advance to the pixel; a mixed probe tells the two apart.
    const QString probe = QString::fromUtf8("Wmil1.,\xea\xb0\x80");
    return m.horizontalAdvance(probe) == hinted.horizontalAdvance(probe) ? m : hinted;
}

} // namespace

RealFont::RealFont(const QFont& f)
    : font(f), metrics(f), runMetrics(UnhintedIfSameWidths(f, metrics)), ascent(metrics.ascent()),
      descent(metrics.descent()), leading(metrics.leading()), averageCharWidth(metrics.averageCharWidth()),
      maxWidth(metrics.maxWidth())
{}

int RealFont::RunWidth(const char* s, int n) const
{
    if (n > kMaxKeptRun)
        return runMetrics.horizontalAdvance(Visible(s, n));
    const std::string_view bytes(s, size_t(n));
    const std::uint32_t hash = RunWidthTable::Hash(bytes);
    if (const int kept = m_widths.Find(bytes, hash); kept >= 0)
        return kept;
    const int width = runMetrics.horizontalAdvance(Visible(s, n));
    if (m_widths.Size() >= kMaxKeptRuns)
        m_widths.Clear();
    m_widths.Add(bytes, hash, width);
    return width;
}

std::uint32_t RunWidthTable::Hash(std::string_view key)
{
    // FNV-1a, folded at the end so the low bits (the slot index) depend on every byte.
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : key)
        h = (h ^ c) * 1099511628211ull;
    return std::uint32_t(h ^ (h >> 32));
}

int RunWidthTable::Find(std::string_view key, std::uint32_t hash) const
{
    if (m_slots.empty())
        return -1;
    const size_t mask = m_slots.size() - 1;
    const std::uint8_t tag = Tag(hash);
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.length == 0)
            return -1;
        if (slot.tag == tag && slot.length == key.size() &&
            std::memcmp(m_bytes.data() + slot.offset, key.data(), key.size()) == 0)
            return slot.width;
    }
}

void RunWidthTable::Add(std::string_view key, std::uint32_t hash, int width)
{
    if (key.empty() || key.size() > 0xFF || width < 0 || width > 0xFFFF ||
        m_bytes.size() + key.size() > 0xFFFFFFFFu)
        return;
    // At most half full, so probes stay short and a free slot always ends them.
    if (2 * (m_nCount + 1) > m_slots.size())
        Grow();
    Place({std::uint32_t(m_bytes.size()), std::uint16_t(width), std::uint8_t(key.size()), Tag(hash)}, hash);
    m_bytes.append(key);
    ++m_nCount;
}

void RunWidthTable::Place(const Slot& slot, std::uint32_t hash)
{
    const size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    while (m_slots[i].length != 0)
        i = (i + 1) & mask;
    m_slots[i] = slot;
}

void RunWidthTable::Grow()
{
    std::vector<Slot> old(std::max<size_t>(64, 2 * m_slots.size()));
    old.swap(m_slots);
    for (const Slot& slot : old)
        if (slot.length != 0)
            Place(slot, Hash(std::string_view(m_bytes.data() + slot.offset, slot.length)));
}

void RunWidthTable::Clear()
{
    m_slots.clear();
    m_bytes.clear();
    m_nCount = 0;
}

} // namespace kor

using namespace kor;

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    if (lpszString && nCount < 0)
        nCount = int(strlen(lpszString));
    return Extent(this, lpszString, nCount);
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return Extent(this, str.GetString(), str.GetLength());
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    if (!lpMetrics)
        return FALSE;
    const FontData* f = m_pState->a.font.get();
    TextFont tf(f);
    TEXTMETRIC tm{};
    if (tf.box) {
        tm.tmHeight = tf.em;
        tm.tmAscent = tf.ascent;
        tm.tmDescent = tf.em - tf.ascent;
        tm.tmAveCharWidth = tf.em / 2;
        tm.tmMaxCharWidth = tf.em;
    } else {
        const RealFont& rf = *tf.real;
        tm.tmHeight = rf.ascent + rf.descent;
        tm.tmAscent = rf.ascent;
        tm.tmDescent = rf.descent;
        tm.tmExternalLeading = std::max(rf.leading, 0);
        tm.tmAveCharWidth = rf.averageCharWidth;
        tm.tmMaxCharWidth = rf.maxWidth;
    }
    tm.tmWeight = f->lf.lfWeight ? f->lf.lfWeight : FW_NORMAL;
    tm.tmItalic = f->lf.lfItalic;
    tm.tmUnderlined = f->lf.lfUnderline;
    tm.tmStruckOut = f->lf.lfStrikeOut;
    tm.tmPitchAndFamily = f->lf.lfPitchAndFamily;
    tm.tmCharSet = f->lf.lfCharSet;
    tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = '?';
    tm.tmBreakChar = ' ';
    *lpMetrics = tm;
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    if (!lpszString || nCount <= 0)
        return lpszString != nullptr;
    DCState& s = *m_pState;
    TextFont tf(s.a.font.get());
    const int width = tf.RunWidth(lpszString, nCount);
    const QPoint pos = DevPoint(s, x, y);
    QRect bounds(pos, QSize(width, tf.lineHeight));
    if (!tf.box) // glyphs may reach a little past their cell (italics, accents)
        bounds.adjust(-tf.lineHeight, -tf.lineHeight / 2, tf.lineHeight, tf.lineHeight / 2);
    DCPainter dp(s, nullptr, &bounds);
    if (dp.ok())
        PaintLine(dp.p(), dp.visible(), tf, s.a, pos.x(), pos.y(), lpszString, nCount, false, width, -1);
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, str.GetString(), str.GetLength());
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(str.GetString(), str.GetLength(), lpRect, nFormat);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (!lpRect)
        return 0;
    if (!lpszString)
        lpszString = "", nCount = 0;
    if (nCount < 0)
        nCount = int(strlen(lpszString));
    DCState& s = *m_pState;
    TextFont tf(s.a.font.get());
    const bool expandTabs = (nFormat & DT_EXPANDTABS) != 0;
    const bool singleLine = (nFormat & DT_SINGLELINE) != 0;

    int mnemonic = -1;
    std::string stripped;
    const char* text = lpszString;
    int n = nCount;
    if (!(nFormat & DT_NOPREFIX)) {
        stripped = StripPrefixes(lpszString, nCount, mnemonic);
        text = stripped.data();
        n = int(stripped.size());
    }

    // Hard lines (CR, LF, CRLF); a break at the very end starts no further line.
    std::vector<std::pair<int, int>> hard;
    if (singleLine) {
        hard.emplace_back(0, n);
    } else {
        int start = 0;
        for (int i = 0; i < n;) {
            const char c = text[i];
            if (c == '\r' || c == '\n') {
                hard.emplace_back(start, i);
                i += (c == '\r' && i + 1 < n && text[i + 1] == '\n') ? 2 : 1;
                start = i;
                continue;
            }
            i += CharLen(text, n, i);
        }
        if (start < n || hard.empty())
            hard.emplace_back(start, n);
    }

    const int rectWidth = lpRect->right - lpRect->left;
    std::vector<TextLine> lines;
    for (const auto& [b, e] : hard) {
        if ((nFormat & DT_WORDBREAK) && !singleLine)
            WrapLine(tf, expandTabs, text, b, e, rectWidth, lines);
        else
            lines.push_back({b, e, Advance(tf, expandTabs, 0, text + b, e - b)});
    }

    const long long totalHeight = (long long)lines.size() * tf.lineHeight;
    const int height = int(std::min<long long>(totalHeight, 1 << 30));
    if (nFormat & DT_CALCRECT) {
        int widest = 0;
        for (const TextLine& l : lines)
            widest = std::max(widest, l.width);
        lpRect->right = lpRect->left + widest;
        lpRect->bottom = lpRect->top + height;
        return height;
    }

    int top = lpRect->top;
    if (singleLine && (nFormat & DT_VCENTER))
        top += (lpRect->bottom - lpRect->top - tf.lineHeight) / 2;
    else if (singleLine && (nFormat & DT_BOTTOM))
        top = lpRect->bottom - tf.lineHeight;

    const QPoint org = s.a.org;
    std::vector<int> xs;
    xs.reserve(lines.size());
    QRect bounds;
    for (size_t i = 0; i < lines.size(); ++i) {
        int x = lpRect->left;
        if (nFormat & DT_CENTER)
            x += (rectWidth - lines[i].width) / 2;
        else if (nFormat & DT_RIGHT)
            x += rectWidth - lines[i].width;
        xs.push_back(x);
        const int y = top + int(i) * tf.lineHeight;
        bounds |= QRect(QPoint(x, y) + org, QSize(std::max(lines[i].width, 1), tf.lineHeight));
    }
    if (!tf.box)
        bounds.adjust(-tf.lineHeight, -tf.lineHeight / 2, tf.lineHeight, tf.lineHeight / 2);
    const QRect clip(QPoint(lpRect->left, lpRect->top) + org,
                     QSize(lpRect->right - lpRect->left, lpRect->bottom - lpRect->top));
    DCPainter dp(s, (nFormat & DT_NOCLIP) ? nullptr : &clip, &bounds);
    if (dp.ok()) {
        for (size_t i = 0; i < lines.size(); ++i) {
            const TextLine& l = lines[i];
            const int m = (mnemonic >= l.begin && mnemonic < l.end) ? mnemonic - l.begin : -1;
            PaintLine(dp.p(), dp.visible(), tf, s.a, xs[i] + org.x(), top + int(i) * tf.lineHeight + org.y(),
                      text + l.begin, l.end - l.begin, expandTabs, l.width, m);
        }
    }
    if (singleLine && (nFormat & (DT_VCENTER | DT_BOTTOM)))
        return top - lpRect->top + height;
    return height;
}

BOOL GetTextExtentPointA(HDC hdc, LPCSTR lpString, int c, LPSIZE lpSize)
{
    CDC* dc = CDC::FromHandle(hdc);
    if (!dc || !lpSize || c < 0)
        return FALSE;
    *lpSize = dc->GetTextExtent(lpString, c);
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE lpSize)
{
    return GetTextExtentPointA(hdc, lpString, c, lpSize);
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRIC lptm)
{
    CDC* dc = CDC::FromHandle(hdc);
    return dc ? dc->GetTextMetrics(lptm) : FALSE;
}
