// Helpers shared by the table's structure and layout sources: cell tests and walks that pass over nested
// tables.
#pragma once

#include "korhtml/Element.h"
#include "korlib/korlib.h"

namespace table {

inline bool IsCell(const CElement* e)
{
    return e && (e->m_nKind == TAG_TD || e->m_nKind == TAG_TH);
}

inline CElement* El(CTreeNode* n)
{
    return static_cast<CElement*>(n);
}

// The node after n's subtree in document order, staying inside root's subtree (null past its end).
// Climbing back is paid for by the descent that came before it, so a walk stays linear.
inline CTreeNode* SkipSubtree(CTreeNode* n, const CTreeNode* root)
{
    for (; n && n != root; n = n->GetParent())
        if (CTreeNode* next = n->GetNextSibling())
            return next;
    return nullptr;
}

// The visible elements inside root in document order, a nested table counting as one element:
// its content is passed over.
class CCellWalk
{
public:
    explicit CCellWalk(CElement* root) : m_pRoot(root), m_pNode(root->GetFirstChild()) {}
    CVisible* Next()
    {
        while (m_pNode) {
            CElement* e = El(m_pNode);
            m_pNode = e->m_nKind == TAG_TABLE ? SkipSubtree(e, m_pRoot) : e->GetDFSNext(m_pRoot);
            if (e->m_dwFlags & EF_VISIBLE)
                return static_cast<CVisible*>(e);
        }
        return nullptr;
    }

private:
    CElement* m_pRoot;
    CTreeNode* m_pNode;
};

// Sums and products of sizes taken from attributes can leave the int range; every position of a
// table is kept within what the layout handles.
inline int ClampPos(long long v)
{
    if (v > KOR_MAX_POSITION)
        return KOR_MAX_POSITION;
    if (v < -KOR_MAX_POSITION)
        return -KOR_MAX_POSITION;
    return int(v);
}

} // namespace table
