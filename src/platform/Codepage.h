#pragma once
#include <string>

namespace tabrix {

// Text conversion out of the system's 8-bit character set, in which the program holds
// every text.
class Codepage {
public:
    virtual ~Codepage() = default;
    // The ANSI text as UTF-8. Throws Error when the system cannot convert it.
    virtual std::string ansiToUtf8(const std::string& ansi) = 0;
};

}  // namespace tabrix
