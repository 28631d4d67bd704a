#pragma once
#include <cstddef>
#include <memory>
#include <string>

namespace tabrix {

// A text value longer than this (in bytes, with its ending zero) is not read.
constexpr std::size_t kRegistryTextMax = 1024;

// One open key of the registry, read only.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // How many values the key holds (RegQueryInfoKeyA).
    virtual std::size_t valueCount() = 0;
    // The value's text (RegQueryValueExA of a REG_SZ or REG_EXPAND_SZ value, cut at its first
    // zero byte); false when there is no such value, it is no text or longer than kRegistryTextMax.
    virtual bool text(const std::string& name, std::string& value) = 0;
};

// The current user's part of the registry, where other programs leave values for widgets.
class RegistryApi {
public:
    virtual ~RegistryApi() = default;
    // RegOpenKeyExA(HKEY_CURRENT_USER, path, KEY_QUERY_VALUE); null when it cannot be opened.
    virtual std::unique_ptr<RegistryKey> openCurrentUser(const std::string& path) = 0;
};

}  // namespace tabrix
