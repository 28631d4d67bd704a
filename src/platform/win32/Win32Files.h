#pragma once
#include "platform/Files.h"

namespace tabrix {

// Files on the real file system with the kernel32 calls Windows 2000/XP has.
class Win32Files : public Files {
public:
    bool read(const std::string& path, std::string& bytes) override;
    // Writes "<path>.tmp", flushes it, then moves it over `path` with write-through,
    // so a crash at any moment leaves the old or the new file. The temporary file is
    // removed again when any step fails.
    bool writeAtomic(const std::string& path, const std::string& bytes) override;
    bool exists(const std::string& path) override;
};

}  // namespace tabrix
