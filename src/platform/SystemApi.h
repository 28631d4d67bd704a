#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tabrix {

// Raw records the way the system hands them out; the sources do all the formatting.

// The fields of OSVERSIONINFOEXA that are used.
struct VersionInfo {
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;
    uint32_t platformId = 0;   // 1 = Windows 9x family, 2 = NT family
    std::string csdVersion;    // service-pack text, possibly empty
    uint32_t productType = 0;  // 1 workstation, 2 domain controller, 3 server; 0 not told
};

constexpr uint32_t kPlatformWin9x = 1;
constexpr uint32_t kPlatformNt = 2;
constexpr uint32_t kProductWorkstation = 1;

// MEMORYSTATUSEX fields, or the 32-bit MEMORYSTATUS ones widened when the 64-bit call
// is not there.
struct MemoryStatus {
    uint32_t memoryLoad = 0;  // percent
    uint64_t totalPhys = 0;
    uint64_t availPhys = 0;
    uint64_t totalPageFile = 0;
    uint64_t availPageFile = 0;
    uint64_t totalVirtual = 0;  // the process's user-mode address space; 0 = not read
    uint64_t availVirtual = 0;
};

// SYSTEM_POWER_STATUS fields.
struct PowerStatus {
    uint8_t acLineStatus = 255;  // 0 battery, 1 mains, 255 unknown
    uint8_t batteryFlag = 255;
    uint8_t batteryLifePercent = 255;        // 255 = not reported
    uint32_t batteryLifeTime = 0xFFFFFFFFu;  // seconds, 0xFFFFFFFF = not reported
    uint32_t batteryFullLifeTime = 0xFFFFFFFFu;
};

// The current mode of the display the program runs on.
struct DisplayMode {
    uint32_t frequency = 0;  // hertz; 0 or 1 mean the hardware default
    uint32_t bitsPerPixel = 0;
    int width = 0;  // primary screen, pixels
    int height = 0;
};

class SystemApi {
public:
    virtual ~SystemApi() = default;
    // RtlGetVersion (GetVersionExA where ntdll lacks it); false when neither answers.
    virtual bool version(VersionInfo& info) = 0;
    virtual MemoryStatus memoryStatus() = 0;
    virtual PowerStatus powerStatus() = 0;
    virtual DisplayMode displayMode() = 0;
    // GetTickCount: milliseconds since start, wrapping at 2^32.
    virtual uint32_t tickCount() = 0;
    // GetUserNameA into a 254-character buffer; false when the call fails.
    virtual bool userName(std::string& name) = 0;
    // InternetGetConnectedState: its result and the flag word.
    virtual bool connectedState(uint32_t& flags) = 0;
    // The first character of the user's LOCALE_SDECIMAL.
    virtual char decimalSeparator() = 0;

    // The system announced a new display mode (WM_DISPLAYCHANGE), or changed user settings such
    // as the locale (WM_SETTINGCHANGE): an answer kept from before is to be asked again.
    virtual void displayChanged() {}
    virtual void settingsChanged() {}
};

// What RegQueryValueExA answers for performance data.
enum class PerfQuery { Success, MoreData, Failed };

// The processor load as the refresh cycle reads it once a second: a sample, then the busy
// fraction of one instance over the last interval. One for the whole run, not rebuilt with the
// main window.
class CpuLoad {
public:
    virtual ~CpuLoad() = default;
    virtual void SampleCpuCounters() = 0;  // throws Error when nothing can be read
    virtual double GetCpuLoad(int index) = 0;
};

// Counter sources of the CPU usage sampler.
class PerformanceApi {
public:
    virtual ~PerformanceApi() = default;

    // RegQueryValueExA(HKEY_PERFORMANCE_DATA, valueName) into size bytes at buffer.
    // On success returned holds the number of bytes written.
    virtual PerfQuery queryPerformanceData(const std::string& valueName, uint8_t* buffer, uint32_t size,
                                           uint32_t& returned) = 0;
    // Lets the performance data key go once the data is no longer needed.
    virtual void closePerformanceData() = 0;

    // GetSystemTimes (looked up at run time; Windows XP SP1 and later), in 100 ns units.
    // False when the function is absent or fails.
    virtual bool systemTimes(uint64_t& idle, uint64_t& kernel, uint64_t& user) = 0;

    // One open key of the Windows 9x dynamic statistics under HKEY_DYN_DATA, closed when
    // it goes.
    class DynKey {
    public:
        virtual ~DynKey() = default;
        virtual bool readDword(const std::string& valueName, uint32_t& value) = 0;
    };
    // Null when the key cannot be opened.
    virtual std::unique_ptr<DynKey> openDynKey(const std::string& subKey, bool fullAccess) = 0;
};

struct CpuidRegisters {
    uint32_t eax = 0;
    uint32_t ebx = 0;
    uint32_t ecx = 0;
    uint32_t edx = 0;
};

// The CPUID instruction of the processor the program runs on.
class CpuidApi {
public:
    virtual ~CpuidApi() = default;
    // True when bit 21 (ID) of the flags register can be toggled.
    virtual bool idBitToggles() = 0;
    virtual CpuidRegisters cpuid(uint32_t leaf) = 0;
};

// Another program's top-level window, reached by window messages only.
class PlayerWindow {
public:
    virtual ~PlayerWindow() = default;
    using Handle = uintptr_t;  // 0 = no window
    // FindWindowA(className, no window name).
    virtual Handle find(const std::string& className) = 0;
    // GetWindowTextLengthA, then GetWindowTextA into a buffer two characters longer.
    virtual std::string caption(Handle window) = 0;
    // SendMessageTimeoutA, giving up after timeoutMs or when the window's thread hangs.
    // False when the message was not handled in time.
    virtual bool sendCommand(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                             uint32_t timeoutMs) = 0;

    // A top-level window as a player is told by: its class and its caption as UTF-8 (the file
    // name of its process's program comes from processOf, asked only where it matters).
    struct TopWindow {
        Handle window = 0;
        std::string className;
        std::string caption;
    };
    // Every top-level window (EnumWindows).
    virtual std::vector<TopWindow> topWindows() = 0;
    // The file name of the program of the window's process ("" when unknown), from a snapshot
    // of the processes taken at the first such question after topWindows().
    virtual std::string processOf(Handle window) = 0;
    // IsWindow.
    virtual bool exists(Handle window) = 0;
    // GetWindowTextW, at most kCaptionUnits units of it, as UTF-8.
    static constexpr std::size_t kCaptionUnits = 1024;
    virtual std::string wideCaption(Handle window) = 0;
    // PostMessageA: the message waits in the window's queue; nothing waits for its answer.
    virtual bool post(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
    // SendMessageTimeoutA with its answer; false when the window did not answer in time.
    virtual bool ask(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs,
                     uintptr_t& answer) = 0;
};

}  // namespace tabrix
