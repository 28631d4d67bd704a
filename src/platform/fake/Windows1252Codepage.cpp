#include "platform/fake/Windows1252Codepage.h"

#include <cstdint>

namespace tabrix {
namespace {

// 0x80 .. 0x9F; the five bytes the code page leaves unassigned map to the C1 control of
// the same value, as MultiByteToWideChar does for them.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The code point of the UTF-8 sequence at `at`, moving past it; a byte that starts no whole
// sequence counts as one character the code page lacks.
uint32_t nextCodePoint(const std::string& utf8, std::size_t& at) {
    const uint8_t b = static_cast<uint8_t>(utf8[at++]);
    const int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    if (b < 0x80) return b;
    if (more == 0 || at + more > utf8.size()) return 0xFFFD;
    uint32_t cp = b & (0x3F >> more);
    for (int i = 0; i < more; ++i) cp = cp << 6 | (static_cast<uint8_t>(utf8[at++]) & 0x3F);
    return cp;
}

}  // namespace

std::string Windows1252Codepage::utf8ToAnsi(const std::string& utf8) {
    std::string out;
    for (std::size_t at = 0; at < utf8.size();) {
        const uint32_t cp = nextCodePoint(utf8, at);
        char byte = '?';  // the system's default character
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) byte = static_cast<char>(cp);
        for (int i = 0; i < 32; ++i)
            if (kHighControls[i] == cp) byte = static_cast<char>(0x80 + i);
        out += byte;
    }
    return out;
}

std::size_t Windows1252Codepage::prefixBytes(const std::string& ansi, std::size_t characters) {
    return ansi.size() < characters ? ansi.size() : characters;
}

std::string Windows1252Codepage::ansiToUtf8(const std::string& ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char ch : ansi) {
        const uint8_t b = static_cast<uint8_t>(ch);
        // Above 0x9F the code page agrees with Latin-1.
        appendUtf8(out, b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : b);
    }
    return out;
}

}  // namespace tabrix
