#include "platform/CachedSystem.h"

namespace tabrix {

bool CachedSystem::version(VersionInfo& info) {
    if (!versionKnown_) versionKnown_ = system_.version(version_);
    if (versionKnown_) info = version_;
    return versionKnown_;
}

DisplayMode CachedSystem::displayMode() {
    if (!displayKnown_) {
        display_ = system_.displayMode();
        displayKnown_ = true;
    }
    return display_;
}

bool CachedSystem::userName(std::string& name) {
    if (!userKnown_) userKnown_ = system_.userName(user_);
    if (userKnown_) name = user_;
    return userKnown_;
}

char CachedSystem::decimalSeparator() {
    if (!separatorKnown_) {
        separator_ = system_.decimalSeparator();
        separatorKnown_ = true;
    }
    return separator_;
}

std::vector<ScreenRect> CachedDesktop::monitorRects() {
    if (monitors_.empty()) monitors_ = desktop_.monitorRects();
    return monitors_;
}

}  // namespace tabrix
