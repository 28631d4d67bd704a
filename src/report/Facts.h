#pragma once
#include <array>
#include <string>

#include "controls/MainLabels.h"

// The facts the main window shows and the reports carry, one row each: the label that shows
// it, its caption, the Modules box that switches it, and its name in each report. The window's
// module switching, the reports' label reading and the JSON report's walk all read this table,
// so a fact's places cannot disagree.
namespace tabrix {

// In the order of the window and the JSON report.
enum class Fact : int {
    CpuName,
    CpuClass,
    CpuUsage,
    Windows,
    Memory,
    MemoryLoad,
    PageFile,
    Display,
    Uptime,
    Connection,
    ExternalIp,
    User,
    Download,
    Upload,
    Sensor1,
    Sensor2,
    Sensor3,
    Battery,
    Song,
    Drives,
};
constexpr int kFactCount = static_cast<int>(Fact::Drives) + 1;

// How a Modules box acts on its fact's labels at start-up.
enum class ModuleLabels {
    Switched,  // "True" shows them, "False" hides them, anything else keeps the design
    OffOnly,   // only "False" acts: the processor name is never switched on
    Refresh,   // the refresh tick shows them (the sensor pairs)
};

// When a fact is reported rather than null.
enum class ReportGate {
    NotFalse,  // while its box does not say "False"
    Running,   // while its part runs: the sensors, the player, the traffic meter
    DiskKey,   // while ShouldGetDisk is 1
};

// How the JSON report writes a fact: its text, or the text with the figure it was made from.
enum class JsonShape { None, Text, Percent, Megabytes, Seconds, Rate, SensorPair, Player };

struct FactRow {
    Fact fact;
    int label;                // the label showing it
    int caption;              // its caption label (a sensor pair's name label); 0: none
    const char* captionText;  // the caption as designed; null: the label design's own
    int checkBox;             // its box on Settings' Modules page (CheckBox11 ...); 0: none
    ModuleLabels labels;
    ReportGate gate;
    const char* xml;   // its element in the XML report; null: not there
    const char* php;   // its variable in the PHP report; null: not there
    const char* json;  // its key in the JSON report; null: not there
    JsonShape shape;
    const char* jsonGroup;  // the object it sits in; null: the top level
};

extern const std::array<FactRow, kFactCount> kFacts;

inline const FactRow& factRow(Fact fact) {
    return kFacts[static_cast<int>(fact)];
}

// A value for each fact.
template <typename T>
struct PerFact {
    std::array<T, kFactCount> values{};
    T& operator[](Fact f) { return values[static_cast<int>(f)]; }
    const T& operator[](Fact f) const { return values[static_cast<int>(f)]; }
};

// The three sensor pairs' facts, first pair first.
constexpr Fact kSensorFacts[] = {Fact::Sensor1, Fact::Sensor2, Fact::Sensor3};

}  // namespace tabrix
