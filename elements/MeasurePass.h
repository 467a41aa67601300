// CMeasurePass: the tree searches of a measure or layout walk, with what the walk remembers to stay linear.
#pragma once

#include "korhtml/Element.h"

#include <memory>

// Measuring and placing an element asks the tree questions whose plain answers walk it again for
// every element: the nearest paragraph and line-break elements before it, what its ancestors hand
// down (alignment, list level, list-item bit, font and colour), the end of a subtree's visible
// range. A walk over the tree opens a pass for as long as it runs - the document's measure and
// layout passes, the text conversion's static pass - as a local object:
//
//     CMeasurePass pass; // the current pass until the walk returns
//
// and the elements ask the pass of the running walk, CMeasurePass::Current(). Only one parse or
// layout runs at a time (like the alignment queue, the current pass is one shared slot); a pass
// opened inside another is current until it closes, then the outer one is again. Outside every
// walk Current() is a pass that remembers nothing: every answer is a fresh walk of the tree.
//
// What a pass remembers, so that a walk in document order costs one step per element and level:
// - the searches for the nearest paragraph and line-break elements remember what the previous
//   search found and where it started: a later search that walks back onto that start takes the
//   remembered answer instead of walking on. Keep stores the answer for an element whose own
//   search comes later out of order (tables are measured after their content). The visible
//   ranges of the two elements last asked about are remembered too;
// - what each ancestor hands down is worked out once, from its parent's;
// - the last leaf of a subtree and the next visible element after a node are worked out once per
//   node, so the ranges of nested elements do not walk down and up the nest again each.
//
// Every answer is exactly the plain walk's. Remembered answers describe the links of the tree as
// they were when they were found, so a pass never uses them after a link changed: the tree library
// counts link changes (CTreeNode::GetEditCount), and a pass that sees the count moved since it
// remembered anything forgets it all before answering. A walk may therefore change the tree in its
// middle (a table moving its caption or wrapping cells in rows) and later answers follow the new
// tree; the cost is that the answers after each change are worked out again. The elements' kinds,
// flags, alignments and fonts are taken as fixed while a pass is open: they are set when the tree
// is built.
class CMeasurePass
{
public:
    CMeasurePass();
    ~CMeasurePass();
    CMeasurePass(const CMeasurePass&) = delete;
    CMeasurePass& operator=(const CMeasurePass&) = delete;

    // The pass of the running walk, or the one that remembers nothing.
    static CMeasurePass& Current();

    // The break bits of e: BRK_PARA when e is the first visible element inside the nearest
    // paragraph element before it (from e itself or from its predecessor, as includeSelf says) or
    // the first after it, BRK_LINE the same for the nearest line-break element.
    int BreakBits(CElement* e, BOOL includeSelf);
    // Searches for e now, in document order, and keeps the answer for a search from e made later
    // out of order.
    void Keep(CElement* e);
    // The first visible element after n in document order (n's children come after n), or null.
    CVisible* NextVisible(CTreeNode* n);
    // The last node of e's subtree in document order (e when it has no children).
    CTreeNode* LastLeaf(CElement* e);
    // The first visible element after e's subtree, or null.
    CVisible* NextVisibleAfter(CElement* e);
    // What the ancestors of an element whose parent is parent hand down: the alignment of the
    // nearest aligning ancestor inside its context (0 when none), the number of lists and whether
    // a list item comes before the nearest list.
    void GetInherited(CElement* parent, int* align, int* listLevel, int* inListItem);
    // The font and colour of a text run whose parent is parent, built from the font elements around
    // it, outermost first, on the body font and the colour base. FALSE when no font element
    // encloses the run (then nothing is handed down).
    BOOL GetFont(CElement* parent, COLORREF base, CFont** font, COLORREF* color);

private:
    struct Memo;
    struct Idle
    {
    };
    explicit CMeasurePass(Idle);

    // The remembered answers, forgotten first when the tree changed since they were found; null
    // for the pass that remembers nothing.
    Memo* Fresh();

    std::unique_ptr<Memo> m_pMemo;
    unsigned long long m_nEdits = 0; // the tree's edit count when m_pMemo was last checked
    CMeasurePass* m_pOuter = nullptr;
};

// The controls whose GetNextVisible passes over what they hold (list boxes and text areas): a walk
// over the visible elements never meets their contents, though the walk backwards does.
inline bool PassesOverContents(const CElement* e)
{
    return e->m_nKind == TAG_SELECT || e->m_nKind == TAG_TEXTAREA;
}
