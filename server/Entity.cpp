// The character-entity table and the visited-link list of the server, with its file "OpenLink.dat".
#include "server/Entity.h"

#include "korhtml/HtmlSrvr.h"

#include <cstdio>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CEntityCode, CObject)

namespace {

// The Latin-1 entity names of HTML 3.2 for the codes 161 to 255, in code order.
const char* const kLatin1Names[95] = {
    "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",
    "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34",
    "iquest", "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave",
    "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve",
    "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",
    "Yacute", "THORN",  "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",
    "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave", "uacute",
    "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

// Links beyond this many drop the oldest.
const int kMaxOpenLinks = 200;

CString OpenLinkFileName(const CString& dataPath)
{
    return dataPath + "OpenLink.dat";
}

} // namespace

namespace kor {

void FillEntityMap(CMapStringToOb& map)
{
    FreeEntityMap(map);
    map.InitHashTable(7);
    // A non-breaking space is shown as an ordinary one.
    map.SetAt("nbsp", new CEntityCode(' '));
    map.SetAt("quot", new CEntityCode('"'));
    map.SetAt("amp", new CEntityCode('&'));
    map.SetAt("lt", new CEntityCode('<'));
    map.SetAt("gt", new CEntityCode('>'));
    for (int i = 0; i < 95; ++i)
        map.SetAt(kLatin1Names[i], new CEntityCode(char(161 + i)));
}

void FreeEntityMap(CMapStringToOb& map)
{
    POSITION pos = map.GetStartPosition();
    while (pos) {
        CString key;
        CObject* value = nullptr;
        map.GetNextAssoc(pos, key, value);
        delete value;
    }
    map.RemoveAll();
}

} // namespace kor

char CHtmlSrvr::GetANSICode(const CString& name)
{
    CObject* value = nullptr;
    if (!m_mapEntity.Lookup(name, value) || !value)
        return ' ';
    return static_cast<CEntityCode*>(value)->m_cCode;
}

void CHtmlSrvr::AddOpenLink(const CString& link)
{
    if (m_strDataPath.IsEmpty())
        return;
    if (m_listOpenLink.Find(link))
        return;
    if (m_listOpenLink.GetCount() > kMaxOpenLinks)
        m_listOpenLink.RemoveHead();
    m_listOpenLink.AddTail(link);
}

BOOL CHtmlSrvr::IsOpenLink(const CString& link)
{
    if (m_strDataPath.IsEmpty())
        return FALSE;
    return m_listOpenLink.Find(link) ? TRUE : FALSE;
}

void CHtmlSrvr::ReadOpenLink()
{
    m_listOpenLink.RemoveAll();
    FILE* f = fopen(OpenLinkFileName(m_strDataPath), "rt");
    if (!f)
        return;
    // Word by word, as "%s" reads; "m" lets a word of any length come back whole.
    char* word = nullptr;
    while (fscanf(f, "%ms", &word) == 1) {
        AddOpenLink(CString(word));
        free(word);
        word = nullptr;
    }
    fclose(f);
}

void CHtmlSrvr::WriteOpenLink()
{
    FILE* f = fopen(OpenLinkFileName(m_strDataPath), "wt");
    if (!f)
        return;
    POSITION pos = m_listOpenLink.GetHeadPosition();
    while (pos)
        fprintf(f, "%s\n", m_listOpenLink.GetNext(pos).GetString());
    fclose(f);
}

char GetANSICode(const CString& name)
{
    return g_pHtmlSrvr->GetANSICode(name);
}

void AddOpenLink(const CString& link)
{
    g_pHtmlSrvr->AddOpenLink(link);
}

BOOL IsOpenLink(const CString& link)
{
    return g_pHtmlSrvr->IsOpenLink(link);
}
