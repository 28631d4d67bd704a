#pragma once
#include <cstdint>

namespace tabrix {

// Free space of the system's drives.
class DiskApi {
public:
    virtual ~DiskApi() = default;
    // GetDiskFreeSpaceExA on the drive's root ("C:\"): the bytes free to the caller and the
    // drive's total. False when the drive does not answer (none, or an empty removable drive).
    virtual bool freeSpace(char letter, uint64_t& freeToCaller, uint64_t& total) = 0;
};

}  // namespace tabrix
