#pragma once
#include "platform/Files.h"

namespace tabrix {

// Files on the real file system with the kernel32 calls Windows 2000/XP has.
class Win32Files : public Files {
public:
    bool read(const std::string& path, std::string& bytes) override;
    // Writes a unique temporary file beside `path` (a name the system makes, never a
    // user's file), flushes it, then moves it over `path` with write-through, so a crash
    // at any moment leaves the old or the new file. The temporary file is removed again
    // when any step fails. Where the folder refuses the new name or the rename but the
    // file itself may be written, the file is written in place instead, flushed.
    bool writeAtomic(const std::string& path, const std::string& bytes) override;
    bool replaceUnflushed(const std::string& path, const std::string& bytes) override;
    bool exists(const std::string& path) override;
    bool remove(const std::string& path) override;
    bool stamp(const std::string& path, Stamp& out) override;

private:
    bool replace(const std::string& path, const std::string& bytes, bool flush);
};

}  // namespace tabrix
