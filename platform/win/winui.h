// Child controls, popup menus, the text clipboard with global memory, the file dialog, and their test seams.
#pragma once

#include "korhtml/Export.h"
#include "platform/win/win.h"

#include <functional>
#include <vector>

// ---------------------------------------------------------------------------------------------------
// Child controls: CreateWindowExA with the classes "EDIT", "BUTTON", "COMBOBOX" and "LISTBOX" makes a
// child window around a Qt control, created hidden unless WS_VISIBLE is given. The window deletes
// itself when destroyed (DestroyWindow on its handle, or with its parent).

#define ES_LEFT 0x0000
#define ES_MULTILINE 0x0004
#define ES_PASSWORD 0x0020
#define ES_AUTOVSCROLL 0x0040
#define ES_AUTOHSCROLL 0x0080
#define ES_READONLY 0x0800
#define BS_PUSHBUTTON 0x0000
#define BS_DEFPUSHBUTTON 0x0001
#define BS_CHECKBOX 0x0002
#define BS_AUTOCHECKBOX 0x0003
#define BS_RADIOBUTTON 0x0004
#define BS_AUTORADIOBUTTON 0x0009
#define BS_TYPEMASK 0x000F
#define CBS_SIMPLE 0x0001
#define CBS_DROPDOWN 0x0002
#define CBS_DROPDOWNLIST 0x0003
#define CBS_AUTOHSCROLL 0x0040
#define CBS_HASSTRINGS 0x0200
#define LBS_NOTIFY 0x0001
#define LBS_MULTIPLESEL 0x0008
#define LBS_HASSTRINGS 0x0040
#define LBS_EXTENDEDSEL 0x0800
#define LBS_DISABLENOSCROLL 0x1000

#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001
#define CB_ERR (-1)
#define CB_ADDSTRING 0x0143
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_GETLBTEXT 0x0148
#define CB_GETLBTEXTLEN 0x0149
#define CB_SETCURSEL 0x014E
#define CB_INITSTORAGE 0x0161
#define LB_ERR (-1)
#define LB_ADDSTRING 0x0180
#define LB_SETSEL 0x0185
#define LB_SETCURSEL 0x0186
#define LB_GETSEL 0x0187
#define LB_GETCURSEL 0x0188
#define LB_GETTEXT 0x0189
#define LB_GETTEXTLEN 0x018A
#define LB_GETCOUNT 0x018B
#define LB_INITSTORAGE 0x01A8

HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                     int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                     LPVOID lpParam);
#define CreateWindowEx CreateWindowExA

// ---------------------------------------------------------------------------------------------------
// Menus.

#define MF_STRING 0x0000
#define MF_ENABLED 0x0000
#define MF_UNCHECKED 0x0000
#define MF_BYCOMMAND 0x0000
#define MF_GRAYED 0x0001
#define MF_DISABLED 0x0002
#define MF_CHECKED 0x0008
#define MF_POPUP 0x0010
#define MF_BYPOSITION 0x0400
#define MF_SEPARATOR 0x0800
#define TPM_LEFTALIGN 0x0000
#define TPM_LEFTBUTTON 0x0000
#define TPM_RIGHTBUTTON 0x0002
#define TPM_CENTERALIGN 0x0004
#define TPM_RIGHTALIGN 0x0008
#define TPM_NONOTIFY 0x0080
#define TPM_RETURNCMD 0x0100

namespace kor {
struct MenuItem
{
    UINT flags;
    UINT id;
    CString text; // CP949, "&" before the accelerator
};
} // namespace kor

// A popup menu. TrackPopupMenu shows it at a screen point and, once it has closed, posts the chosen
// item's id as WM_COMMAND to the owner (or returns it with TPM_RETURNCMD).
class KORHTML_API CMenu : public CObject
{
    DECLARE_DYNCREATE(CMenu)

public:
    HMENU m_hMenu;

    CMenu();
    ~CMenu() override;

    BOOL CreatePopupMenu();
    BOOL CreateMenu() { return CreatePopupMenu(); }
    BOOL DestroyMenu();
    // String items and separators (submenus are not supported).
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = NULL);
    const std::vector<kor::MenuItem>* GetItems() const;
};

// ---------------------------------------------------------------------------------------------------
// The clipboard (CF_TEXT in CP949; the system clipboard holds it as Unicode) and global memory.

#define CF_TEXT 1
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GMEM_DDESHARE 0x2000
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

KORHTML_API HGLOBAL GlobalAlloc(UINT uFlags, size_t dwBytes);
KORHTML_API LPVOID GlobalLock(HGLOBAL hMem);
KORHTML_API BOOL GlobalUnlock(HGLOBAL hMem);
// NULL when freed; a block the clipboard owns is not freed.
KORHTML_API HGLOBAL GlobalFree(HGLOBAL hMem);
KORHTML_API size_t GlobalSize(HGLOBAL hMem);

KORHTML_API BOOL OpenClipboard(HWND hWndNewOwner);
KORHTML_API BOOL CloseClipboard();
KORHTML_API BOOL EmptyClipboard();
// The clipboard takes the block over when it accepts it (the clipboard must be open).
KORHTML_API HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
KORHTML_API HANDLE GetClipboardData(UINT uFormat);
KORHTML_API BOOL IsClipboardFormatAvailable(UINT format);

// ---------------------------------------------------------------------------------------------------
// The file dialog.

#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000

struct OPENFILENAME
{
    DWORD lStructSize;
    HWND hwndOwner;
    LPCSTR lpstrFilter;
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    LPCSTR lpstrDefExt;
};

// An open or save dialog. The filter is the framework's "description|pattern|...||" string; a name
// chosen without an extension gets the default extension.
class KORHTML_API CFileDialog : public CCmdTarget
{
    DECLARE_DYNAMIC(CFileDialog)

public:
    CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                CWnd* pParentWnd = NULL);

    OPENFILENAME m_ofn;

    // IDOK or IDCANCEL.
    virtual int DoModal();
    CString GetPathName() const { return m_strPath; }
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

private:
    BOOL m_bOpen;
    CString m_strDefExt;
    CString m_strFileName;
    CString m_strFilter;
    CWnd* m_pParent;
    CString m_strPath;
    char m_szFile[1024];
};

namespace kor {

// Menu seam: a hook answers TrackPopupMenu with the chosen id (0 for none) without showing anything.
// Without a hook and without a display nothing is chosen.
using MenuHook = std::function<UINT(const std::vector<MenuItem>& items, POINT pt, CWnd* owner)>;
KORHTML_API MenuHook SetMenuHook(MenuHook hook);

// File dialog seam: a hook answers DoModal (IDOK with path set, or IDCANCEL). Without a hook and
// without a display the dialog is written to standard error and cancelled.
struct FileDialogRequest
{
    BOOL open;
    CString defExt;
    CString fileName;
    CString filter;
    DWORD flags;
};
using FileDialogHook = std::function<int(const FileDialogRequest& request, CString& path)>;
KORHTML_API FileDialogHook SetFileDialogHook(FileDialogHook hook);

} // namespace kor
