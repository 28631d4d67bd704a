#include "sources/SourceStartupFacts.h"

#include "sources/SystemFacts.h"

namespace tabrix {

SourceStartupFacts::SourceStartupFacts(SystemApi& system, CpuidApi& cpu, const VersionInfo& version)
    : system_(system), cpu_(cpu), cpuid_(cpu), version_(version) {}

std::string SourceStartupFacts::brandString() {
    return GetCpuBrandName(cpu_);
}

int SourceStartupFacts::family() {
    return cpuid_.GetFamily();
}

std::string SourceStartupFacts::windowsVersionText() {
    return GetWindowsVersionText(version_);
}

std::string SourceStartupFacts::connectionText() {
    return GetConnectionType(system_);
}

}  // namespace tabrix
