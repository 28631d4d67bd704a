#include "sources/DriveSpace.h"

#include <utility>

#include "settings/DrivesFile.h"
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

namespace {

std::string driveReport(DiskApi& disks, const std::vector<int>& drives, char decimalSeparator,
                        std::string text) {
    for (int drive : drives) {
        if (drive < kFirstDrive || drive > kLastDrive) continue;
        uint64_t freeBytes = 0;
        uint64_t totalBytes = 0;
        if (!disks.freeSpace(static_cast<char>('A' + drive - kFirstDrive), freeBytes, totalBytes)) break;
        text += kLineBreak + driveLine(drive, freeBytes, totalBytes, decimalSeparator);
    }
    return text;
}

}  // namespace

std::string GetDriveReport(Files& files, DiskApi& disks, const std::string& drivesPath, char decimalSeparator,
                           std::string text) {
    return driveReport(disks, readDrivesFile(files, drivesPath), decimalSeparator, std::move(text));
}

std::string GetDriveReport(Files& files, DiskApi& disks, const std::string& drivesPath, char decimalSeparator,
                           DrivesFileCache& cache) {
    Files::Stamp now;
    const bool stamped = files.stamp(drivesPath, now);
    if (!stamped || !cache.known || !(cache.stamp == now)) {
        cache.known = false;  // stays unknown when the read below throws
        cache.drives = readDrivesFile(files, drivesPath);
        cache.known = stamped;
        cache.stamp = now;
    }
    return driveReport(disks, cache.drives, decimalSeparator, std::string());
}

}  // namespace tabrix
