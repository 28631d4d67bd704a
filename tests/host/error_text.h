#pragma once
#include <functional>
#include <string>

#include "platform/Error.h"

namespace tabrix::test {

// The text of the program error f raises; empty when it raises none.
inline std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

}  // namespace tabrix::test
