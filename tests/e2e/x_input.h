#pragma once
#include <string>

// Real input on the virtual display: xdotool, a Linux program, started from the Windows
// test through Wine. Screen coordinates are the X display's, which Wine's unmanaged windows
// share.
namespace e2e {

// Runs "xdotool <args>" and waits for it to end; true when it succeeded.
bool xdotool(const std::string& args);
// Moves the pointer to x, y, lets the window under it see the move, then clicks.
bool xclick(int x, int y, int button = 1);
bool xmove(int x, int y);
// A key as xdotool names it ("Escape", "alt+space").
bool xkey(const std::string& keys);

}  // namespace e2e
