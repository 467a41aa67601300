// Helpers of the hostile-input tests: repeated text, timing, and a check that work grows linearly.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
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

// Wall-clock seconds one call of f takes.
template <class F> double Seconds(F&& f)
{
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs work(n) and work(4 n) and expects the second to take well under the sixteen times a
// quadratic step would cost. Each size runs twice and the faster run counts, which keeps a busy
// machine from deciding; a large run that is fast in absolute terms always passes.
template <class F> void ExpectLinear(const char* label, size_t n, F&& work)
{
    auto best = [&](size_t size) {
        double a = Seconds([&] { work(size); });
        double b = Seconds([&] { work(size); });
        return std::min(a, b);
    };
    const double small = best(n);
    const double large = best(4 * n);
    std::printf("  %-34s n %9zu: %.3f s, 4n: %.3f s\n", label, n, small, large);
    if (large > 0.15) {
        EXPECT_LT(large, 10 * small) << label << ": work grows faster than the input";
    }
}

} // namespace hostile
