// FText: one word of running text, or a whole preformatted text, measured and drawn as a unit.
#pragma once

#include "korhtml/Export.h"
#include "korhtml/Element.h"
#include "korhtml/RunText.h"

// A word carries its one trailing space; inside PRE the whole text node is one run that keeps
// its line breaks. The raw text is decoded (character entities) when the run is measured.
class KORHTML_API FText : public CVisible
{
public:
    explicit FText(CHtmlX* doc);

    void SetPre(BOOL pre) { m_bPre = pre != 0; }
    BOOL IsPre() const { return m_bPre; }

    // Structure steps, entity decoding, font and size, in this order.
    void Measure(CDC* dc) override;
    void Draw(CDC* dc) override;

    // m_strText from m_strRaw with the character entities replaced by their bytes.
    void DecodeEntities();
    // m_pFont and m_crText from the font elements around the run (or the preceding word's).
    void ResolveFont();
    // m_nWidth and m_nHeight of m_strText in m_pFont.
    void MeasureText(CDC* dc);

    // The preformatted flag first: it fits in the padding after the CVisible part.
    bool m_bPre;
    COLORREF m_crText;
    CFont* m_pFont; // shared through the font manager, never freed here
    CRunText m_strRaw;
    CRunText m_strText;

private:
    // The previous sibling when it is a text run (a word of the same text node), else null.
    FText* PrevSiblingText() const;
};
