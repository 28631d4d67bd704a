#pragma once
#include <string>
#include <vector>

#include "platform/ShellApi.h"

namespace tabrix {

enum class SensorSource;
enum class PlayerKind;

// What the main window asks of the program around it: the windows it does not own and
// its own end. A request made from inside one of the window's handlers never destroys the
// window while that handler runs.
class MainWindowOwner {
public:
    virtual ~MainWindowOwner() = default;
    // Rebuilds the main window once the handler that asked has returned.
    virtual void reloadMainWindow() = 0;
    virtual void showSettings() = 0;
    virtual void showAbout() = 0;
    // Closes the main window: its close handler runs, then the program ends.
    virtual void closeMainWindow() = 0;
    // Ends the program at once; no close handler runs.
    virtual void terminate() = 0;
    // The sensor pairs now come from another source (SensorSource), or none.
    virtual void sensorSourceChanged(SensorSource) {}
    // The song line now follows another player, or none.
    virtual void playerChanged(PlayerKind) {}
};

// The commands the popup menu `pmenu1` answers with.
enum MenuCommand {
    kMenuShow = 101,
    kMenuReload,
    kMenuSettings,
    kMenuAbout,
    kMenuUpdate,
    kMenuSavePosition,
    kMenuHelp,
    kMenuCopyIp,
    kMenuCopyCpu,
    kMenuExit,
    kMenuClickThrough,
};

// The entries' pictures, numbered from 1 in the order the program's resources keep them.
enum MenuIcon {
    kIconShowHide = 1,
    kIconReload,
    kIconSettings,
    kIconAbout,
    kIconUpdate,
    kIconSavePosition,
    kIconHelp,
    kIconMisc,
    kIconCopyIp,
    kIconCopyCpu,
    kIconExit,
};

// `pmenu1` as designed, with `Show1` saying "Hide".
std::vector<MenuItem> designMenu();
// The entry of that component name, also inside a submenu; throws when there is none.
MenuItem& findMenuItem(std::vector<MenuItem>& menu, const std::string& name);
const MenuItem& findMenuItem(const std::vector<MenuItem>& menu, const std::string& name);

}  // namespace tabrix
