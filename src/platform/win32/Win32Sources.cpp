#include "platform/win32/Win32Sources.h"

#include <algorithm>
#include <cstring>
#include <memory>

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

namespace {

// The view's real size: the publisher decides it, not the counts inside it.
std::size_t viewSize(const void* view) {
    MEMORY_BASIC_INFORMATION info{};
    return VirtualQuery(view, &info, sizeof info) == sizeof info ? info.RegionSize : 0;
}

class Win32SharedView : public SharedView {
public:
    Win32SharedView(ScopedHandle mapping, ScopedView view)
        : mapping_(std::move(mapping)), view_(std::move(view)), size_(viewSize(view_.get())) {}
    std::size_t size() const override { return size_; }
    void copy(std::size_t offset, std::size_t length, std::string& bytes) override {
        bytes.clear();
        if (offset >= size_) return;
        bytes.assign(static_cast<const char*>(view_.get()) + offset, std::min(length, size_ - offset));
    }

private:
    ScopedHandle mapping_;
    ScopedView view_;
    std::size_t size_;
};

class Win32RegistryKey : public RegistryKey {
public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}
    std::size_t valueCount() override {
        DWORD values = 0;
        if (RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                             nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return 0;
        return values;
    }
    bool text(const std::string& name, std::string& value) override {
        char buffer[kRegistryTextMax];
        DWORD type = 0;
        DWORD size = sizeof buffer;
        if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                             &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return false;
        // A text stored without its ending zero ends where its bytes do.
        value.assign(buffer, std::min<std::size_t>(size, sizeof buffer));
        const std::size_t end = value.find('\0');
        if (end != std::string::npos) value.resize(end);
        return true;
    }

private:
    ScopedKey key_;
};

}  // namespace

bool Win32SharedMemory::read(const std::string& name, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    const ScopedHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
    if (!mapping) return false;
    const ScopedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view) return false;
    std::size_t size = viewSize(view.get());
    if (size > maxBytes) size = maxBytes;
    bytes.assign(static_cast<const char*>(view.get()), size);
    return true;
}

std::unique_ptr<SharedView> Win32SharedMemory::open(const std::string& name) {
    ScopedHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
    if (!mapping) return nullptr;
    ScopedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view) return nullptr;
    return std::make_unique<Win32SharedView>(std::move(mapping), std::move(view));
}

std::unique_ptr<RegistryKey> Win32Registry::openCurrentUser(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32RegistryKey>(key);
}

}  // namespace tabrix::win32
