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

// The server's stand-in for an image in this state: global image 1 for one still to come, 2 for
// one that failed; null without a server or image.
CImageDax* StandIn(int state)
{
    const int global = state == IMAGE_NOTREADY ? 1 : 2;
    return g_pHtmlSrvr ? g_pHtmlSrvr->GetGlobalImage(global) : nullptr;
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
        case IMAGE_NOTREADY:
            return StandIn(IMAGE_NOTREADY);
        case IMAGE_FAILED:
            return StandIn(IMAGE_FAILED);
        case IMAGE_LOADED:
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
        return StandIn(IMAGE_NOTREADY);
    }

    if (image->Load(path)) {
        if (image->GetTransparentIndex(0) != CImageDax::NoTransparentIndex)
            image->CreateMask(-1);
        image->state = IMAGE_LOADED;
        return image;
    }
    image->state = IMAGE_FAILED;
    return StandIn(IMAGE_FAILED);
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
