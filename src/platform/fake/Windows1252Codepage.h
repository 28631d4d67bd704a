#pragma once
#include "platform/Codepage.h"

namespace tabrix {

// The host stands in for a Western European Windows: ANSI is Windows-1252.
class Windows1252Codepage : public Codepage {
public:
    std::string ansiToUtf8(const std::string& ansi) override;
    std::string utf8ToAnsi(const std::string& utf8) override;
    std::size_t prefixBytes(const std::string& ansi, std::size_t characters) override;
};

}  // namespace tabrix
