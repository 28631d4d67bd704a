#pragma once
#include <windows.h>

#include <vector>

#include "platform/NetworkApi.h"
#include "platform/win32/Library.h"

namespace tabrix::win32 {

// GetIfTable from IPHLPAPI.DLL, looked up at run time. The library, once loaded, stays loaded
// until this object goes: the traffic meter asks every second.
class Win32Network : public NetworkApi {
public:
    InterfaceTableResult interfaceTable(std::vector<InterfaceRow>& rows) override;

private:
    Library iphlpapi_{"IPHLPAPI.DLL"};
    std::vector<unsigned char> buffer_;
};

}  // namespace tabrix::win32
