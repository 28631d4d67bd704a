#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Codepage.h"
#include "report/JsonReport.h"
#include "report/MetricsReport.h"
#include "report/ReportLines.h"

namespace tabrix {

// What the metrics report takes besides the labels: the JSON report's figures and modules, the
// file and the traffic meter's totals, which outlive a rebuilt window.
struct MetricsTick {
    std::string path;
    LabelFigures figures;
    JsonFacts facts;
    std::optional<uint64_t> receivedTotal;
    std::optional<uint64_t> sentTotal;
};

// metricspath, or when it is empty the report stem with ".prom".
std::string metricsPath(const std::string& configured, const std::string& stem);

// The facts of the labels and their figures in base units, texts converted from the system's
// code page. Throws Error when a text cannot be converted.
MetricsSnapshot metricsSnapshot(const ReportLabels& labels, const MetricsTick& tick, Codepage& codepage);

}  // namespace tabrix
