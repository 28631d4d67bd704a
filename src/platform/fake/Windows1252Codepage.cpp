#include "platform/fake/Windows1252Codepage.h"

#include <cstdint>

namespace tabrix {
namespace {

// 0x80 .. 0x9F; the five bytes the code page leaves unassigned map to the C1 control of
// the same value, as MultiByteToWideChar does for them.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
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

}  // namespace

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
