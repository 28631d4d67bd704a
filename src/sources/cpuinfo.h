#pragma once
#include <cstdint>
#include <string>

#include "platform/SystemApi.h"

namespace tabrix {

// One CPUID record; every field is zero when leaf 1 is not read.
struct TCpuidRecord {
    bool available = false;  // CPUID runs and leaf 0 reports at least one standard leaf
    uint32_t maxStandardLeaf = 0;
    uint8_t family = 0;          // leaf 1 EAX bits 8-11
    uint8_t extendedFamily = 0;  // leaf 1 EAX bits 20-27
};

// True when the ID bit of the flags register can be toggled.
bool HasCpuid(CpuidApi& cpu);

TCpuidRecord ReadCpuidRecord(CpuidApi& cpu);

// The processor's record, read once when the object is built.
class TCPUID {
public:
    explicit TCPUID(CpuidApi& cpu) : record_(ReadCpuidRecord(cpu)) {}
    const TCpuidRecord& record() const { return record_; }
    // Base family, or 15 + extended family when the base family is 15.
    int GetFamily() const;

private:
    TCpuidRecord record_;
};

// The 48-byte brand string up to its first zero byte, untrimmed; empty without the
// brand leaves. Runs CPUID on every call.
std::string GetCpuBrandName(CpuidApi& cpu);

// "586", "686", ...; family 15 reads "686+".
std::string CpuClassText(int family);

}  // namespace tabrix
