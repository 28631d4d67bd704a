#pragma once
#include <string>

#include "platform/Platform.h"
#include "platform/SystemApi.h"
#include "sources/cpuinfo.h"

namespace tabrix {

// The facts start-up computes once, from the information sources. The processor record is
// read once, before the first main window, and kept for every re-creation.
class SourceStartupFacts : public StartupFacts {
public:
    SourceStartupFacts(SystemApi& system, CpuidApi& cpu, const VersionInfo& version);

    std::string brandString() override;
    int family() override;
    std::string windowsVersionText() override;
    std::string connectionText() override;

private:
    SystemApi& system_;
    CpuidApi& cpu_;
    TCPUID cpuid_;
    VersionInfo version_;
};

}  // namespace tabrix
