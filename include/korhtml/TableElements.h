// Table elements: FTable and its grid, FTableRow, FTableCell, FTableHeader, FSpanCell, FCaption, FTableFoot.
#pragma once

#include "korhtml/Export.h"
#include "korhtml/Element.h"

// TABLE. The grid holds, row-major, the cell that starts in a slot, an FSpanCell for a slot that a
// spanning cell covers, or null. Positions are relative to the table's left and top.
class KORHTML_API FTable : public CVisible
{
public:
    explicit FTable(CHtmlX* doc);
    ~FTable() override;
    void ReadAttributes(const CAttrReader& a);

    // The table itself, and the first visible element after its subtree.
    void GetVisibleRange(CVisible** first, CVisible** after) override;
    // The first visible element after the subtree; null when that is the next cell, so that the
    // walk through a cell's content ends with the table.
    CVisible* GetNextElement() override;

    int m_nTableAlign;
    int m_nBorder;
    int m_nCellPadding;
    int m_nCellSpacing;
    int m_nWidthAttr;     // pixels, or a percentage stored negated; 0 = none
    COLORREF m_crBgColor; // (COLORREF)-1 = none, as for the border colours
    COLORREF m_crBorderColor;
    COLORREF m_crBorderDark;
    COLORREF m_crBorderLight;
    CPtrArray m_arGrid;
    CUIntArray m_arRowPos;
    CUIntArray m_arColPos;
    CUIntArray m_arMinPos;
    CUIntArray m_arMaxPos;
    CUIntArray m_arColWidth;
    CObList m_lstSpans; // the FSpanCell placeholders, owned
    int m_nRows;
    int m_nCols;
    int m_nMinWidth;
    int m_nMaxWidth;
};

// TR: never placed or drawn; it carries the defaults of its cells.
class KORHTML_API FTableRow : public CElement
{
public:
    explicit FTableRow(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    int m_nRowAlign;
    int m_nRowVAlign;
    COLORREF m_crBgColor;
    int m_nCarried; // grid columns of this row taken by cells of rows above that span into it
};

// TD: a layout context of its own, positioned only by its table.
class KORHTML_API FTableCell : public CVisible
{
public:
    explicit FTableCell(CHtmlX* doc);
    // TH reads the same attributes into the same fields.
    void ReadAttributes(const CAttrReader& a);

    // The first visible element inside, and the first one after the cell unless that is the next
    // cell: a cell never gives the next cell a break.
    void GetVisibleRange(CVisible** first, CVisible** after) override;
    // A cell is positioned by its table, never by the flow of the text.
    void Place(int x, int y) override;

    int m_nCellAlign;
    int m_nColSpan;
    BOOL m_bNoWrap; // stored only
    int m_nRowSpan;
    int m_nVAlign;
    int m_nWidthAttr;
    COLORREF m_crBgColor;
    int m_nNoBorder; // stored only
    int m_nContentWidth;
    int m_nContentHeight;
    // Grid rectangle; the ends are one past the last column and row covered. -1 until numbered.
    int m_nCol;
    int m_nRow;
    int m_nColEnd;
    int m_nRowEnd;

protected:
    // For TH: a cell of another kind, with flags added to those of a TD.
    FTableCell(CHtmlX* doc, int kind, DWORD flags);
};

// TH: a cell whose text is bold.
class KORHTML_API FTableHeader : public FTableCell
{
public:
    explicit FTableHeader(CHtmlX* doc);
};

// A grid slot covered by a spanning cell, at these offsets right of and below the cell's slot.
// Made and owned by the table; never part of the element tree.
class KORHTML_API FSpanCell : public CElement
{
public:
    FSpanCell(CHtmlX* doc, int colOffset = 0, int rowOffset = 0);

    int m_nColOffset;
    int m_nRowOffset;
};

// CAPTION: moved before or after its table when the table is measured.
class KORHTML_API FCaption : public CElement
{
public:
    explicit FCaption(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    int m_nAlign;
};

class KORHTML_API FTableFoot : public CElement
{
public:
    explicit FTableFoot(CHtmlX* doc) : CElement(doc, TAG_TFOOT, 0) {}
};
