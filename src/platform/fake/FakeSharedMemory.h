#pragma once
#include <map>
#include <string>

#include "platform/SharedMemoryApi.h"

namespace tabrix {

// Published blocks by name; a read copies at most what was asked, as a view's copy does.
class FakeSharedMemory : public SharedMemoryApi {
public:
    bool read(const std::string& name, std::size_t maxBytes, std::string& bytes) override {
        ++reads;
        bytes.clear();
        auto it = blocks.find(name);
        if (it == blocks.end()) return false;
        bytes = it->second.substr(0, maxBytes);
        return true;
    }

    std::map<std::string, std::string> blocks;
    int reads = 0;
};

}  // namespace tabrix
