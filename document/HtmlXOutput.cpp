// CHtmlX output: printing through the shell, saving the source or the text, text extraction, image list.
#include "korhtml/HtmlX.h"

#include "korhtml/Element.h"
#include "korlib/korlib.h"
#include "maps/ImageManager.h"
#include "platform/shell/shell.h"
#include "platform/win/win.h"
#include "text/TextWalk.h"

namespace {

// A browser whose print request wants the file as a parameter as well.
const char kPrintingBrowser[] = "netscape.exe";
const char kFallbackFile[] = "article.txt";
const int kFallbackWidth = 80;

// "Could not find the document to print."
const char kNoDocumentMessage[] = "\xC0\xCE\xBC\xE2\xC7\xD2 \xB9\xAE\xBC\xAD\xB8\xA6 \xC3\xA3\xC1\xF6 "
                                  "\xB8\xF8\xC7\xDF\xBD\xC0\xB4\xCF\xB4\xD9.";
// "The document cannot be saved." / "Check the disk space."
const char kSaveMessage[] =
    "\xB9\xAE\xBC\xAD\xB8\xA6 \xC0\xFA\xC0\xE5\xC7\xD2 \xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9.\n"
    "\xB5\xF0\xBD\xBA\xC5\xA9 \xB0\xF8\xB0\xA3\xC0\xBB \xC8\xAE\xC0\xCE\xC7\xD8\xBA\xB8\xBD\xCA"
    "\xBD\xC3\xBF\xC0.";

struct ShellMessage
{
    int code;
    const char* text;
};

// What a failed shell request means to the user, by the value the shell returned.
const ShellMessage kShellMessages[] = {
    // out of memory or resources
    {0,
     "\xB8\xDE\xB8\xF0\xB8\xAE\xB3\xAA \xC0\xDA\xBF\xF8\xC0\xCC \xBA\xCE\xC1\xB7\xC7\xCF\xBF\xA9 "
     "\xBF\xE4\xC3\xBB"
     "\xC7\xD1 \xC0\xDB\xBE\xF7\xC0\xBB \xBC\xF6\xC7\xE0\xC7\xD2 \xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9."},
    // file not found
    {SE_ERR_FNF, "\xC1\xF6\xC1\xA4\xC7\xD1 \xB9\xAE\xBC\xAD\xB8\xA6 \xC3\xA3\xC0\xBB \xBC\xF6 "
                 "\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9."},
    // path not found
    {SE_ERR_PNF, "\xC1\xF6\xC1\xA4\xC7\xD1 \xB0\xE6\xB7\xCE\xB8\xA6 \xC3\xA3\xC0\xBB \xBC\xF6 "
                 "\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9."},
    // access denied
    {SE_ERR_ACCESSDENIED, "\xBF\xE4\xC3\xBB\xC7\xD1 \xB9\xAE\xBC\xAD\xBF\xA1 \xC1\xA2\xB1\xD9\xC0\xCC "
                          "\xB0\xC5\xBA\xCE\xB5\xC7\xBE\xFA\xBD\xC0\xB4\xCF\xB4\xD9."},
    // not enough memory
    {SE_ERR_OOM, "\xC0\xDB\xBE\xF7\xC0\xBB \xBC\xF6\xC7\xE0\xC7\xCF\xB4\xC2\xB5\xA5 \xC7\xCA\xBF\xE4\xC7\xD1 "
                 "\xB8\xDE\xB8\xF0\xB8\xAE\xB0\xA1 \xBA\xCE\xC1\xB7\xC7\xD5\xB4\xCF\xB4\xD9."},
    // invalid executable
    {ERROR_BAD_FORMAT, "\xC1\xA4\xBB\xF3\xC0\xFB\xC0\xCE \xBD\xC7\xC7\xE0\xC6\xC4\xC0\xCF\xC0\xCC "
                       "\xBE\xC6\xB4\xD5\xB4\xCF\xB4\xD9."},
    // sharing violation
    {SE_ERR_SHARE, "\xB0\xF8\xC0\xAF \xC0\xA7\xB9\xDD\xC0\xD4\xB4\xCF\xB4\xD9."},
    // incomplete association
    {SE_ERR_ASSOCINCOMPLETE,
     "\xC1\xF6\xC1\xA4\xC7\xD1 \xC6\xC4\xC0\xCF\xB0\xFA \xC0\xC0\xBF\xEB "
     "\xC7\xC1\xB7\xCE\xB1\xD7\xB7\xA5\xB0\xFA\xC0\xC7 \xBF\xAC\xB0\xE1\xC0\xCC \xC0\xDF\xB8\xF8 "
     "\xBC\xB3\xC1\xA4\xB5\xC7\xBE\xEE\xC0\xD6\xBD\xC0\xB4\xCF\xB4\xD9."},
    // DDE time-out
    {SE_ERR_DDETIMEOUT, "\xC0\xC0\xBF\xEB \xC7\xC1\xB7\xCE\xB1\xD7\xB7\xA5\xC0\xCC \xBF\xE4\xC3\xBB\xBF\xA1 "
                        "\xC0\xC0\xB4\xE4\xC7\xCF\xC1\xF6 \xBE\xCA\xBE\xD2\xBD\xC0\xB4\xCF\xB4\xD9."},
    // DDE failure
    {SE_ERR_DDEFAIL, "\xC0\xC0\xBF\xEB \xC7\xC1\xB7\xCE\xB1\xD7\xB7\xA5\xB0\xFA \xBF\xAC\xB0\xE1\xBF\xA1 "
                     "\xBD\xC7\xC6\xD0\xC7\xDF\xBD\xC0\xB4\xCF\xB4\xD9."},
    // DDE busy
    {SE_ERR_DDEBUSY,
     "\xC0\xC0\xBF\xEB \xC7\xC1\xB7\xCE\xB1\xD7\xB7\xA5\xC0\xCC \xC7\xF6\xC0\xE7 \xC0\xDB\xBE\xF7 "
     "\xC1\xDF\xC0\xCC\xB9\xC7\xB7\xCE \xBF\xE4\xC3\xBB\xC7\xD1 \xC0\xDB\xBE\xF7\xC0\xBB "
     "\xBC\xF6\xC7\xE0\xC7\xD2 \xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9."},
    // no association
    {SE_ERR_NOASSOC, "\xC0\xCC \xB9\xAE\xBC\xAD\xBF\xA1 \xBF\xAC\xB0\xE1\xB5\xC8 \xC0\xC0\xBF\xEB "
                     "\xC7\xC1\xB7\xCE\xB1\xD7\xB7\xA5\xC0\xCC \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9."},
    // DLL not found
    {SE_ERR_DLLNOTFOUND, "\xC1\xF6\xC1\xA4\xB5\xC8 \xB5\xBF\xC0\xFB \xBF\xAC\xB0\xE1 "
                         "\xB6\xF3\xC0\xCC\xBA\xEA\xB7\xAF\xB8\xAE\xB8\xA6 \xC3\xA3\xC0\xBB \xBC\xF6 "
                         "\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9."},
};

// Any other failure: "The requested operation was not performed because of an unknown error."
const char kUnknownShellMessage[] =
    "\xBE\xCB \xBC\xF6 \xBE\xF8\xB4\xC2 \xBF\xC0\xB7\xF9\xB7\xCE \xBF\xE4\xC3\xBB"
    "\xC7\xD1 \xC0\xDB\xBE\xF7\xC0\xCC \xBC\xF6\xC7\xE0\xB5\xC7\xC1\xF6 "
    "\xBE\xCA\xBE\xD2\xBD\xC0\xB4\xCF\xB4\xD9.";

const char* ShellErrorText(int code)
{
    for (const ShellMessage& m : kShellMessages)
        if (m.code == code)
            return m.text;
    return kUnknownShellMessage;
}

int ShellResult(HINSTANCE h)
{
    return int(reinterpret_cast<intptr_t>(h));
}

int PrintFile(const CString& path, LPCSTR parameters)
{
    return ShellResult(ShellExecuteA(NULL, "print", path, parameters, NULL, SW_HIDE));
}

} // namespace

void CHtmlX::Print()
{
    if (m_strLocalPath.IsEmpty()) {
        AfxMessageBox(kNoDocumentMessage);
        return;
    }
    // The file on disk is printed by the program that owns its type, not the document in memory.
    char program[MAX_PATH] = "";
    FindExecutableA(m_strLocalPath, NULL, program);
    CString lower(program);
    lower.MakeLower();

    int r;
    if (lower.Find(kPrintingBrowser) >= 0) {
        SetCurrentDirectoryA(KorGetFilePath(m_strLocalPath));
        CString parameters;
        parameters.Format("/print(%c%s%c)", '"', m_strLocalPath.GetString(), '"');
        r = PrintFile(m_strLocalPath, parameters);
    } else {
        r = PrintFile(m_strLocalPath, NULL);
        if (r <= 32) {
            // Nothing prints this kind of file: print the document's text instead.
            char temp[256] = "";
            GetTempPathA(sizeof temp, temp);
            SetCurrentDirectoryA(temp);
            CString fallback = CString(temp) + kFallbackFile;
            SaveSource(fallback, 0, kFallbackWidth);
            r = PrintFile(fallback, NULL);
        }
    }
    if (r <= 32)
        AfxMessageBox(ShellErrorText(r));
}

void CHtmlX::SaveSource(CString path, int asHtml, int width)
{
    AfxGetApp()->BeginWaitCursor();
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite)) {
        AfxMessageBox(kSaveMessage);
    } else if (asHtml) {
        file.Write(m_strSource.GetString(), UINT(m_strSource.GetLength()));
        // The source is written as it was read: its images go beside it under their bare names.
        if (m_pImageManager)
            m_pImageManager->CopyComponents(KorGetFilePath(path));
    } else {
        CString text = ExtractText(width);
        file.Write(text.GetString(), UINT(text.GetLength()));
    }
    file.Close();
    AfxGetApp()->EndWaitCursor();
}

CString CHtmlX::ExtractText(int width)
{
    if (!m_pBody)
        return CString();
    // Break bits and list levels come from the measure pass; the layout plays no part.
    TextPolicy policy;
    policy.nWidth = width;
    policy.nRuleLength = width / 2;
    policy.bRuleKeepsColumn = true;
    policy.bFinalLineEnd = true;
    return WriteText(m_pBody->GetNextVisible(FALSE, NULL), policy);
}

int CHtmlX::GetComponentList(CStringList& list)
{
    if (!m_pImageManager) {
        list.RemoveAll();
        return 0;
    }
    m_pImageManager->GetComponentList(list);
    return int(list.GetCount());
}
