#pragma once
// Stand-ins for the outside world that several whole-program tests start, and the loopback
// they talk over. Winsock's header goes before anything that brings in windows.h.
#include <winsock2.h>

#include <iphlpapi.h>

#include <string>

#include "e2e_support.h"

namespace e2e {

// A stand-in program, ended with the test whatever the test's outcome.
class Fixture {
public:
    Fixture(const std::string& exe, const std::string& argument, const std::string& more = "")
        : process_(startBesideThisTest(exe, argument, more)) {}
    ~Fixture() {
        if (!process_) return;
        TerminateProcess(process_, 0);
        WaitForSingleObject(process_, 5000);
        CloseHandle(process_);
    }
    bool started() const { return process_ != nullptr; }

private:
    HANDLE process_;
};

// A stand-in's ready file, written once it publishes what it stands for.
inline bool appears(const std::string& path) {
    return waitFor([&] { return fileExists(path); }, 10000);
}

struct Winsock {
    Winsock() { WSAStartup(MAKEWORD(2, 2), &data); }
    ~Winsock() { WSACleanup(); }
    WSADATA data;
};

// The position of the loopback row in the unsorted interface table, -1 when there is none.
inline int loopbackRow() {
    ULONG size = 0;
    GetIfTable(nullptr, &size, FALSE);
    std::string buffer(size, '\0');
    auto* table = reinterpret_cast<MIB_IFTABLE*>(&buffer[0]);
    if (GetIfTable(table, &size, FALSE) != NO_ERROR) return -1;
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_IFROW& r = table->table[i];
        const std::string description(reinterpret_cast<const char*>(r.bDescr), r.dwDescrLen);
        if (r.dwType == MIB_IF_TYPE_LOOPBACK || description.rfind("lo", 0) == 0) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace e2e
