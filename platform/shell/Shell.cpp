// Shell requests (xdg-open, lp, xdg-mime), the test seam, directories and thread priority.
#include "platform/shell/shell.h"
#include "platform/shell/shell_p.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace kor {
namespace {

ShellHook& Hook()
{
    static ShellHook hook;
    return hook;
}

HINSTANCE Result(int code)
{
    return reinterpret_cast<HINSTANCE>(intptr_t(code));
}

constexpr int kSuccess = 42;

bool IsExecutable(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// The full path of a program found on PATH; "" when there is none.
std::string FindProgram(const std::string& name)
{
    if (name.empty())
        return std::string();
    if (name.find('/') != std::string::npos)
        return IsExecutable(name) ? name : std::string();
    const char* env = std::getenv("PATH");
    std::string path = env && *env ? env : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(':', start);
        if (end == std::string::npos)
            end = path.size();
        std::string dir = path.substr(start, end - start);
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
        if (IsExecutable(candidate))
            return candidate;
        start = end + 1;
    }
    return std::string();
}

// Runs a program (argv[0] a full path) in dir, waiting at most timeoutMs; its standard output goes to
// out when given, else nowhere. Returns the exit status, or -1 when it could not run or timed out.
int Run(const std::vector<std::string>& args, const std::string& dir, std::string* out, int timeoutMs)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    int fds[2] = {-1, -1};
    if (out && ::pipe2(fds, O_CLOEXEC) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (out)
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (!dir.empty())
        posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    pid_t pid = -1;
    int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (out)
        ::close(fds[1]);
    if (rc != 0) {
        if (out)
            ::close(fds[0]);
        return -1;
    }

    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    auto left = [&] {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                        std::chrono::steady_clock::now());
        return int(std::max<long long>(0, ms.count()));
    };
    bool timedOut = false;
    if (out) {
        char buf[4096];
        for (;;) {
            pollfd p{fds[0], POLLIN, 0};
            int n = ::poll(&p, 1, left());
            if (n == 0) {
                timedOut = true;
                break;
            }
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                break;
            }
            ssize_t got = ::read(fds[0], buf, sizeof buf);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            if (out->size() < 65536)
                out->append(buf, size_t(got));
        }
        ::close(fds[0]);
    }
    int status = 0;
    for (;;) {
        pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid)
            break;
        if (r < 0) {
            // Someone else reaps children (SIGCHLD ignored): the outcome is unknown, take it as done.
            return errno == ECHILD ? 0 : -1;
        }
        if (timedOut || left() == 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A network address or other URL rather than a local file: a scheme of two or more letters and a
// colon (a drive letter is one), or a name that starts with two slashes.
bool IsAddress(const std::string& s)
{
    if (s.rfind("//", 0) == 0 || s.rfind("\\\\", 0) == 0)
        return true;
    if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0])))
        return false;
    size_t i = 1;
    while (i < s.size() &&
           (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '+' || s[i] == '-' || s[i] == '.'))
        ++i;
    return i >= 2 && i < s.size() && s[i] == ':';
}

// A local file's name as it exists, relative names taken from dir when one is given; "" if missing.
std::string LocalFile(const std::string& file, const std::string& dir)
{
    std::string full = file;
    if (!dir.empty() && !file.empty() && file[0] != '/' && file[0] != '\\') {
        full = dir;
        if (full.back() != '/' && full.back() != '\\')
            full += '/';
        full += file;
    }
    struct stat st;
    return ExistingPath(full.c_str(), &st);
}

// Parameters split at blanks, double quotes grouping.
std::vector<std::string> SplitParameters(const std::string& s)
{
    std::vector<std::string> out;
    std::string cur;
    bool quoted = false, any = false;
    for (char c : s) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (any || !cur.empty())
                out.push_back(cur);
            cur.clear();
            any = false;
        } else {
            cur += c;
        }
    }
    if (any || !cur.empty())
        out.push_back(cur);
    return out;
}

std::string Trimmed(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return std::string();
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// The command of a desktop entry's Exec key, found in the data directories.
std::string DesktopProgram(const std::string& id)
{
    std::vector<std::string> bases;
    const char* home = std::getenv("XDG_DATA_HOME");
    if (home && *home)
        bases.push_back(home);
    else if (const char* h = std::getenv("HOME"))
        bases.push_back(std::string(h) + "/.local/share");
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::string all = dirs && *dirs ? dirs : "/usr/local/share:/usr/share";
    size_t start = 0;
    while (start <= all.size()) {
        size_t end = all.find(':', start);
        if (end == std::string::npos)
            end = all.size();
        if (end > start)
            bases.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::string> names = {id};
    if (size_t dash = id.find('-'); dash != std::string::npos)
        names.push_back(id.substr(0, dash) + "/" + id.substr(dash + 1));
    for (const std::string& base : bases) {
        for (const std::string& name : names) {
            std::ifstream in(base + "/applications/" + name);
            if (!in)
                continue;
            std::string line;
            bool inEntry = false;
            while (std::getline(in, line)) {
                line = Trimmed(line);
                if (!line.empty() && line[0] == '[') {
                    inEntry = line == "[Desktop Entry]";
                    continue;
                }
                if (!inEntry || line.rfind("Exec=", 0) != 0)
                    continue;
                for (const std::string& word : SplitParameters(line.substr(5))) {
                    if (word == "env" || word.find('=') != std::string::npos)
                        continue;
                    std::string found = FindProgram(word);
                    return found.empty() ? word : found;
                }
            }
        }
    }
    return std::string();
}

std::string Str(LPCSTR s)
{
    return s ? s : "";
}

void CopyOut(LPSTR out, const std::string& s)
{
    if (!out)
        return;
    size_t n = std::min<size_t>(s.size(), MAX_PATH - 1);
    std::memcpy(out, s.data(), n);
    out[n] = '\0';
}

// Thread priority as the system sees it, and the niceness the thread started with.
thread_local int t_nPriority = THREAD_PRIORITY_NORMAL;
thread_local int t_nBaseNice = INT_MIN;

int NiceFor(int priority)
{
    if (priority >= THREAD_PRIORITY_TIME_CRITICAL)
        return -20;
    if (priority >= THREAD_PRIORITY_HIGHEST)
        return -10;
    if (priority >= THREAD_PRIORITY_ABOVE_NORMAL)
        return -5;
    return 0;
}

} // namespace

ShellHook SetShellHook(ShellHook hook)
{
    ShellHook old = std::move(Hook());
    Hook() = std::move(hook);
    return old;
}

} // namespace kor

HINSTANCE ShellExecuteA(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        int nShowCmd)
{
    using namespace kor;
    try {
        std::string verb = Str(lpOperation);
        std::string file = Str(lpFile), params = Str(lpParameters), dir = Str(lpDirectory);
        if (ShellHook& hook = Hook(); hook) {
            ShellHook keep = hook;
            ShellRequest req{ShellRequest::Execute, CString(verb), CString(file),
                             CString(params),       CString(dir),  nShowCmd};
            CString unused;
            return Result(keep(req, unused));
        }
        std::string lower = verb;
        for (char& c : lower)
            c = char(std::tolower(static_cast<unsigned char>(c)));

        if (lower == "print") {
            std::string local = LocalFile(file, dir);
            if (local.empty())
                return Result(SE_ERR_FNF);
            std::string lp = FindProgram("lp");
            if (lp.empty())
                return Result(SE_ERR_NOASSOC);
            // lp reads options anywhere on its command line: a name must not look like one.
            std::vector<std::string> args = {lp, local[0] == '-' ? "./" + local : local};
            for (const std::string& p : SplitParameters(params))
                args.push_back(p);
            return Result(Run(args, dir, nullptr, 30000) == 0 ? kSuccess : SE_ERR_DDEFAIL);
        }

        if (file.empty())
            return Result(SE_ERR_FNF);
        std::string target = file;
        if (!IsAddress(file)) {
            target = LocalFile(file, dir);
            if (target.empty())
                return Result(SE_ERR_FNF);
        }
        std::string opener = FindProgram("xdg-open");
        if (opener.empty())
            return Result(SE_ERR_NOASSOC);
        // Started through a shell that leaves it in the background, so nothing waits for the viewer
        // and no child is left unreaped.
        std::vector<std::string> args = {"/bin/sh", "-c",   "\"$1\" \"$2\" </dev/null >/dev/null 2>&1 &",
                                         "sh",      opener, target};
        return Result(Run(args, dir, nullptr, 10000) == 0 ? kSuccess : SE_ERR_NOASSOC);
    } catch (...) {
        return Result(SE_ERR_OOM);
    }
}

HINSTANCE FindExecutableA(LPCSTR lpFile, LPCSTR lpDirectory, LPSTR lpResult)
{
    using namespace kor;
    try {
        CopyOut(lpResult, std::string());
        std::string file = Str(lpFile), dir = Str(lpDirectory);
        if (ShellHook& hook = Hook(); hook) {
            ShellHook keep = hook;
            ShellRequest req{
                ShellRequest::FindExecutable, CString(), CString(file), CString(), CString(dir), 0};
            CString program;
            int r = keep(req, program);
            CopyOut(lpResult, program.str());
            return Result(r);
        }
        std::string local = LocalFile(file, dir);
        if (local.empty())
            return Result(SE_ERR_FNF);
        std::string mime = FindProgram("xdg-mime");
        if (mime.empty())
            return Result(SE_ERR_NOASSOC);
        std::string type, id;
        if (Run({mime, "query", "filetype", local}, std::string(), &type, 5000) != 0 || Trimmed(type).empty())
            return Result(SE_ERR_NOASSOC);
        if (Run({mime, "query", "default", Trimmed(type)}, std::string(), &id, 5000) != 0 ||
            Trimmed(id).empty())
            return Result(SE_ERR_NOASSOC);
        std::string program = DesktopProgram(Trimmed(id));
        if (program.empty())
            return Result(SE_ERR_ASSOCINCOMPLETE);
        CopyOut(lpResult, program);
        return Result(kSuccess);
    } catch (...) {
        return Result(SE_ERR_OOM);
    }
}

DWORD GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer)
{
    const char* env = std::getenv("TMPDIR");
    std::string dir = env && *env ? env : "/tmp";
    if (dir.back() != '/')
        dir += '/';
    if (!lpBuffer || nBufferLength < dir.size() + 1)
        return DWORD(dir.size() + 1);
    std::memcpy(lpBuffer, dir.c_str(), dir.size() + 1);
    return DWORD(dir.size());
}

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer)
{
    std::vector<char> buf(4096);
    while (!::getcwd(buf.data(), buf.size())) {
        if (errno != ERANGE || buf.size() > (1u << 20))
            return 0;
        buf.resize(buf.size() * 2);
    }
    size_t n = std::strlen(buf.data());
    if (!lpBuffer || nBufferLength < n + 1)
        return DWORD(n + 1);
    std::memcpy(lpBuffer, buf.data(), n + 1);
    return DWORD(n);
}

BOOL SetCurrentDirectoryA(LPCSTR lpPathName)
{
    if (!lpPathName || !*lpPathName)
        return FALSE;
    if (::chdir(lpPathName) == 0)
        return TRUE;
    std::string alt = kor::SlashedPath(lpPathName);
    return !alt.empty() && ::chdir(alt.c_str()) == 0;
}

HANDLE GetCurrentThread()
{
    return reinterpret_cast<HANDLE>(intptr_t(-2));
}

BOOL SetThreadPriority(HANDLE, int nPriority)
{
    using namespace kor;
    pid_t tid = pid_t(::syscall(SYS_gettid));
    if (t_nBaseNice == INT_MIN) {
        errno = 0;
        int nice = ::getpriority(PRIO_PROCESS, id_t(tid));
        t_nBaseNice = errno == 0 ? nice : 0;
    }
    t_nPriority = nPriority;
    int target = std::min(t_nBaseNice, std::max(-20, t_nBaseNice + NiceFor(nPriority)));
    // Raising needs a privilege most processes lack; going back down to the start value never does.
    ::setpriority(PRIO_PROCESS, id_t(tid), target);
    return TRUE;
}

int GetThreadPriority(HANDLE)
{
    return kor::t_nPriority;
}
