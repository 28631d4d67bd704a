#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/DiskApi.h"

namespace tabrix {

// "C: 45 % of 37.25 Gb": the free share (a drive of size 0 shows 0 %) and the size in GiB
// rounded to two decimals. drive counts from 1 for A.
std::string driveLine(int drive, uint64_t freeBytes, uint64_t totalBytes, char decimalSeparator);

// A drive of the block and its figures.
struct DriveSpace {
    int drive = 0;  // from 1 for A
    uint64_t freeBytes = 0;
    uint64_t totalBytes = 0;
};

// Appends a line feed, a carriage return and the line of each drive (the numbers of
// drives.inf, in file order) to text, and returns it. The first drive that does not answer
// ends the list; a number that names no drive (outside 1 to 26) is left out. The drives the
// lines tell go into `spaces` when one is given.
std::string GetDriveReport(DiskApi& disks, const std::vector<int>& drives, char decimalSeparator,
                           std::string text = std::string(), std::vector<DriveSpace>* spaces = nullptr);

}  // namespace tabrix
