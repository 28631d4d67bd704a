#pragma once
#include <map>
#include <set>
#include <string>

#include "platform/Files.h"

namespace tabrix {

// In-memory files for host tests: path -> bytes, with refusals to script and a count
// of the writes that reached each path.
class FakeFiles : public Files {
public:
    bool read(const std::string& path, std::string& bytes) override;
    bool writeAtomic(const std::string& path, const std::string& bytes) override;
    bool exists(const std::string& path) override;
    // Deleting (also for setting up) never fails and does not count as a write.
    bool remove(const std::string& path) override;
    // Each put or write is one tick of the file's clock.
    bool stamp(const std::string& path, Stamp& out) override;

    // Setting up and looking at files does not count as a write.
    void put(const std::string& path, const std::string& bytes);
    // The bytes of a file; empty when it does not exist.
    std::string content(const std::string& path) const;

    // A read-only file (or a path in a folder that cannot be written): writes fail.
    void setReadOnly(const std::string& path, bool readOnly = true);
    // The path turns read-only once `writes` more writes have reached it.
    void setReadOnlyAfter(const std::string& path, int writes) { writesLeft_[path] = writes; }
    // A file that exists but cannot be read (locked, no access).
    void setUnreadable(const std::string& path, bool unreadable = true);
    // Writes that succeeded on the path.
    int writeCount(const std::string& path) const;

private:
    std::map<std::string, std::string> files_;
    std::set<std::string> readOnly_;
    std::set<std::string> unreadable_;
    std::map<std::string, int> writes_;
    std::map<std::string, int> writesLeft_;
    std::map<std::string, uint64_t> changed_;
    uint64_t clock_ = 0;
};

}  // namespace tabrix
