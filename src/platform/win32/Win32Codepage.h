#pragma once
#include "platform/Codepage.h"

namespace tabrix::win32 {

// The system's own ANSI code page (CP_ACP), through UTF-16.
class Win32Codepage : public Codepage {
public:
    std::string ansiToUtf8(const std::string& ansi) override;
};

}  // namespace tabrix::win32
