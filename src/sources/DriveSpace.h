#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/DiskApi.h"
#include "platform/Files.h"

namespace tabrix {

// "C: 45 % of 37.25 Gb": the free share (a drive of size 0 shows 0 %) and the size in GiB
// rounded to two decimals. drive counts from 1 for A.
std::string driveLine(int drive, uint64_t freeBytes, uint64_t totalBytes, char decimalSeparator);

// Appends a line feed, a carriage return and the line of each drive listed in drivesPath to
// text, in file order, and returns it. The first drive that does not answer ends the list; a
// number that names no drive (outside 1 to 26) is left out. Throws Error when the file cannot
// be read or holds a line that is not a whole number.
std::string GetDriveReport(Files& files, DiskApi& disks, const std::string& drivesPath, char decimalSeparator,
                           std::string text = std::string());

// drives.inf as last read, and its stamp at that read: the refresh ticks read the file again
// only when its stamp has changed (or cannot be told), so a saved list counts at the next tick.
struct DrivesFileCache {
    bool known = false;
    Files::Stamp stamp;
    std::vector<int> drives;
};

// The same through the cache; a file that fails is read (and fails) again on the next call.
std::string GetDriveReport(Files& files, DiskApi& disks, const std::string& drivesPath, char decimalSeparator,
                           DrivesFileCache& cache);

}  // namespace tabrix
