#include "platform/fake/FakeShell.h"

namespace tabrix {

void FakeShell::execute(const std::string& file, const std::string& parameters, const std::string& directory,
                        int showCommand) {
    calls.push_back({file, parameters, directory, showCommand, ""});
    if (onExecute) onExecute(calls.back());
}

void FakeShell::open(const std::string& document, int showCommand) {
    calls.push_back({document, "", "", showCommand, "open"});
    if (onExecute) onExecute(calls.back());
}

bool FakeClipboard::setText(const std::string& text) {
    if (refuse) return false;
    texts.push_back(text);
    return true;
}

Point FakeWindowSystem::cursorPos() {
    log.push_back("cursor");
    return cursor;
}

int FakeWindowSystem::popupMenu(const std::vector<MenuItem>& menu, Point at) {
    log.push_back("popup");
    lastMenu = menu;
    lastAt = at;
    return choice;
}

void FakeWindowSystem::placeOwner(const OwnerPlacement& placement) {
    log.push_back("owner");
    placements.push_back(placement);
}

}  // namespace tabrix
