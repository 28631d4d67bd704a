#include "platform/fake/FakeFiles.h"

namespace tabrix {

bool FakeFiles::read(const std::string& path, std::string& bytes) {
    auto it = files_.find(path);
    if (it == files_.end() || unreadable_.count(path)) return false;
    bytes = it->second;
    return true;
}

bool FakeFiles::writeAtomic(const std::string& path, const std::string& bytes) {
    if (readOnly_.count(path)) return false;
    auto left = writesLeft_.find(path);
    if (left != writesLeft_.end() && --left->second <= 0) {
        readOnly_.insert(path);
        writesLeft_.erase(left);
    }
    files_[path] = bytes;
    ++writes_[path];
    changed_[path] = ++clock_;
    return true;
}

bool FakeFiles::stamp(const std::string& path, Stamp& out) {
    auto it = files_.find(path);
    if (it == files_.end()) return false;
    out.writeTime = changed_[path];
    out.size = it->second.size();
    return true;
}

bool FakeFiles::exists(const std::string& path) {
    return files_.count(path) != 0;
}

void FakeFiles::put(const std::string& path, const std::string& bytes) {
    files_[path] = bytes;
    changed_[path] = ++clock_;
}

bool FakeFiles::remove(const std::string& path) {
    files_.erase(path);
    return true;
}

std::string FakeFiles::content(const std::string& path) const {
    auto it = files_.find(path);
    return it == files_.end() ? std::string() : it->second;
}

void FakeFiles::setReadOnly(const std::string& path, bool readOnly) {
    if (readOnly)
        readOnly_.insert(path);
    else
        readOnly_.erase(path);
}

void FakeFiles::setUnreadable(const std::string& path, bool unreadable) {
    if (unreadable)
        unreadable_.insert(path);
    else
        unreadable_.erase(path);
}

int FakeFiles::writeCount(const std::string& path) const {
    auto it = writes_.find(path);
    return it == writes_.end() ? 0 : it->second;
}

}  // namespace tabrix
