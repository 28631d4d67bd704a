#include "sources/cpuinfo.h"

#include <cstring>

namespace tabrix {

namespace {

constexpr uint32_t kExtendedLeafBase = 0x80000000u;
constexpr uint32_t kLastBrandLeaf = 0x80000004u;
constexpr std::size_t kBrandBytes = 48;

void putLittleEndian(char* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

bool HasCpuid(CpuidApi& cpu) {
    return cpu.idBitToggles();
}

TCpuidRecord ReadCpuidRecord(CpuidApi& cpu) {
    TCpuidRecord record;
    if (!HasCpuid(cpu)) return record;
    record.maxStandardLeaf = cpu.cpuid(0).eax;
    record.available = record.maxStandardLeaf != 0;
    if (!record.available) return record;
    uint32_t signature = cpu.cpuid(1).eax;
    record.family = static_cast<uint8_t>((signature >> 8) & 0xF);
    record.extendedFamily = static_cast<uint8_t>((signature >> 20) & 0xFF);
    return record;
}

int TCPUID::GetFamily() const {
    if (record_.family == 15) return 15 + record_.extendedFamily;
    return record_.family;
}

std::string GetCpuBrandName(CpuidApi& cpu) {
    // One byte more than the brand so that a brand without a zero byte still ends.
    char buffer[kBrandBytes + 1];
    std::memset(buffer, 0, sizeof buffer);
    if (HasCpuid(cpu) && cpu.cpuid(kExtendedLeafBase).eax >= kLastBrandLeaf) {
        char* out = buffer;
        for (uint32_t leaf = kExtendedLeafBase + 2; leaf <= kLastBrandLeaf; ++leaf) {
            CpuidRegisters r = cpu.cpuid(leaf);
            for (uint32_t value : {r.eax, r.ebx, r.ecx, r.edx}) {
                putLittleEndian(out, value);
                out += 4;
            }
        }
    }
    return std::string(buffer);
}

std::string CpuClassText(int family) {
    std::string text = std::to_string(family);
    if (text == "15") return "686+";
    return text + "86";
}

}  // namespace tabrix
