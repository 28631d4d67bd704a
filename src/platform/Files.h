#pragma once
#include <cstdint>
#include <string>

namespace tabrix {

// Whole-file access. Paths are ANSI strings as the program holds them.
class Files {
public:
    virtual ~Files() = default;
    // The file's bytes; false when it does not exist or cannot be read.
    virtual bool read(const std::string& path, std::string& bytes) = 0;
    // Replaces the file in one step: a temporary file beside it, flushed, then renamed
    // over it, so a reader or a crash sees the old or the new content, never a part.
    // False when the system refuses the write.
    virtual bool writeAtomic(const std::string& path, const std::string& bytes) = 0;
    // The same one-step replace without waiting for the disk first, for files rewritten
    // every few seconds: a reader still never sees a part of one, but after a power loss
    // the file may be older or empty until the next write.
    virtual bool replaceUnflushed(const std::string& path, const std::string& bytes) {
        return writeAtomic(path, bytes);
    }
    virtual bool exists(const std::string& path) = 0;
    // Deletes the file; false when it cannot be deleted (a missing file counts as deleted).
    virtual bool remove(const std::string& path) = 0;
    // The file's last-write time and size, which change with every write; false when
    // they cannot be told (then a caller reads the file afresh).
    struct Stamp {
        uint64_t writeTime = 0;
        uint64_t size = 0;
        bool operator==(const Stamp& o) const { return writeTime == o.writeTime && size == o.size; }
    };
    virtual bool stamp(const std::string& /*path*/, Stamp& /*out*/) { return false; }
};

}  // namespace tabrix
