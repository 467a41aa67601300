// CHtmlSrvr, the process-wide server of shared settings and resources, and the global functions to it.
#pragma once

#include "korhtml/Export.h"
#include "platform/afx/afx.h"

class CAlignQueue;
class CFontManager;
class CHTMLDB;
class CSGMLParser;
class CTransformer;
class CImageDax;
class CFont;

// One character entity of the entity table: the byte it stands for.
class KORHTML_API CEntityCode : public CObject
{
    DECLARE_DYNCREATE(CEntityCode)

public:
    CEntityCode() = default;
    explicit CEntityCode(char cCode) : m_cCode(cCode) {}

    char m_cCode = 0;
};

class KORHTML_API CHtmlSrvr : public CObject
{
    DECLARE_DYNCREATE(CHtmlSrvr)

public:
    CHtmlSrvr();
    ~CHtmlSrvr() override;

    // Builds the owned objects and sets every default; call once after construction.
    void Create();

    CAlignQueue* GetAlignQueue() { return m_pAlignQueue; }
    CFontManager* GetFontManager() { return m_pFontManager; }
    CHTMLDB* GetHtmlDB() { return m_pHtmlDB; }
    CSGMLParser* GetSGMLParser() { return m_pSGMLParser; }
    CTransformer* GetTransformer() { return m_pTransformer; }

    // n = 1: the image shown while an image is still to come; n = 2: the one shown when it failed.
    CImageDax* GetGlobalImage(int n);
    void SetGlobalImage(const CString& image1, const CString& image2);
    // Stores the directory prefix of the visited-link file and reloads the list from it.
    void SetDataPath(const CString& path);
    void SetGlobalFont(LOGFONT& proportional, LOGFONT& fixed);

    int GetLineGap() { return m_nLineGap; }
    int GetParaGap() { return m_nParaGap; }
    int GetHorMargin() { return m_nHorMargin; }
    int GetVerMargin() { return m_nVerMargin; }
    void SetLineGap(int n) { m_nLineGap = n; }
    void SetParaGap(int n) { m_nParaGap = n; }
    void SetHorMargin(int n) { m_nHorMargin = n; }
    void SetVerMargin(int n) { m_nVerMargin = n; }
    BOOL EvenAlign() { return m_bEvenAlign; }
    void SetEvenAlign(BOOL b) { m_bEvenAlign = b; }

    // Standard font descriptions 0..3 and the heights of HTML font sizes 1..7 (index 0..6); unchecked.
    LOGFONT* GetLogFont(int i) { return &m_logFont[i]; }
    CFont* GetStdFont(int i);
    long GetFontSize(int i) { return m_nFontSize[i]; }

    // The byte of a character entity named without "&" and ";"; a space for an unknown name.
    char GetANSICode(const CString& name);

    // Visited links, kept in data path + "OpenLink.dat"; inactive while the data path is empty.
    void ReadOpenLink();
    void WriteOpenLink();
    void AddOpenLink(const CString& link);
    BOOL IsOpenLink(const CString& link);

    CAlignQueue* m_pAlignQueue;
    CFontManager* m_pFontManager;
    CHTMLDB* m_pHtmlDB;
    CSGMLParser* m_pSGMLParser;
    CTransformer* m_pTransformer;
    CImageDax* m_pGlobalImage1;
    CImageDax* m_pGlobalImage2;
    BOOL m_bEvenAlign;
    CString m_strDataPath;
    CStringList m_listOpenLink;
    int m_nLineGap;
    int m_nParaGap;
    int m_nHorMargin;
    int m_nVerMargin;
    LOGFONT m_logFont[4];
    int m_nFontSize[7];
    CMapStringToOb m_mapEntity; // entity name -> CEntityCode*, owned
};

// The single server; null while none exists.
extern KORHTML_API CHtmlSrvr* g_pHtmlSrvr;

// Life cycle. Every other function needs an existing server.
KORHTML_API void CreateHtmlServer();
KORHTML_API void DestroyHtmlServer();
KORHTML_API BOOL ExistHtmlServer();

// Settings.
KORHTML_API void SetGlobalImage(const CString& image1, const CString& image2);
KORHTML_API void SetDataPath(const CString& path);
KORHTML_API void SetGlobalFont(LOGFONT& proportional, LOGFONT& fixed);
KORHTML_API void SetLineGaps(int line, int para);
KORHTML_API void SetMargins(int hor, int ver);
KORHTML_API int GetLineGap();
KORHTML_API int GetParaGap();
KORHTML_API void SetLineGap(int n);
KORHTML_API void SetParaGap(int n);
KORHTML_API int GetHorMargin();
KORHTML_API int GetVerMargin();
KORHTML_API void SetHorMargin(int n);
KORHTML_API void SetVerMargin(int n);
KORHTML_API BOOL EvenAlign();
KORHTML_API void SetEvenAlign(BOOL b);

// Shared objects.
KORHTML_API CAlignQueue* GetAlignQueue();
KORHTML_API CHTMLDB* GetHtmlDB();
KORHTML_API CSGMLParser* GetSGMLParser();
KORHTML_API CTransformer* GetTransformer();
KORHTML_API CImageDax* GetGlobalImage(int n);

// Fonts.
KORHTML_API CFont* RegisterFont(LOGFONT* lf);
KORHTML_API LOGFONT* GetLogFont(int i);
KORHTML_API CFont* GetStdFont(int i);
KORHTML_API int GetFontSize(int i);

// Entities and visited links.
KORHTML_API char GetANSICode(const CString& name);
KORHTML_API void AddOpenLink(const CString& link);
KORHTML_API BOOL IsOpenLink(const CString& link);
