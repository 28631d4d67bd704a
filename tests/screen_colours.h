#pragma once
// How the Win32 and end-to-end tests tell the banner's colours apart on the screen.
#include <cstdint>

namespace tabrix::test {

// A screen pixel as 0x00RRGGBB that is plainly red, or plainly blue.
inline bool reddish(uint32_t c) {
    return ((c >> 16) & 0xFF) > 0x90 && (c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60;
}
inline bool bluish(uint32_t c) {
    return (c & 0xFF) > 0x90 && ((c >> 16) & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60;
}

}  // namespace tabrix::test
