// Client-side image map elements: their attributes, hit-testing a map's areas and building an area's region.
#include "korhtml/MapElements.h"

#include "korhtml/AttrValues.h"
#include "korhtml/HtmlX.h"
#include "korhtml/Region.h"
#include "maps/MapManager.h"
#include "transform/AttrReader.h"

// ---- FMap ----

FMap::FMap(CHtmlX* doc) : CElement(doc, TAG_MAP, 0) {}

void FMap::ReadAttributes(const CAttrReader& a)
{
    // A later map of the same name replaces this one in the registry. A tree built without a
    // document (text conversion) has no registry.
    if (a.Text("name", m_strName) && m_pDoc && m_pDoc->m_pMapManager)
        m_pDoc->m_pMapManager->AddMap(m_strName, this);
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

FArea::FArea(CHtmlX* doc)
    : CElement(doc, TAG_AREA, 0), m_bNoHref(0), m_nShape(SHAPE_DEFAULT), m_pRegion(nullptr)
{}

// An AREA without shape keeps the constructor's SHAPE_DEFAULT, a rectangle.
void FArea::ReadAttributes(const CAttrReader& a)
{
    a.Text("alt", m_strAlt);
    a.Text("href", m_strHref);
    a.Flag("nohref", m_bNoHref);
    a.Shape("shape", m_nShape);
    CString coords;
    if (a.Raw("coords", coords))
        SetShape(m_nShape, coords); // as written: the region reads only the digits
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
