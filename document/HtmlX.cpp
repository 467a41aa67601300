// CHtmlX life cycle: construction, the empty state, opening files and strings, the error page, parsing.
#include "korhtml/HtmlX.h"

#include "document/BandIndex.h"
#include "korhtml/Element.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/SimpleElements.h"
#include "korlib/korlib.h"
#include "kortag/kortag.h"
#include "maps/ImageManager.h"
#include "maps/MapManager.h"
#include "platform/shell/shell.h"
#include "platform/win/win.h"
#include "transform/Transformer.h"

IMPLEMENT_DYNCREATE(CHtmlX, CObject)

namespace {

// "제목 없음" (Untitled).
const char kUntitled[] = "\xC1\xA6\xB8\xF1 \xBE\xF8\xC0\xBD";

// The page shown for a file that does not exist.
CString ErrorPage()
{
    CString page("<html><body bgcolor=#ffffee text=#000000><p><br><br><center>");
    // "선택한 기사가 아직 갱신되지 않았습니다." (The selected article has not been updated yet.)
    page +=
        "\xBC\xB1\xC5\xC3\xC7\xD1 \xB1\xE2\xBB\xE7\xB0\xA1 \xBE\xC6\xC1\xF7 \xB0\xBB\xBD\xC5\xB5\xC7\xC1\xF6 "
        "\xBE\xCA\xBE\xD2\xBD\xC0\xB4\xCF\xB4\xD9.";
    page += "<hr><font size=-1>";
    // "KORHTML 한글 HTML 문서 보기" (KORHTML Korean HTML viewer).
    page += "KORHTML \xC7\xD1\xB1\xDB HTML \xB9\xAE\xBC\xAD \xBA\xB8\xB1\xE2";
    page += "</font></center></body></html>";
    return page;
}

// Frees a detached element tree.
void FreeTree(CElement*& top)
{
    if (!top)
        return;
    top->DeleteChildren();
    delete top;
    top = nullptr;
}

} // namespace

CHtmlX::CHtmlX(CWnd* view)
    : m_nState(0), m_pTopVisible(nullptr), m_pBottomVisible(nullptr), m_listAnimate(10),
      m_listAnimateVisible(10), m_bHtml(1), m_pActiveLink(nullptr), m_pMapManager(nullptr),
      m_pImageManager(nullptr), m_pRoot(nullptr), m_pHead(nullptr), m_pBody(nullptr), m_pView(view)
{
    InitContents();
}

// A factory-made document has no window; it gets managers like any other, so that every
// operation works on it (without drawing) and deleting it is safe.
CHtmlX::CHtmlX()
    : m_nState(0), m_pTopVisible(nullptr), m_pBottomVisible(nullptr), m_listAnimate(10),
      m_listAnimateVisible(10), m_bHtml(1), m_pActiveLink(nullptr), m_pMapManager(nullptr),
      m_pImageManager(nullptr), m_pRoot(nullptr), m_pHead(nullptr), m_pBody(nullptr), m_pView(nullptr)
{
    InitContents();
}

CHtmlX::~CHtmlX()
{
    DeleteContents();
}

void CHtmlX::InitContents()
{
    m_nState = 0;
    m_sizeContent = CSize(0, 0);
    m_sizeViewport = CSize(0, 0);
    m_ptViewportOrg = CPoint(0, 0);
    m_pTopVisible = nullptr;
    m_pBottomVisible = nullptr;
    m_listAnimate.RemoveAll();
    m_listAnimateVisible.RemoveAll();
    m_strSource.Empty();
    m_strTitle = kUntitled;
    m_pActiveLink = nullptr;
    m_pMapManager = new CMapManager(this);
    m_pImageManager = new CImageManager(this);
    m_pRoot = nullptr;
    m_pHead = nullptr;
    m_pBody = nullptr;
}

void CHtmlX::DeleteContents()
{
    // Every reference into the trees goes with them, so nothing stale is ever used.
    m_pTopVisible = nullptr;
    m_pBottomVisible = nullptr;
    m_pActiveLink = nullptr;
    m_listAnimate.RemoveAll();
    m_listAnimateVisible.RemoveAll();
    if ((m_nState & STATE_ANIMATING) && m_pView && m_pView->GetSafeHwnd())
        m_pView->KillTimer(ID_TIMER_ANIMATE);
    m_nState &= ~STATE_ANIMATING;

    // The elements go before the image manager: they point at its images.
    FreeTree(m_pBody);
    FreeTree(m_pHead);
    FreeTree(m_pRoot);
    delete m_pImageManager;
    m_pImageManager = nullptr;
    delete m_pMapManager;
    m_pMapManager = nullptr;
    delete m_pBandIndex;
    m_pBandIndex = nullptr;
}

void CHtmlX::Close()
{
    DeleteContents();
    m_sizeContent = CSize(0, 0);
    InitContents();
    m_nState = 0;
}

int CHtmlX::OpenString(CString source, CString componentPath)
{
    Close();
    m_strComponentPath = componentPath;
    m_strSource = std::move(source);
    int r = Parse();
    SetStaticData();
    return r;
}

int CHtmlX::OpenLocal(const CString& path)
{
    CString file(path); // path may refer to m_strLocalPath itself (Reload)
    Close();
    m_bHtml = 1;
    m_strLocalPath = file;
    m_strComponentPath = KorGetFilePath(file);
    if (!KorFileExist(file)) {
        OpenError();
        return 0;
    }
    m_strSource = KorReadFile(file);
    int r = Parse();
    SetStaticData();
    return r;
}

int CHtmlX::OpenText(const CString& path)
{
    CString file(path);
    Close();
    m_bHtml = 0;
    m_strLocalPath = file;
    if (!KorFileExist(file)) {
        OpenError();
        return 0;
    }
    m_strSource = "<html><body><pre>";
    m_strSource += KorReadTextFile(file);
    m_strSource += "</pre></body></html>";
    int r = Parse();
    SetStaticData();
    return r;
}

void CHtmlX::OpenError()
{
    OpenString(ErrorPage(), CString());
    if (m_pView && m_pView->GetSafeHwnd())
        m_pView->Invalidate(TRUE);
}

int CHtmlX::Reload()
{
    if (m_strLocalPath.IsEmpty())
        return 0;
    return m_bHtml ? OpenLocal(m_strLocalPath) : OpenText(m_strLocalPath);
}

int CHtmlX::Parse()
{
    if (!g_pHtmlSrvr)
        return 0;
    CSGMLParser* parser = GetSGMLParser();
    CHTMLDB* db = GetHtmlDB();
    CTransformer* transformer = GetTransformer();
    if (!parser || !db || !transformer)
        return 0;
    transformer->SetDocument(this);

    AfxGetApp()->BeginWaitCursor();
    HANDLE thread = GetCurrentThread();
    int oldPriority = GetThreadPriority(thread);
    SetThreadPriority(thread, THREAD_PRIORITY_TIME_CRITICAL);

    // The parser reads the document's source in place, and the tag tree goes as it is transformed.
    CTagNode* tags = parser->Parse(db, m_strSource);
    if (tags)
        m_pRoot = transformer->TransformAndDelete(tags);
    transformer->SetDocument(nullptr);
    if (!m_pRoot) {
        SetThreadPriority(thread, oldPriority);
        AfxGetApp()->EndWaitCursor();
        return 0;
    }

    // HEAD and BODY are taken out of the tree; what else the tree holds is never shown.
    m_pHead = m_pRoot->FindNextByKind(TAG_HEAD, FALSE, nullptr);
    if (m_pHead) {
        m_pHead->Remove();
        if (CElement* title = m_pHead->FindDescendantByKind(TAG_TITLE, FALSE, nullptr))
            m_strTitle = static_cast<FTitle*>(title)->GetTitleText();
    } else {
        m_pHead = new FHead(this);
    }
    m_pBody = m_pRoot->FindNextByKind(TAG_BODY, FALSE, nullptr);
    if (m_pBody)
        m_pBody->Remove();
    else
        m_pBody = new FBody(this);

    SetThreadPriority(thread, oldPriority);
    AfxGetApp()->EndWaitCursor();
    return 1;
}

CString CHtmlX::FindLocalPath(const CString& name)
{
    CString candidate = m_strComponentPath + name;
    if (KorFileExist(candidate))
        return candidate;
    CString fileName = KorGetFileName(name);
    candidate = m_strComponentPath + fileName;
    if (KorFileExist(candidate))
        return candidate;
    if (KorFileExist(name))
        return name;
    return fileName;
}

FBody* CHtmlX::Body() const
{
    return static_cast<FBody*>(m_pBody);
}
