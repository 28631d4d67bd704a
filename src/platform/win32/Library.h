#pragma once
#include <windows.h>

#include <commctrl.h>

namespace tabrix::win32 {

// A system library loaded at its first use and kept until its owner goes, so that a run maps
// only what it uses. One thread at a time.
class Library {
public:
    explicit Library(const char* name) : name_(name) {}
    ~Library() { unload(); }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    // False when the system has no such library.
    bool load() {
        if (!module_) module_ = LoadLibraryA(name_);
        return module_ != nullptr;
    }
    void unload() {
        if (module_) FreeLibrary(module_);
        module_ = nullptr;
    }
    // The function, the library loaded first; null when either is missing.
    template <typename Fn>
    Fn function(const char* name) {
        if (!load()) return nullptr;
        // Through a plain pointer, so that the cast to the function's own type is not warned about.
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

private:
    const char* name_;
    HMODULE module_ = nullptr;
};

// The common controls, loaded before the first window or message box that uses them and kept
// for the rest of the run: a run that opens neither Settings nor About never maps them. The
// manifest's activation context makes this the version 6 library where there is one.
inline void loadCommonControls() {
    static Library comctl32("comctl32.dll");
    static const bool done = [] {
        using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        using Init = void(WINAPI*)();
        if (const auto initEx = comctl32.function<InitEx>("InitCommonControlsEx")) {
            const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
            if (initEx(&classes)) return true;
        }
        if (const auto init = comctl32.function<Init>("InitCommonControls")) init();
        return true;
    }();
    (void)done;
}

}  // namespace tabrix::win32
