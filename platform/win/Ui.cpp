// Popup menus (QMenu), the text clipboard (QClipboard) with global memory, the file dialog (QFileDialog).
#include "platform/win/Wnd_p.h"

#include "platform/gdi/codepage.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMenu>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

IMPLEMENT_DYNCREATE(CMenu, CObject)
IMPLEMENT_DYNAMIC(CFileDialog, CCmdTarget)

struct HMENU__
{
    std::vector<kor::MenuItem> items;
};

struct HGLOBAL__
{
    std::vector<char> bytes;
    int locks = 0;
};

namespace {

kor::MenuHook& MenuHookSlot()
{
    static kor::MenuHook hook;
    return hook;
}

kor::FileDialogHook& DialogHookSlot()
{
    static kor::FileDialogHook hook;
    return hook;
}

// Blocks handed out and not freed, so that a bad handle is refused rather than followed.
std::set<HGLOBAL>& LiveBlocks()
{
    static std::set<HGLOBAL> live;
    return live;
}

bool Live(HGLOBAL h)
{
    return h && LiveBlocks().count(h);
}

struct ClipboardState
{
    bool open = false;
    HGLOBAL text = nullptr; // the block the clipboard owns
};

ClipboardState& Clip()
{
    static ClipboardState state; // the owned block lives to the end of the process if never replaced
    return state;
}

QClipboard* SystemClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                        : nullptr;
}

void DropOwnedText()
{
    ClipboardState& c = Clip();
    if (c.text) {
        LiveBlocks().erase(c.text);
        delete c.text;
        c.text = nullptr;
    }
}

kor::MenuItem* FindItem(HMENU menu, UINT id, UINT flags)
{
    if (!menu)
        return nullptr;
    auto& items = menu->items;
    if (flags & MF_BYPOSITION)
        return id < items.size() ? &items[id] : nullptr;
    for (kor::MenuItem& item : items) {
        if (!(item.flags & MF_SEPARATOR) && item.id == id)
            return &item;
    }
    return nullptr;
}

// "desc|pattern|desc|pattern||" as Qt's "desc (pattern)" filters.
QStringList QtFilters(const CString& filter)
{
    QStringList out;
    std::vector<std::string> parts;
    std::string cur;
    for (char c : filter.str()) {
        if (c == '|') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        parts.push_back(cur);
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty())
            break;
        QString desc = kor::ToUnicode(CString(parts[i]));
        QString pattern = kor::ToUnicode(CString(parts[i + 1])).replace(';', ' ');
        out << (desc.contains('(' + pattern + ')') ? desc : desc + " (" + pattern + ")");
    }
    return out;
}

// The part of a path after its last separator.
CString NamePart(const CString& path)
{
    int cut = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
    return path.Mid(cut + 1);
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// CMenu.

CMenu::CMenu() : m_hMenu(nullptr) {}

CMenu::~CMenu()
{
    DestroyMenu();
}

BOOL CMenu::CreatePopupMenu()
{
    if (m_hMenu)
        return FALSE;
    m_hMenu = new HMENU__;
    return TRUE;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    delete m_hMenu;
    m_hMenu = nullptr;
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    if (!m_hMenu || (nFlags & MF_POPUP))
        return FALSE;
    kor::MenuItem item{nFlags, (nFlags & MF_SEPARATOR) ? 0u : UINT(nIDNewItem),
                       CString((nFlags & MF_SEPARATOR) || !lpszNewItem ? "" : lpszNewItem)};
    m_hMenu->items.push_back(item);
    return TRUE;
}

UINT CMenu::GetMenuItemCount() const
{
    return m_hMenu ? UINT(m_hMenu->items.size()) : UINT(-1);
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    if (!m_hMenu || nPos < 0 || size_t(nPos) >= m_hMenu->items.size())
        return UINT(-1);
    return m_hMenu->items[size_t(nPos)].id;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    kor::MenuItem* item = FindItem(m_hMenu, nIDItem, nFlags);
    rString = item ? item->text : CString();
    return rString.GetLength();
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    kor::MenuItem* item = FindItem(m_hMenu, nIDEnableItem, nEnable);
    if (!item)
        return UINT(-1);
    UINT old = item->flags & (MF_GRAYED | MF_DISABLED);
    item->flags = (item->flags & ~UINT(MF_GRAYED | MF_DISABLED)) | (nEnable & (MF_GRAYED | MF_DISABLED));
    return old;
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    kor::MenuItem* item = FindItem(m_hMenu, nIDCheckItem, nCheck);
    if (!item)
        return UINT(-1);
    UINT old = item->flags & MF_CHECKED;
    item->flags = (item->flags & ~UINT(MF_CHECKED)) | (nCheck & MF_CHECKED);
    return old;
}

const std::vector<kor::MenuItem>* CMenu::GetItems() const
{
    return m_hMenu ? &m_hMenu->items : nullptr;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT)
{
    if (!m_hMenu || !pWnd || !pWnd->m_hWnd)
        return FALSE;
    UINT chosen = 0;
    if (kor::MenuHook& hook = MenuHookSlot(); hook) {
        kor::MenuHook keep = hook;
        chosen = keep(m_hMenu->items, POINT{x, y}, pWnd);
    } else if (kor::HasDisplay()) {
        QMenu menu(kor::WindowWidget(pWnd));
        for (const kor::MenuItem& item : m_hMenu->items) {
            if (item.flags & MF_SEPARATOR) {
                menu.addSeparator();
                continue;
            }
            QAction* action = menu.addAction(kor::ToUnicode(item.text));
            action->setData(item.id);
            action->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
            if (item.flags & MF_CHECKED) {
                action->setCheckable(true);
                action->setChecked(true);
            }
        }
        std::weak_ptr<int> alive = kor::WndState::Of(pWnd).life;
        QAction* action = menu.exec(QPoint(x, y));
        if (alive.expired() || !pWnd->m_hWnd)
            return FALSE;
        if (action)
            chosen = action->data().toUInt();
    }
    if (nFlags & TPM_RETURNCMD)
        return BOOL(chosen);
    if (chosen && !(nFlags & TPM_NONOTIFY))
        pWnd->PostMessage(WM_COMMAND, chosen, 0);
    return TRUE;
}

namespace kor {

MenuHook SetMenuHook(MenuHook hook)
{
    MenuHook old = std::move(MenuHookSlot());
    MenuHookSlot() = std::move(hook);
    return old;
}

FileDialogHook SetFileDialogHook(FileDialogHook hook)
{
    FileDialogHook old = std::move(DialogHookSlot());
    DialogHookSlot() = std::move(hook);
    return old;
}

} // namespace kor

// ---------------------------------------------------------------------------------------------------
// Global memory and the clipboard.

HGLOBAL GlobalAlloc(UINT, size_t dwBytes)
{
    try {
        auto* h = new HGLOBAL__;
        h->bytes.assign(dwBytes ? dwBytes : 1, '\0');
        LiveBlocks().insert(h);
        return h;
    } catch (...) {
        return nullptr;
    }
}

LPVOID GlobalLock(HGLOBAL hMem)
{
    if (!Live(hMem))
        return nullptr;
    ++hMem->locks;
    return hMem->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
    if (!Live(hMem) || hMem->locks == 0)
        return FALSE;
    return --hMem->locks > 0;
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    if (!Live(hMem) || hMem == Clip().text)
        return hMem;
    LiveBlocks().erase(hMem);
    delete hMem;
    return nullptr;
}

size_t GlobalSize(HGLOBAL hMem)
{
    return Live(hMem) ? hMem->bytes.size() : 0;
}

BOOL OpenClipboard(HWND)
{
    ClipboardState& c = Clip();
    if (c.open || !SystemClipboard())
        return FALSE;
    c.open = true;
    return TRUE;
}

BOOL CWnd::OpenClipboard()
{
    return ::OpenClipboard(m_hWnd);
}

BOOL CloseClipboard()
{
    ClipboardState& c = Clip();
    if (!c.open)
        return FALSE;
    c.open = false;
    return TRUE;
}

BOOL EmptyClipboard()
{
    ClipboardState& c = Clip();
    if (!c.open)
        return FALSE;
    DropOwnedText();
    if (QClipboard* cb = SystemClipboard())
        cb->clear();
    return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem)
{
    ClipboardState& c = Clip();
    auto h = static_cast<HGLOBAL>(hMem);
    QClipboard* cb = SystemClipboard();
    if (!c.open || uFormat != CF_TEXT || !Live(h) || !cb)
        return nullptr;
    const std::vector<char>& bytes = h->bytes;
    size_t n = strnlen(bytes.data(), bytes.size());
    cb->setText(kor::ToUnicode(bytes.data(), int(n)));
    if (c.text != h)
        DropOwnedText();
    c.text = h;
    return hMem;
}

HANDLE GetClipboardData(UINT uFormat)
{
    ClipboardState& c = Clip();
    QClipboard* cb = SystemClipboard();
    if (!c.open || uFormat != CF_TEXT || !cb)
        return nullptr;
    QString text = cb->text();
    if (text.isNull())
        return nullptr;
    CString bytes = kor::FromUnicode(text);
    // The clipboard owns what it hands out; it replaces the block it held.
    HGLOBAL h = GlobalAlloc(GMEM_DDESHARE, size_t(bytes.GetLength()) + 1);
    if (!h)
        return nullptr;
    std::memcpy(h->bytes.data(), bytes.GetString(), size_t(bytes.GetLength()));
    DropOwnedText();
    c.text = h;
    return h;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    QClipboard* cb = SystemClipboard();
    return format == CF_TEXT && cb && !cb->text().isEmpty();
}

// ---------------------------------------------------------------------------------------------------
// CFileDialog.

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpen(bOpenFileDialog), m_strDefExt(lpszDefExt), m_strFileName(lpszFileName), m_strFilter(lpszFilter),
      m_pParent(pParentWnd)
{
    std::memset(m_szFile, 0, sizeof m_szFile);
    size_t n = std::min(sizeof m_szFile - 1, size_t(m_strFileName.GetLength()));
    std::memcpy(m_szFile, m_strFileName.GetString(), n);
    m_ofn = OPENFILENAME{sizeof(OPENFILENAME),
                         pParentWnd ? pParentWnd->m_hWnd : nullptr,
                         m_strFilter.GetString(),
                         m_szFile,
                         DWORD(sizeof m_szFile),
                         nullptr,
                         nullptr,
                         dwFlags,
                         m_strDefExt.IsEmpty() ? nullptr : m_strDefExt.GetString()};
}

int CFileDialog::DoModal()
{
    CString chosen;
    int result = IDCANCEL;
    kor::FileDialogRequest request{m_bOpen, m_strDefExt, CString(m_ofn.lpstrFile), m_strFilter, m_ofn.Flags};
    if (kor::FileDialogHook& hook = DialogHookSlot(); hook) {
        kor::FileDialogHook keep = hook;
        result = keep(request, chosen) == IDOK ? IDOK : IDCANCEL;
    } else if (!kor::HasDisplay()) {
        std::fprintf(stderr, "file dialog (%s): %s, cancelled\n", m_bOpen ? "open" : "save",
                     kor::ToUnicode(request.fileName).toUtf8().constData());
    } else {
        QFileDialog dialog(kor::WindowWidget(m_pParent));
        dialog.setAcceptMode(m_bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(m_bOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        QStringList filters = QtFilters(m_strFilter);
        if (!filters.isEmpty())
            dialog.setNameFilters(filters);
        if (!m_strDefExt.IsEmpty())
            dialog.setDefaultSuffix(kor::ToUnicode(m_strDefExt));
        if (!(m_ofn.Flags & OFN_OVERWRITEPROMPT))
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (!request.fileName.IsEmpty())
            dialog.selectFile(kor::ToUnicode(request.fileName));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            QString name = dialog.selectedFiles().first();
            // Names are CP949 bytes where every character converts, UTF-8 otherwise.
            chosen =
                kor::IsCP949Convertible(name) ? kor::FromUnicode(name) : CString(name.toUtf8().constData());
            result = IDOK;
        }
    }
    if (result != IDOK || chosen.IsEmpty())
        return IDCANCEL;
    if (!m_strDefExt.IsEmpty() && NamePart(chosen).Find('.') < 0)
        chosen += "." + m_strDefExt;
    m_strPath = chosen;
    size_t n = std::min(size_t(m_ofn.nMaxFile ? m_ofn.nMaxFile - 1 : 0), size_t(chosen.GetLength()));
    if (m_ofn.lpstrFile) {
        std::memcpy(m_ofn.lpstrFile, chosen.GetString(), n);
        m_ofn.lpstrFile[n] = '\0';
    }
    return IDOK;
}

CString CFileDialog::GetFileName() const
{
    return NamePart(m_strPath);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}
