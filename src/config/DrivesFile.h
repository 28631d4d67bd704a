#pragma once
#include <string>
#include <vector>

#include "config/StampedRead.h"
#include "platform/Files.h"

namespace tabrix {

// drives.inf: one drive number per line (1 for A: to 26 for Z:).

// The lines of `bytes`: a CR LF, a lone LF or a lone CR ends a line, and a line end
// at the very end does not start another (empty) line.
std::vector<std::string> splitLines(const std::string& bytes);

// The numbers in file order. Throws Error("Cannot open file <path>") when the file
// cannot be read, and Error("'<line>' is not a valid integer value") for a line that
// is not a whole decimal number. An empty file gives no drives.
std::vector<int> readDrivesFile(Files& files, const std::string& path);

// drives.inf as last read, with its stamp at that read.
using DrivesFileCache = StampedRead<std::vector<int>>;

// The same through the cache: read again only when the file has changed, so a saved list
// counts at the next refresh; a file that fails is read (and fails) again on the next call.
const std::vector<int>& readDrivesFile(Files& files, const std::string& path, DrivesFileCache& cache);

// Replaces the file whole, each number followed by CR LF (no drives: zero bytes).
// Throws Error("Unable to write to <path>") when the system refuses.
void writeDrivesFile(Files& files, const std::string& path, const std::vector<int>& drives);

}  // namespace tabrix
