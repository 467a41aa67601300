// Dispatch of the korhtml tool's commands and the input checks they share.
#include "tools/Commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kor {

std::string ReadInputFile(const std::string& path, const char* what)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw UsageError{std::string("cannot read ") + what + " '" + path + "': " + std::strerror(errno)};
    std::string data;
    char buf[65536];
    size_t n;
    errno = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        data.append(buf, n);
    const bool failed = std::ferror(f);
    const int err = errno;
    std::fclose(f);
    if (failed)
        throw UsageError{std::string("cannot read ") + what + " '" + path + "'" +
                         (err ? std::string(": ") + std::strerror(err) : std::string())};
    return data;
}

void CheckReadable(const std::string& path, const char* what)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw UsageError{std::string("cannot read ") + what + " '" + path + "': " + std::strerror(errno)};
    // Opening a directory succeeds; reading it does not.
    errno = 0;
    std::fgetc(f);
    const bool failed = std::ferror(f);
    const int err = errno;
    std::fclose(f);
    if (failed)
        throw UsageError{std::string("cannot read ") + what + " '" + path + "'" +
                         (err ? std::string(": ") + std::strerror(err) : std::string())};
}

int RunCommand(const ToolOptions& options)
{
    if (options.command == "tree")
        return RunTree(options);
    if (options.command == "layout")
        return RunLayout(options);
    if (options.command == "render")
        return RunRender(options);
    if (options.command == "text")
        return RunText(options);
    if (options.command == "extract")
        return RunExtract(options);
    throw UsageError{"unknown command '" + options.command + "'"};
}

} // namespace kor
