#include "config/IntegerText.h"

namespace tabrix {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool hexToInteger(std::string_view digits, std::int32_t& value) {
    if (digits.empty()) return false;
    std::uint32_t pattern = 0;
    int significant = 0;
    for (char c : digits) {
        int d = hexDigit(c);
        if (d < 0) return false;
        if (significant > 0 || d != 0) ++significant;
        if (significant > 8) return false;
        pattern = pattern << 4 | static_cast<std::uint32_t>(d);
    }
    value = static_cast<std::int32_t>(static_cast<std::int64_t>(pattern) -
                                      (pattern > 0x7FFFFFFFu ? 0x100000000LL : 0));
    return true;
}

}  // namespace

bool decimalToInteger(std::string_view text, std::int32_t& value) {
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) return false;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

bool textToInteger(std::string_view text, std::int32_t& value) {
    if (!text.empty() && text[0] == '$') return hexToInteger(text.substr(1), value);
    return decimalToInteger(text, value);
}

}  // namespace tabrix
