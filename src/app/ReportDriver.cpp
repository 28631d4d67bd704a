#include "app/ReportDriver.h"

#include <utility>

#include "app/ErrorSink.h"
#include "app/StoredValues.h"
#include "platform/Platform.h"

namespace tabrix {

ReportDriver::ReportDriver(Platform& platform, ErrorSink& errors, LabelText labels)
    : platform_(platform), errors_(errors), labels_(std::move(labels)) {}

void ReportDriver::FileTimer1Timer(const StoredValues& stored) {
    ReportOutput out(
        platform_.files, platform_.codepage, platform_.reportFacts, labels_,
        [this](const std::string& m) { errors_.ShowErrorDialog(m); }, stored.version);
    out.useDisplayMode(displayRead_ ? &display_ : nullptr);
    out.FileTimer1Timer(platform_.configPath(), stored.settings.enablePhp, stored.settings.enableXml,
                        &savePath_);
}

}  // namespace tabrix
