#pragma once
#include <map>
#include <string>

#include "platform/DiskApi.h"

namespace tabrix {

// Drives for host tests: the ones in `drives` answer; every letter asked is recorded.
class FakeDisks : public DiskApi {
public:
    struct Space {
        uint64_t free = 0;
        uint64_t total = 0;
    };
    bool freeSpace(char letter, uint64_t& freeToCaller, uint64_t& total) override {
        asked += letter;
        auto it = drives.find(letter);
        if (it == drives.end()) return false;
        freeToCaller = it->second.free;
        total = it->second.total;
        return true;
    }

    std::map<char, Space> drives;
    std::string asked;
};

}  // namespace tabrix
