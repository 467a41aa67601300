// CTagDB and CHTMLDB: case-insensitive tables of tag names and their indices.
#include "kortag/kortag.h"

#include <cstdint>

IMPLEMENT_DYNAMIC(CTagDB, CObject)
IMPLEMENT_DYNCREATE(CHTMLDB, CTagDB)

CTagDB::CTagDB() = default;
CTagDB::~CTagDB() = default;

BOOL CTagDB::Create(int nHashSize)
{
    m_map.RemoveAll();
    m_names.clear();
    if (nHashSize > 0)
        m_map.InitHashTable(UINT(nHashSize));
    return TRUE;
}

void CTagDB::AddTag(const CString& strName, int nIndex)
{
    if (nIndex < 0 || strName.IsEmpty())
        return;
    CString key = strName;
    key.MakeUpper();
    void* old = nullptr;
    if (m_map.Lookup(key, old))
        return;
    m_map.SetAt(key, reinterpret_cast<void*>(intptr_t(nIndex) + 1));
    if (size_t(nIndex) >= m_names.size())
        m_names.resize(size_t(nIndex) + 1);
    m_names[size_t(nIndex)] = key;
}

int CTagDB::GetTagIndex(const CString& strName) const
{
    if (strName.IsEmpty() || strName.GetLength() > 32 || strName.view().find('\0') != std::string_view::npos)
        return -1;
    CString key = strName;
    key.MakeUpper();
    void* value = nullptr;
    if (!m_map.Lookup(key, value))
        return -1;
    return int(reinterpret_cast<intptr_t>(value)) - 1;
}

CString CTagDB::GetTagName(int nIndex) const
{
    if (nIndex < 0 || size_t(nIndex) >= m_names.size())
        return CString();
    return m_names[size_t(nIndex)];
}

BOOL CHTMLDB::Create(int nHashSize)
{
    static const char* const names[] = {
        "A",     "ADDRESS", "APPLET",   "AREA",    "B",      "BASE",   "BIG",     "BLINK",     "BLOCKQUOTE",
        "BODY",  "BR",      "CAPTION",  "CENTER",  "CITE",   "CODE",   "COMMENT", "DD",        "DFN",
        "DIR",   "DIV",     "DL",       "DT",      "EM",     "FONT",   "FORM",    "FRAME",     "FRAMESET",
        "H1",    "H2",      "H3",       "H4",      "H5",     "H6",     "HEAD",    "HR",        "HTML",
        "I",     "IMG",     "INPUT",    "ISINDEX", "KBD",    "LI",     "LINK",    "LISTING",   "MAP",
        "MENU",  "META",    "NOFRAMES", "OL",      "OPTION", "P",      "PARAM",   "PLAINTEXT", "PRE",
        "SAMP",  "SCRIPT",  "SELECT",   "SMALL",   "STRIKE", "STRONG", "STYLE",   "SUB",       "SUP",
        "TABLE", "TD",      "TEXTAREA", "TFOOT",   "TH",     "TITLE",  "TR",      "TT",        "U",
        "UL",    "VAR",     "WBR",      "XMP",
    };
    static_assert(sizeof(names) / sizeof(names[0]) == 76);
    if (!CTagDB::Create(nHashSize))
        return FALSE;
    for (int i = 0; i < 76; ++i)
        AddTag(names[i], i);
    return TRUE;
}
