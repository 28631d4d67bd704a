#pragma once
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
    virtual bool exists(const std::string& path) = 0;
};

}  // namespace tabrix
