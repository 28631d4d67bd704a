#include "platform/win32/Win32Sources.h"

#include <cstring>

#include "platform/win32/Scoped.h"

namespace tabrix::win32 {

bool Win32Disks::freeSpace(char letter, uint64_t& freeToCaller, uint64_t& total) {
    const char root[] = {letter, ':', '\\', '\0'};
    ULARGE_INTEGER available{}, size{}, allFree{};
    // Asked every second: a drive without its medium must not pop up the system's box.
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
    const BOOL ok = GetDiskFreeSpaceExA(root, &available, &size, &allFree);
    SetErrorMode(previous);
    if (!ok) return false;
    freeToCaller = available.QuadPart;
    total = size.QuadPart;
    return true;
}

bool Win32SharedMemory::read(const std::string& name, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    const ScopedHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
    if (!mapping) return false;
    const ScopedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view) return false;
    // The view's real size: the publisher decides it, not the counts inside it.
    MEMORY_BASIC_INFORMATION info{};
    std::size_t size = 0;
    if (VirtualQuery(view.get(), &info, sizeof info) == sizeof info) size = info.RegionSize;
    if (size > maxBytes) size = maxBytes;
    bytes.assign(static_cast<const char*>(view.get()), size);
    return true;
}

}  // namespace tabrix::win32
