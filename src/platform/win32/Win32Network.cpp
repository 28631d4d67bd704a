#include "platform/win32/Win32Network.h"

#include <iphlpapi.h>

#include <cstddef>
#include <cstring>

namespace tabrix::win32 {
namespace {

using GetIfTableFn = DWORD(WINAPI*)(PMIB_IFTABLE, PULONG, BOOL);
// Room for the entry count and a few rows; a larger table says how much it needs, and the
// buffer keeps that size. (Room for 513 rows up front would hold 431 kB for the program's
// life where a machine has a handful of interfaces.)
constexpr ULONG kTableBytes = offsetof(MIB_IFTABLE, table) + 4 * sizeof(MIB_IFROW);
// A table that asks for more than this is not believed.
constexpr ULONG kTableLimit = 16 * 1024 * 1024;
// An interface that comes up between asking for the size and reading gets another try.
constexpr int kTableAttempts = 3;

}  // namespace

InterfaceTableResult Win32Network::interfaceTable(std::vector<InterfaceRow>& rows) {
    rows.clear();
    if (!iphlpapi_.load()) return InterfaceTableResult::NoLibrary;
    const auto getIfTable = iphlpapi_.function<GetIfTableFn>("GetIfTable");
    if (!getIfTable) {
        iphlpapi_.unload();
        return InterfaceTableResult::NoFunction;
    }
    if (buffer_.size() < kTableBytes) buffer_.resize(kTableBytes);
    DWORD result = ERROR_INSUFFICIENT_BUFFER;
    for (int attempt = 0; attempt < kTableAttempts && result == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
        ULONG size = static_cast<ULONG>(buffer_.size());
        result = getIfTable(reinterpret_cast<PMIB_IFTABLE>(buffer_.data()), &size, FALSE);
        // The table says how much room it needs.
        if (result == ERROR_INSUFFICIENT_BUFFER) {
            if (size <= buffer_.size() || size > kTableLimit) break;
            buffer_.resize(size);
        }
    }
    if (result != NO_ERROR) return InterfaceTableResult::Failed;

    DWORD count = 0;
    std::memcpy(&count, buffer_.data(), sizeof count);
    const std::size_t firstRow = offsetof(MIB_IFTABLE, table);
    const std::size_t room = (buffer_.size() - firstRow) / sizeof(MIB_IFROW);
    if (count > room) count = static_cast<DWORD>(room);
    for (DWORD i = 0; i < count; ++i) {
        MIB_IFROW r;
        std::memcpy(&r, buffer_.data() + firstRow + i * sizeof(MIB_IFROW), sizeof r);
        InterfaceRow row;
        row.speed = r.dwSpeed;
        row.inOctets = r.dwInOctets;
        row.outOctets = r.dwOutOctets;
        row.type = r.dwType;
        row.operStatus = r.dwOperStatus;
        const DWORD length = r.dwDescrLen < MAXLEN_IFDESCR ? r.dwDescrLen : MAXLEN_IFDESCR;
        row.description.assign(reinterpret_cast<const char*>(r.bDescr), length);
        rows.push_back(row);
    }
    return InterfaceTableResult::Ok;
}

}  // namespace tabrix::win32
