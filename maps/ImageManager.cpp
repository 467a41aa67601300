// CImageManager: loading each image of a document once, stand-ins for missing images, copying files.
#include "maps/ImageManager.h"

#include "korgr/ImageDax.h"
#include "korhtml/HtmlSrvr.h"
#include "korlib/korlib.h"
#include "platform/shell/shell.h"

IMPLEMENT_DYNCREATE(CImageManager, CObject)
IMPLEMENT_DYNCREATE(CLocation, CObject)
IMPLEMENT_DYNCREATE(CLocationList, CObList)

namespace {

// The server's stand-in image n (1: still to come, 2: failed); null without a server or image.
CImageDax* StandIn(int n)
{
    return g_pHtmlSrvr ? g_pHtmlSrvr->GetGlobalImage(n) : nullptr;
}

} // namespace

CImageManager::CImageManager(CHtmlX* doc) : m_pDoc(doc)
{
    m_mapImages.InitHashTable(7);
}

CImageManager::~CImageManager()
{
    POSITION pos = m_mapImages.GetStartPosition();
    while (pos) {
        CString key;
        void* p = nullptr;
        m_mapImages.GetNextAssoc(pos, key, p);
        delete static_cast<CImageDax*>(p);
    }
    m_mapImages.RemoveAll();
    m_listRemoteFiles.RemoveAll();
}

CImageDax* CImageManager::GetImage(const CString& path)
{
    void* p = nullptr;
    if (m_mapImages.Lookup(path, p) && p) {
        CImageDax* known = static_cast<CImageDax*>(p);
        switch (known->state) {
        case 1:
            return StandIn(1);
        case 2:
            return StandIn(2);
        case 3:
            return known;
        default:
            // Not a state this manager knows: the entry is loaded anew below.
            break;
        }
        delete known;
        m_mapImages.SetAt(path, nullptr);
    }

    CImageDax* image = new CImageDax;
    m_mapImages.SetAt(path, image);

    // Network images are never fetched: the path is noted for the host and the stand-in shown.
    if (KorIsRemoteFile(path)) {
        m_listRemoteFiles.AddTail(path);
        return StandIn(1);
    }

    if (image->Load(path)) {
        if (image->GetTransparentIndex(0) != CImageDax::NoTransparentIndex)
            image->CreateMask(-1);
        image->state = 3;
        return image;
    }
    image->state = 2;
    return StandIn(2);
}

void CImageManager::GetComponentList(CStringList& list)
{
    list.RemoveAll();
    POSITION pos = m_mapImages.GetStartPosition();
    while (pos) {
        CString key;
        void* p = nullptr;
        m_mapImages.GetNextAssoc(pos, key, p);
        list.AddTail(key);
    }
}

void CImageManager::CopyComponents(CString directory)
{
    POSITION pos = m_mapImages.GetStartPosition();
    while (pos) {
        CString path;
        void* p = nullptr;
        m_mapImages.GetNextAssoc(pos, path, p);
        _finddata_t info;
        intptr_t h = _findfirst(path, &info);
        if (h == -1)
            continue;
        _findclose(h);
        CString target = directory + KorGetFileName(path);
        CopyFileA(path, target, FALSE); // a failed copy is not reported
    }
}

CLocationList::~CLocationList()
{
    POSITION pos = GetHeadPosition();
    while (pos)
        delete GetNext(pos);
    RemoveAll();
}
