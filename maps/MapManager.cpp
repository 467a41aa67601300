// CMapManager: registering client-side image maps and asking them for the link under a point.
#include "maps/MapManager.h"

#include "korhtml/MapElements.h"

IMPLEMENT_DYNCREATE(CMapManager, CObject)

CMapManager::CMapManager(CHtmlX* doc) : m_pDoc(doc) {}

CMapManager::~CMapManager() = default;

void CMapManager::AddMap(const CString& name, FMap* map)
{
    m_mapMaps.SetAt(name, map);
}

FMap* CMapManager::GetMap(const CString& name) const
{
    void* p = nullptr;
    if (!m_mapMaps.Lookup(name, p))
        return nullptr;
    return static_cast<FMap*>(p);
}

void CMapManager::RemoveAll()
{
    m_mapMaps.RemoveAll();
}

BOOL CMapManager::IsInMap(const CString& name, int x, int y)
{
    FMap* map = GetMap(name);
    return map ? map->IsInMap(x, y) : FALSE;
}

CString& CMapManager::GetMapLink(CString& out, const CString& name, int x, int y)
{
    FMap* map = GetMap(name);
    out = map ? map->GetLink(x, y) : CString();
    return out;
}
