// Writes well-formed HWiNFO sensor blocks (the host tests' own shapes) as the first corpus of
// the block's fuzz target, so the fuzzer starts past the signature and the section checks.
// Usage: hwinfo_seeds <folder>
#include <cstdio>
#include <string>

#include "../tests/hwinfo_block.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    using namespace hwinfo_block;
    const std::string blocks[] = {
        build({}), build(fiveReadings()), build(fiveReadings(), 460),
        build({{kTemperature, std::string(128, 'T'), kFahrenheit, 100, "User"}}, 600)};
    int n = 0;
    for (const std::string& bytes : blocks) {
        const std::string path = std::string(argv[1]) + "/seed" + std::to_string(++n);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) return 1;
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return 0;
}
