#pragma once
#include <cstddef>
#include <string>

namespace tabrix {

// Text conversion into and out of the system's 8-bit character set, in which the program holds
// every text.
class Codepage {
public:
    virtual ~Codepage() = default;
    // The ANSI text as UTF-8. Throws Error when the system cannot convert it.
    virtual std::string ansiToUtf8(const std::string& ansi) = 0;
    // The UTF-8 text in ANSI, a character the code page lacks as the system's default
    // character. Throws Error when the system cannot convert it.
    virtual std::string utf8ToAnsi(const std::string& utf8) = 0;
    // How many bytes the first `characters` characters of the ANSI text take (all of it when
    // it has fewer): a cut there never splits a double-byte character.
    virtual std::size_t prefixBytes(const std::string& ansi, std::size_t characters) = 0;
    // The ANSI text as UTF-8, converted only when it holds more than ASCII, which every code
    // page reads as ASCII.
    std::string asciiOrUtf8(const std::string& ansi) {
        for (char c : ansi)
            if (static_cast<unsigned char>(c) >= 0x80) return ansiToUtf8(ansi);
        return ansi;
    }
};

}  // namespace tabrix
