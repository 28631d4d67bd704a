#pragma once
#include <cstddef>
#include <string>

namespace tabrix {

// Named shared memory that another program publishes, read only.
class SharedMemoryApi {
public:
    virtual ~SharedMemoryApi() = default;
    // Opens the mapping by name (OpenFileMappingA, FILE_MAP_READ), maps a view and copies at most
    // maxBytes from its start, never past the view's real size. False, and bytes empty, when no
    // such mapping exists or its view cannot be mapped.
    virtual bool read(const std::string& name, std::size_t maxBytes, std::string& bytes) = 0;
};

}  // namespace tabrix
