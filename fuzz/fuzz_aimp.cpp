// libFuzzer target over the reader of AIMP's published block: any bytes, as the block another
// program leaves in shared memory. The song must never take more than the block's texts can
// give (three UTF-8 bytes for each UTF-16 unit, and the " - " between artist and title) and
// must be valid UTF-8. Built and run by scripts/fuzz.sh aimp.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sources/Players.h"

#define check(ok) \
    ((ok) ? (void)0 : (std::fprintf(stderr, "invariant failed at line %d\n", __LINE__), std::abort()))

namespace {

bool validUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = s[i];
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string block(reinterpret_cast<const char*>(data), size);
    const std::string song = tabrix::aimpSong(block);
    check(song.size() <= 3 * (size / 2) + 3);
    check(validUtf8(song));
    return 0;
}
