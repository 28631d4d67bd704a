#pragma once
// Builds AIMP's published block of the playing track, for the host tests and the fuzz seeds:
// a header of little-endian words (its own length first, the six texts' counts of units at
// 40..63: album, artist, date, file name, genre, title), then the texts in UTF-16.
#include <cstdint>
#include <string>
#include <vector>

namespace aimp_block {

// size: the block's length at least, zeros after the texts.
inline std::string build(uint32_t header, const std::vector<std::u16string>& texts, std::size_t size = 0) {
    std::string b(header, '\0');
    auto put = [&](std::size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
    };
    put(0, header);
    for (std::size_t k = 0; k < texts.size(); ++k) {
        put(40 + 4 * k, static_cast<uint32_t>(texts[k].size()));
        for (char16_t u : texts[k]) {
            b += static_cast<char>(u & 0xFF);
            b += static_cast<char>(u >> 8);
        }
    }
    if (size > b.size()) b.resize(size, '\0');
    return b;
}

}  // namespace aimp_block
