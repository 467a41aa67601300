// Dispatch of the korhtml tool's commands and the input checks they share.
#include "tools/Commands.h"

#include "kortag/kortag.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace kor {

namespace {

// Up to limit bytes of the file; a file that cannot be opened or read (a directory opens but
// cannot be read) is a UsageError naming it as what.
std::string ReadUpTo(const std::string& path, const char* what, size_t limit)
{
    auto unreadable = [&](int err) {
        return UsageError{std::string("cannot read ") + what + " '" + path + "'" +
                          (err ? std::string(": ") + std::strerror(err) : std::string())};
    };
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw unreadable(errno);
    std::string data;
    char buf[65536];
    size_t n;
    errno = 0;
    while (data.size() < limit && (n = std::fread(buf, 1, std::min(sizeof buf, limit - data.size()), f)) > 0)
        data.append(buf, n);
    const bool failed = std::ferror(f);
    const int err = errno;
    std::fclose(f);
    if (failed)
        throw unreadable(err);
    return data;
}

} // namespace

std::string ReadInputFile(const std::string& path, const char* what)
{
    return ReadUpTo(path, what, std::string::npos);
}

void CheckReadable(const std::string& path, const char* what)
{
    ReadUpTo(path, what, 1);
}

void DumpWriter::Bytes(const char* p, size_t n)
{
    while (n > 0) {
        Reserve(1);
        const size_t k = std::min(n, sizeof m_buf - m_len);
        std::memcpy(m_buf + m_len, p, k);
        m_len += k;
        p += k;
        n -= k;
    }
}

void DumpWriter::Number(long long n)
{
    Reserve(24);
    m_len = size_t(std::to_chars(m_buf + m_len, m_buf + sizeof m_buf, n).ptr - m_buf);
}

bool DumpWriter::Finish()
{
    Flush();
    return !m_failed && std::fflush(m_out) == 0;
}

void DumpWriter::Flush()
{
    if (m_len && std::fwrite(m_buf, 1, m_len, m_out) != m_len)
        m_failed = true;
    m_len = 0;
}

void AppendIndent(int depth, std::string& out)
{
    const int kMaxIndent = 40;
    out.append(size_t(depth < kMaxIndent ? depth : kMaxIndent) * 2, ' ');
    if (depth >= kMaxIndent) {
        out += '[';
        out += std::to_string(depth);
        out += "] ";
    }
}

CTreeNode* NextWithDepth(CTreeNode* root, CTreeNode* n, int& depth)
{
    CTreeNode* next = n->GetDFSNext(root);
    if (next && next->GetParent() == n) {
        ++depth;
    } else if (next) {
        // The next node is a sibling of n or of one of its ancestors: climb to it.
        for (CTreeNode* p = n; p->GetParent() != next->GetParent(); p = p->GetParent())
            --depth;
    }
    return next;
}

bool IsInteractive(const ToolOptions& options)
{
    return options.command == "view" && !options.Has("screenshot");
}

bool NeedsFonts(const ToolOptions& options)
{
    return options.command != "tree" && options.command != "text";
}

int RunCommand(const ToolOptions& options)
{
    if (options.command == "tree")
        return RunTree(options);
    if (options.command == "layout")
        return RunLayout(options);
    if (options.command == "elements")
        return RunElements(options);
    if (options.command == "render")
        return RunRender(options);
    if (options.command == "text")
        return RunText(options);
    if (options.command == "extract")
        return RunExtract(options);
    if (options.command == "view")
        return RunView(options);
    throw UsageError{"unknown command '" + options.command + "'"};
}

} // namespace kor
