// Helpers of the hostile-input tests: repeated text, large sizes and peak memory.
#pragma once

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <string>

namespace hostile {

inline std::string Repeat(const std::string& s, size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

// Runs work once at four times the base size n: the results must hold there too. How the cost
// grows with the size is measured in bench/, not by timing here.
template <class F> void AtScale(const char* label, size_t n, F&& work)
{
    SCOPED_TRACE(label);
    work(4 * n);
}

// Peak resident memory of the process so far, in MB.
inline long PeakMB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

} // namespace hostile
