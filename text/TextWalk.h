// WriteText: the visible elements of a tree written as plain text, for the document's text and Html2Text.
#pragma once

#include "korhtml/Element.h"

#include <climits>

// What one kind of text output wants where the two differ; the walk is the same for both.
struct TextPolicy
{
    int nWidth = 0;          // a word that would pass this column starts a new line
    int nMaxLines = INT_MAX; // the walk ends when a counted line end brings the count to this
    int nRuleLength = 0;     // the hyphens of a rule
    // The line end before a rule's hyphens leaves the column where it was, so they add to it.
    bool bRuleKeepsColumn = false;
    // Preformatted text copied byte by byte: two-byte characters whole, tabs as four blanks, line
    // ends counted, a new line at the width. Otherwise appended as it is, the column unchanged.
    bool bCopyPre = false;
    bool bTrimPre = false;          // with bCopyPre: the white space at both ends is left out
    bool bFinalLineEnd = false;     // a line end after the last element
    CStringList* pImages = nullptr; // when set, receives the source of every image met, in order
};

// The text of the visible elements from first on, in document order: the break bits of the measure
// pass as line ends, four blanks per list level at the start of a line, "* " for list items, a rule
// on a line of its own, words wrapped at the width. Empty when first is null; never longer than
// KOR_MAX_TEXT bytes (the walk stops at the element that reaches that size).
CString WriteText(CVisible* first, const TextPolicy& policy);
