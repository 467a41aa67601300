// FText: entity decoding, font resolution, measuring and drawing of text runs.
#include "korhtml/TextElement.h"

#include "korhtml/HtmlSrvr.h"
#include "elements/MeasurePass.h"
#include "platform/gdi/gdi.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// Formats of the preformatted text: one line measured, the whole text measured, the text drawn.
constexpr UINT kPreLineCalc = DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX;
constexpr UINT kPreTextCalc = DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX;
constexpr UINT kPreDraw = DT_NOPREFIX | DT_EXPANDTABS;

// The byte an entity name (without "&" and the terminator) stands for.
char EntityByte(const CString& name)
{
    if (name.IsEmpty())
        return 0;
    if (name[0] == '#') {
        // Up to three digits give that byte; a longer number gives a space.
        if (name.GetLength() > 4)
            return ' ';
        return static_cast<char>(std::atoi(name.GetString() + 1));
    }
    return GetANSICode(name);
}

// Measuring needs a DC; without one (the run is measured on its own) a memory DC stands in. It is
// built only then: a pass measures every word on the DC it was given.
class MeasureDC
{
public:
    explicit MeasureDC(CDC* dc) : m_pDC(dc)
    {
        if (!m_pDC) {
            m_own.emplace();
            m_own->CreateCompatibleDC(nullptr);
            m_pDC = &*m_own;
        }
    }
    CDC* operator->() const { return m_pDC; }

private:
    std::optional<CDC> m_own;
    CDC* m_pDC;
};

} // namespace

FText::FText(CHtmlX* doc) : CVisible(doc, KIND_TEXT, EF_INLINE), m_bPre(false), m_crText(0), m_pFont(nullptr)
{}

FText* FText::PrevSiblingText() const
{
    CTreeNode* prev = GetPrevSibling();
    if (!prev)
        return nullptr;
    CElement* e = static_cast<CElement*>(prev);
    return e->m_nKind == KIND_TEXT ? static_cast<FText*>(e) : nullptr;
}

void FText::Measure(CDC* dc)
{
    if (FText* prev = PrevSiblingText()) {
        // A word that follows a word of its own text node has the same ancestors, so it inherits
        // the same alignment and list level, and, with a visible element right before it, it can
        // start neither the content of a paragraph or line element nor what follows one. Taking
        // these over keeps a long paragraph linear whatever the depth of the tree.
        m_nBreak = 0;
        m_nAlign = prev->m_nAlign;
        m_nListLevel = prev->m_nListLevel;
        m_bInListItem = prev->m_bInListItem;
    } else {
        CVisible::Measure(dc);
    }
    DecodeEntities();
    ResolveFont();
    MeasureText(dc);
}

void FText::DecodeEntities()
{
    const int len = m_strRaw.GetLength();
    if (std::memchr(m_strRaw.GetString(), '&', len) == nullptr) {
        m_strText = m_strRaw;
        return;
    }

    const char* raw = m_strRaw.GetString();
    std::string out;
    out.reserve(len);
    std::string name;
    bool inName = false;
    for (int i = 0; i < len; ++i) {
        const char c = raw[i];
        if (!inName) {
            if (c == '&') {
                name.clear();
                inName = true;
            } else {
                out.push_back(c);
            }
            continue;
        }
        // The terminator is consumed: a ";" or space is not copied, and an "&" starts nothing.
        if (c == ';' || c == ' ' || c == '&') {
            out.push_back(EntityByte(CString(name.data(), static_cast<int>(name.size()))));
            inName = false;
        } else {
            name.push_back(c);
        }
    }
    // A name still open at the end is dropped.
    m_strText.Assign(out.data(), static_cast<int>(out.size()));
}

void FText::ResolveFont()
{
    if (FText* prev = PrevSiblingText()) {
        m_pFont = prev->m_pFont;
        m_crText = prev->m_crText;
        return;
    }

    CFont* font = nullptr;
    COLORREF color = m_crText;
    if (CMeasurePass::Current().GetFont(GetParentElement(), m_crText, &font, &color)) {
        m_pFont = font;
        m_crText = color;
    }
}

void FText::MeasureText(CDC* dc)
{
    if (m_strText.IsEmpty()) {
        // An empty run (a WBR) is as high as the text before it, so it does not change the line.
        CElement* prev = FindPrevByKind(KIND_TEXT, FALSE, nullptr);
        m_nWidth = 0;
        m_nHeight = prev ? static_cast<FText*>(prev)->m_nHeight : 20;
        return;
    }

    MeasureDC mdc(dc);
    CFont* old = m_pFont ? mdc->SelectObject(m_pFont) : nullptr;
    const char* text = m_strText.GetString();
    const int len = m_strText.GetLength();
    if (!m_bPre) {
        SIZE size = {0, 0};
        GetTextExtentPointA(mdc->GetSafeHdc(), text, len, &size);
        m_nWidth = size.cx;
        m_nHeight = size.cy;
    } else {
        // Every piece between CR and LF bytes is one line; the widest gives the width.
        int widest = 0;
        int start = 0;
        for (int i = 0; i <= len; ++i) {
            if (i < len && text[i] != '\r' && text[i] != '\n')
                continue;
            if (i > start) {
                RECT rc = {0, 0, 0, 0};
                mdc->DrawText(text + start, i - start, &rc, kPreLineCalc);
                if (rc.right > widest)
                    widest = rc.right;
            }
            start = i + 1;
        }
        RECT rc = {0, 0, widest, 0};
        m_nWidth = widest;
        m_nHeight = mdc->DrawText(text, len, &rc, kPreTextCalc);
    }
    if (old)
        mdc->SelectObject(old);
}

void FText::Draw(CDC* dc)
{
    if (!dc)
        return;
    if (m_crText != dc->GetTextColor())
        dc->SetTextColor(m_crText);
    CFont* old = nullptr;
    const bool select = m_pFont && m_pFont != dc->GetCurrentFont();
    if (select)
        old = dc->SelectObject(m_pFont);
    if (!m_bPre) {
        dc->TextOut(m_nX, m_nY, m_strText.GetString(), m_strText.GetLength());
    } else {
        RECT rc = {m_nX, m_nY, m_nX + m_nWidth, m_nY + m_nHeight};
        dc->DrawText(m_strText.GetString(), m_strText.GetLength(), &rc, kPreDraw);
    }
    if (select && old)
        dc->SelectObject(old);
}
