#pragma once
#include "platform/NetworkApi.h"

namespace tabrix::win32 {

// GetIfTable from IPHLPAPI.DLL, loaded and released around each call.
class Win32Network : public NetworkApi {
public:
    InterfaceTableResult interfaceTable(std::vector<InterfaceRow>& rows) override;
};

}  // namespace tabrix::win32
