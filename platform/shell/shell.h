// Shell and kernel calls: ShellExecuteA, FindExecutableA, files, file search, thread priority, CFile.
#pragma once

#include "platform/afx/afx.h"
#include "platform/win/wintypes.h"

#include <ctime>
#include <functional>

#define MAX_PATH 260

// Shell results up to 32 are errors; above 32 is success (42 here).
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define ERROR_BAD_FORMAT 11
#define SE_ERR_SHARE 26
#define SE_ERR_ASSOCINCOMPLETE 27
#define SE_ERR_DDETIMEOUT 28
#define SE_ERR_DDEFAIL 29
#define SE_ERR_DDEBUSY 30
#define SE_ERR_NOASSOC 31
#define SE_ERR_DLLNOTFOUND 32

// The default verb opens the file or address with xdg-open, without waiting: 42 when it started, 31
// when there is no xdg-open, 2 for a local file that does not exist. "print" hands the file to lp
// (parameters appended) and waits only for the job to be queued: 42 when lp exits 0, 29 when it fails,
// 31 without lp, 2 for a missing file.
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        int nShowCmd);
// The program that opens the file's type (the desktop entry's command as xdg-mime names it), copied
// into lpResult (MAX_PATH bytes); 42 on success, 2 for a missing file, 31 when nothing is associated.
HINSTANCE FindExecutableA(LPCSTR lpFile, LPCSTR lpDirectory, LPSTR lpResult);
#define ShellExecute ShellExecuteA
#define FindExecutable FindExecutableA

// $TMPDIR or /tmp, ending with "/". Returns the length, or the size needed (NUL included) when the
// buffer is too small.
DWORD GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer);
DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer);
BOOL SetCurrentDirectoryA(LPCSTR lpPathName);
// Copies the bytes; an existing target is overwritten unless bFailIfExists. Copying a file onto
// itself fails and leaves it untouched.
BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists);
BOOL DeleteFileA(LPCSTR lpFileName);
#define GetTempPath GetTempPathA
#define GetCurrentDirectory GetCurrentDirectoryA
#define SetCurrentDirectory SetCurrentDirectoryA
#define CopyFile CopyFileA
#define DeleteFile DeleteFileA

// File search of the C runtime: a name, or a pattern with * and ? in its last part ("*.*" is every
// name). -1 when nothing matches; close the handle with _findclose.
#define _A_NORMAL 0x00
#define _A_RDONLY 0x01
#define _A_HIDDEN 0x02
#define _A_SYSTEM 0x04
#define _A_SUBDIR 0x10
#define _A_ARCH 0x20
struct _finddata_t
{
    unsigned attrib;
    time_t time_create;
    time_t time_access;
    time_t time_write;
    unsigned long size;
    char name[260];
};
intptr_t _findfirst(const char* pathName, _finddata_t* fileinfo);
int _findnext(intptr_t handle, _finddata_t* fileinfo);
int _findclose(intptr_t handle);

// Thread priority: the value is kept per thread and given back; the scheduler is asked for more only
// as far as the process may, and never for less than the thread started with, so that restoring the
// previous value always works. No failure is reported.
#define THREAD_PRIORITY_IDLE (-15)
#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2
#define THREAD_PRIORITY_TIME_CRITICAL 15
HANDLE GetCurrentThread();
BOOL SetThreadPriority(HANDLE hThread, int nPriority);
int GetThreadPriority(HANDLE hThread);

class CFileException : public CObject
{
public:
    enum
    {
        none,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };
    int m_cause = none;
    LONG m_lOsError = -1;
    CString m_strFileName;
};

// A file opened with fopen on the name's bytes. The framework throws on errors; here Open returns
// FALSE and a failed write is remembered (WriteFailed).
class CFile : public CObject
{
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum SeekPosition
    {
        begin = 0,
        current = 1,
        end = 2
    };
    static constexpr UINT hFileNull = UINT(-1);

    UINT m_hFile;

    CFile();
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual LONG Seek(LONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    DWORD SeekToEnd() { return DWORD(Seek(0, end)); }
    virtual DWORD GetPosition() const;
    virtual DWORD GetLength() const;
    virtual void Flush();
    virtual void Close();
    void Abort();
    CString GetFilePath() const { return m_strFileName; }
    BOOL WriteFailed() const { return m_bWriteFailed; }

private:
    void* m_pStream; // FILE*
    CString m_strFileName;
    BOOL m_bWriteFailed;
};

namespace kor {

// The shell seam: a hook installed by tests answers every ShellExecuteA and FindExecutableA at once,
// without starting anything. For FindExecutable it sets program to the program's path.
struct ShellRequest
{
    enum Kind
    {
        Execute,
        FindExecutable
    };
    Kind kind;
    CString verb; // "" for the default verb
    CString file;
    CString parameters;
    CString directory;
    int show;
};
using ShellHook = std::function<int(const ShellRequest& request, CString& program)>;
// Returns the previous hook; an empty hook removes it.
ShellHook SetShellHook(ShellHook hook);

} // namespace kor
