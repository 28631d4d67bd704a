// libFuzzer target over the JPEG decoder (the About window's banner): any bytes.
// Built and run by scripts/fuzz.sh jpeg; LeakSanitizer reports a buffer an error skipped.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "images/JpegImage.h"
#include "platform/Error.h"

#define check(ok) \
    ((ok) ? (void)0 : (std::fprintf(stderr, "invariant failed at line %d\n", __LINE__), std::abort()))

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const tabrix::Pixels p = tabrix::decodeJpeg(std::string(reinterpret_cast<const char*>(data), size));
        check(p.width > 0 && p.height > 0);
        check(p.width <= tabrix::kMaxPictureSide && p.height <= tabrix::kMaxPictureSide);
        check(p.data.size() == static_cast<std::size_t>(p.width) * p.height);
        for (std::uint32_t pixel : p.data) check(pixel <= 0xFFFFFF);
    } catch (const tabrix::Error& e) {
        check(std::string(e.what()) == "Cannot decode the picture");
    }
    return 0;
}
