// memwatch.cpp - samples a running program's memory and GDI objects for a long watch.
// Build: i686-w64-mingw32-g++ -O2 -static -o memwatch.exe memwatch.cpp -lpsapi
// Run (in the program's Wine prefix): memwatch.exe EXE-NAME EVERY-S FOR-S [FILE...]
// Prints one line every EVERY-S seconds for FOR-S seconds: minutes since the start, the
// process id, PagefileUsage and PrivateUsage (Wine leaves the latter 0), the working set and
// its peak in kB, GetGuiResources' GDI and USER counts (0 under Wine), the live entries of
// the process's GDI handle table (read through its PEB, as Wine gives no count) and handles;
// then the size and age of each FILE (for example the report files), or "missing".
#include <windows.h>
// after windows.h
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

static DWORD findPid(const char* name) {
    HANDLE s = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 e;
    e.dwSize = sizeof e;
    DWORD pid = 0;
    for (BOOL ok = Process32First(s, &e); ok; ok = Process32Next(s, &e))
        if (!_stricmp(e.szExeFile, name)) pid = e.th32ProcessID;
    CloseHandle(s);
    return pid;
}

// Live entries of the process's GDI handle table (PEB GdiSharedHandleTable, 24-byte entries,
// type byte at offset 14), read from outside; -1 when it cannot be read.
static long gdiTable(HANDLE p) {
    typedef LONG(WINAPI * Q)(HANDLE, int, PVOID, ULONG, PULONG);
    Q q = (Q)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION pbi;
    ULONG n;
    if (!q || q(p, 0, &pbi, sizeof pbi, &n)) return -1;
    DWORD table = 0;
    SIZE_T got;
    if (!ReadProcessMemory(p, (char*)pbi.PebBaseAddress + 0x94, &table, 4, &got) || !table) return -1;
    static std::vector<unsigned char> buf(24 * 0x10000);
    if (!ReadProcessMemory(p, (void*)(uintptr_t)table, buf.data(), buf.size(), &got)) return -2;
    long live = 0;
    for (size_t i = 0; i < 0x10000; ++i) live += buf[i * 24 + 14] != 0;
    return live;
}

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    const int every = atoi(argv[2]), total = atoi(argv[3]);
    DWORD start = GetTickCount();
    printf(
        "min pid pagefile_kB private_kB workingset_kB peakws_kB gdi_res user_res gdi_table handles files\n");
    for (;;) {
        DWORD pid = findPid(argv[1]);
        HANDLE p = pid ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid) : nullptr;
        PROCESS_MEMORY_COUNTERS_EX m;
        memset(&m, 0, sizeof m);
        m.cb = sizeof m;
        DWORD handles = 0;
        if (p) {
            GetProcessMemoryInfo(p, (PROCESS_MEMORY_COUNTERS*)&m, sizeof m);
            GetProcessHandleCount(p, &handles);
        }
        printf("%.1f %lu %lu %lu %lu %lu %lu %lu %ld %lu", (GetTickCount() - start) / 60000.0, pid,
               (unsigned long)(m.PagefileUsage / 1024), (unsigned long)(m.PrivateUsage / 1024),
               (unsigned long)(m.WorkingSetSize / 1024), (unsigned long)(m.PeakWorkingSetSize / 1024),
               p ? GetGuiResources(p, GR_GDIOBJECTS) : 0, p ? GetGuiResources(p, GR_USEROBJECTS) : 0,
               p ? gdiTable(p) : -1, handles);
        for (int i = 4; i < argc; ++i) {
            WIN32_FILE_ATTRIBUTE_DATA a;
            if (GetFileAttributesExA(argv[i], GetFileExInfoStandard, &a)) {
                ULARGE_INTEGER t;
                t.LowPart = a.ftLastWriteTime.dwLowDateTime;
                t.HighPart = a.ftLastWriteTime.dwHighDateTime;
                FILETIME now;
                GetSystemTimeAsFileTime(&now);
                ULARGE_INTEGER n2;
                n2.LowPart = now.dwLowDateTime;
                n2.HighPart = now.dwHighDateTime;
                printf(" %s:%lu:age%.1fs", strrchr(argv[i], '\\') ? strrchr(argv[i], '\\') + 1 : argv[i],
                       a.nFileSizeLow, (double)(n2.QuadPart - t.QuadPart) / 1e7);
            } else
                printf(" %s:missing", argv[i]);
        }
        printf("\n");
        fflush(stdout);
        if (p) CloseHandle(p);
        if ((GetTickCount() - start) / 1000 >= (DWORD)total) return 0;
        Sleep(every * 1000);
    }
}
