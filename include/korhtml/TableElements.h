// Table elements: FTable and its grid, FTableRow, FTableCell, FTableHeader, FSpanCell, FCaption, FTableFoot.
#pragma once

#include "korhtml/Export.h"
#include "korhtml/Element.h"

#include <vector>

class FTableCell;
class FTableRow;
struct CCellFlow;
struct CTableNest;

// TABLE. The grid holds, row-major, the cell that starts in a slot, an FSpanCell for a slot that a
// spanning cell covers, or null. Positions are relative to the table's left and top.
class KORHTML_API FTable : public CVisible
{
public:
    explicit FTable(CHtmlX* doc);
    ~FTable() override;
    void ReadAttributes(const CAttrReader& a);

    // Repairs the structure (caption moved out, rows and cells made where they are missing), builds
    // the grid and works out the minimum and maximum column positions.
    void Measure(CDC* dc) override;
    // Measures this table and every table inside it, innermost first; returns the last table in
    // document order inside this one (this table when there is none).
    FTable* MeasureNested(CDC* dc);
    // Chooses the columns for the line width, lays out the cells and places the table.
    void Place(int x, int y) override;
    CPoint* GetNextPos(CPoint* pt) override;
    using CVisible::GetNextPos;
    // Border colour between the cells and the raised outer border.
    void Draw(CDC* dc) override;
    int GetFloatAlign() override;
    // Narrows the lines that lie beside a table floated to side (ALIGN_LEFT or ALIGN_RIGHT).
    void FlowAround(int left, int top, int right, int bottom, int side);

    // The table itself, and the first visible element after its subtree.
    void GetVisibleRange(CVisible** first, CVisible** after) override;
    // The first visible element after the subtree; null when that is the next cell, so that the
    // walk through a cell's content ends with the table.
    CVisible* GetNextElement() override;

    // The grid entry at (row, col), the index clamped into the grid; null for an empty grid.
    CElement* GetCell(int row, int col) const;

    // The steps of Measure, in the order it takes them.
    void NormalizeRows();
    void CountGrid();
    void AllocateGrid();
    void FillGrid();
    void NumberCells();
    int ColumnMinPos(int col);
    int ColumnMaxPos(int col);
    // The steps of Place.
    void ComputeColumns();
    int RowBottom(int row);

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

    // The light and dark colours of the borders: the table's own, or chosen for the page's background.
    COLORREF BorderLight() const;
    COLORREF BorderDark() const;

private:
    // The line-break flag, as the transformer set it.
    void SetLineBreakFlag();
    CElement* FindCaption(CTableNest* nest);
    void MoveCaption(CElement* caption, CTableNest* nest);
    // The cells' widths, the minimum and maximum column positions and the columns' width attributes.
    void MeasureColumns();
    void DeleteSpans();
    int ColumnPos(int col, bool max);
    friend class CTableLayout;
    std::vector<CCellFlow> CellFlows();
    // The steps of Place: the line closed and the table's y; the row positions from the cells'
    // content, kept with the line width for the rest of the layout; the size and x; the float.
    BOOL BeginPlace(int y);
    void SetRowPositions();
    BOOL HasRowPositions() const;
    void SetSizeAndX();
    void FlowAfter();

    BOOL m_bStaticDone;         // MeasureNested has already taken the first steps of Measure
    unsigned m_nSizedPlacement; // the placement whose column and row positions are kept ...
    int m_nSizedWidth;          // ... and the line width they were worked out for
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

    // Takes the row's alignments where the cell's own were not understood, and hands the cell's
    // horizontal alignment to everything inside.
    void Measure(CDC* dc) override;
    // The first visible element inside, and the first one after the cell unless that is the next
    // cell: a cell never gives the next cell a break.
    void GetVisibleRange(CVisible** first, CVisible** after) override;
    // A cell is positioned by its table, never by the flow of the text.
    void Place(int x, int y) override;
    // Background and sunken border.
    void Draw(CDC* dc) override;

    // The widest unbreakable item, and the widest line if nothing were wrapped.
    int CellMinWidth();
    int CellMaxWidth();
    // Lays the content out inside the cell's box, aligned vertically.
    void PlaceContent();

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

private:
    friend class FTable;
    friend class CTableLayout;
    // Where the content starts in the cell's box, aligned vertically.
    CPoint ContentStart();

    // The nearest row around the cell.
    FTableRow* EnclosingRow();

    // CellMinWidth and CellMaxWidth as the table's measuring last worked them out.
    int m_nMeasuredMin = 0;
    int m_nMeasuredMax = 0;
    // The nearest row around the cell, and the tree's edit count when it was found.
    FTableRow* m_pRow = nullptr;
    unsigned long long m_nRowEdits = ~0ULL;
};

// TH: a cell whose text is bold.
class KORHTML_API FTableHeader : public FTableCell
{
public:
    explicit FTableHeader(CHtmlX* doc);
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
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
