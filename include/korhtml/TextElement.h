// FText: one word of running text, or a whole preformatted text, measured and drawn as a unit.
#pragma once

#include "korhtml/Element.h"

// A word carries its one trailing space; inside PRE the whole text node is one run that keeps
// its line breaks. The raw text is decoded (character entities) when the run is measured.
class FText : public CVisible
{
public:
    explicit FText(CHtmlX* doc);

    void SetPre(BOOL pre) { m_bPre = pre; }
    BOOL IsPre() const { return m_bPre; }

    CString m_strRaw;
    CString m_strText;
    CFont* m_pFont; // shared through the font manager, never freed here
    COLORREF m_crText;
    BOOL m_bPre;
};
