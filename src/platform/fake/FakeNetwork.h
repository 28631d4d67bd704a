#pragma once
#include <vector>

#include "platform/NetworkApi.h"

namespace tabrix {

// An interface table for host tests: set the rows and the result, count the calls.
class FakeNetwork : public NetworkApi {
public:
    InterfaceTableResult interfaceTable(std::vector<InterfaceRow>& out) override {
        ++calls;
        out.clear();
        if (result == InterfaceTableResult::Ok) out = rows;
        return result;
    }

    std::vector<InterfaceRow> rows;
    InterfaceTableResult result = InterfaceTableResult::Ok;
    int calls = 0;
};

}  // namespace tabrix
