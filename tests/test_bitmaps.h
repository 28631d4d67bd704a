#pragma once
// Windows bitmap files built in memory for the tests.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tabrix::test {

inline void putLe(std::string& s, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// The parts of a bitmap file, written as given: nothing is checked, so a test can
// build a broken one as easily as a good one.
struct BmpFile {
    uint32_t headerSize = 40;
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> masks;    // red, green, blue (, alpha): after or inside the header
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    std::string pixels;             // the pixel bytes exactly as stored
    int64_t offBits = -1;           // -1: right after the palette

    std::string bytes() const {
        const bool core = headerSize == 12;
        std::string header;
        putLe(header, headerSize, 4);
        if (core) {
            putLe(header, static_cast<uint32_t>(width), 2);
            putLe(header, static_cast<uint32_t>(height), 2);
            putLe(header, 1, 2);
            putLe(header, bitCount, 2);
        } else {
            putLe(header, static_cast<uint32_t>(width), 4);
            putLe(header, static_cast<uint32_t>(height), 4);
            putLe(header, 1, 2);
            putLe(header, bitCount, 2);
            putLe(header, compression, 4);
            putLe(header, static_cast<uint32_t>(pixels.size()), 4);
            putLe(header, 2835, 4);
            putLe(header, 2835, 4);
            putLe(header, colorsUsed, 4);
            putLe(header, 0, 4);
            // After the plain info header, inside the later ones (which are padded out).
            for (uint32_t m : masks) putLe(header, m, 4);
            if (headerSize > 40) header.resize(headerSize, '\0');
        }
        for (uint32_t c : palette) {
            putLe(header, c & 0xFF, 1);
            putLe(header, (c >> 8) & 0xFF, 1);
            putLe(header, (c >> 16) & 0xFF, 1);
            if (!core) putLe(header, 0, 1);
        }
        std::string file = "BM";
        const uint32_t off =
            offBits < 0 ? static_cast<uint32_t>(14 + header.size()) : static_cast<uint32_t>(offBits);
        putLe(file, static_cast<uint32_t>(14 + header.size() + pixels.size()), 4);
        putLe(file, 0, 4);
        putLe(file, off, 4);
        return file + header + pixels;
    }
};

// A 24-bit bottom-up bitmap whose pixel (x, y), counted from the top, is color(x, y).
inline std::string bmp24(int width, int height, const std::function<uint32_t(int, int)>& color) {
    BmpFile f;
    f.width = width;
    f.height = height;
    const int stride = (width * 3 + 3) & ~3;
    for (int row = 0; row < height; ++row) {
        std::string line;
        for (int x = 0; x < width; ++x) {
            const uint32_t c = color(x, height - 1 - row);
            putLe(line, c & 0xFF, 1);
            putLe(line, (c >> 8) & 0xFF, 1);
            putLe(line, (c >> 16) & 0xFF, 1);
        }
        line.resize(stride, '\0');
        f.pixels += line;
    }
    return f.bytes();
}

inline std::string bmp24Solid(int width, int height, uint32_t color) {
    return bmp24(width, height, [color](int, int) { return color; });
}

// One colour with a red bottom-left pixel: the colour a skin leaves see-through.
inline std::string bmp24Skin(int width, int height, uint32_t color) {
    return bmp24(width, height, [&](int x, int y) { return x == 0 && y == height - 1 ? 0xFF0000u : color; });
}

}  // namespace tabrix::test
