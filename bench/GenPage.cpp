// bench_genpage: writes one generated page of a shape and size to standard output or a file.
#include "bench/PageGen.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    bench::PageShape shape;
    if (argc < 3 || argc > 4 || !bench::ParsePageShape(argv[1], shape) || std::atoll(argv[2]) <= 0) {
        std::fprintf(stderr, "usage: bench_genpage running|nop|lists|tables BYTES [OUT]\n");
        return 2;
    }
    const std::string page = bench::GeneratePage(shape, std::size_t(std::atoll(argv[2])));
    std::FILE* out = argc == 4 ? std::fopen(argv[3], "wb") : stdout;
    if (!out || std::fwrite(page.data(), 1, page.size(), out) != page.size() || std::fflush(out) != 0) {
        std::fprintf(stderr, "bench_genpage: cannot write %s\n", argc == 4 ? argv[3] : "the output");
        return 2;
    }
    if (out != stdout)
        std::fclose(out);
    return 0;
}
