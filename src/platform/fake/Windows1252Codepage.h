#pragma once
#include "platform/Codepage.h"

namespace tabrix {

// The host stands in for a Western European Windows: ANSI is Windows-1252.
class Windows1252Codepage : public Codepage {
public:
    std::string ansiToUtf8(const std::string& ansi) override;
};

}  // namespace tabrix
