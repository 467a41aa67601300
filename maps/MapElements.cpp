// Client-side image map elements: hit-testing a map's areas and building an area's region.
#include "korhtml/MapElements.h"

#include "korhtml/AttrValues.h"
#include "korhtml/Region.h"

// ---- FMap ----

FMap::FMap(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_MAP;
    m_dwFlags = 0;
}

FArea* FMap::HitArea(int x, int y)
{
    for (CTreeNode* n = GetFirstChild(); n; n = n->GetNextSibling()) {
        CElement* e = static_cast<CElement*>(n);
        if (e->m_nKind != TAG_AREA)
            continue;
        FArea* area = static_cast<FArea*>(e);
        // The no-link flag is recorded but not consulted: the href alone decides.
        if (area->m_pRegion && !area->m_strHref.IsEmpty() && area->m_pRegion->PtInRegion(x, y))
            return area;
    }
    return nullptr;
}

BOOL FMap::IsInMap(int x, int y)
{
    return HitArea(x, y) != nullptr;
}

CString FMap::GetLink(int x, int y)
{
    FArea* area = HitArea(x, y);
    return area ? area->m_strHref : CString();
}

// ---- FArea ----

FArea::FArea(CHtmlX* doc) : CElement(doc), m_bNoHref(0), m_nShape(SHAPE_DEFAULT), m_pRegion(nullptr)
{
    m_nKind = TAG_AREA;
    m_dwFlags = 0;
}

FArea::~FArea()
{
    delete m_pRegion;
}

void FArea::SetShape(int shape, const char* coords)
{
    m_nShape = shape;
    delete m_pRegion;
    switch (shape) {
    case SHAPE_CIRCLE:
        m_pRegion = new CCircle;
        break;
    case SHAPE_POLY:
        m_pRegion = new CPolygon;
        break;
    default: // SHAPE_RECT, SHAPE_DEFAULT and any other code
        m_pRegion = new CRectangle;
        break;
    }
    m_pRegion->SetCoords(coords);
}
