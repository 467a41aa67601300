// CAttrReader: reads the attributes of one tag node into element fields through the value parsers.
#pragma once

#include "kortag/kortag.h"
#include "transform/AttrParse.h"

// Each element class reads its own attributes through one of these (ReadAttributes). An absent
// attribute leaves the field at the value the element's constructor gave it; each reader but Raw
// strips one pair of double quotes before it converts. All return whether the attribute was there.
class CAttrReader
{
public:
    explicit CAttrReader(CTagNode* node) : m_pMap(node->HasAttributes() ? node->GetMap() : nullptr) {}

    // The value as written (quotes included).
    BOOL Raw(const char* name, CString& value) const { return m_pMap && m_pMap->Lookup(name, value); }

    BOOL Text(const char* name, CString& field) const
    {
        CString v;
        if (!Raw(name, v))
            return FALSE;
        field = CAttrParser::StripQuotes(v);
        return TRUE;
    }
    // Presence alone sets the flag; the value is not read.
    BOOL Flag(const char* name, int& field) const
    {
        CString v;
        if (!Raw(name, v))
            return FALSE;
        field = 1;
        return TRUE;
    }
    BOOL Length(const char* name, int& field) const { return Parse(name, field, CAttrParser::ParseLength); }
    BOOL FontSize(const char* name, int& field) const
    {
        return Parse(name, field, CAttrParser::ParseFontSize);
    }
    BOOL Align(const char* name, int& field) const { return Parse(name, field, CAttrParser::ParseAlign); }
    BOOL VAlign(const char* name, int& field) const { return Parse(name, field, CAttrParser::ParseVAlign); }
    BOOL Clear(const char* name, int& field) const { return Parse(name, field, CAttrParser::ParseClear); }
    BOOL Method(const char* name, int& field) const { return Parse(name, field, CAttrParser::ParseMethod); }
    BOOL Type(const char* name, int& field) const { return Parse(name, field, CAttrParser::ParseType); }
    BOOL Side(const char* name, int& field) const { return Parse(name, field, CAttrParser::ParseSide); }
    BOOL Shape(const char* name, int& field) const { return Parse(name, field, CAttrParser::ParseShape); }
    BOOL Color(const char* name, COLORREF& field) const
    {
        CString v;
        if (!Raw(name, v))
            return FALSE;
        field = CAttrParser::ParseColor(CAttrParser::StripQuotes(v));
        return TRUE;
    }

private:
    template <class Parser> BOOL Parse(const char* name, int& field, Parser parse) const
    {
        CString v;
        if (!Raw(name, v))
            return FALSE;
        field = parse(CAttrParser::StripQuotes(v));
        return TRUE;
    }

    CMapStringToString* m_pMap;
};
