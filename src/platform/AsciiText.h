#pragma once
#include <cstddef>
#include <string_view>

namespace tabrix {

// Letters compared the way names in files, headers and window classes are: A-Z as a-z, every
// other byte as itself (so a code page's own letters are never folded by mistake).
inline char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

}  // namespace tabrix
