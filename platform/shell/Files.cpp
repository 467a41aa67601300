// Files of the kernel and C runtime: CopyFileA, DeleteFileA, _findfirst and friends, CFile.
#include "platform/shell/shell.h"
#include "platform/shell/shell_p.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// An open search: the matches found, and the next one to hand out.
struct FindState
{
    std::vector<_finddata_t> matches;
    size_t next = 0;
};

std::set<FindState*>& OpenSearches()
{
    static std::set<FindState*> open;
    return open;
}

void Fill(_finddata_t* out, const std::string& name, const struct stat& st)
{
    std::memset(out, 0, sizeof *out);
    unsigned attrib = S_ISDIR(st.st_mode) ? _A_SUBDIR : _A_ARCH;
    if (!(st.st_mode & S_IWUSR))
        attrib |= _A_RDONLY;
    if (!name.empty() && name[0] == '.')
        attrib |= _A_HIDDEN;
    out->attrib = attrib;
    out->time_create = st.st_ctime;
    out->time_access = st.st_atime;
    out->time_write = st.st_mtime;
    out->size = static_cast<unsigned long>(st.st_size);
    size_t n = std::min(name.size(), sizeof out->name - 1);
    std::memcpy(out->name, name.data(), n);
    out->name[n] = '\0';
}

} // namespace

BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists)
{
    if (!lpExistingFileName || !lpNewFileName || !*lpNewFileName)
        return FALSE;
    struct stat src;
    std::string from = kor::ExistingPath(lpExistingFileName, &src);
    if (from.empty() || S_ISDIR(src.st_mode))
        return FALSE;
    struct stat dst;
    if (::stat(lpNewFileName, &dst) == 0) {
        if (bFailIfExists || (dst.st_dev == src.st_dev && dst.st_ino == src.st_ino))
            return FALSE;
    }
    FILE* in = std::fopen(from.c_str(), "rb");
    if (!in)
        return FALSE;
    int fd =
        ::open(lpNewFileName, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (bFailIfExists ? O_EXCL : 0), 0666);
    FILE* out = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
    if (!out) {
        if (fd >= 0)
            ::close(fd);
        std::fclose(in);
        return FALSE;
    }
    bool ok = true;
    char buf[65536];
    size_t got;
    while (ok && (got = std::fread(buf, 1, sizeof buf, in)) > 0)
        ok = std::fwrite(buf, 1, got, out) == got;
    ok = ok && !std::ferror(in);
    std::fclose(in);
    ok = std::fclose(out) == 0 && ok;
    return ok;
}

BOOL DeleteFileA(LPCSTR lpFileName)
{
    return lpFileName && ::unlink(lpFileName) == 0;
}

intptr_t _findfirst(const char* pathName, _finddata_t* fileinfo)
{
    if (!pathName || !*pathName || !fileinfo)
        return -1;
    std::string wanted = pathName;
    std::string slashed = kor::SlashedPath(pathName);
    if (!slashed.empty())
        wanted = slashed;
    size_t cut = wanted.rfind('/');
    std::string dir = cut == std::string::npos ? std::string() : wanted.substr(0, cut + 1);
    std::string pattern = cut == std::string::npos ? wanted : wanted.substr(cut + 1);

    auto* state = new FindState;
    if (pattern.find_first_of("*?") == std::string::npos) {
        struct stat st;
        std::string found = kor::ExistingPath(pathName, &st);
        if (!found.empty())
            Fill(&state->matches.emplace_back(), pattern, st);
    } else {
        if (pattern == "*.*")
            pattern = "*";
        if (DIR* d = ::opendir(dir.empty() ? "." : dir.c_str())) {
            while (dirent* e = ::readdir(d)) {
                if (::fnmatch(pattern.c_str(), e->d_name, 0) != 0)
                    continue;
                struct stat st;
                if (::stat((dir + e->d_name).c_str(), &st) == 0)
                    Fill(&state->matches.emplace_back(), e->d_name, st);
            }
            ::closedir(d);
        }
        std::sort(state->matches.begin(), state->matches.end(),
                  [](const _finddata_t& a, const _finddata_t& b) { return std::strcmp(a.name, b.name) < 0; });
    }
    if (state->matches.empty()) {
        delete state;
        errno = ENOENT;
        return -1;
    }
    *fileinfo = state->matches[0];
    state->next = 1;
    OpenSearches().insert(state);
    return reinterpret_cast<intptr_t>(state);
}

int _findnext(intptr_t handle, _finddata_t* fileinfo)
{
    auto* state = reinterpret_cast<FindState*>(handle);
    if (!fileinfo || !OpenSearches().count(state) || state->next >= state->matches.size()) {
        errno = ENOENT;
        return -1;
    }
    *fileinfo = state->matches[state->next++];
    return 0;
}

int _findclose(intptr_t handle)
{
    auto* state = reinterpret_cast<FindState*>(handle);
    if (!OpenSearches().erase(state)) {
        errno = ENOENT;
        return -1;
    }
    delete state;
    return 0;
}

// ---------------------------------------------------------------------------------------------------
// CFile.

CFile::CFile() : m_hFile(hFileNull), m_pStream(nullptr), m_bWriteFailed(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : CFile()
{
    Open(lpszFileName, nOpenFlags);
}

CFile::~CFile()
{
    if (m_pStream)
        Close();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_pStream)
        Close();
    m_bWriteFailed = FALSE;
    if (!lpszFileName || !*lpszFileName) {
        if (pError)
            pError->m_cause = CFileException::badPath;
        return FALSE;
    }
    UINT access = nOpenFlags & 3;
    bool create = (nOpenFlags & modeCreate) != 0;
    bool truncate = create && !(nOpenFlags & modeNoTruncate);
    int flags = O_CLOEXEC | (access == modeRead ? O_RDONLY : access == modeWrite ? O_WRONLY : O_RDWR);
    if (create)
        flags |= O_CREAT;
    if (truncate)
        flags |= O_TRUNC;
    int fd = ::open(lpszFileName, flags, 0666);
    if (fd < 0 && errno == ENOENT && !create) {
        std::string alt = kor::SlashedPath(lpszFileName);
        if (!alt.empty())
            fd = ::open(alt.c_str(), flags, 0666);
    }
    const char* mode = access == modeRead ? "rb" : access == modeWrite ? "wb" : "r+b";
    FILE* f = fd >= 0 ? ::fdopen(fd, mode) : nullptr;
    if (!f) {
        int err = errno;
        if (fd >= 0)
            ::close(fd);
        if (pError) {
            pError->m_lOsError = err;
            pError->m_strFileName = lpszFileName;
            pError->m_cause = err == ENOENT   ? CFileException::fileNotFound
                              : err == EACCES ? CFileException::accessDenied
                              : err == ENOSPC ? CFileException::diskFull
                                              : CFileException::generic;
        }
        return FALSE;
    }
    m_pStream = f;
    m_hFile = UINT(fd);
    m_strFileName = lpszFileName;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (!m_pStream || !lpBuf)
        return 0;
    return UINT(std::fread(lpBuf, 1, nCount, static_cast<FILE*>(m_pStream)));
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (!m_pStream || (!lpBuf && nCount)) {
        m_bWriteFailed = TRUE;
        return;
    }
    if (nCount && std::fwrite(lpBuf, 1, nCount, static_cast<FILE*>(m_pStream)) != nCount)
        m_bWriteFailed = TRUE;
}

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
    if (!m_pStream)
        return -1;
    int whence = nFrom == current ? SEEK_CUR : nFrom == end ? SEEK_END : SEEK_SET;
    if (std::fseek(static_cast<FILE*>(m_pStream), lOff, whence) != 0)
        return -1;
    return LONG(std::ftell(static_cast<FILE*>(m_pStream)));
}

DWORD CFile::GetPosition() const
{
    return m_pStream ? DWORD(std::ftell(static_cast<FILE*>(m_pStream))) : 0;
}

DWORD CFile::GetLength() const
{
    if (!m_pStream)
        return 0;
    std::fflush(static_cast<FILE*>(m_pStream));
    struct stat st;
    return ::fstat(fileno(static_cast<FILE*>(m_pStream)), &st) == 0 ? DWORD(st.st_size) : 0;
}

void CFile::Flush()
{
    if (m_pStream && std::fflush(static_cast<FILE*>(m_pStream)) != 0)
        m_bWriteFailed = TRUE;
}

void CFile::Close()
{
    if (m_pStream && std::fclose(static_cast<FILE*>(m_pStream)) != 0)
        m_bWriteFailed = TRUE;
    m_pStream = nullptr;
    m_hFile = hFileNull;
}

void CFile::Abort()
{
    if (m_pStream)
        std::fclose(static_cast<FILE*>(m_pStream));
    m_pStream = nullptr;
    m_hFile = hFileNull;
}
