#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/ShellApi.h"

namespace tabrix {

// Records every shell call; onExecute lets a test make the started program appear.
class FakeShell : public Shell {
public:
    struct Call {
        std::string file;
        std::string parameters;
        std::string directory;
        int showCommand;
        std::string verb;  // empty: the default verb
    };
    void execute(const std::string& file, const std::string& parameters, const std::string& directory,
                 int showCommand) override;
    void open(const std::string& document, int showCommand) override;

    std::vector<Call> calls;
    std::function<void(const Call&)> onExecute;
};

class FakeClipboard : public Clipboard {
public:
    bool setText(const std::string& text) override;
    std::vector<std::string> texts;  // every text put on, in order
    bool refuse = false;
};

// Virtual time: a test moves it on.
class FakeClock : public Clock {
public:
    uint32_t now() override { return time; }
    int64_t utcSeconds() override { return utc; }
    uint32_t time = 1000;
    int64_t utc = 1796774400;  // 2026-12-09 00:00:00 UTC
};

// The main window's surroundings: the popup answers `choice`; every effect is logged by name
// ("foreground", "cursor", "popup", "null", "owner") in the order it happened.
class FakeWindowSystem : public WindowSystem {
public:
    void setForeground() override { log.push_back("foreground"); }
    Point cursorPos() override;
    int popupMenu(const std::vector<MenuItem>& menu, Point at) override;
    void postNull() override { log.push_back("null"); }
    void placeOwner(const OwnerPlacement& placement) override;

    std::vector<std::string> log;
    Point cursor{300, 400};
    int choice = 0;
    std::vector<MenuItem> lastMenu;
    Point lastAt;
    std::vector<OwnerPlacement> placements;
};

}  // namespace tabrix
