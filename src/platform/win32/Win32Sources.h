#pragma once
#include <windows.h>

#include "platform/DiskApi.h"
#include "platform/RegistryApi.h"
#include "platform/SharedMemoryApi.h"

namespace tabrix::win32 {

// GetDiskFreeSpaceExA; an empty removable drive answers false without the system's
// "no disk" box.
class Win32Disks : public DiskApi {
public:
    bool freeSpace(char letter, uint64_t& freeToCaller, uint64_t& total) override;
};

// A read-only view of another program's named block, copied within the view's real size.
class Win32SharedMemory : public SharedMemoryApi {
public:
    bool read(const std::string& name, std::size_t maxBytes, std::string& bytes) override;
    std::unique_ptr<SharedView> open(const std::string& name) override;
};

// RegOpenKeyExA under HKEY_CURRENT_USER, for reading only.
class Win32Registry : public RegistryApi {
public:
    std::unique_ptr<RegistryKey> openCurrentUser(const std::string& path) override;
};

}  // namespace tabrix::win32
