#pragma once
#include <windows.h>

#include <string>

// Real input on the virtual display: xdotool, a Linux program, started from the Windows
// test through Wine, so Wine delivers the input the way a user's would (nothing is posted to
// the program's windows). Screen coordinates are the X display's, which Wine's unmanaged
// windows share.
namespace e2e {

// Runs "xdotool <args>", waits for it to end and gives the program a moment to take the
// input; true when xdotool succeeded.
bool xdotool(const std::string& args);
// Moves the pointer to x, y, lets the window under it see the move, then clicks.
bool xclick(int x, int y, int button = 1);
// The same at the centre of a window.
bool xclickOn(HWND w, int button = 1);
bool xmove(int x, int y);
// Keys as xdotool names them ("Escape", "alt+space", "ctrl+Tab"), one after the other.
bool xkey(const std::string& keys);

// Saves the window's part of the screen to a PNG when TABRIX_SHOTS names a folder (Unix
// path); else nothing.
void screenshot(const std::string& name, HWND window);

// A descendant window of the given class whose top-left corner sits at (left, top) in
// its parent's client area; null when none.
HWND childAt(HWND top, const char* className, int left, int top_);
// A descendant window of the given class with the given text.
HWND childWithText(HWND top, const char* className, const char* text);

}  // namespace e2e
