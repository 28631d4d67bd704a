#include "platform/win32/RealPlatform.h"

#include "sources/ExternalIp.h"

namespace tabrix::win32 {
namespace {

VersionInfo readVersion(SystemApi& system) {
    VersionInfo version;
    system.version(version);
    return version;
}

}  // namespace

RealPlatform::RealPlatform(HINSTANCE instance, const std::string& programDir)
    : version(readVersion(system)),
      facts(system, cpuid, version),
      windows(instance),
      ipLookup(instance, IpFetch{FetchUrl, kIpFetchLimitMs, kFetchFailed}),
      platform{files,    ui,     desktop,      text,     tray,       programDir, facts,
               codepage, system, player,       shell,    clipboard,  windows,    clock,
               network,  disks,  sharedMemory, ipLookup, settingsUi, cpu} {
    platform.executablePath = executablePath();
}

}  // namespace tabrix::win32
