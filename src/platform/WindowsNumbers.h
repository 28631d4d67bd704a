#pragma once
// The system's message, key and command numbers the portable behaviour compares against,
// named once here so that nothing outside the Win32 layer needs <windows.h>. The Win32
// side checks each against the system's own definition (MainWindowView_events.cpp).
#include <cstdint>

namespace tabrix {

// Messages.
constexpr uint32_t kMsgCommand = 0x0111;       // WM_COMMAND
constexpr uint32_t kMsgLeftButtonDown = 513;   // WM_LBUTTONDOWN
constexpr uint32_t kMsgRightButtonDown = 516;  // WM_RBUTTONDOWN
// The tray icon's callback message: the first of the program's own (WM_USER + 1).
constexpr uint32_t kTrayCallbackMessage = 0x401;

// System menu commands.
constexpr uint32_t kSysCommandClose = 0xF060;  // SC_CLOSE
// The entry start-up adds to the system menu.
constexpr uint32_t kAboutCommand = 0x401;

// Virtual keys.
constexpr int kKeyF1 = 112;
constexpr int kKeyF2 = 113;
constexpr int kEscapeKey = 27;  // closes a dialog
constexpr int kKeyOemPlus = 187;
constexpr int kKeyOemMinus = 189;

// The notification-area record: its size as the first shell versions know it, and the
// message, icon and tip members marked valid (NIF_MESSAGE | NIF_ICON | NIF_TIP).
constexpr uint32_t kTrayRecordSize = 88;
constexpr uint32_t kTrayRecordFlags = 7;

}  // namespace tabrix
