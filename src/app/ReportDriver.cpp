#include "app/ReportDriver.h"

#include <utility>

#include "app/ErrorSink.h"
#include "app/StoredValues.h"
#include "platform/Platform.h"

namespace tabrix {
namespace {

// The Windows version the reports name, read once for the window (zeros when unreadable).
VersionInfo startVersion(SystemApi& system) {
    VersionInfo version;
    system.version(version);
    return version;
}

}  // namespace

ReportDriver::ReportDriver(Platform& platform, ErrorSink& errors, LabelText labels)
    : platform_(platform),
      errors_(errors),
      labels_(std::move(labels)),
      facts_(platform.system, platform.player, startVersion(platform.system), "") {}

void ReportDriver::FileTimer1Timer(const StoredValues& stored) {
    ReportOutput out(
        platform_.files, platform_.codepage, facts_, labels_,
        [this](const std::string& m) { errors_.ShowErrorDialog(m); }, stored.version);
    out.useDisplayMode(displayRead_ ? &display_ : nullptr);
    // savepath is read afresh (through the cache); an error there is not the writers' to report.
    const std::string stem = readSavePath(platform_.files, platform_.configPath(), savePath_);
    out.SaveResult(stem, stored.settings.enablePhp, stored.settings.enableXml);
}

}  // namespace tabrix
