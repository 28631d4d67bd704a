#include "report/ReportOutput.h"

#include <utility>

#include "platform/Error.h"

namespace tabrix {

ReportOutput::ReportOutput(Files& files, Codepage& codepage, ReportFacts& facts, LabelText labelText,
                           ShowError showError, std::string version)
    : files_(files),
      codepage_(codepage),
      facts_(facts),
      labelText_(std::move(labelText)),
      showError_(std::move(showError)),
      version_(std::move(version)) {}

void ReportOutput::SaveResult(const std::string& stem, bool enablePhp, bool enableXml, const JsonTick* json,
                              const MetricsTick* metrics) {
    haveNumbers_ = false;
    try {
        if (enablePhp) SaveResultPHP(stem);
        if (enableXml) SaveResultXML(stem);
        if (json) SaveResultJSON(stem, *json);
        if (metrics) SaveResultMetrics(*metrics);
    } catch (...) {
        showError_(kCannotInitializeOutput);
    }
}

void ReportOutput::SaveResultPHP(const std::string& stem) {
    try {
        const ReportLabels labels = readReportLabels(labelText_, version_);
        const SystemNumbers numbers = this->numbers();
        const std::string song = facts_.currentSong();
        write(stem + ".php", reportText(phpReportLines(labels, numbers, song)));
    } catch (...) {
        showError_(kCannotOutputPhp);
    }
}

void ReportOutput::SaveResultXML(const std::string& stem) {
    try {
        const ReportLabels labels = readReportLabels(labelText_, version_);
        const std::string windowsName = facts_.windowsVersionText();
        const SystemNumbers numbers = this->numbers();
        // The declaration promises UTF-8; the labels hold ANSI text.
        const std::string text = reportText(xmlReportLines(labels, windowsName, numbers));
        write(stem + ".xml", codepage_.ansiToUtf8(text));
    } catch (...) {
        showError_(kCannotOutputXml);
    }
}

void ReportOutput::SaveResultJSON(const std::string& stem, const JsonTick& tick) {
    try {
        const ReportLabels labels = readReportLabels(labelText_, version_);
        write(stem + ".json", jsonReportText(labels, tick, codepage_));
    } catch (...) {
        showError_(kCannotOutputJson);
    }
}

void ReportOutput::SaveResultMetrics(const MetricsTick& tick) {
    try {
        const ReportLabels labels = readReportLabels(labelText_, version_);
        write(tick.path, metricsText(metricsSnapshot(labels, tick, codepage_)));
    } catch (...) {
        showError_(kCannotOutputMetrics);
    }
}

SystemNumbers ReportOutput::numbers() {
    if (!haveNumbers_) {
        numbers_ = display_ ? facts_.systemNumbersWith(*display_) : facts_.systemNumbers();
        haveNumbers_ = true;
    }
    return numbers_;
}

void ReportOutput::write(const std::string& path, const std::string& bytes) {
    // Rewritten every few seconds: the one-step replace, without waiting for the disk.
    if (!files_.replaceUnflushed(path, bytes)) throw Error("Unable to write to " + path);
}

}  // namespace tabrix
