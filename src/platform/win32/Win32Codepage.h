#pragma once
#include "platform/Codepage.h"

namespace tabrix::win32 {

// The system's own ANSI code page (CP_ACP), through UTF-16.
class Win32Codepage : public Codepage {
public:
    std::string ansiToUtf8(const std::string& ansi) override;
    std::string utf8ToAnsi(const std::string& utf8) override;
    std::size_t prefixBytes(const std::string& ansi, std::size_t characters) override;
};

}  // namespace tabrix::win32
