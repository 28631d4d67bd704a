#pragma once
#include <cstdint>
#include <string_view>

namespace tabrix {

// Integer text as the settings files hold it: decimal digits with an optional sign
// (-2147483648 to 2147483647), or "$" and up to eight significant hexadecimal digits
// taken as the 32-bit pattern, so "$FFFFFFFF" is -1. Anything else, an empty text or
// a decimal out of range included, does not convert. No blanks are skipped.
bool textToInteger(std::string_view text, std::int32_t& value);

// The same without the "$" form: a line of drives.inf.
bool decimalToInteger(std::string_view text, std::int32_t& value);

}  // namespace tabrix
