// CBreakCache: reuse of the backward searches for break elements during one measure pass.
#pragma once

#include "korhtml/Element.h"

// While a CBreakCache object lives (a measure pass over a tree that does not change), the searches
// for the nearest paragraph and line-break elements remember what the previous search found and
// where it started: a later search that walks back onto that start takes the remembered answer
// instead of walking on. So a long run of words without P or BR costs one step per word instead of
// a walk back to the start of the run. The visible ranges of the two elements last asked about are
// remembered too. Without a live object every call searches the tree as it is.
class CBreakCache
{
public:
    CBreakCache();
    ~CBreakCache();

    // Forgets everything remembered (call it after the tree changed inside a pass).
    static void Reset();

    // The results of FindPrevByFlags(EF_PARAGRAPH, includeSelf, NULL) and
    // FindPrevByFlags(EF_LINEBREAK, includeSelf, NULL) on e.
    static void FindPrev(CElement* e, BOOL includeSelf, CElement** para, CElement** line);
    // e->GetVisibleRange(first, after).
    static void GetRange(CElement* e, CVisible** first, CVisible** after);

    CBreakCache(const CBreakCache&) = delete;
    CBreakCache& operator=(const CBreakCache&) = delete;
};
