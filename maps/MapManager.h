// CMapManager: a document's registry of client-side image maps by name.
#pragma once

#include "korhtml/Export.h"
#include "platform/afx/afx.h"

class CHtmlX;
class FMap;

// Maps are looked up by exact, case-sensitive name. The manager does not own the MAP elements:
// they belong to the document's element tree, which outlives every lookup.
class KORHTML_API CMapManager : public CObject
{
    DECLARE_DYNCREATE(CMapManager)

public:
    explicit CMapManager(CHtmlX* doc = nullptr);
    ~CMapManager() override;

    // Registers map under name, replacing an earlier map of that name.
    void AddMap(const CString& name, FMap* map);
    // The map registered under name, null when there is none.
    FMap* GetMap(const CString& name) const;
    // Forgets every map (the elements are not touched).
    void RemoveAll();

    // Whether the named map has a linked area at (x, y), relative to the image's top-left corner.
    BOOL IsInMap(const CString& name, int x, int y);
    // Sets out to the link of the area under (x, y), "" when the map or the area is missing.
    CString& GetMapLink(CString& out, const CString& name, int x, int y);

    CHtmlX* m_pDoc;
    CMapStringToPtr m_mapMaps;
};
