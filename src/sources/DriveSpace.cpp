#include "sources/DriveSpace.h"

#include <utility>

#include "sources/SystemFacts.h"

namespace tabrix {
namespace {

constexpr int kFirstDrive = 1;  // A
constexpr int kLastDrive = 26;  // Z
constexpr double kGiB = 1024.0 * 1024.0 * 1024.0;
constexpr char kLineBreak[] = "\n\r";  // line feed first, as the block has always had it

}  // namespace

std::string driveLine(int drive, uint64_t freeBytes, uint64_t totalBytes, char decimalSeparator) {
    const char letter = static_cast<char>('A' + drive - kFirstDrive);
    // An empty card reader reports a size of 0: nothing of it is free.
    const double percent =
        totalBytes == 0 ? 0.0 : R(static_cast<double>(freeBytes) / static_cast<double>(totalBytes) * 100);
    const double size = R(static_cast<double>(totalBytes) / kGiB / 0.01) * 0.01;
    return std::string(1, letter) + ": " + integerText(percent) + " % of " +
           generalNumberText(size, decimalSeparator) + " Gb";
}

std::string GetDriveReport(DiskApi& disks, const std::vector<int>& drives, char decimalSeparator,
                           std::string text, std::vector<DriveSpace>* spaces) {
    for (int drive : drives) {
        if (drive < kFirstDrive || drive > kLastDrive) continue;
        uint64_t freeBytes = 0;
        uint64_t totalBytes = 0;
        if (!disks.freeSpace(static_cast<char>('A' + drive - kFirstDrive), freeBytes, totalBytes)) break;
        text += kLineBreak + driveLine(drive, freeBytes, totalBytes, decimalSeparator);
        if (spaces) spaces->push_back({drive, freeBytes, totalBytes});
    }
    return text;
}

}  // namespace tabrix
