// Regions of client-side image map areas: the CRegion base and its rectangle, circle and polygon.
#pragma once

#include "korhtml/Export.h"
#include "platform/afx/afx.h"

// Room that GetCoords may need: 100 polygon vertices of two signed ten-digit numbers, with commas.
const int REGION_COORDS_TEXT_MAX = 2560;

// Most vertices a polygon keeps.
const int POLYGON_MAX_VERTICES = 100;

// The geometry of one AREA. SetCoords reads every integer of the coordinate text; each shape then
// accepts the numbers it needs. Any character that is not a decimal digit separates numbers.
class KORHTML_API CRegion : public CObject
{
    DECLARE_DYNCREATE(CRegion)

public:
    CRegion();
    ~CRegion() override;

    virtual void SetCoords(const char* text);
    virtual BOOL PtInRegion(CPoint pt);
    virtual BOOL PtInRegion(int x, int y);
    // Writes the accepted geometry as comma-separated integers; out must hold
    // REGION_COORDS_TEXT_MAX bytes.
    virtual void GetCoords(char* out);

    // The next integer of text from the cursor on, or -1 at the end of the text.
    int GetNextNumber(const char* text);

    int m_nCursor;
    int m_bValid;
    int m_nCount;
    CUIntArray m_arNumbers;

protected:
    // Reads every integer of text into m_arNumbers (count and cursor start at 0).
    void ReadNumbers(const char* text);
    // The i-th integer read, as the int the shapes store.
    int NumberAt(int i) const { return int(m_arNumbers.GetAt(i)); }

private:
    // GetNextNumber without the -1 sentinel, so that a number that wraps to -1 does not end the text.
    BOOL ReadNumber(const char* text, int& value);
};

class KORHTML_API CRectangle : public CRegion
{
    DECLARE_DYNCREATE(CRectangle)

public:
    CRectangle();

    using CRegion::PtInRegion;
    void SetCoords(const char* text) override;
    BOOL PtInRegion(int x, int y) override;
    void GetCoords(char* out) override;

    int m_nLeft;
    int m_nTop;
    int m_nRight;
    int m_nBottom;
};

class KORHTML_API CCircle : public CRegion
{
    DECLARE_DYNCREATE(CCircle)

public:
    CCircle();

    using CRegion::PtInRegion;
    void SetCoords(const char* text) override;
    BOOL PtInRegion(int x, int y) override;
    void GetCoords(char* out) override;

    int m_nX;
    int m_nY;
    int m_nRadius;
};

// A polygon never becomes "valid": it matches whenever it has vertices. Unused vertices hold
// (-1.0, -1.0); the first x of -1.0 ends the vertex list.
class KORHTML_API CPolygon : public CRegion
{
    DECLARE_DYNCREATE(CPolygon)

public:
    CPolygon();

    using CRegion::PtInRegion;
    void SetCoords(const char* text) override;
    BOOL PtInRegion(int x, int y) override;
    void GetCoords(char* out) override;

    double m_dVertex[POLYGON_MAX_VERTICES][2];
    int m_nVertices;

private:
    // Vertices in use: up to the first free one.
    int UsedVertices() const;
};
