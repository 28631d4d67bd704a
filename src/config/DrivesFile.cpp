#include "config/DrivesFile.h"

#include <cstdint>

#include "config/IntegerText.h"
#include "platform/Error.h"

namespace tabrix {

std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t brk = bytes.find_first_of("\r\n", pos);
        if (brk == std::string::npos) {
            lines.push_back(bytes.substr(pos));
            break;
        }
        lines.push_back(bytes.substr(pos, brk - pos));
        pos = brk + (bytes[brk] == '\r' && brk + 1 < bytes.size() && bytes[brk + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

std::vector<int> readDrivesFile(Files& files, const std::string& path) {
    std::string bytes;
    if (!files.read(path, bytes)) throw Error("Cannot open file " + path);
    std::vector<int> drives;
    for (const std::string& line : splitLines(bytes)) {
        std::int32_t number = 0;
        if (!decimalToInteger(line, number)) throw Error("'" + line + "' is not a valid integer value");
        drives.push_back(number);
    }
    return drives;
}

const std::vector<int>& readDrivesFile(Files& files, const std::string& path, DrivesFileCache& cache) {
    return cache.get(files, path, [&] { return readDrivesFile(files, path); });
}

void writeDrivesFile(Files& files, const std::string& path, const std::vector<int>& drives) {
    std::string bytes;
    for (int drive : drives) bytes += std::to_string(drive) + "\r\n";
    if (!files.writeAtomic(path, bytes)) throw Error("Unable to write to " + path);
}

}  // namespace tabrix
