#include "platform/win32/Win32System.h"

#include <windows.h>
#include <wininet.h>

#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
#include <cpuid.h>
#endif

#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "platform/Utf16.h"
#include "platform/win32/Library.h"
#include "platform/win32/Scoped.h"

namespace tabrix::win32 {

namespace {

// A function of a system DLL that older Windows versions lack; null when absent.
template <typename Fn>
Fn systemFunction(const char* dll, const char* name) {
    HMODULE module = GetModuleHandleA(dll);
    if (!module) return nullptr;
    // Through the generic function type, which converts to any other without complaint.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

using GlobalMemoryStatusExFn = BOOL(WINAPI*)(MEMORYSTATUSEX*);
using GetSystemTimesFn = BOOL(WINAPI*)(FILETIME*, FILETIME*, FILETIME*);
// NTSTATUS RtlGetVersion(RTL_OSVERSIONINFOEXW*): 0 is success.
using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);

uint64_t fileTimeValue(const FILETIME& t) {
    return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// The user name buffer holds 254 characters; the call may fill 253 with the NUL.
constexpr DWORD kUserNameBuffer = 254;
constexpr DWORD kUserNameSize = 253;

}  // namespace

bool Win32System::version(VersionInfo& info) {
    // GetVersionExA answers 6.2 for every later Windows unless the manifest names it;
    // ntdll tells the truth. Windows 9x has no RtlGetVersion.
    static const auto rtlGetVersion = systemFunction<RtlGetVersionFn>("ntdll.dll", "RtlGetVersion");
    if (rtlGetVersion) {
        OSVERSIONINFOEXW w{};
        w.dwOSVersionInfoSize = sizeof w;
        if (rtlGetVersion(&w) == 0) {
            info.majorVersion = w.dwMajorVersion;
            info.minorVersion = w.dwMinorVersion;
            info.buildNumber = w.dwBuildNumber;
            info.platformId = w.dwPlatformId;
            info.productType = w.wProductType;
            w.szCSDVersion[sizeof w.szCSDVersion / sizeof w.szCSDVersion[0] - 1] = 0;
            char csd[sizeof w.szCSDVersion / sizeof w.szCSDVersion[0] * 2] = {};
            WideCharToMultiByte(CP_ACP, 0, w.szCSDVersion, -1, csd, sizeof csd - 1, nullptr, nullptr);
            info.csdVersion = csd;
            return true;
        }
    }
    // The extended record is refused before NT 4 SP6; the plain one is enough there.
    OSVERSIONINFOEXA v{};
    v.dwOSVersionInfoSize = sizeof v;
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&v))) {
        v = OSVERSIONINFOEXA{};
        v.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&v))) return false;
    }
    info.majorVersion = v.dwMajorVersion;
    info.minorVersion = v.dwMinorVersion;
    info.buildNumber = v.dwBuildNumber;
    info.platformId = v.dwPlatformId;
    info.productType = v.wProductType;
    v.szCSDVersion[sizeof v.szCSDVersion - 1] = 0;
    info.csdVersion = v.szCSDVersion;
    return true;
}

MemoryStatus Win32System::memoryStatus() {
    MemoryStatus s;
    // The 32-bit record tops out at 4 GB; Windows 9x and NT 4 lack the 64-bit call.
    static const auto statusEx =
        systemFunction<GlobalMemoryStatusExFn>("kernel32.dll", "GlobalMemoryStatusEx");
    if (statusEx) {
        MEMORYSTATUSEX m{};
        m.dwLength = sizeof m;
        if (statusEx(&m)) {
            s.memoryLoad = m.dwMemoryLoad;
            s.totalPhys = m.ullTotalPhys;
            s.availPhys = m.ullAvailPhys;
            s.totalPageFile = m.ullTotalPageFile;
            s.availPageFile = m.ullAvailPageFile;
            s.totalVirtual = m.ullTotalVirtual;
            s.availVirtual = m.ullAvailVirtual;
            return s;
        }
    }
    MEMORYSTATUS m{};
    m.dwLength = sizeof m;
    GlobalMemoryStatus(&m);
    s.memoryLoad = m.dwMemoryLoad;
    s.totalPhys = m.dwTotalPhys;
    s.availPhys = m.dwAvailPhys;
    s.totalPageFile = m.dwTotalPageFile;
    s.availPageFile = m.dwAvailPageFile;
    s.totalVirtual = m.dwTotalVirtual;
    s.availVirtual = m.dwAvailVirtual;
    return s;
}

PowerStatus Win32System::powerStatus() {
    PowerStatus p;
    SYSTEM_POWER_STATUS s;
    if (!GetSystemPowerStatus(&s)) return p;  // "cannot tell": an empty battery line
    p.acLineStatus = s.ACLineStatus;
    p.batteryFlag = s.BatteryFlag;
    p.batteryLifePercent = s.BatteryLifePercent;
    p.batteryLifeTime = s.BatteryLifeTime;
    p.batteryFullLifeTime = s.BatteryFullLifeTime;
    return p;
}

DisplayMode Win32System::displayMode() {
    DisplayMode mode;
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &dm)) {
        mode.frequency = dm.dmDisplayFrequency;
        mode.bitsPerPixel = dm.dmBitsPerPel;
    } else if (const WindowDc screen; screen) {
        mode.frequency = static_cast<uint32_t>(GetDeviceCaps(screen.get(), VREFRESH));
        mode.bitsPerPixel = static_cast<uint32_t>(GetDeviceCaps(screen.get(), BITSPIXEL));
    }
    mode.width = GetSystemMetrics(SM_CXSCREEN);
    mode.height = GetSystemMetrics(SM_CYSCREEN);
    return mode;
}

uint32_t Win32System::tickCount() {
    return GetTickCount();
}

bool Win32System::userName(std::string& name) {
    char buffer[kUserNameBuffer] = {};
    DWORD size = kUserNameSize;
    if (!GetUserNameA(buffer, &size)) return false;
    name = buffer;
    return true;
}

bool Win32System::connectedState(uint32_t& flags) {
    // Asked once per main window: WinINet (and all it pulls in) is loaded for the call and let
    // go again, so a run that fetches no address does not keep it mapped.
    Library wininet("wininet.dll");
    const auto getState = wininet.function<decltype(&InternetGetConnectedState)>("InternetGetConnectedState");
    DWORD state = 0;
    const BOOL connected = getState ? getState(&state, 0) : FALSE;
    flags = state;
    return connected != FALSE;
}

char Win32System::decimalSeparator() {
    char buffer[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 1) return buffer[0];
    return '.';
}

PerfQuery Win32Performance::queryPerformanceData(const std::string& valueName, uint8_t* buffer, uint32_t size,
                                                 uint32_t& returned) {
    DWORD type = 0;
    DWORD length = size;
    LONG rc = RegQueryValueExA(HKEY_PERFORMANCE_DATA, valueName.c_str(), nullptr, &type, buffer, &length);
    returned = 0;
    if (rc == ERROR_MORE_DATA) return PerfQuery::MoreData;
    if (rc != ERROR_SUCCESS) return PerfQuery::Failed;
    returned = length;
    return PerfQuery::Success;
}

void Win32Performance::closePerformanceData() {
    // The predefined key is let go like any opened one.
    ScopedKey data(HKEY_PERFORMANCE_DATA);
}

bool Win32Performance::systemTimes(uint64_t& idle, uint64_t& kernel, uint64_t& user) {
    static const auto getSystemTimes = systemFunction<GetSystemTimesFn>("kernel32.dll", "GetSystemTimes");
    if (!getSystemTimes) return false;
    FILETIME i{}, k{}, u{};
    if (!getSystemTimes(&i, &k, &u)) return false;
    idle = fileTimeValue(i);
    kernel = fileTimeValue(k);
    user = fileTimeValue(u);
    return true;
}

namespace {

class Win32DynKey : public PerformanceApi::DynKey {
public:
    explicit Win32DynKey(HKEY key) : key_(key) {}
    bool readDword(const std::string& valueName, uint32_t& value) override {
        DWORD type = 0, data = 0, size = sizeof data;
        if (RegQueryValueExA(key_.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                             &size) != ERROR_SUCCESS)
            return false;
        value = data;
        return true;
    }

private:
    ScopedKey key_;
};

}  // namespace

std::unique_ptr<PerformanceApi::DynKey> Win32Performance::openDynKey(const std::string& subKey,
                                                                     bool fullAccess) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_DYN_DATA, subKey.c_str(), 0, fullAccess ? KEY_ALL_ACCESS : KEY_READ, &key) !=
        ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32DynKey>(key);
}

bool Win32Cpuid::idBitToggles() {
#if defined(__GNUC__) && defined(__i386__)
    // Flip bit 21 (ID) of EFLAGS and see whether it stays flipped; the original flags
    // are put back either way.
    uint32_t before = 0, after = 0;
    __asm__ volatile(
        "pushfl\n\t"
        "pushfl\n\t"
        "popl %0\n\t"
        "movl %0, %1\n\t"
        "xorl %2, %0\n\t"
        "pushl %0\n\t"
        "popfl\n\t"
        "pushfl\n\t"
        "popl %0\n\t"
        "popfl\n\t"
        : "=&r"(after), "=&r"(before)
        : "i"(0x00200000));
    return ((before ^ after) & 0x00200000) != 0;
#elif defined(__x86_64__)
    return true;  // every 64-bit x86 processor has CPUID
#else
    return false;
#endif
}

CpuidRegisters Win32Cpuid::cpuid(uint32_t leaf) {
    CpuidRegisters r;
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
    __cpuid(leaf, r.eax, r.ebx, r.ecx, r.edx);
#else
    (void)leaf;
#endif
    return r;
}

PlayerWindow::Handle Win32PlayerWindow::find(const std::string& className) {
    return reinterpret_cast<Handle>(FindWindowA(className.c_str(), nullptr));
}

std::string Win32PlayerWindow::caption(Handle window) {
    HWND hwnd = reinterpret_cast<HWND>(window);
    int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) return "";
    std::vector<char> buffer(static_cast<std::size_t>(length) + 2, 0);
    int copied = GetWindowTextA(hwnd, buffer.data(), length + 2);
    return std::string(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

bool Win32PlayerWindow::sendCommand(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                                    uint32_t timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(reinterpret_cast<HWND>(window), message, wParam, lParam, SMTO_ABORTIFHUNG,
                               timeoutMs, &result) != 0;
}

namespace {

BOOL CALLBACK collectWindow(HWND hwnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<PlayerWindow::TopWindow> Win32PlayerWindow::topWindows() {
    std::vector<HWND> handles;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&handles));
    snapshot_ = false;
    processes_.clear();
    std::vector<TopWindow> windows;
    windows.reserve(handles.size());
    for (HWND hwnd : handles) {
        TopWindow w;
        w.window = reinterpret_cast<Handle>(hwnd);
        char name[256] = {};
        const int length = GetClassNameA(hwnd, name, sizeof name);
        w.className.assign(name, length > 0 ? static_cast<std::size_t>(length) : 0);
        w.caption = wideCaption(w.window);
        windows.push_back(std::move(w));
    }
    return windows;
}

std::string Win32PlayerWindow::processOf(Handle window) {
    // A snapshot costs far more than the rest of a look: only a window that may be a player takes one.
    if (!snapshot_) {
        snapshot_ = true;
        // The snapshot's "none" is INVALID_HANDLE_VALUE, as a file's is.
        const ScopedFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        if (snapshot) {
            PROCESSENTRY32 entry{};
            entry.dwSize = sizeof entry;
            for (BOOL more = Process32First(snapshot.get(), &entry); more;
                 more = Process32Next(snapshot.get(), &entry))
                processes_[entry.th32ProcessID] =
                    std::string(entry.szExeFile, strnlen(entry.szExeFile, MAX_PATH));
        }
    }
    DWORD id = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &id);
    const auto process = processes_.find(id);
    return process == processes_.end() ? std::string() : process->second;
}

bool Win32PlayerWindow::exists(Handle window) {
    return window != 0 && IsWindow(reinterpret_cast<HWND>(window));
}

std::string Win32PlayerWindow::wideCaption(Handle window) {
    wchar_t buffer[kCaptionUnits + 1] = {};
    const int copied = GetWindowTextW(reinterpret_cast<HWND>(window), buffer, kCaptionUnits + 1);
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 units");
    return utf16ToUtf8(
        reinterpret_cast<const char16_t*>(buffer),
        copied > 0 ? std::min<std::size_t>(static_cast<std::size_t>(copied), kCaptionUnits) : 0);
}

bool Win32PlayerWindow::post(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return PostMessageA(reinterpret_cast<HWND>(window), message, wParam, lParam) != FALSE;
}

bool Win32PlayerWindow::ask(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                            uint32_t timeoutMs, uintptr_t& answer) {
    DWORD_PTR result = 0;
    const bool answered = SendMessageTimeoutA(reinterpret_cast<HWND>(window), message, wParam, lParam,
                                              SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
    answer = answered ? result : 0;
    return answered;
}

}  // namespace tabrix::win32
