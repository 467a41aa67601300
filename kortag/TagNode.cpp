// CTagNode: parsed elements, texts and comments with their attributes and searches.
#include "kortag/kortag.h"

CTagNode::CTagNode(int nType, const CString& strName, int nIndex) : m_nType(nType), m_nIndex(nIndex)
{
    if (nType == TAGNODE_COMMENT) {
        m_strText = "COMMENT";
    } else if (nType != TAGNODE_TEXT) {
        m_strText = strName;
        m_strText.MakeUpper();
    }
}

CTagNode::~CTagNode()
{
    delete m_pMap;
}

CString CTagNode::GetName(int nForm) const
{
    CString name = m_nType == TAGNODE_TEXT ? CString("#TEXT") : m_strText;
    if (nForm == TAGNAME_LOWER)
        name.MakeLower();
    return name;
}

CMapStringToString* CTagNode::GetMap()
{
    if (!m_pMap)
        m_pMap = new CMapStringToString;
    return m_pMap;
}

BOOL CTagNode::AddAttribute(const CString& strName, const CString& strValue)
{
    CString key = strName;
    key.MakeLower();
    CString old;
    CMapStringToString* map = GetMap();
    if (map->Lookup(key, old))
        return FALSE;
    map->SetAt(key, strValue);
    return TRUE;
}

void CTagNode::AppendData(const char* p, int nLength)
{
    if (nLength > 0)
        m_strText += CString(p, nLength);
}

CString CTagNode::GetValueOf(const char* pszName, int nScope, int nForm) const
{
    if (!pszName)
        return CString();
    CString key = pszName;
    key.MakeLower();
    CString value;
    BOOL found = FALSE;
    for (const CTreeNode* n = this; n && !found; n = nScope ? n->GetParent() : nullptr) {
        const CTagNode* t = dynamic_cast<const CTagNode*>(n);
        if (!t)
            break;
        if (t->m_nType == TAGNODE_TEXT) {
            if (key == "data") {
                value = t->m_strText;
                found = TRUE;
            }
        } else if (t->m_pMap && t->m_pMap->Lookup(key, value)) {
            found = TRUE;
        }
    }
    if (found && nForm) {
        int len = value.GetLength();
        if (len >= 2 && (value[0] == '"' || value[0] == '\'') && value[len - 1] == value[0])
            value = value.Mid(1, len - 2);
    }
    return value;
}

namespace {
bool IsNamed(const CTreeNode* n, const char* pszName)
{
    const CTagNode* t = dynamic_cast<const CTagNode*>(n);
    return t && t->GetType() == TAGNODE_ELEMENT && t->GetName().CompareNoCase(pszName) == 0;
}
} // namespace

CTagNode* CTagNode::Find(const char* pszName, int nWhere, int nLimit) const
{
    if (!pszName)
        return nullptr;
    const unsigned limit = nLimit > 0 ? unsigned(nLimit) : ~0u;
    if ((nWhere & TAGFIND_SELF) && IsNamed(this, pszName))
        return const_cast<CTagNode*>(this);
    if (nWhere & TAGFIND_CHILDREN) {
        unsigned seen = 0;
        for (CTreeNode* c = GetFirstChild(); c && seen < limit; c = c->GetNextSibling(), ++seen)
            if (IsNamed(c, pszName))
                return static_cast<CTagNode*>(c);
    }
    if (nWhere & TAGFIND_ANCESTORS) {
        if (m_bPreKnown && CString(pszName).CompareNoCase("PRE") == 0 && nLimit <= 0)
            return m_pEnclosingPre;
        unsigned seen = 0;
        for (CTreeNode* p = GetParent(); p && seen < limit; p = p->GetParent(), ++seen)
            if (IsNamed(p, pszName))
                return static_cast<CTagNode*>(p);
    }
    if (nWhere & TAGFIND_DESCENDANTS) {
        unsigned seen = 0;
        for (CTreeNode* d = GetDFSNext(this); d && d != this && seen < limit; d = d->GetDFSNext(this), ++seen)
            if (IsNamed(d, pszName))
                return static_cast<CTagNode*>(d);
    }
    return nullptr;
}
