// CTransformer: turns a parsed tag tree into the element tree, one element per tag and one per word.
#pragma once

#include "platform/afx/afx.h"
#include "transform/AttrParse.h"

class CHtmlX;
class CElement;
class CTagNode;

// The one transformer of the process (held by the server). Its only state is the current
// document, which every element it creates is given and whose map manager learns the MAP
// elements. The attribute parsers are inherited from CAttrParser.
class CTransformer : public CObject, public CAttrParser
{
    DECLARE_DYNCREATE(CTransformer)

public:
    CTransformer();
    ~CTransformer() override;

    // The document given to every element created from now on (null: none).
    void SetDocument(CHtmlX* doc) { m_pDoc = doc; }
    CHtmlX* GetDocument() const { return m_pDoc; }

    // Builds the element for node and for its whole subtree; the caller owns the result. Walks
    // the tag tree iteratively, so any depth is safe. Null when node is null or its own element
    // could not be allocated; a child whose element cannot be allocated is left out with its subtree.
    CElement* Transform(CTagNode* node);
    // The same, deleting the tag tree (node included) as the walk leaves each node, so the two
    // trees are never whole side by side. node is gone on return, whatever the result.
    CElement* TransformAndDelete(CTagNode* node);
    // The one element of one tag node, its attributes read into its fields; null when it could
    // not be allocated.
    CElement* CreateElement(CTagNode* node);
    // Appends the text elements of one text node to parent: one per word, or one for the whole
    // text inside PRE.
    void AddText(CElement* parent, CTagNode* textNode);

    CHtmlX* m_pDoc; // not owned

private:
    CElement* Build(CTagNode* node, bool deleteTags);
};
