// CMeasureCache: the answers a measure or layout pass remembers so that its tree searches stay linear.
#pragma once

#include "korhtml/Element.h"

// While a CMeasureCache object lives (a measure pass over a tree that does not change), searches
// that would walk the tree again for every element take what an earlier search found:
// - the searches for the nearest paragraph and line-break elements remember what the previous
//   search found and where it started: a later search that walks back onto that start takes the
//   remembered answer instead of walking on. So a long run of words without P or BR costs one
//   step per word instead of a walk back to the start of the run. The visible ranges of the two
//   elements last asked about are remembered too;
// - what an element's ancestors hand down (alignment, list level, list-item bit, font and colour)
//   is worked out once per ancestor, from its parent's, so deep nesting costs one step per level;
// - the last leaf of a subtree and the next visible element after a node are worked out once per
//   node, so the ranges of nested elements do not walk down and up the nest again each.
// Layout passes open one too: they leave the structure alone as well.
// Without a live object every call searches the tree as it is.
class CMeasureCache
{
public:
    CMeasureCache();
    ~CMeasureCache();

    // Forgets everything remembered (call it after the tree changed inside a pass).
    static void Reset();

    // The results of FindPrevByFlags(EF_PARAGRAPH, includeSelf, NULL) and
    // FindPrevByFlags(EF_LINEBREAK, includeSelf, NULL) on e.
    static void FindPrev(CElement* e, BOOL includeSelf, CElement** para, CElement** line);
    // The break bits of e: BRK_PARA when e is the first visible element inside the nearest paragraph
    // element before it (from e itself or from its predecessor, as includeSelf says) or the first
    // after it, BRK_LINE the same for the nearest line-break element.
    static int BreakBits(CElement* e, BOOL includeSelf);
    // Searches for e now, in document order, and keeps the answer for a search from e made later
    // out of order (tables are measured after their content, inner ones first).
    static void Keep(CElement* e);
    // e->GetVisibleRange(first, after).
    static void GetRange(CElement* e, CVisible** first, CVisible** after);
    // The first visible element after n in document order (n's children come after n), or null.
    static CVisible* NextVisible(CTreeNode* n);
    // The last node of e's subtree in document order (e when it has no children).
    static CTreeNode* LastLeaf(CElement* e);
    // The first visible element after e's subtree, or null.
    static CVisible* NextVisibleAfter(CElement* e);

    // What the ancestors of an element whose parent is parent hand down: the alignment of the
    // nearest aligning ancestor inside its context (0 when none), the number of lists and whether
    // a list item comes before the nearest list. FALSE when no pass is live.
    static BOOL GetInherited(CElement* parent, int* align, int* listLevel, int* inListItem);
    // The font and colour of a text run whose parent is parent, built from the font elements around
    // it, outermost first, on the body font and the colour base. FALSE when no pass is live or no
    // font element encloses the run (then nothing is handed down).
    static BOOL GetFont(CElement* parent, COLORREF base, CFont** font, COLORREF* color);

    CMeasureCache(const CMeasureCache&) = delete;
    CMeasureCache& operator=(const CMeasureCache&) = delete;
};
