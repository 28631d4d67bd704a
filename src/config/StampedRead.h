#pragma once
#include <string>

#include "platform/Files.h"

namespace tabrix {

// A value read from a file, kept with the file's stamp at that read: the file is read again
// only when its stamp has changed (or cannot be told), so a change counts at the next use.
// A read that throws keeps nothing, and the next use reads (and fails) again.
template <typename T>
struct StampedRead {
    bool known = false;
    Files::Stamp stamp;
    T value{};

    template <typename Read>
    const T& get(Files& files, const std::string& path, Read read) {
        Files::Stamp now;
        const bool stamped = files.stamp(path, now);
        if (!stamped || !known || !(stamp == now)) {
            known = false;
            value = read();
            known = stamped;
            stamp = now;
        }
        return value;
    }
};

}  // namespace tabrix
