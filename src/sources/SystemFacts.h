#pragma once
#include <cstdint>
#include <string>

#include "platform/SystemApi.h"

namespace tabrix {

// Each fact is a thin platform read plus a pure formatter that the tests drive directly.

// R(x): nearest integer, halves to the even neighbour (R(2.5) = 2, R(3.5) = 4).
double R(double x);
// MB(x) = x / 1,048,576 in floating point.
double MB(double bytes);

// Integer text: plain decimal, hyphen-minus when negative, no grouping.
std::string integerText(double wholeNumber);

// Shortest general form with up to 15 significant digits, no trailing zeros, no point
// for whole numbers, and the given decimal separator ("1.5", "1,5", "10", "1E20").
std::string generalNumberText(double value, char decimalSeparator);

// The system's version at program start; throws Error("Can't get the Windows version").
VersionInfo ReadWindowsVersion(SystemApi& system);
// "XP", "XP Service Pack 3", "NT 4.0", "10", ...; empty for a version it does not know.
std::string GetWindowsVersionText(const VersionInfo& version);
// The names of the versions after 6.0 ("7", "11", "Windows Server 2019"), which the main
// window, the reports and About share; empty for any other version.
std::string laterWindowsName(const VersionInfo& version);

// Current display frequency in hertz, unchanged (0 when the mode cannot be read).
uint32_t GetDisplayFrequency(SystemApi& system);
// "60Hz @ 1024x768".
std::string displayText(const DisplayMode& mode);

// "1 days 1 hrs 1 min " for 90,061,000 ms; 32-bit unsigned, seconds dropped.
std::string uptimeText(uint32_t tickCount);

// Last matching bit wins: 1 "Modem", 2 "LAN", 4 "Proxy", 8 "Modem"; else empty.
std::string connectionTypeText(uint32_t flags);
// Empty text when not connected.
std::string GetConnectionType(SystemApi& system);

// The logged-on user's name; empty when the call fails.
std::string GetLoggedOnUserName(SystemApi& system);

// "37 %   " for a usage fraction of 0.37; not clamped.
std::string cpuUsageText(double usageFraction);
// The figure of that text: 37 for 0.37.
double cpuUsagePercent(double usageFraction);

// The megabyte figures a memory text is made of, rounded as shown (the total included, which
// reads one more than the rounded size).
struct MegabyteFigures {
    double used = 0;
    double free = 0;
    double total = 0;
};
MegabyteFigures memoryFigures(const MemoryStatus& status);
MegabyteFigures pageFileFigures(const MemoryStatus& status);

// Physical memory "first / total Mb": the used amount first when showUsed, else free.
std::string memoryText(const MemoryStatus& status, bool showUsed);
// "43%".
std::string memoryLoadText(const MemoryStatus& status);
// Page file "first / total Mb" with the same choice.
std::string virtualMemoryText(const MemoryStatus& status, bool showUsed);

}  // namespace tabrix
