#include "platform/fake/FakeSystem.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

namespace tabrix {

bool FakeSystem::versionAnswer(VersionInfo& info) {
    if (!versionWorks) return false;
    info = versionInfo;
    return true;
}

bool FakeSystem::userAnswer(std::string& name) {
    if (!userNameWorks) return false;
    name = user;
    return true;
}

bool FakeSystem::connectedState(uint32_t& flags) {
    flags = connectionFlags;
    return connected;
}

PerfQuery FakePerformance::queryPerformanceData(const std::string& valueName, uint8_t* buffer, uint32_t size,
                                                uint32_t& returned) {
    querySizes.push_back(size);
    queryNames.push_back(valueName);
    returned = 0;
    if (queryFails) return PerfQuery::Failed;
    if (extraMoreData > 0) {
        --extraMoreData;
        return PerfQuery::MoreData;
    }
    if (data.size() > size) return PerfQuery::MoreData;
    std::copy(data.begin(), data.end(), buffer);
    returned = static_cast<uint32_t>(data.size());
    return PerfQuery::Success;
}

bool FakePerformance::systemTimes(uint64_t& idle, uint64_t& kernel, uint64_t& user) {
    ++systemTimesCalls;
    if (!hasSystemTimes) return false;
    idle = idleTime;
    kernel = kernelTime;
    user = userTime;
    return true;
}

namespace {

// Counts itself among the open keys while it lives.
class FakeDynKey : public PerformanceApi::DynKey {
public:
    FakeDynKey(FakePerformance& api, std::string subKey) : api_(api), subKey_(std::move(subKey)) {
        ++api_.openKeys;
    }
    ~FakeDynKey() override { --api_.openKeys; }
    bool readDword(const std::string& valueName, uint32_t& value) override {
        if (valueName != "KERNEL\\CPUUsage") return false;
        api_.reads.push_back(subKey_);
        value = api_.dynKeys[subKey_];
        return true;
    }

private:
    FakePerformance& api_;
    std::string subKey_;
};

}  // namespace

std::unique_ptr<PerformanceApi::DynKey> FakePerformance::openDynKey(const std::string& subKey,
                                                                    bool fullAccess) {
    opened.push_back(subKey + (fullAccess ? " rw" : " r"));
    if (dynKeys.count(subKey) == 0) return nullptr;
    return std::make_unique<FakeDynKey>(*this, subKey);
}

CpuidRegisters FakeCpuid::cpuid(uint32_t leaf) {
    executed.push_back(leaf);
    auto it = leaves.find(leaf);
    return it == leaves.end() ? CpuidRegisters{} : it->second;
}

void FakeCpuid::setBrand(const std::string& brand) {
    uint8_t bytes[48] = {};
    std::memcpy(bytes, brand.data(), std::min<std::size_t>(brand.size(), sizeof bytes));
    leaves[0x80000000u].eax = 0x80000004u;
    for (uint32_t leaf = 0; leaf < 3; ++leaf) {
        uint32_t regs[4];
        for (int r = 0; r < 4; ++r) {
            const uint8_t* b = bytes + leaf * 16 + r * 4;
            regs[r] = b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24;
        }
        leaves[0x80000002u + leaf] = {regs[0], regs[1], regs[2], regs[3]};
    }
}

PlayerWindow::Handle FakePlayerWindow::find(const std::string& className) {
    ++finds;
    for (const auto& [handle, window] : windows_)
        if (window.className == className) return handle;
    return 0;
}

std::string FakePlayerWindow::caption(Handle window) {
    auto it = windows_.find(window);
    return it == windows_.end() ? std::string() : it->second.caption;
}

bool FakePlayerWindow::sendCommand(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                                   uint32_t timeoutMs) {
    commands.push_back({window, message, wParam, lParam, timeoutMs});
    return windows_.count(window) != 0 && !hung;
}

PlayerWindow::Handle FakePlayerWindow::open(const std::string& className, const std::string& caption,
                                            const std::string& process) {
    Handle handle = next_++;
    windows_[handle] = {className, caption, process};
    return handle;
}

std::vector<PlayerWindow::TopWindow> FakePlayerWindow::topWindows() {
    ++enumerations;
    std::vector<TopWindow> list;
    for (const auto& [handle, window] : windows_) list.push_back({handle, window.className, window.caption});
    return list;
}

bool FakePlayerWindow::post(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    commands.push_back({window, message, wParam, lParam, 0});
    return windows_.count(window) != 0;
}

bool FakePlayerWindow::ask(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                           uint32_t timeoutMs, uintptr_t& reply) {
    reply = 0;
    if (!sendCommand(window, message, wParam, lParam, timeoutMs)) return false;
    reply = answer;
    return true;
}

void FakePlayerWindow::close(Handle window) {
    windows_.erase(window);
}

void FakePlayerWindow::setCaption(Handle window, const std::string& caption) {
    windows_[window].caption = caption;
}

}  // namespace tabrix
