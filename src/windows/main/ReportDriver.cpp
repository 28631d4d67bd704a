#include "windows/main/ReportDriver.h"

#include <utility>

#include "platform/Platform.h"
#include "platform/ShellApi.h"
#include "windows/ErrorSink.h"
#include "windows/main/StoredValues.h"

namespace tabrix {
namespace {

// The Windows version the reports name, read once for the window (zeros when unreadable).
VersionInfo startVersion(SystemApi& system) {
    VersionInfo version;
    system.version(version);
    return version;
}

// A module's facts are reported while its key does not say "False"; the sensors and the
// traffic meter run only when theirs says "True".
JsonFacts jsonFacts(const StoredValues& stored) {
    const StartupSettings& s = stored.settings;
    auto on = [&s](int checkBox) { return s.module(checkBox) != ModuleSwitch::False; };
    JsonFacts f;
    f.cpuLoad = on(11);
    f.cpuClass = on(12);
    f.windows = on(13);
    f.memory = on(14);
    f.memoryLoad = on(15);
    f.pageFile = on(16);
    f.uptime = on(18);
    f.connection = on(19);
    f.sensors = stored.sensorModule;
    f.player = stored.songModule != ModuleFlag::Off;
    f.traffic = stored.trafficModule;
    f.battery = on(24);
    f.cpuName = on(31);
    f.drives = s.getDiskSpace;
    return f;
}

}  // namespace

ReportDriver::ReportDriver(Platform& platform, ErrorSink& errors, LabelText labels,
                           SourceReportFacts::Song song)
    : platform_(platform),
      errors_(errors),
      labels_(std::move(labels)),
      facts_(platform.system, startVersion(platform.system), std::move(song)) {}

void ReportDriver::FileTimer1Timer(const StoredValues& stored) {
    ReportOutput out(
        platform_.files, platform_.codepage, facts_, labels_,
        [this](const std::string& m) { errors_.ShowErrorDialog(m); }, stored.version);
    out.useDisplayMode(displayRead_ ? &display_ : nullptr);
    // savepath is read afresh (through the cache); an error there is not the writers' to report.
    const std::string stem = readSavePath(platform_.files, platform_.configPath(), savePath_);
    const bool jsonOn = stored.settings.enableJson;
    JsonTick json;
    if (jsonOn) json = {figures_, jsonFacts(stored), platform_.clock.utcSeconds()};
    const bool metricsOn = stored.settings.enableMetrics;
    MetricsTick metrics;
    if (metricsOn)
        metrics = {metricsPath(stored.settings.metricsPath, stem), figures_, jsonFacts(stored),
                   stored.receivedTotal, stored.sentTotal};
    out.SaveResult(stem, stored.settings.enablePhp, stored.settings.enableXml, jsonOn ? &json : nullptr,
                   metricsOn ? &metrics : nullptr);
}

}  // namespace tabrix
