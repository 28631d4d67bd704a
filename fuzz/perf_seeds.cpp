// Writes well-formed performance-data blocks (the host tests' own shapes) as the first
// corpus of the walker's fuzz target, so the fuzzer starts inside the Processor object.
// Usage: perf_seeds <folder>
#include <cstdio>
#include <string>

#include "../tests/host/sources_perf_block.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    using tabrix::perftest::BlockShape;
    const BlockShape shapes[] = {BlockShape{{0, 0}, 0}, BlockShape{{100, 200, 300}, 7, 250},
                                 BlockShape{{1, 2, 3, 4, 5}, 59, 999}};
    int n = 0;
    for (const BlockShape& shape : shapes) {
        const auto bytes = tabrix::perftest::build(shape).bytes;
        for (unsigned char first : {0, 130}) {  // the object's own count, then two instances
            const std::string path = std::string(argv[1]) + "/seed" + std::to_string(++n);
            std::FILE* f = std::fopen(path.c_str(), "wb");
            if (!f) return 1;
            std::fputc(first, f);
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
    }
    return 0;
}
