// Measures Tabrix.exe under the current Windows (Wine here): time from process start to the
// first painted frame (median of 10 starts), the private memory after start-up, and the
// exe's size. Prints figures; asserts nothing.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "../e2e/e2e_support.h"

using namespace e2e;

static bool bannerPainted(HWND w) {
    POINT p{8, 3};
    ClientToScreen(w, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c == RGB(0x80, 0x80, 0x80);
}

int main() {
    const char* config =
        "[general]\r\nskin=Default\r\ntransparent=1\r\nshowbanner=-1\r\n"
        "[position]\r\nleft=50\r\ntop=50\r\n";
    std::vector<double> ms;
    SIZE_T privateBytes = 0, workingSet = 0;
    for (int run = 0; run < 10; ++run) {
        ProgramFolder folder(config);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string cmd = "\"" + folder.path("Tabrix.exe") + "\"";
        LARGE_INTEGER f, t0, t1;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&t0);
        if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder.dir().c_str(), &si,
                            &pi))
            return 1;
        HWND w = nullptr;
        for (int i = 0; i < 4000; ++i) {
            if (!w) w = findWindowOf(pi.dwProcessId, "TForm1");
            if (w && IsWindowVisible(w) && bannerPainted(w)) break;
            Sleep(2);
        }
        QueryPerformanceCounter(&t1);
        ms.push_back(1000.0 * double(t1.QuadPart - t0.QuadPart) / double(f.QuadPart));
        Sleep(500);
        PROCESS_MEMORY_COUNTERS_EX pmc{};
        pmc.cb = sizeof pmc;
        if (GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc)) {
            // Wine leaves PrivateUsage at 0; PagefileUsage is the same committed private memory.
            privateBytes = pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
            workingSet = pmc.WorkingSetSize;
        }
        if (w) PostMessageA(w, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    std::sort(ms.begin(), ms.end());
    WIN32_FILE_ATTRIBUTE_DATA fa{};
    GetFileAttributesExA((distDir() + "\\Tabrix.exe").c_str(), GetFileExInfoStandard, &fa);
    std::printf("start to first painted frame: median %.0f ms (min %.0f, max %.0f, 10 runs)\n",
                (ms[4] + ms[5]) / 2, ms.front(), ms.back());
    std::printf("private memory after start-up: %lu KiB (working set %lu KiB)\n",
                static_cast<unsigned long>(privateBytes / 1024),
                static_cast<unsigned long>(workingSet / 1024));
    std::printf("Tabrix.exe size: %lu bytes\n", static_cast<unsigned long>(fa.nFileSizeLow));
    return 0;
}
