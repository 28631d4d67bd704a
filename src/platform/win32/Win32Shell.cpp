#include "platform/win32/Win32Shell.h"

#include <shellapi.h>

#include <cstring>

#include "platform/win32/Scoped.h"

namespace tabrix::win32 {
namespace {

constexpr uint32_t kSeeThrough = 0xFF00FF;  // the menu pictures' background
// A FILETIME counts 100 ns steps from 1601; these are the steps up to 1970.
constexpr uint64_t kFileTimeAt1970 = 116444736000000000ull;
constexpr uint64_t kFileTimePerSecond = 10000000ull;

}  // namespace

void Win32Shell::execute(const std::string& file, const std::string& parameters, const std::string& directory,
                         int showCommand) {
    ShellExecuteA(nullptr, nullptr, file.c_str(), parameters.c_str(),
                  directory.empty() ? nullptr : directory.c_str(), showCommand);
}

void Win32Shell::open(const std::string& document, int showCommand) {
    ShellExecuteA(nullptr, "open", document.c_str(), nullptr, nullptr, showCommand);
}

int64_t Win32Clock::utcSeconds() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const uint64_t t = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<int64_t>((t - kFileTimeAt1970) / kFileTimePerSecond);
}

bool Win32Clipboard::setText(const std::string& text) {
    if (!OpenClipboard(window)) return false;
    EmptyClipboard();
    bool done = false;
    ScopedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (memory) {
        if (void* bytes = GlobalLock(memory.get())) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            GlobalUnlock(memory.get());
            done = SetClipboardData(CF_TEXT, memory.get()) != nullptr;
        }
        // Once set, the clipboard owns the memory.
        if (done) memory.release();
    }
    CloseClipboard();
    return done;
}

Win32WindowSystem::Win32WindowSystem(HINSTANCE instance) {
    for (int i = 0; i < kMenuIconCount; ++i) icons_[i] = loadBitmapResource(instance, kBmpMenuFirst + i);
}

void Win32WindowSystem::setMenuIcons(const std::array<Pixels, kMenuIconCount>& icons, int size, int gap) {
    icons_ = icons;
    iconSize_ = size;
    iconGap_ = gap;
}

void Win32WindowSystem::setForeground() {
    SetForegroundWindow(window);
}

Point Win32WindowSystem::cursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void Win32WindowSystem::postNull() {
    PostMessageA(window, WM_NULL, 0, 0);
}

void Win32WindowSystem::placeOwner(const OwnerPlacement& placement) {
    if (!owner) return;
    WINDOWPLACEMENT wp{};
    wp.length = placement.length;
    wp.flags = placement.flags;
    wp.showCmd = placement.showCommand;
    wp.ptMinPosition = {placement.minPosition.x, placement.minPosition.y};
    SetWindowPlacement(owner, &wp);
}

HMENU Win32WindowSystem::build(const std::vector<MenuItem>& items) const {
    HMENU menu = CreatePopupMenu();
    UINT position = 0;
    for (const MenuItem& m : items) {
        if (!m.visible) continue;
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        if (m.separator()) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
        } else {
            info.fMask = MIIM_STRING | MIIM_ID | MIIM_DATA | MIIM_BITMAP | MIIM_STATE;
            info.fState = (m.enabled ? MFS_ENABLED : MFS_GRAYED) | (m.checked ? MFS_CHECKED : MFS_UNCHECKED);
            info.wID = static_cast<UINT>(m.command);
            info.dwTypeData = const_cast<char*>(m.caption.c_str());
            info.dwItemData = static_cast<ULONG_PTR>(m.icon);
            info.hbmpItem = m.icon ? HBMMENU_CALLBACK : nullptr;
            if (!m.items.empty()) {
                info.fMask |= MIIM_SUBMENU;
                info.hSubMenu = build(m.items);
            }
        }
        InsertMenuItemA(menu, position++, TRUE, &info);
    }
    return menu;
}

int Win32WindowSystem::popupMenu(const std::vector<MenuItem>& menu, Point at) {
    const ScopedMenu popup(build(menu));
    return static_cast<int>(TrackPopupMenu(popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                           at.y, 0, window, nullptr));
}

bool Win32WindowSystem::measureItem(MEASUREITEMSTRUCT& item) const {
    if (item.CtlType != ODT_MENU) return false;
    item.itemWidth = iconSize_ + iconGap_;
    item.itemHeight = iconSize_;
    return true;
}

bool Win32WindowSystem::drawItem(const DRAWITEMSTRUCT& item) const {
    if (item.CtlType != ODT_MENU) return false;
    const size_t index = static_cast<size_t>(item.itemData);
    if (index < 1 || index > icons_.size()) return true;
    const Pixels& icon = icons_[index - 1];
    const int left = item.rcItem.left;
    const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - icon.height) / 2;
    // Only the picture's own pixels: the menu's background, highlighted or not, stays.
    for (int y = 0; y < icon.height; ++y)
        for (int x = 0; x < icon.width; ++x) {
            const uint32_t c = icon.data[static_cast<size_t>(y) * icon.width + x];
            if (c == kSeeThrough) continue;
            SetPixelV(item.hDC, left + x, top + y, RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF));
        }
    return true;
}

}  // namespace tabrix::win32
