// CImageManager: a document's image cache by path; CLocation and CLocationList, small record classes.
#pragma once

#include "platform/afx/afx.h"

class CHtmlX;
class CImageDax;

// Loads each image file of a document once and hands the same object to every element naming the
// path. While an image is not available, or after it failed, the server's global images 1 and 2
// stand in (either may be null). The manager owns every image in its map.
class CImageManager : public CObject
{
    DECLARE_DYNCREATE(CImageManager)

public:
    explicit CImageManager(CHtmlX* doc = nullptr);
    ~CImageManager() override;

    // The image for path (exact, case-sensitive key); null when a stand-in is wanted but not set.
    // The caller must not delete it.
    CImageDax* GetImage(const CString& path);
    // Empties list and appends every path asked for (loaded, failed, remote), in the map's order.
    void GetComponentList(CStringList& list);
    // Copies every image file that exists to directory + its file name (no separator is added).
    void CopyComponents(CString directory);

    CHtmlX* m_pDoc;
    // path -> CImageDax*, owned. The image library's objects are no CObjects, so the map holds plain
    // pointers; the hash order, which the component list exposes, is the same.
    CMapStringToPtr m_mapImages;
    CStringList m_listRemoteFiles; // network paths that were asked for and not loaded

private:
    CImageManager(const CImageManager&) = delete;
    CImageManager& operator=(const CImageManager&) = delete;
};

// A string and a number.
class CLocation : public CObject
{
    DECLARE_DYNCREATE(CLocation)

public:
    CLocation() : m_nValue(0) {}

    CString m_strLocation;
    int m_nValue;
};

// A list of objects that it owns and deletes when it is destroyed, with one number.
class CLocationList : public CObList
{
    DECLARE_DYNCREATE(CLocationList)

public:
    CLocationList() : m_nValue(0) {}
    ~CLocationList() override;

    int m_nValue;
};
