#pragma once
#include <windows.h>

#include <array>
#include <functional>

#include "app/Unit1.h"
#include "platform/win32/Gdi.h"

namespace tabrix::win32 {

// The real main window: created before TForm1's start-up runs, then painted from its
// state. Every event goes to the behaviour; nothing a handler throws crosses into Windows.
class MainWindowView {
public:
    using ErrorHandler = std::function<void(const std::exception*)>;

    MainWindowView(HINSTANCE instance, HWND owner, HICON icon, ErrorHandler onError);
    ~MainWindowView();
    MainWindowView(const MainWindowView&) = delete;
    MainWindowView& operator=(const MainWindowView&) = delete;

    HWND hwnd() const { return hwnd_; }
    // The window exists, hidden, with the design's styles and place.
    void create(TForm1& form);
    // Applies the state start-up left (styles, layering, system menu, place) and shows it.
    void showAfterStartup();
    // Brings the window, its timers and its picture up to date with the behaviour.
    void sync();

    static constexpr char kClassName[] = "TForm1";

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    template <typename F>
    void guarded(F&& f);

    void applyStyles();
    void applyLayering();
    void syncTimers();
    void rebuildSkin();
    void paint(HDC target);
    void drawPicture(const Dib& dib, HDC dc, uint32_t* back, int backW, int backH, int left,
                     int top, bool keyed);
    int labelAt(int x, int y) const;

    HINSTANCE instance_;
    HWND owner_;
    HICON icon_;
    ErrorHandler onError_;
    HWND hwnd_ = nullptr;
    TForm1* form_ = nullptr;

    std::array<Timer*, 7> timers_{};
    std::array<unsigned, 7> appliedTimers_{};  // interval set with SetTimer, 0 when killed
    Dib skin_;
    const Pixels* skinSource_ = nullptr;
    bool skinBanner_ = false;
    std::array<Dib, 8> buttons_;  // Image2 .. Image7 as drawn
    int appliedWidth_ = -1;
    int appliedHeight_ = -1;
};

}  // namespace tabrix::win32
