// Rules, breaks and list items: FRule (HR), FBreak (BR) and FListItem (LI, the bullet).
#pragma once

#include "korhtml/Export.h"
#include "korhtml/Element.h"

// HR: a sunken bar; it and the element after it start new paragraphs.
class KORHTML_API FRule : public CVisible
{
public:
    explicit FRule(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    // The rule itself, and the next visible element.
    void GetVisibleRange(CVisible** first, CVisible** after) override;
    // The line width also sizes the rule: the whole line, a percentage of it, or the pixel width.
    void SetLineWidth(int w) override;
    // A sunken bar 4 pixels high, shaded to stand out from the page's background colour.
    void Draw(CDC* dc) override;

    int m_nRuleAlign; // stored only
    BOOL m_bNoShade;  // stored only
    int m_nSize;      // stored only
    int m_nWidthAttr; // pixels, or a percentage stored negated; -1 = the whole line
};

// BR: ends the line; the element after it starts the next one.
class KORHTML_API FBreak : public CVisible
{
public:
    explicit FBreak(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    // No content of its own; the next visible element starts a line.
    void GetVisibleRange(CVisible** first, CVisible** after) override;
    // As the inherited rule, but the enclosing paragraph and line-break elements are looked for
    // before the break itself, which would otherwise find itself.
    void ComputeBreaks() override;

    int m_nClear; // stored only: floats are not cleared
};

// LI: every item starts a line and is indented by its list level.
class KORHTML_API FListItem : public CVisible
{
public:
    explicit FListItem(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    // The item itself starts a line; nothing after it is forced onto a new one.
    void GetVisibleRange(CVisible** first, CVisible** after) override;
    // 20 pixels per enclosing list, whether or not the item starts a line.
    int GetIndent() override;
    // A small disc in the text colour, unless nothing follows the item on its line.
    void Draw(CDC* dc) override;

    int m_nType;  // stored only
    int m_nValue; // stored only
};
