#pragma once
#include <windows.h>

#include <vector>

#include "platform/NetworkApi.h"

namespace tabrix::win32 {

// GetIfTable from IPHLPAPI.DLL, looked up at run time. The library, once loaded, stays loaded
// until this object goes: the traffic meter asks every second.
class Win32Network : public NetworkApi {
public:
    Win32Network() = default;
    ~Win32Network() override;
    Win32Network(const Win32Network&) = delete;
    Win32Network& operator=(const Win32Network&) = delete;

    InterfaceTableResult interfaceTable(std::vector<InterfaceRow>& rows) override;

private:
    HMODULE library_ = nullptr;
    std::vector<unsigned char> buffer_;
};

}  // namespace tabrix::win32
