#include "platform/win32/Win32Network.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace tabrix::win32 {

namespace {

// MIB_IFROW as Windows publishes it (860 bytes).
struct IfRow {
    WCHAR wszName[256];
    DWORD dwIndex, dwType, dwMtu, dwSpeed, dwPhysAddrLen;
    BYTE bPhysAddr[8];
    DWORD dwAdminStatus, dwOperStatus, dwLastChange, dwInOctets, dwInUcastPkts, dwInNUcastPkts, dwInDiscards,
        dwInErrors, dwInUnknownProtos, dwOutOctets, dwOutUcastPkts, dwOutNUcastPkts, dwOutDiscards,
        dwOutErrors, dwOutQLen, dwDescrLen;
    BYTE bDescr[256];
};
static_assert(sizeof(IfRow) == 860, "MIB_IFROW layout");

using GetIfTableFn = DWORD(WINAPI*)(void*, ULONG*, BOOL);
// Room for the row count and 513 rows.
constexpr ULONG kTableBytes = 441184;

}  // namespace

InterfaceTableResult Win32Network::interfaceTable(std::vector<InterfaceRow>& rows) {
    rows.clear();
    HMODULE lib = LoadLibraryA("IPHLPAPI.DLL");
    if (!lib) return InterfaceTableResult::NoLibrary;
    auto getIfTable =
        reinterpret_cast<GetIfTableFn>(reinterpret_cast<void*>(GetProcAddress(lib, "GetIfTable")));
    if (!getIfTable) {
        FreeLibrary(lib);
        return InterfaceTableResult::NoFunction;
    }
    std::vector<unsigned char> buffer(kTableBytes);
    ULONG size = kTableBytes;
    const DWORD rc = getIfTable(buffer.data(), &size, FALSE);
    FreeLibrary(lib);
    if (rc != NO_ERROR) return InterfaceTableResult::Failed;
    DWORD count = 0;
    std::memcpy(&count, buffer.data(), sizeof count);
    const size_t fit = (kTableBytes - sizeof(DWORD)) / sizeof(IfRow);
    if (count > fit) count = static_cast<DWORD>(fit);
    for (DWORD i = 0; i < count; ++i) {
        IfRow row;
        std::memcpy(&row, buffer.data() + sizeof(DWORD) + i * sizeof(IfRow), sizeof row);
        InterfaceRow out;
        out.speed = row.dwSpeed;
        out.inOctets = row.dwInOctets;
        out.outOctets = row.dwOutOctets;
        const DWORD len = row.dwDescrLen < sizeof row.bDescr ? row.dwDescrLen : sizeof row.bDescr;
        out.description.assign(reinterpret_cast<const char*>(row.bDescr), len);
        rows.push_back(out);
    }
    return InterfaceTableResult::Ok;
}

}  // namespace tabrix::win32
