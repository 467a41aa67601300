// Client-side image map elements: FMap (a named map) and FArea (one linked region of it).
#pragma once

#include "korhtml/Export.h"
#include "korhtml/Element.h"

class CRegion;

// MAP: its AREA children, in order, turn a point on an image into a link. The document's map
// manager finds it by name.
class KORHTML_API FMap : public CElement
{
public:
    explicit FMap(CHtmlX* doc);
    // Also registers the map under its name with the document's map manager.
    void ReadAttributes(const CAttrReader& a);

    // Whether an area with a link lies under (x, y), relative to the image's top-left corner.
    BOOL IsInMap(int x, int y);
    // The link of the first such area, "" when there is none.
    CString GetLink(int x, int y);

    CString m_strName;

private:
    // The first AREA child with a region and a link that contains the point; earlier areas win.
    class FArea* HitArea(int x, int y);
};

// AREA: a shape, its region built from the coordinates, and the link it leads to.
class KORHTML_API FArea : public CElement
{
public:
    explicit FArea(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);
    ~FArea() override;

    // Builds the region for the shape code (rectangle for 0 and 3, circle 1, polygon 2) from the
    // coordinate text; replaces any earlier region.
    void SetShape(int shape, const char* coords);

    CString m_strAlt;
    CString m_strHref;
    int m_bNoHref;
    int m_nShape;
    CRegion* m_pRegion; // owned
};
