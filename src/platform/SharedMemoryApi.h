#pragma once
#include <cstddef>
#include <memory>
#include <string>

namespace tabrix {

// A read-only view of another program's block, kept mapped between reads; the other program
// may change it at any moment, also during a copy.
class SharedView {
public:
    virtual ~SharedView() = default;
    // The view's real size: the publisher decides it, not the counts inside it.
    virtual std::size_t size() const = 0;
    // Copies up to length bytes from offset, never past the view's end.
    virtual void copy(std::size_t offset, std::size_t length, std::string& bytes) = 0;
};

// Named shared memory that another program publishes, read only.
class SharedMemoryApi {
public:
    virtual ~SharedMemoryApi() = default;
    // Opens the mapping by name (OpenFileMappingA, FILE_MAP_READ), maps a view and copies at most
    // maxBytes from its start, never past the view's real size. False, and bytes empty, when no
    // such mapping exists or its view cannot be mapped.
    virtual bool read(const std::string& name, std::size_t maxBytes, std::string& bytes) = 0;
    // Opens the mapping by name and maps a view that stays until the result goes; null when no
    // such mapping exists or its view cannot be mapped.
    virtual std::unique_ptr<SharedView> open(const std::string& name) = 0;
};

}  // namespace tabrix
