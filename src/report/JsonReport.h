#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Codepage.h"
#include "platform/SystemApi.h"
#include "report/ReportLines.h"
#include "sources/DriveSpace.h"

namespace tabrix {

// A sensor pair as its reader last left it: shown or hidden, and the number and unit its value
// text was made from (a text such as "1.5E17 RPM" does not read back as its number).
struct SensorFigure {
    bool shown = false;
    double value = 0;
    std::string unit;
};

// The figures the label texts were made from, kept as they were when each label last got
// its text, so that a number in the JSON report is the one of the text beside it. Empty
// until the label first got a figure.
struct LabelFigures {
    std::optional<double> cpuLoad;          // Label4: the sampler's fraction
    std::optional<MemoryStatus> memory;     // Label10, Label12 and Label16
    std::optional<uint32_t> uptimeMs;       // Label20: the tick count
    std::optional<uint32_t> receivedBytes;  // Label32: the second's bytes
    std::optional<uint32_t> sentBytes;      // Label33
    std::optional<std::string> song;        // the last song poll's answer
    SensorFigure sensors[kShownSensors];    // Label25 to Label30

    // The metrics report's too: the program the pairs come from (empty: none answers), the
    // power status label34 was made from, the drives of Label36.
    std::string sensorProgram;
    std::optional<PowerStatus> power;
    std::optional<std::vector<DriveSpace>> drives;
};

// The facts reported (each fact's gate open; all by default); the others are null.
struct JsonFacts {
    JsonFacts() { on.values.fill(true); }
    PerFact<bool> on;
    bool operator[](Fact fact) const { return on[fact]; }
};

// What the JSON report takes besides the labels.
struct JsonTick {
    LabelFigures figures;
    JsonFacts facts;
    int64_t writtenUtc = 0;  // seconds since 1970-01-01 00:00 UTC
};

// "2026-12-09T00:00:00Z".
std::string isoUtcText(int64_t secondsSince1970);

// The JSON report's bytes: one object, UTF-8 without a byte-order mark, every label text
// converted from the system's code page. Throws Error when a text cannot be converted.
std::string jsonReportText(const ReportLabels& labels, const JsonTick& tick, Codepage& codepage);

}  // namespace tabrix
