// CHTMLView commands: the context menu, copying to the clipboard, saving, printing, the external viewers.
#include "korhtml/HTMLView.h"

#include "korhtml/Html2Text.h"
#include "korhtml/HtmlX.h"
#include "korlib/korlib.h"
#include "platform/shell/shell.h"

#include <cstring>

namespace {

// Width in characters of every text the commands write.
constexpr int kTextWidth = 80;
// Size of the buffer the temporary directory is read into.
constexpr DWORD kTempPathSize = 1024;

// The menu's items: "클립보드에 복사 (&C)" (Copy to clipboard), "파일로 저장 (&S)" (Save to file),
// "인쇄 (&P)" (Print), "메모장으로 열기 (&N)" (Open with Notepad), "웹브라우저로 열기 (&W)"
// (Open with web browser).
const char kCopyText[] = "\xC5\xAC\xB8\xB3\xBA\xB8\xB5\xE5\xBF\xA1 \xBA\xB9\xBB\xE7 (&C)";
const char kSaveText[] = "\xC6\xC4\xC0\xCF\xB7\xCE \xC0\xFA\xC0\xE5 (&S)";
const char kPrintText[] = "\xC0\xCE\xBC\xE2 (&P)";
const char kNotepadText[] = "\xB8\xDE\xB8\xF0\xC0\xE5\xC0\xB8\xB7\xCE \xBF\xAD\xB1\xE2 (&N)";
const char kBrowserText[] = "\xC0\xA5\xBA\xEA\xB6\xF3\xBF\xEC\xC0\xFA\xB7\xCE \xBF\xAD\xB1\xE2 (&W)";

const char kSaveFilter[] = "HTML Files (*.html)|*.html|Text File (*.txt)|*.txt|All Files (*.*)|*.*||";

// The system's temporary directory, ending with its separator.
CString TempDir()
{
    char dir[kTempPathSize] = {};
    DWORD n = GetTempPathA(kTempPathSize, dir);
    return n > 0 && n < kTempPathSize ? CString(dir) : CString();
}

} // namespace

void CHTMLView::OnRButtonDown(UINT nFlags, CPoint point)
{
    CScrollView::OnRButtonDown(nFlags, point);
    SetFocus();
    if (!m_pHtml || m_pHtml->IsEmpty())
        return;
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_HTML_COPY, kCopyText);
    menu.AppendMenu(MF_STRING, ID_HTML_SAVE, kSaveText);
    menu.AppendMenu(MF_STRING, ID_HTML_PRINT, kPrintText);
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_HTML_NOTEPAD, kNotepadText);
    menu.AppendMenu(MF_STRING, ID_HTML_BROWSER, kBrowserText);
    ClientToScreen(&point);
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, point.x, point.y, this);
    menu.DestroyMenu();
}

BOOL CHTMLView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(uintptr_t(wParam));
    if (id >= ID_HTML_COPY && id <= ID_HTML_BROWSER) {
        MenuCommand(id);
        return TRUE;
    }
    return CScrollView::OnCommand(wParam, lParam);
}

void CHTMLView::MenuCommand(UINT nID)
{
    switch (nID) {
    case ID_HTML_COPY:
        CopyToClipboard();
        break;
    case ID_HTML_SAVE:
        Save();
        break;
    case ID_HTML_PRINT:
        Print();
        break;
    case ID_HTML_NOTEPAD:
        ExtOpenNotepad();
        break;
    case ID_HTML_BROWSER:
        ExtOpenWebBrowser();
        break;
    }
}

void CHTMLView::CopyToClipboard()
{
    if (!m_pHtml)
        return;
    // The file as it is on disk, not the document in memory.
    CString text = HtmlFile2Text(m_pHtml->GetLocalPath(), kTextWidth, -1, 0);
    size_t size = size_t(text.GetLength()) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_DDESHARE, size);
    if (!block)
        return;
    if (auto* bytes = static_cast<char*>(GlobalLock(block))) {
        std::memcpy(bytes, text.GetString(), size);
        GlobalUnlock(block);
    }
    if (!OpenClipboard()) {
        GlobalFree(block);
        return;
    }
    if (!EmptyClipboard()) {
        CloseClipboard();
        GlobalFree(block);
        return;
    }
    // Once accepted, the block is the clipboard's.
    if (!SetClipboardData(CF_TEXT, block))
        GlobalFree(block);
    CloseClipboard();
}

void CHTMLView::Save()
{
    if (!m_pHtml)
        return;
    CString name = KorGetPureFileName(m_pHtml->GetLocalPath());
    CFileDialog dialog(FALSE, "html", name, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kSaveFilter);
    if (dialog.DoModal() != IDOK)
        return;
    CString path = dialog.GetPathName();
    int asHtml = KorGetFileExt(path).CompareNoCase(".txt") != 0;
    m_pHtml->SaveSource(path, asHtml, kTextWidth);
}

void CHTMLView::Print()
{
    if (m_pHtml)
        m_pHtml->Print();
}

void CHTMLView::ExtOpenNotepad()
{
    if (!m_pHtml)
        return;
    CString file = TempDir() + "Article.txt";
    m_pHtml->SaveSource(file, 0, kTextWidth);
    ShellExecuteA(nullptr, nullptr, file, nullptr, nullptr, SW_SHOWNORMAL);
}

void CHTMLView::ExtOpenWebBrowser()
{
    if (!m_pHtml)
        return;
    // The file on disk when there is one, whatever the document in memory shows now.
    CString local = m_pHtml->GetLocalPath();
    if (!local.IsEmpty()) {
        ShellExecuteA(nullptr, nullptr, local, nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    CString file = TempDir() + "Article.html";
    m_pHtml->SaveSource(file, 1, kTextWidth);
    ShellExecuteA(nullptr, nullptr, file, nullptr, nullptr, SW_SHOWNORMAL);
}
