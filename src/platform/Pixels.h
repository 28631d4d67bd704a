#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tabrix {

// A decoded picture: top-down rows of 0x00RRGGBB pixels.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> data;

    uint32_t at(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
    bool empty() const { return width <= 0 || height <= 0; }
};

// Pictures larger than this are refused before anything is allocated for them.
constexpr int kMaxPictureSide = 4096;

}  // namespace tabrix
