// Attribute value parsers: quote stripping, lengths, font sizes, colours and keyword enumerations.
#pragma once

#include "korhtml/AttrValues.h"
#include "platform/afx/afx.h"

// Stateless conversions of attribute text into typed values. The transformer inherits them, so
// they are reachable as members of CTransformer as well. None of them strips quotes or white
// space on its own: callers apply StripQuotes first where the attribute calls for it.
class CAttrParser
{
public:
    static CString StripQuotes(CString value);
    static int ParseLength(CString value);
    static int ParseFontSize(CString value);
    static COLORREF ParseColor(CString value);
    static CString ColorNameToHex(CString value);

    static int ParseAlign(CString value);
    static int ParseVAlign(CString value);
    static int ParseClear(CString value);
    static int ParseMethod(CString value);
    static int ParseType(CString value);
    static int ParseSide(CString value);
    static int ParseShape(CString value);
};
