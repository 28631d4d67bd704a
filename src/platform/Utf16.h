#pragma once
#include <cstddef>
#include <string>

namespace tabrix {

// UTF-16 units as UTF-8; a unit that is no character (a lone half of a pair) becomes U+FFFD.
// Stops at the first zero unit.
std::string utf16ToUtf8(const char16_t* units, std::size_t count);

}  // namespace tabrix
