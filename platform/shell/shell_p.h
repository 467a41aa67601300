// Private helpers of the shell layer: names written with backslashes, which pages made on Windows carry.
#pragma once

#include <string>
#include <sys/stat.h>

namespace kor {

// path with every backslash turned into a slash ("" when it has none). A backslash is never a trail
// byte of a CP949 character, so the change cannot split one.
inline std::string SlashedPath(const char* path)
{
    std::string s = path ? path : "";
    bool changed = false;
    for (char& c : s) {
        if (c == '\\') {
            c = '/';
            changed = true;
        }
    }
    return changed ? s : std::string();
}

// The name under which path exists: as written, or with slashes for backslashes; "" when neither.
inline std::string ExistingPath(const char* path, struct stat* st = nullptr)
{
    struct stat local;
    if (!st)
        st = &local;
    if (!path || !*path)
        return std::string();
    if (::stat(path, st) == 0)
        return path;
    std::string alt = SlashedPath(path);
    if (!alt.empty() && ::stat(alt.c_str(), st) == 0)
        return alt;
    return std::string();
}

} // namespace kor
