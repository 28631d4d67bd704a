#include "app/RealPlatform_win.h"

#include "sources/ExternalIp.h"
#include "sources/LhmWebServer.h"

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
      sensorLookup(instance, IpFetch{FetchLhmJson, kLhmFetchLimitMs, kLhmFailed, true, kLhmSilenceMs}),
      platform{files,        ui,       desktop,  text,         tray,       programDir, facts,   codepage,
               system,       player,   shell,    clipboard,    windows,    clock,      network, disks,
               sharedMemory, registry, ipLookup, sensorLookup, settingsUi, cpu} {
    platform.executablePath = executablePath();
}

}  // namespace tabrix::win32
