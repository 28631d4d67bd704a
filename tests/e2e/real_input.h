#pragma once
#include <windows.h>

#include <string>

// What the Settings tests add to the real input of x_input.h (xdotool on the virtual display,
// so Wine delivers it the way a user's would; nothing is posted to the program's windows):
// clicks on windows, key sequences, screenshots and finding controls by place.
namespace e2e {

// Runs `xdotool <args>` and gives the program a moment to take the input.
bool xdo(const std::string& args);
// A click (left button unless told) at a screen point, and at the centre of a window.
bool clickAt(int x, int y, int button = 1);
bool clickOn(HWND w, int button = 1);
// Keys in xdotool's names ("F2", "Escape", "ctrl+Tab"), one after the other.
bool keys(const std::string& names);
// Saves the screen to a PNG when TABRIX_SHOTS names a folder (Unix path); else nothing.
void screenshot(const std::string& name, HWND window);

// A descendant window of the given class whose top-left corner sits at (left, top) in
// its parent's client area; null when none.
HWND childAt(HWND top, const char* className, int left, int top_);
// A descendant window of the given class with the given text.
HWND childWithText(HWND top, const char* className, const char* text);

template <typename F>
bool waitUntil(F done, int ms) {
    for (int waited = 0; waited <= ms; waited += 50) {
        if (done()) return true;
        Sleep(50);
    }
    return false;
}

}  // namespace e2e
