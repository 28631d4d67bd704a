#pragma once
// Owners for the system's paired handles: each lets its handle go the one right way when it
// goes out of scope, whatever way the scope is left.
#include <windows.h>

#include <utility>

namespace tabrix::win32 {

// Owns one handle; Traits names its type, the value that is none and how it is let go.
template <typename Traits>
class Scoped {
public:
    using Handle = typename Traits::Handle;

    Scoped() = default;
    explicit Scoped(Handle h) : h_(h) {}
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Scoped(Scoped&& o) noexcept : h_(o.release()) {}
    Scoped& operator=(Scoped&& o) noexcept {
        reset(o.release());
        return *this;
    }
    ~Scoped() { reset(); }

    Handle get() const { return h_; }
    bool valid() const { return h_ != Traits::none(); }
    explicit operator bool() const { return valid(); }
    Handle release() { return std::exchange(h_, Traits::none()); }
    void reset(Handle h = Traits::none()) {
        if (valid()) Traits::close(h_);
        h_ = h;
    }
    // Lets the handle go now; false when the system reports a failure (a write not completed).
    bool close() {
        if (!valid()) return false;
        return Traits::close(release()) != FALSE;
    }

private:
    Handle h_ = Traits::none();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle none() { return nullptr; }
    static BOOL close(Handle h) { return CloseHandle(h); }
};
// CreateFile's "none" is INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle none() { return INVALID_HANDLE_VALUE; }
    static BOOL close(Handle h) { return CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle none() { return INVALID_HANDLE_VALUE; }
    static BOOL close(Handle h) { return FindClose(h); }
};
struct MappedViewTraits {
    using Handle = const void*;
    static Handle none() { return nullptr; }
    static BOOL close(Handle h) { return UnmapViewOfFile(h); }
};
struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle none() { return nullptr; }
    static BOOL close(Handle h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};

struct MenuTraits {
    using Handle = HMENU;
    static Handle none() { return nullptr; }
    static BOOL close(Handle h) { return DestroyMenu(h); }  // with its submenus
};
// Memory the clipboard has not taken over.
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle none() { return nullptr; }
    static BOOL close(Handle h) { return GlobalFree(h) == nullptr; }
};
// A window this program made.
struct WindowTraits {
    using Handle = HWND;
    static Handle none() { return nullptr; }
    static BOOL close(Handle h) { return DestroyWindow(h); }
};

// A hook on the system's events (SetWinEventHook). Both calls arrived with Windows 98 and
// 2000, so the unhooking is looked up at run time as the hooking is.
struct WinEventHookTraits {
    using Handle = HANDLE;  // HWINEVENTHOOK
    static Handle none() { return nullptr; }
    static BOOL close(Handle h) {
        using Unhook = BOOL(WINAPI*)(Handle);
        static const auto unhook = reinterpret_cast<Unhook>(
            reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "UnhookWinEvent")));
        return unhook ? unhook(h) : FALSE;
    }
};

using ScopedHandle = Scoped<KernelHandleTraits>;
using ScopedFile = Scoped<FileHandleTraits>;
using ScopedFind = Scoped<FindHandleTraits>;
using ScopedView = Scoped<MappedViewTraits>;
using ScopedKey = Scoped<RegistryKeyTraits>;
using ScopedMenu = Scoped<MenuTraits>;
using ScopedGlobal = Scoped<GlobalMemoryTraits>;
using ScopedWindow = Scoped<WindowTraits>;
using ScopedWinEventHook = Scoped<WinEventHookTraits>;

// Owns one reference to a COM interface and releases it when it goes.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* operator->() const { return p_; }
    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // Where a call that hands out a reference writes it (what was held is released first).
    void** put() {
        reset();
        return reinterpret_cast<void**>(&p_);
    }
    void reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

// A window's device context (the screen's for no window), released when it goes.
class WindowDc {
public:
    explicit WindowDc(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// The device context of one WM_PAINT, handed back when it goes.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(window_, &ps_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT ps_;
    HDC dc_;
};

// The screen's logical dots per inch along an axis (96 when it cannot be told).
inline int screenDotsPerInch(int axis = LOGPIXELSY) {
    const WindowDc screen;
    const int dpi = screen ? GetDeviceCaps(screen.get(), axis) : 0;
    return dpi > 0 ? dpi : 96;
}

// A critical section for the life of its owner, and a lock on it for the life of a scope.
class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&cs_); }
    ~CriticalSection() { DeleteCriticalSection(&cs_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    class Lock {
    public:
        explicit Lock(CriticalSection& cs) : cs_(cs) { EnterCriticalSection(&cs_.cs_); }
        ~Lock() { LeaveCriticalSection(&cs_.cs_); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        CriticalSection& cs_;
    };

private:
    CRITICAL_SECTION cs_;
};

}  // namespace tabrix::win32
