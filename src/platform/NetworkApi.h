#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tabrix {

// The members of one MIB_IFROW that the program uses.
struct InterfaceRow {
    uint32_t speed = 0;       // dwSpeed, bits per second
    uint32_t inOctets = 0;    // dwInOctets
    uint32_t outOctets = 0;   // dwOutOctets
    std::string description;  // bDescr, dwDescrLen bytes (cut at the record's 256)
    uint32_t type = 0;        // dwType (24: the loopback)
    uint32_t operStatus = 0;  // dwOperStatus (4 connected, 5 operational: up)
};

// What a request for the interface table came to.
enum class InterfaceTableResult {
    Ok,          // rows hold the table, unsorted, in the system's order
    NoLibrary,   // IPHLPAPI.DLL could not be loaded
    NoFunction,  // the library has no GetIfTable
    Failed,      // GetIfTable answered an error
};

// The system's interface table (GetIfTable from IPHLPAPI.DLL, looked up at run time).
class NetworkApi {
public:
    virtual ~NetworkApi() = default;
    // Only the rows the call returned; rows is empty unless the result is Ok.
    virtual InterfaceTableResult interfaceTable(std::vector<InterfaceRow>& rows) = 0;
};

}  // namespace tabrix
