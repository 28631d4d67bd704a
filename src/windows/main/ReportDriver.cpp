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

// A fact is reported while its gate is open: its Modules box does not say "False", or the part
// behind it runs (the sensors and the traffic meter only when their box says "True").
bool reported(const FactRow& row, const StoredValues& stored) {
    switch (row.gate) {
        case ReportGate::NotFalse:
            return stored.settings.module(row.checkBox) != ModuleSwitch::False;
        case ReportGate::DiskKey:
            return stored.settings.getDiskSpace;
        case ReportGate::Running:
            break;
    }
    switch (row.fact) {
        case Fact::Song:
            return stored.songModule != ModuleFlag::Off;
        case Fact::Download:
        case Fact::Upload:
            return stored.trafficModule;
        default:
            return stored.sensorModule;
    }
}

JsonFacts jsonFacts(const StoredValues& stored) {
    JsonFacts f;
    for (const FactRow& row : kFacts) f.on[row.fact] = reported(row, stored);
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
