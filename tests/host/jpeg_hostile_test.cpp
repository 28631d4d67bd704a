// Pictures whose damage libjpeg only finds late, while rows are read or the decoding is
// finished: an error then must not skip the clean-up of the decoder's own buffers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "images/JpegImage.h"
#include "platform/Error.h"

// Counts the blocks of this test program that are alive, so a buffer that an error jumped
// over shows as one more block after the decoding than before it.
namespace {
long liveBlocks = 0;
}

void* operator new(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    ++liveBlocks;
    return p;
}

void operator delete(void* p) noexcept {
    if (!p) return;
    --liveBlocks;
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

#include "../jpeg_late_damage.inc"

namespace {

TEST(JpegLateDamage, AnErrorWhileFinishingLeavesNoBufferBehind) {
    for (const auto& [why, bytes] : lateDamage(readTestFile("two_blocks.jpg"))) {
        const long before = liveBlocks;
        bool refused = false;
        try {
            tabrix::decodeJpeg(bytes);
        } catch (const tabrix::Error& e) {
            refused = std::string(e.what()) == "Cannot decode the picture";
        }
        EXPECT_TRUE(refused) << why;
        EXPECT_EQ(before, liveBlocks) << why;
    }
}

}  // namespace
