// CAlignQueue: the elements of the line being filled, aligned together when the line closes.
#pragma once

#include "platform/afx/afx.h"

class CVisible;

// Holds the elements of exactly one line, in placement order; it does not own them. The server
// owns the one queue of the process, so only one layout may run at a time.
class CAlignQueue : public CObList
{
    DECLARE_DYNCREATE(CAlignQueue)

public:
    CAlignQueue() : CObList(10) {}
    ~CAlignQueue() override = default;

    // Sets every element of the line on the common bottom (or as the images of the line ask) and
    // returns the line height.
    int VerticalAlign();
    // Moves the line by the alignment of its first element, or spreads a full text line over the
    // whole width when justify is set.
    void HorizontalAlign(BOOL justify);
};
