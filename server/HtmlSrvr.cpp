// CHtmlSrvr: creation and destruction of the shared objects, the settings, and the global functions.
#include "korhtml/HtmlSrvr.h"

#include "elements/AlignQueue.h"
#include "korgr/ImageDax.h"
#include "kortag/kortag.h"
#include "server/Entity.h"
#include "server/FontManager.h"
#include "transform/Transformer.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CHtmlSrvr, CObject)

CHtmlSrvr* g_pHtmlSrvr = nullptr;

namespace {

// Faces of the standard fonts, in CP949.
const char kGulim[] = "\xB1\xBC\xB8\xB2";
const char kGulimChe[] = "\xB1\xBC\xB8\xB2\xC3\xBC";

void SetLogFont(LOGFONT& lf, LONG height, LONG weight, BYTE outPrecision, BYTE pitchAndFamily,
                const char* face)
{
    memset(&lf, 0, sizeof lf);
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = HANGEUL_CHARSET;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = CLIP_STROKE_PRECIS;
    lf.lfQuality = DRAFT_QUALITY;
    lf.lfPitchAndFamily = pitchAndFamily;
    strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
}

// Copies every field; the face name as a C string, cut to what a LOGFONT holds.
void CopyLogFont(LOGFONT& to, const LOGFONT& from)
{
    LOGFONT copy = from;
    size_t n = strnlen(from.lfFaceName, LF_FACESIZE - 1);
    memset(copy.lfFaceName, 0, LF_FACESIZE);
    memcpy(copy.lfFaceName, from.lfFaceName, n);
    to = copy;
}

// Deletes the owned objects in the order the server lets go of them.
void DeleteOwned(CHtmlSrvr& s)
{
    delete s.m_pAlignQueue;
    s.m_pAlignQueue = nullptr;
    delete s.m_pFontManager;
    s.m_pFontManager = nullptr;
    delete s.m_pHtmlDB;
    s.m_pHtmlDB = nullptr;
    delete s.m_pSGMLParser;
    s.m_pSGMLParser = nullptr;
    delete s.m_pTransformer;
    s.m_pTransformer = nullptr;
    delete s.m_pGlobalImage1;
    s.m_pGlobalImage1 = nullptr;
    delete s.m_pGlobalImage2;
    s.m_pGlobalImage2 = nullptr;
    kor::FreeEntityMap(s.m_mapEntity);
}

} // namespace

CHtmlSrvr::CHtmlSrvr()
    : m_pAlignQueue(nullptr), m_pFontManager(nullptr), m_pHtmlDB(nullptr), m_pSGMLParser(nullptr),
      m_pTransformer(nullptr), m_pGlobalImage1(nullptr), m_pGlobalImage2(nullptr), m_bEvenAlign(FALSE),
      m_listOpenLink(10), m_nLineGap(0), m_nParaGap(0), m_nHorMargin(0),
      m_nVerMargin(0), m_logFont{}, m_nFontSize{}
{}

CHtmlSrvr::~CHtmlSrvr()
{
    if (!m_strDataPath.IsEmpty())
        WriteOpenLink();
    DeleteOwned(*this);
}

void CHtmlSrvr::Create()
{
    // A second Create starts over rather than leaking what the first one made.
    DeleteOwned(*this);

    m_pAlignQueue = new CAlignQueue;
    m_pFontManager = new CFontManager;
    m_pHtmlDB = new CHTMLDB;
    m_pHtmlDB->Create(91);
    m_pSGMLParser = new CSGMLParser;
    m_pTransformer = new CTransformer;

    m_nLineGap = 5;
    m_nParaGap = 20;
    m_nHorMargin = 10;
    m_nVerMargin = 10;

    SetLogFont(m_logFont[0], -14, FW_NORMAL, OUT_STROKE_PRECIS, FF_MODERN | VARIABLE_PITCH, kGulim);
    SetLogFont(m_logFont[1], -12, FW_NORMAL, OUT_STROKE_PRECIS, FF_MODERN | FIXED_PITCH, kGulimChe);
    SetLogFont(m_logFont[2], -16, FW_BOLD, OUT_STRING_PRECIS, FF_ROMAN | VARIABLE_PITCH, "System");
    SetLogFont(m_logFont[3], -10, FW_NORMAL, OUT_STROKE_PRECIS, FF_MODERN | VARIABLE_PITCH, kGulim);

    static const int sizes[7] = {-12, -13, -14, -18, -24, -32, -50};
    for (int i = 0; i < 7; ++i)
        m_nFontSize[i] = sizes[i];

    kor::FillEntityMap(m_mapEntity);
}

CImageDax* CHtmlSrvr::GetGlobalImage(int n)
{
    if (n == 1)
        return m_pGlobalImage1;
    if (n == 2)
        return m_pGlobalImage2;
    return nullptr;
}

void CHtmlSrvr::SetGlobalImage(const CString& image1, const CString& image2)
{
    delete m_pGlobalImage1;
    m_pGlobalImage1 = new CImageDax;
    // Image 2 is replaced only when image 1 could be read; otherwise image 1 stays an empty image.
    if (!m_pGlobalImage1->Load(image1))
        return;
    delete m_pGlobalImage2;
    m_pGlobalImage2 = new CImageDax;
    m_pGlobalImage2->Load(image2);
}

void CHtmlSrvr::SetDataPath(const CString& path)
{
    m_strDataPath = path;
    ReadOpenLink();
}

void CHtmlSrvr::SetGlobalFont(LOGFONT& proportional, LOGFONT& fixed)
{
    CopyLogFont(m_logFont[0], proportional);
    CopyLogFont(m_logFont[1], fixed);
}

CFont* CHtmlSrvr::GetStdFont(int i)
{
    return m_pFontManager->FindOrCreateFont(&m_logFont[i]);
}

// ---- global functions: each forwards to the single server ----

void CreateHtmlServer()
{
    if (g_pHtmlSrvr)
        return;
    g_pHtmlSrvr = new CHtmlSrvr;
    g_pHtmlSrvr->Create();
}

void DestroyHtmlServer()
{
    if (!g_pHtmlSrvr)
        return;
    delete g_pHtmlSrvr;
    g_pHtmlSrvr = nullptr;
}

BOOL ExistHtmlServer()
{
    return g_pHtmlSrvr ? TRUE : FALSE;
}

void SetGlobalImage(const CString& image1, const CString& image2)
{
    g_pHtmlSrvr->SetGlobalImage(image1, image2);
}

void SetDataPath(const CString& path)
{
    g_pHtmlSrvr->SetDataPath(path);
}

void SetGlobalFont(LOGFONT& proportional, LOGFONT& fixed)
{
    g_pHtmlSrvr->SetGlobalFont(proportional, fixed);
}

void SetLineGaps(int line, int para)
{
    g_pHtmlSrvr->SetLineGap(line);
    g_pHtmlSrvr->SetParaGap(para);
}

void SetMargins(int hor, int ver)
{
    g_pHtmlSrvr->SetHorMargin(hor);
    g_pHtmlSrvr->SetVerMargin(ver);
}

int GetLineGap()
{
    return g_pHtmlSrvr->GetLineGap();
}

int GetParaGap()
{
    return g_pHtmlSrvr->GetParaGap();
}

void SetLineGap(int n)
{
    g_pHtmlSrvr->SetLineGap(n);
}

void SetParaGap(int n)
{
    g_pHtmlSrvr->SetParaGap(n);
}

int GetHorMargin()
{
    return g_pHtmlSrvr->GetHorMargin();
}

int GetVerMargin()
{
    return g_pHtmlSrvr->GetVerMargin();
}

void SetHorMargin(int n)
{
    g_pHtmlSrvr->SetHorMargin(n);
}

void SetVerMargin(int n)
{
    g_pHtmlSrvr->SetVerMargin(n);
}

BOOL EvenAlign()
{
    return g_pHtmlSrvr->EvenAlign();
}

void SetEvenAlign(BOOL b)
{
    g_pHtmlSrvr->SetEvenAlign(b);
}

CAlignQueue* GetAlignQueue()
{
    return g_pHtmlSrvr->GetAlignQueue();
}

CHTMLDB* GetHtmlDB()
{
    return g_pHtmlSrvr->GetHtmlDB();
}

CSGMLParser* GetSGMLParser()
{
    return g_pHtmlSrvr->GetSGMLParser();
}

CTransformer* GetTransformer()
{
    return g_pHtmlSrvr->GetTransformer();
}

CImageDax* GetGlobalImage(int n)
{
    return g_pHtmlSrvr->GetGlobalImage(n);
}

CFont* RegisterFont(LOGFONT* lf)
{
    return g_pHtmlSrvr->GetFontManager()->FindOrCreateFont(lf);
}

LOGFONT* GetLogFont(int i)
{
    return g_pHtmlSrvr->GetLogFont(i);
}

CFont* GetStdFont(int i)
{
    return g_pHtmlSrvr->GetStdFont(i);
}

int GetFontSize(int i)
{
    return int(g_pHtmlSrvr->GetFontSize(i));
}
