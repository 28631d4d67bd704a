#include "sources/SystemFacts.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/Error.h"

namespace tabrix {

namespace {

constexpr int kSignificantDigits = 15;
// Fixed notation for decimal exponents from -5 (0.00001) up to 14 (15 integer digits).
constexpr int kLowestFixedExponent = -5;

constexpr uint32_t kMsPerDay = 86400000u;
constexpr uint32_t kMsPerHour = 3600000u;
constexpr uint32_t kMsPerMinute = 60000u;

// Windows 11 still calls itself 10.0; only the build number tells.
constexpr uint32_t kFirstBuildOf11 = 22000;

constexpr uint32_t kConnectionModem = 1;
constexpr uint32_t kConnectionLan = 2;
constexpr uint32_t kConnectionProxy = 4;
constexpr uint32_t kConnectionModemBusy = 8;

std::string megabytePair(double first, double total) {
    return integerText(first) + " / " + integerText(total) + " Mb";
}

}  // namespace

double R(double x) {
    return std::nearbyint(x);
}

double MB(double bytes) {
    return bytes / 1048576.0;
}

std::string integerText(double wholeNumber) {
    if (wholeNumber == 0) return "0";  // no "-0" for a small negative figure rounded away
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0f", wholeNumber);
    return buffer;
}

std::string generalNumberText(double value, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";

    // Round to 15 significant digits once; the digits and exponent then decide the form.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, std::fabs(value));
    std::string digits;
    const char* p = buffer;
    for (; *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits += *p;
    int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string text = value < 0 ? "-" : "";
    if (exponent >= kLowestFixedExponent && exponent < kSignificantDigits) {
        if (exponent >= 0) {
            std::size_t whole = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= whole) {
                text += digits + std::string(whole - digits.size(), '0');
            } else {
                text += digits.substr(0, whole) + decimalSeparator + digits.substr(whole);
            }
        } else {
            text += std::string("0") + decimalSeparator +
                    std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        }
        return text;
    }
    text += digits.substr(0, 1);
    if (digits.size() > 1) text += decimalSeparator + digits.substr(1);
    return text + "E" + std::to_string(exponent);
}

VersionInfo ReadWindowsVersion(SystemApi& system) {
    VersionInfo info;
    if (!system.version(info)) throw Error("Can't get the Windows version");
    return info;
}

std::string GetWindowsVersionText(const VersionInfo& v) {
    struct Row {
        uint32_t major, minor;
        int platform;  // 0 = any
        const char* text;
    };
    static const Row rows[] = {
        {4, 0, static_cast<int>(kPlatformWin9x), "95"},
        {4, 10, 0, "98"},
        {4, 90, 0, "ME"},
        {3, 51, 0, "NT 3.51"},
        {4, 0, static_cast<int>(kPlatformNt), "NT 4.0"},
        {5, 0, 0, "2000"},
        {5, 1, 0, "XP"},
        {5, 2, 0, "Windows Server 2003"},
        {6, 0, 0, "Longhorn"},
    };
    // The later versions come after the table's rows.
    std::string base = laterWindowsName(v);
    for (const Row& row : rows) {
        if (row.major == v.majorVersion && row.minor == v.minorVersion &&
            (row.platform == 0 || static_cast<uint32_t>(row.platform) == v.platformId)) {
            base = row.text;
            break;
        }
    }
    if (v.csdVersion.empty()) return base;
    return base + " " + v.csdVersion;
}

std::string laterWindowsName(const VersionInfo& v) {
    // A record without a product type (an older system's) counts as a workstation.
    const bool server = v.productType != 0 && v.productType != kProductWorkstation;
    if (v.majorVersion == 6) {
        switch (v.minorVersion) {
            case 1:
                return server ? "Windows Server 2008 R2" : "7";
            case 2:
                return server ? "Windows Server 2012" : "8";
            case 3:
                return server ? "Windows Server 2012 R2" : "8.1";
            default:
                return "";
        }
    }
    if (v.majorVersion != 10 || v.minorVersion != 0) return "";
    if (!server) return v.buildNumber >= kFirstBuildOf11 ? "11" : "10";
    // 10.0 servers are told apart by their build alone.
    struct ServerRow {
        uint32_t firstBuild;
        const char* name;
    };
    static const ServerRow servers[] = {{26100, "Windows Server 2025"},
                                        {20348, "Windows Server 2022"},
                                        {17763, "Windows Server 2019"},
                                        {14393, "Windows Server 2016"}};
    for (const ServerRow& row : servers)
        if (v.buildNumber >= row.firstBuild) return row.name;
    return "Windows Server";
}

uint32_t GetDisplayFrequency(SystemApi& system) {
    return system.displayMode().frequency;
}

std::string displayText(const DisplayMode& mode) {
    return std::to_string(mode.frequency) + "Hz @ " + std::to_string(mode.width) + "x" +
           std::to_string(mode.height);
}

std::string uptimeText(uint32_t t) {
    uint32_t days = t / kMsPerDay;
    uint32_t rest = t % kMsPerDay;
    uint32_t hours = rest / kMsPerHour;
    rest %= kMsPerHour;
    uint32_t minutes = rest / kMsPerMinute;
    return std::to_string(days) + " days " + std::to_string(hours) + " hrs " + std::to_string(minutes) +
           " min ";
}

std::string connectionTypeText(uint32_t flags) {
    std::string text;
    if (flags & kConnectionModem) text = "Modem";
    if (flags & kConnectionLan) text = "LAN";
    if (flags & kConnectionProxy) text = "Proxy";
    if (flags & kConnectionModemBusy) text = "Modem";
    return text;
}

std::string GetConnectionType(SystemApi& system) {
    uint32_t flags = 0;
    if (!system.connectedState(flags)) return "";
    return connectionTypeText(flags);
}

std::string GetLoggedOnUserName(SystemApi& system) {
    std::string name;
    if (!system.userName(name)) return "";
    return name;
}

std::string cpuUsageText(double usageFraction) {
    return integerText(cpuUsagePercent(usageFraction)) + " %   ";
}

double cpuUsagePercent(double usageFraction) {
    return R(usageFraction * 100);
}

MegabyteFigures memoryFigures(const MemoryStatus& s) {
    const double total = MB(static_cast<double>(s.totalPhys));
    const double avail = MB(static_cast<double>(s.availPhys));
    return {R(total - avail), R(avail), R(total) + 1};
}

MegabyteFigures pageFileFigures(const MemoryStatus& s) {
    const double total = MB(static_cast<double>(s.totalPageFile));
    const double avail = MB(static_cast<double>(s.availPageFile));
    // Unlike physical memory, the page-file figures add one before rounding (twice for
    // the used amount); the texts shown and reported depend on it.
    return {R(total + 1 - avail + 1), R(avail + 1), R(total + 1)};
}

std::string memoryText(const MemoryStatus& s, bool showUsed) {
    const MegabyteFigures f = memoryFigures(s);
    return megabytePair(showUsed ? f.used : f.free, f.total);
}

std::string memoryLoadText(const MemoryStatus& s) {
    return std::to_string(s.memoryLoad) + "%";
}

std::string virtualMemoryText(const MemoryStatus& s, bool showUsed) {
    const MegabyteFigures f = pageFileFigures(s);
    return megabytePair(showUsed ? f.used : f.free, f.total);
}

}  // namespace tabrix
