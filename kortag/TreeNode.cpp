// CTreeNode: links, navigation and iterative deletion of ordered trees.
#include "kortag/kortag.h"

CTreeNode::~CTreeNode()
{
    DeleteChildren();
    Remove();
}

CTreeNode* CTreeNode::GetChildAt(int i) const
{
    if (i < 0)
        return nullptr;
    CTreeNode* c = m_pFirstChild;
    while (c && i-- > 0)
        c = c->m_pNextSibling;
    return c;
}

int CTreeNode::GetChildCount() const
{
    int n = 0;
    for (CTreeNode* c = m_pFirstChild; c; c = c->m_pNextSibling)
        ++n;
    return n;
}

int CTreeNode::GetSiblingIndex() const
{
    int n = 0;
    for (CTreeNode* s = GetPrevSibling(); s; s = s->GetPrevSibling())
        ++n;
    return n;
}

BOOL CTreeNode::IsDescendantOf(const CTreeNode* n) const
{
    if (!n)
        return FALSE;
    for (CTreeNode* p = m_pParent; p; p = p->m_pParent)
        if (p == n)
            return TRUE;
    return FALSE;
}

CTreeNode* CTreeNode::GetRoot() const
{
    const CTreeNode* n = this;
    while (n->m_pParent)
        n = n->m_pParent;
    return const_cast<CTreeNode*>(n);
}

CTreeNode* CTreeNode::GetDFSNext() const
{
    if (m_pFirstChild)
        return m_pFirstChild;
    return GetDFSNextSkipChildren();
}

CTreeNode* CTreeNode::GetDFSNextSkipChildren() const
{
    for (const CTreeNode* n = this; n; n = n->m_pParent)
        if (n->m_pNextSibling)
            return n->m_pNextSibling;
    return nullptr;
}

CTreeNode* CTreeNode::GetDFSNext(const CTreeNode* pWithin) const
{
    if (m_pFirstChild)
        return m_pFirstChild;
    for (const CTreeNode* n = this; n && n != pWithin; n = n->m_pParent)
        if (n->m_pNextSibling)
            return n->m_pNextSibling;
    return nullptr;
}

CTreeNode* CTreeNode::GetDFSPrev() const
{
    if (CTreeNode* prev = GetPrevSibling())
        return prev->GetRightMostLeaf();
    return m_pParent;
}

CTreeNode* CTreeNode::GetRightMostLeaf() const
{
    const CTreeNode* n = this;
    while (n->m_pFirstChild)
        n = n->m_pFirstChild->m_pPrevSibling;
    return const_cast<CTreeNode*>(n);
}

// n can be linked next to or under this node without making a cycle. A leaf cannot contain this
// node, so the walk up (the only costly part) is needed only for a node that has children.
BOOL CTreeNode::CanTake(const CTreeNode* n) const
{
    if (!n || n == this)
        return FALSE;
    if (n->m_pFirstChild && IsDescendantOf(n))
        return FALSE;
    return TRUE;
}

// Links this (unlinked) node under parent between prev and next, either of which may be null.
void CTreeNode::LinkBetween(CTreeNode* parent, CTreeNode* prev, CTreeNode* next)
{
    ++s_nEdits;
    m_pParent = parent;
    m_pNextSibling = next;
    m_pPrevSibling = prev;
    if (prev) {
        prev->m_pNextSibling = this;
    } else if (parent) {
        // The new first child takes over the link to the last one (itself when it is the only one).
        m_pPrevSibling = parent->m_pFirstChild ? parent->m_pFirstChild->m_pPrevSibling : this;
        parent->m_pFirstChild = this;
    }
    if (next)
        next->m_pPrevSibling = this;
    else if (parent)
        parent->m_pFirstChild->m_pPrevSibling = this;
}

BOOL CTreeNode::AddFirstChild(CTreeNode* n)
{
    if (!CanTake(n))
        return FALSE;
    n->Remove();
    n->LinkBetween(this, nullptr, m_pFirstChild);
    return TRUE;
}

BOOL CTreeNode::AddLastChild(CTreeNode* n)
{
    if (!CanTake(n))
        return FALSE;
    n->Remove();
    n->LinkBetween(this, GetLastChild(), nullptr);
    return TRUE;
}

BOOL CTreeNode::InsertPrevSibling(CTreeNode* n)
{
    if (!CanTake(n))
        return FALSE;
    n->Remove();
    n->LinkBetween(m_pParent, GetPrevSibling(), this);
    return TRUE;
}

BOOL CTreeNode::InsertNextSibling(CTreeNode* n)
{
    if (!CanTake(n))
        return FALSE;
    n->Remove();
    n->LinkBetween(m_pParent, this, m_pNextSibling);
    return TRUE;
}

BOOL CTreeNode::InsertParent(CTreeNode* n)
{
    if (!CanTake(n))
        return FALSE;
    n->Remove();
    CTreeNode* parent = m_pParent;
    CTreeNode* prev = GetPrevSibling();
    CTreeNode* next = m_pNextSibling;
    Remove();
    n->LinkBetween(parent, prev, next);
    LinkBetween(n, n->GetLastChild(), nullptr);
    return TRUE;
}

BOOL CTreeNode::Remove()
{
    if (!m_pParent && !m_pPrevSibling && !m_pNextSibling)
        return TRUE; // nothing to unlink
    ++s_nEdits;
    CTreeNode* prev = GetPrevSibling();
    if (prev)
        prev->m_pNextSibling = m_pNextSibling;
    else if (m_pParent)
        m_pParent->m_pFirstChild = m_pNextSibling;
    if (m_pNextSibling) {
        // A next sibling that becomes the first child takes over the link to the last one.
        m_pNextSibling->m_pPrevSibling = prev || !m_pParent ? prev : m_pPrevSibling;
    } else if (m_pParent && m_pParent->m_pFirstChild) {
        m_pParent->m_pFirstChild->m_pPrevSibling = prev;
    }
    m_pParent = m_pPrevSibling = m_pNextSibling = nullptr;
    return TRUE;
}

// Deletes leaves only: go down the first children to a leaf, unlink and delete it, go on from its
// parent. Each node is entered once and left once, so the work is linear and the depth is free.
void CTreeNode::DeleteChildren()
{
    if (m_pFirstChild)
        ++s_nEdits;
    CTreeNode* n = this;
    for (;;) {
        if (n->m_pFirstChild) {
            n = n->m_pFirstChild;
            continue;
        }
        if (n == this)
            break;
        CTreeNode* parent = n->m_pParent;
        parent->m_pFirstChild = n->m_pNextSibling;
        if (n->m_pNextSibling)
            n->m_pNextSibling->m_pPrevSibling = n->m_pPrevSibling; // the last child
        n->m_pParent = n->m_pPrevSibling = n->m_pNextSibling = nullptr;
        delete n;
        n = parent;
    }
}

BOOL CTreeNode::Collapse()
{
    if (m_pFirstChild && !m_pParent && !m_pPrevSibling && !m_pNextSibling)
        return FALSE;
    // Each child in turn goes right before this node; the order is kept.
    while (CTreeNode* c = m_pFirstChild) {
        m_pFirstChild = c->m_pNextSibling;
        if (m_pFirstChild)
            m_pFirstChild->m_pPrevSibling = c->m_pPrevSibling; // the last child
        c->m_pParent = c->m_pPrevSibling = c->m_pNextSibling = nullptr;
        c->LinkBetween(m_pParent, GetPrevSibling(), this);
    }
    Remove();
    return TRUE;
}
