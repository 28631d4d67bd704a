#include "images/Bmp.h"

#include <gtest/gtest.h>

#include <random>

#include "../test_bitmaps.h"
#include "platform/Error.h"

namespace tabrix {
namespace {

using test::BmpFile;

std::string bytesOf(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

// A bitmap of one row at `bitCount` bits with these palette colours and pixel bytes.
BmpFile bmpOf(int width, uint16_t bitCount, std::vector<uint32_t> palette,
              std::initializer_list<int> pixels) {
    BmpFile f;
    f.width = width;
    f.bitCount = bitCount;
    f.palette = std::move(palette);
    f.pixels = bytesOf(pixels);
    return f;
}

// A palette of `size` black entries but for the given ones.
std::vector<uint32_t> paletteWith(size_t size, std::initializer_list<std::pair<size_t, uint32_t>> colours) {
    std::vector<uint32_t> palette(size, 0);
    for (const auto& c : colours) palette[c.first] = c.second;
    return palette;
}

// One row at 16 bits in 5-6-5 bit fields.
BmpFile fields565(int width, std::string pixels) {
    BmpFile f;
    f.width = width;
    f.bitCount = 16;
    f.compression = 3;
    f.masks = {0xF800, 0x07E0, 0x001F};
    f.pixels = std::move(pixels);
    return f;
}

// --- formats ---------------------------------------------------------------------

TEST(BmpDecode, TwentyFourBitsBottomUpWithRowPadding) {
    // 3 × 2: 9 bytes a row padded to 12; the file's first row is the picture's last.
    const std::string file = test::bmp24(3, 2, [](int x, int y) { return 0x100000u * (x + 1) + y; });
    const Pixels p = decodeBmp(file);
    ASSERT_EQ(3, p.width);
    ASSERT_EQ(2, p.height);
    EXPECT_EQ((std::vector<uint32_t>{0x100000, 0x200000, 0x300000, 0x100001, 0x200001, 0x300001}), p.data);
}

TEST(BmpDecode, TopDownRowsStayInOrder) {
    BmpFile f;
    f.width = 1;
    f.height = -2;
    f.pixels = bytesOf({0x03, 0x02, 0x01, 0, 0x06, 0x05, 0x04, 0});
    const Pixels p = decodeBmp(f.bytes());
    EXPECT_EQ((std::vector<uint32_t>{0x010203, 0x040506}), p.data);
}

TEST(BmpDecode, BitFieldsAfterTheInfoHeaderAndInsideV4AndV5) {
    // 5-6-5: red 31, green 0, blue 31 → magenta; green alone at 63 → full green.
    for (uint32_t headerSize : {40u, 52u, 56u, 108u, 124u}) {
        BmpFile f = fields565(2, bytesOf({0x1F, 0xF8, 0xE0, 0x07}));
        f.headerSize = headerSize;
        EXPECT_EQ((std::vector<uint32_t>{0xFF00FF, 0x00FF00}), decodeBmp(f.bytes()).data) << headerSize;
    }
}

TEST(BmpDecode, DirectColourWithAndWithoutMasks) {
    BmpFile f;
    f.width = 2;
    f.bitCount = 16;  // no masks: 5-5-5; 0x0210 is green and blue at 16 of 31
    f.pixels = bytesOf({0x00, 0x7C, 0x10, 0x02});
    EXPECT_EQ((std::vector<uint32_t>{0xFF0000, 0x008484}), decodeBmp(f.bytes()).data);

    f.bitCount = 32;  // no masks: the fourth byte is ignored
    f.pixels = bytesOf({0x11, 0x22, 0x33, 0xFF, 0x44, 0x55, 0x66, 0x00});
    EXPECT_EQ((std::vector<uint32_t>{0x332211, 0x665544}), decodeBmp(f.bytes()).data);

    f.width = 1;
    f.compression = 3;
    f.masks = {0x000000FF, 0x0000FF00, 0xFFFF0000};  // red low, blue a 16-bit field
    f.pixels = bytesOf({0x12, 0x34, 0xFF, 0xFF});
    EXPECT_EQ(0x1234FFu, decodeBmp(f.bytes()).at(0, 0));
}

TEST(BmpDecode, PaletteDepthsWithOddWidths) {
    BmpFile eight = bmpOf(3, 8, {0x0000FF, 0xFF0000}, {1, 0, 7, 0});  // index 7 lies past the two: black
    eight.colorsUsed = 2;
    EXPECT_EQ((std::vector<uint32_t>{0xFF0000, 0x0000FF, 0x000000}), decodeBmp(eight.bytes()).data);

    const BmpFile four =
        bmpOf(3, 4, paletteWith(16, {{0xA, 0xAAAAAA}, {0x5, 0x555555}, {0x1, 0x111111}}), {0xA5, 0x10, 0, 0});
    EXPECT_EQ((std::vector<uint32_t>{0xAAAAAA, 0x555555, 0x111111}), decodeBmp(four.bytes()).data);

    BmpFile one =
        bmpOf(10, 1, {0x000000, 0xFFFFFF}, {0x80, 0x40, 0, 0, 0xFF, 0xC0, 0, 0});  // bottom row first
    one.height = 2;
    const Pixels p = decodeBmp(one.bytes());
    EXPECT_EQ(0xFFFFFFu, p.at(0, 1));
    EXPECT_EQ(0x000000u, p.at(1, 1));
    EXPECT_EQ(0xFFFFFFu, p.at(9, 1));
    for (int x = 0; x < 10; ++x) EXPECT_EQ(0xFFFFFFu, p.at(x, 0)) << x;
}

TEST(BmpDecode, CoreHeaderWithThreeBytePalette) {
    BmpFile f = bmpOf(2, 8, paletteWith(256, {{3, 0x123456}}), {3, 0, 0, 0});
    f.headerSize = 12;
    EXPECT_EQ((std::vector<uint32_t>{0x123456, 0}), decodeBmp(f.bytes()).data);

    BmpFile rgb;
    rgb.headerSize = 12;
    rgb.pixels = bytesOf({1, 2, 3, 0});
    EXPECT_EQ(0x030201u, decodeBmp(rgb.bytes()).at(0, 0));
}

TEST(BmpDecode, ZeroPixelOffsetMeansRightAfterThePalette) {
    BmpFile f = bmpOf(1, 8, {0xABCDEF}, {0, 0, 0, 0});
    f.colorsUsed = 1;
    f.offBits = 0;
    EXPECT_EQ(0xABCDEFu, decodeBmp(f.bytes()).at(0, 0));
}

TEST(BmpDecode, RunLengthEightWithAbsoluteRunsDeltaAndLineEnds) {
    BmpFile f = bmpOf(4, 8, {0x000000, 0x111111, 0x222222, 0x333333},
                      {3, 1, 0, 0,        // bottom row: three of 1, end of line
                       0, 3, 2, 3, 1, 0,  // middle row: absolute 2 3 1, padded to a word
                       0, 0, 0, 2, 1, 0,  // end of line, then one to the right
                       9, 2,              // a run past the edge is cut there
                       0, 1});
    f.height = 3;
    f.compression = 1;
    f.colorsUsed = 4;
    const Pixels p = decodeBmp(f.bytes());
    EXPECT_EQ((std::vector<uint32_t>{0, 0x222222, 0x222222, 0x222222,    // top
                                     0x222222, 0x333333, 0x111111, 0,    // middle
                                     0x111111, 0x111111, 0x111111, 0}),  // bottom
              p.data);
}

TEST(BmpDecode, RunLengthFourAlternatesNibbles) {
    BmpFile f = bmpOf(5, 4, paletteWith(16, {{1, 0x010101}, {2, 0x020202}, {3, 0x030303}}),
                      {3, 0x12, 0, 3, 0x32, 0x10, 0, 1});  // 1 2 1, then absolute 3 2 (1)
    f.compression = 2;
    EXPECT_EQ((std::vector<uint32_t>{0x010101, 0x020202, 0x010101, 0x030303, 0x020202}),
              decodeBmp(f.bytes()).data);
}

// --- refusals --------------------------------------------------------------------

BmpFile good8() {
    BmpFile f = bmpOf(3, 8, {0x000000, 0xFFFFFF}, {1, 1, 1, 1, 1, 1, 1, 1});
    f.height = 2;
    f.colorsUsed = 2;
    return f;
}

TEST(BmpRefuse, NotABitmapOrCutShort) {
    EXPECT_THROW(decodeBmp(""), Error);
    EXPECT_THROW(decodeBmp("B"), Error);
    EXPECT_THROW(decodeBmp("BM"), Error);
    EXPECT_THROW(decodeBmp("\xFF\xD8\xFF\xE0 not a bitmap at all, a JPEG start"), Error);
    std::string wrongMagic = good8().bytes();
    wrongMagic[1] = 'A';
    EXPECT_THROW(decodeBmp(wrongMagic), Error);
    try {
        decodeBmp("plain text");
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ("Bitmap image is not valid", e.what());
    }
}

TEST(BmpRefuse, EveryShorterPrefixOfAGoodFile) {
    for (const std::string& full : {good8().bytes(), test::bmp24Solid(5, 3, 0x123456)}) {
        ASSERT_NO_THROW(decodeBmp(full));
        for (size_t n = 0; n < full.size(); ++n)
            EXPECT_THROW(decodeBmp(full.substr(0, n)), Error) << "length " << n;
    }
}

TEST(BmpRefuse, HeaderValuesOutOfRange) {
    auto refused = [](void (*change)(BmpFile&)) {
        BmpFile f = good8();
        change(f);
        try {
            decodeBmp(f.bytes());
        } catch (const Error&) {
            return true;
        }
        return false;
    };
    EXPECT_TRUE(refused([](BmpFile& f) { f.headerSize = 64; }));  // OS/2 2.x
    EXPECT_TRUE(refused([](BmpFile& f) { f.headerSize = 20; }));
    EXPECT_TRUE(refused([](BmpFile& f) { f.width = 0; }));
    EXPECT_TRUE(refused([](BmpFile& f) { f.width = -3; }));
    EXPECT_TRUE(refused([](BmpFile& f) { f.height = 0; }));
    EXPECT_TRUE(refused([](BmpFile& f) { f.height = INT32_MIN; }));
    EXPECT_TRUE(refused([](BmpFile& f) { f.width = kMaxPictureSide + 1; }));
    EXPECT_TRUE(refused([](BmpFile& f) { f.height = -(kMaxPictureSide + 1); }));
    EXPECT_TRUE(refused([](BmpFile& f) { f.bitCount = 0; }));
    EXPECT_TRUE(refused([](BmpFile& f) { f.bitCount = 2; }));
    EXPECT_TRUE(refused([](BmpFile& f) { f.bitCount = 64; }));
    EXPECT_TRUE(refused([](BmpFile& f) { f.compression = 4; }));  // embedded JPEG
    EXPECT_TRUE(refused([](BmpFile& f) { f.compression = 5; }));  // embedded PNG
    EXPECT_TRUE(refused([](BmpFile& f) { f.compression = 2; }));  // RLE4 at 8 bits
    EXPECT_TRUE(refused([](BmpFile& f) { f.compression = 3; }));  // bit fields at 8 bits
    EXPECT_TRUE(refused([](BmpFile& f) {
        f.compression = 1;
        f.height = -2;
    }));  // top-down RLE
    EXPECT_TRUE(refused([](BmpFile& f) { f.offBits = 100000; }));
    EXPECT_TRUE(refused([](BmpFile& f) { f.pixels.pop_back(); }));  // last row's padding
    EXPECT_TRUE(refused([](BmpFile& f) {
        f.headerSize = 12;
        f.bitCount = 16;
    }));
}

TEST(BmpRefuse, HugeSidesBeforeAnyAllocation) {
    BmpFile f;
    f.width = 100000;
    f.height = 100000;
    EXPECT_THROW(decodeBmp(f.bytes()), Error);
    // Within the limit but far more pixels than the file holds.
    f.width = kMaxPictureSide;
    f.height = kMaxPictureSide;
    f.pixels = std::string(100, '\0');
    EXPECT_THROW(decodeBmp(f.bytes()), Error);
}

TEST(BmpRefuse, RunLengthStreamsThatStopEarly) {
    BmpFile f = good8();
    f.compression = 1;
    f.pixels = bytesOf({2, 1, 0, 0});  // no end-of-bitmap mark
    EXPECT_THROW(decodeBmp(f.bytes()), Error);
    f.pixels = bytesOf({0, 5, 1, 1});  // absolute run of five, two bytes there
    EXPECT_THROW(decodeBmp(f.bytes()), Error);
    f.pixels = bytesOf({0, 2, 1});  // delta without its second byte
    EXPECT_THROW(decodeBmp(f.bytes()), Error);
    f.pixels = bytesOf({0, 2, 255, 255, 0, 2, 255, 255, 5, 1, 0, 1});  // jumps off the picture
    EXPECT_NO_THROW(decodeBmp(f.bytes()));
}

TEST(BmpRefuse, DamagedFilesNeverReadOutside) {
    // Random damage to good files of several kinds: each either decodes or is refused.
    BmpFile rle = good8();
    rle.compression = 1;
    rle.pixels = bytesOf({3, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 1});
    const std::string originals[] = {good8().bytes(), rle.bytes(),
                                     fields565(3, std::string(8, '\x5A')).bytes(),
                                     test::bmp24Solid(4, 4, 0xFFFFFF)};
    std::mt19937 random(1234);
    for (const std::string& original : originals) {
        for (int round = 0; round < 2000; ++round) {
            std::string damaged = original;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < changes; ++i)
                damaged[random() % damaged.size()] = static_cast<char>(random() & 0xFF);
            try {
                const Pixels p = decodeBmp(damaged);
                EXPECT_EQ(static_cast<size_t>(p.width) * p.height, p.data.size());
            } catch (const Error&) {
            }
        }
    }
}

}  // namespace
}  // namespace tabrix
