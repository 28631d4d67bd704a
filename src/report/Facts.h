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

// In the order of the enumeration.
// clang-format off
inline constexpr std::array<FactRow, kFactCount> kFacts = {{
    // fact, its label, caption label and text, Modules box, box on labels, report gate, XML, PHP, JSON, shape, group
    {Fact::CpuName,    kLabelCpuName,         0,                           nullptr,           31, ModuleLabels::OffOnly,  ReportGate::NotFalse, "name",           "processor",    "name",        JsonShape::Text,       "processor"},
    {Fact::CpuClass,   kLabelCpuClass,        kLabelCpuClassCaption,       "CPU Class:",      12, ModuleLabels::Switched, ReportGate::NotFalse, "class",          "cpuclass",     "class",       JsonShape::Text,       "processor"},
    {Fact::CpuUsage,   kLabelCpuUsage,        kLabelCpuUsageCaption,       "CPU Usage:",      11, ModuleLabels::Switched, ReportGate::NotFalse, "usage",          "currentusage", "load",        JsonShape::Percent,    "processor"},
    {Fact::Windows,    kLabelWindowsVersion,  kLabelWindowsCaption,        "Windows Ver:",    13, ModuleLabels::Switched, ReportGate::NotFalse, "name",           "winver",       "windows",     JsonShape::Text,       nullptr},
    {Fact::Memory,     kLabelMemory,          kLabelMemoryCaption,         "Memory:",         14, ModuleLabels::Switched, ReportGate::NotFalse, "memory_used",    "memused",      "memory",      JsonShape::Megabytes,  nullptr},
    {Fact::MemoryLoad, kLabelMemoryLoad,      kLabelMemoryLoadCaption,     "Memory Load:",    15, ModuleLabels::Switched, ReportGate::NotFalse, nullptr,          nullptr,        "memory_load", JsonShape::Percent,    nullptr},
    {Fact::PageFile,   kLabelVirtualMemory,   kLabelVirtualMemoryCaption,  "Virtual Memory:", 16, ModuleLabels::Switched, ReportGate::NotFalse, "virtual_memory", "virmemused",   "page_file",   JsonShape::Megabytes,  nullptr},
    {Fact::Display,    kLabelDisplay,         kLabelDisplayCaption,        "Display:",        17, ModuleLabels::Switched, ReportGate::NotFalse, nullptr,          nullptr,        nullptr,       JsonShape::None,       nullptr},
    {Fact::Uptime,     kLabelUptime,          kLabelUptimeCaption,         "Uptime:",         18, ModuleLabels::Switched, ReportGate::NotFalse, "uptime",         "uptime",       "uptime",      JsonShape::Seconds,    nullptr},
    {Fact::Connection, kLabelConnection,      kLabelConnectionCaption,     "Connection:",     19, ModuleLabels::Switched, ReportGate::NotFalse, nullptr,          nullptr,        "connection",  JsonShape::Text,       nullptr},
    {Fact::ExternalIp, kLabelExternalIp,      0,                           nullptr,           19, ModuleLabels::Switched, ReportGate::NotFalse, "ext_ip",         "ext_ip",       "external_ip", JsonShape::Text,       nullptr},
    {Fact::User,       kLabelUserName,        kLabelUserCaption,           "Name:",           20, ModuleLabels::Switched, ReportGate::NotFalse, nullptr,          nullptr,        nullptr,       JsonShape::None,       nullptr},
    {Fact::Download,   kLabelDownstream,      0,                           nullptr,           23, ModuleLabels::Switched, ReportGate::Running,  "downstream",     "downstream",   "download",    JsonShape::Rate,       nullptr},
    {Fact::Upload,     kLabelUpstream,        0,                           nullptr,           23, ModuleLabels::Switched, ReportGate::Running,  "upstream",       "upstream",     "upload",      JsonShape::Rate,       nullptr},
    {Fact::Sensor1,    kLabelSensor1Value,    kLabelSensor1Name,           "Temperature:",    21, ModuleLabels::Refresh,  ReportGate::Running,  "temp1",          "temp1",        "sensors",     JsonShape::SensorPair, nullptr},
    {Fact::Sensor2,    kLabelSensor2Value,    kLabelSensor2Name,           "Temperature:",    21, ModuleLabels::Refresh,  ReportGate::Running,  "temp2",          "temp2",        "sensors",     JsonShape::SensorPair, nullptr},
    {Fact::Sensor3,    kLabelSensor3Value,    kLabelSensor3Name,           "Temperature:",    21, ModuleLabels::Refresh,  ReportGate::Running,  "temp3",          "temp3",        "sensors",     JsonShape::SensorPair, nullptr},
    {Fact::Battery,    kLabelBattery,         0,                           nullptr,           24, ModuleLabels::Switched, ReportGate::NotFalse, nullptr,          nullptr,        "battery",     JsonShape::Text,       nullptr},
    {Fact::Song,       kLabelSong,            kLabelSongCaption,           "Song:",           22, ModuleLabels::Switched, ReportGate::Running,  nullptr,          "curplaying",   "player",      JsonShape::Player,     nullptr},
    {Fact::Drives,     kLabelDiskSpace,       0,                           nullptr,            0, ModuleLabels::Switched, ReportGate::DiskKey,  nullptr,          nullptr,        "drives",      JsonShape::Text,       nullptr},
}};
// clang-format on

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
