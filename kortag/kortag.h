// Tag tree library: tree nodes, parsed tag nodes, the tag database and the SGML parser for HTML.
#pragma once

#include "korhtml/Export.h"
#include "platform/afx/afx.h"

#include <cstddef>
#include <new>

// A node of an ordered tree. Layout elements derive from it, so it stays small: four links and the
// object's own table pointer. The first child's previous-sibling link points at the last child,
// which makes appending O(1) without a link of its own (siblings without a parent are not ringed). Every
// operation is O(1) or walks only what it must (siblings, ancestors, a subtree) with loops, never recursion,
// so trees of any depth are safe.
class KORHTML_API CTreeNode : public CObject
{
public:
    CTreeNode() = default;
    // Deletes the whole subtree (iteratively) and unlinks the node from its parent and siblings.
    ~CTreeNode() override;
    // Nodes are made and freed by the hundred thousand: they come from slabs of their own size.
    static void* operator new(std::size_t size);
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* p, std::size_t size) noexcept;

    CTreeNode* GetParent() const { return m_pParent; }
    CTreeNode* GetFirstChild() const { return m_pFirstChild; }
    CTreeNode* GetLastChild() const { return m_pFirstChild ? m_pFirstChild->m_pPrevSibling : nullptr; }
    CTreeNode* GetNextSibling() const { return m_pNextSibling; }
    CTreeNode* GetPrevSibling() const
    {
        return m_pParent && m_pParent->m_pFirstChild == this ? nullptr : m_pPrevSibling;
    }
    // The i-th child (0-based), null when there is none.
    CTreeNode* GetChildAt(int i) const;
    int GetChildCount() const;
    // Position among the siblings (0-based); 0 for a node without siblings.
    int GetSiblingIndex() const;
    BOOL IsLeaf() const { return m_pFirstChild == nullptr; }
    // True when n is a proper ancestor of this node.
    BOOL IsDescendantOf(const CTreeNode* n) const;
    CTreeNode* GetRoot() const;

    // Depth-first pre-order through the whole tree; null past the ends.
    CTreeNode* GetDFSNext() const;
    CTreeNode* GetDFSPrev() const;
    // Pre-order successor that stays inside pWithin's subtree (null past its end). A walk
    // "for (n = top; n; n = n->GetDFSNext(top))" visits top and all its descendants.
    CTreeNode* GetDFSNext(const CTreeNode* pWithin) const;
    // Pre-order successor of the whole subtree of this node (the node after its last descendant).
    CTreeNode* GetDFSNextSkipChildren() const;
    // The last node of the subtree in pre-order (this node when it is a leaf).
    CTreeNode* GetRightMostLeaf() const;

    // Linking. n may not be null, this node, or an ancestor of this node; a node that is still
    // linked somewhere is first unlinked (moved). Nonzero on success.
    BOOL AddFirstChild(CTreeNode* n);
    BOOL AddLastChild(CTreeNode* n);
    BOOL InsertPrevSibling(CTreeNode* n);
    BOOL InsertNextSibling(CTreeNode* n);
    // n takes this node's place and this node becomes n's last child.
    BOOL InsertParent(CTreeNode* n);

    // Unlinks the node with its subtree from parent and siblings; deletes nothing.
    BOOL Remove();
    // Deletes all descendants, iteratively (depth does not matter).
    void DeleteChildren();
    // Moves the children, in order, into this node's place and unlinks this node (the caller
    // deletes it). Fails (0) for a node without parent and siblings that has children, since
    // there would be no place to move them to.
    BOOL Collapse();

    // The number of link changes made so far in all trees: every link made or broken and every node
    // deleted from a tree counts. A walk that remembers answers about a tree compares it with the
    // count it saw when it remembered them to know that the tree has not changed since.
    static unsigned long long GetEditCount() { return s_nEdits; }

private:
    BOOL CanTake(const CTreeNode* n) const;
    void LinkBetween(CTreeNode* parent, CTreeNode* prev, CTreeNode* next);

    static inline unsigned long long s_nEdits = 0;

    CTreeNode* m_pParent = nullptr;
    CTreeNode* m_pFirstChild = nullptr;
    CTreeNode* m_pPrevSibling = nullptr;
    CTreeNode* m_pNextSibling = nullptr;
};

// Node types given by CTagNode::GetType (the numbering of the document object model).
#define TAGNODE_ELEMENT 1 // a start tag and its content
#define TAGNODE_TEXT 3    // character data; its text is the value "data"
#define TAGNODE_COMMENT 8 // a source comment or the raw text of SCRIPT/STYLE; tag name "COMMENT"

// Where CTagNode::Find looks (bits, combined freely; searched in this order).
#define TAGFIND_SELF 1
#define TAGFIND_CHILDREN 2
#define TAGFIND_ANCESTORS 4   // parent, grandparent, ... up to the root
#define TAGFIND_DESCENDANTS 8 // the whole subtree in pre-order, this node excluded

// Forms of a tag name for CTagNode::GetName.
#define TAGNAME_UPPER 1 // upper case, the form CTagDB::GetTagIndex takes (0 gives the same)
#define TAGNAME_LOWER 2

// One node of a parsed document: an element with its attributes, a text, or a comment.
class KORHTML_API CTagNode : public CTreeNode
{
public:
    CTagNode() = default;
    // nIndex: the tag database's index of the name, -1 for none. Element names are kept in upper case.
    CTagNode(int nType, const CString& strName, int nIndex = -1);
    ~CTagNode() override;

    int GetType() const { return m_nType; }
    BOOL IsText() const { return m_nType == TAGNODE_TEXT; }
    // The tag name: "COMMENT" for comments, "#TEXT" for texts.
    CString GetName(int nForm = TAGNAME_UPPER) const;
    // Index the tag database gave the name when the node was made; -1 when it lists no such tag.
    int GetIndex() const { return m_nIndex; }

    // Attributes keyed by lower-case name, values as written (quotes included, "EXIST" for a bare
    // name). Never null; made on first use.
    CMapStringToString* GetMap();
    BOOL HasAttributes() const { return m_pMap != nullptr && !m_pMap->IsEmpty(); }
    // Adds an attribute unless one of that (lower-cased) name exists: the first one wins.
    BOOL AddAttribute(const CString& strName, const CString& strValue);

    // Text of a text node.
    const CString& GetData() const { return m_strText; }
    void SetData(const CString& strData) { m_strText = strData; }
    void AppendData(const char* p, int nLength);

    // The value named pszName: "data" on a text node is its text; anything else is the attribute
    // of that (case-insensitive) name. nScope 0 looks at this node only, nonzero also at its
    // ancestors, nearest first. nForm 0 gives the value as written, nonzero with one pair of
    // enclosing quotes removed. Empty when nothing is found.
    CString GetValueOf(const char* pszName, int nScope = 0, int nForm = 0) const;

    // The first element named pszName (case-insensitive) in the places nWhere selects (TAGFIND_*
    // bits); nLimit bounds the number of nodes examined per place (0: no bound). Null when none.
    // Find("pre", TAGFIND_ANCESTORS, 0) answers in constant time for nodes the parser made, from the
    // enclosing PRE it recorded (the tag tree is read, not edited, once parsed).
    CTagNode* Find(const char* pszName, int nWhere = TAGFIND_DESCENDANTS, int nLimit = 0) const;

    // Parser's record of the nearest enclosing PRE element (null: none).
    void SetEnclosingPre(CTagNode* pPre)
    {
        m_pEnclosingPre = pPre;
        m_bPreKnown = TRUE;
    }

private:
    int m_nType = TAGNODE_ELEMENT;
    int m_nIndex = -1;
    BOOL m_bPreKnown = FALSE;
    CString m_strText; // tag name of an element, text of a text node
    CMapStringToString* m_pMap = nullptr;
    CTagNode* m_pEnclosingPre = nullptr;
};

// A case-insensitive table of tag names and their indices.
class KORHTML_API CTagDB : public CObject
{
    DECLARE_DYNAMIC(CTagDB)

public:
    CTagDB();
    ~CTagDB() override;

    // Fills the table; nHashSize sizes its hash table. Nonzero on success.
    virtual BOOL Create(int nHashSize);
    void AddTag(const CString& strName, int nIndex);
    // The index of a tag name (any case); -1 for a name the table does not list.
    int GetTagIndex(const CString& strName) const;
    // The upper-case name of an index; empty for an unknown index.
    CString GetTagName(int nIndex) const;
    int GetTagCount() const { return m_map.GetCount(); }

protected:
    CMapStringToPtr m_map;        // upper-case name -> index + 1
    std::vector<CString> m_names; // by index
};

// The HTML tag database: the 76 tag names of HTML 3.2 and its extensions, indices 0..75 in
// alphabetical order (A 0, ADDRESS 1, ... TABLE 63, ... XMP 75).
class KORHTML_API CHTMLDB : public CTagDB
{
    DECLARE_DYNCREATE(CHTMLDB)

public:
    CHTMLDB() = default;
    BOOL Create(int nHashSize) override;
};

// The SGML parser: turns HTML source bytes (CP949) into a tree of CTagNodes with the omitted tags
// of HTML 3.2 implied. Linear in the input, never recursive, never fails on bad markup.
class KORHTML_API CSGMLParser : public CObject
{
    DECLARE_DYNCREATE(CSGMLParser)

public:
    CSGMLParser() = default;
    ~CSGMLParser() override = default;

    void SetSource(const CString& strSource) { m_strSource = strSource; }
    const CString& GetSource() const { return m_strSource; }
    // Parses the source with pDB's tag indices (null: a built-in HTML database). Returns the HTML
    // root, owned by the caller (DeleteChildren, then delete; or just delete), or null for a source
    // without any non-blank byte.
    CTagNode* Parse(CTagDB* pDB);
    // The same for strSource, without taking a copy of it (a document keeps its own source).
    CTagNode* Parse(CTagDB* pDB, const CString& strSource);

private:
    CString m_strSource;
};
