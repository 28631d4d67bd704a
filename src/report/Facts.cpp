#include "report/Facts.h"

namespace tabrix {
namespace {

using M = ModuleLabels;
using G = ReportGate;
using J = JsonShape;

}  // namespace

// clang-format off
const std::array<FactRow, kFactCount> kFacts = {{
    // fact             label                  caption                      caption text       box  labels      gate         XML               PHP             JSON           shape         group
    {Fact::CpuName,    kLabelCpuName,         0,                           nullptr,           31, M::OffOnly,  G::NotFalse, "name",           "processor",    "name",        J::Text,       "processor"},
    {Fact::CpuClass,   kLabelCpuClass,        kLabelCpuClassCaption,       "CPU Class:",      12, M::Switched, G::NotFalse, "class",          "cpuclass",     "class",       J::Text,       "processor"},
    {Fact::CpuUsage,   kLabelCpuUsage,        kLabelCpuUsageCaption,       "CPU Usage:",      11, M::Switched, G::NotFalse, "usage",          "currentusage", "load",        J::Percent,    "processor"},
    {Fact::Windows,    kLabelWindowsVersion,  kLabelWindowsCaption,        "Windows Ver:",    13, M::Switched, G::NotFalse, "name",           "winver",       "windows",     J::Text,       nullptr},
    {Fact::Memory,     kLabelMemory,          kLabelMemoryCaption,         "Memory:",         14, M::Switched, G::NotFalse, "memory_used",    "memused",      "memory",      J::Megabytes,  nullptr},
    {Fact::MemoryLoad, kLabelMemoryLoad,      kLabelMemoryLoadCaption,     "Memory Load:",    15, M::Switched, G::NotFalse, nullptr,          nullptr,        "memory_load", J::Percent,    nullptr},
    {Fact::PageFile,   kLabelVirtualMemory,   kLabelVirtualMemoryCaption,  "Virtual Memory:", 16, M::Switched, G::NotFalse, "virtual_memory", "virmemused",   "page_file",   J::Megabytes,  nullptr},
    {Fact::Display,    kLabelDisplay,         kLabelDisplayCaption,        "Display:",        17, M::Switched, G::NotFalse, nullptr,          nullptr,        nullptr,       J::None,       nullptr},
    {Fact::Uptime,     kLabelUptime,          kLabelUptimeCaption,         "Uptime:",         18, M::Switched, G::NotFalse, "uptime",         "uptime",       "uptime",      J::Seconds,    nullptr},
    {Fact::Connection, kLabelConnection,      kLabelConnectionCaption,     "Connection:",     19, M::Switched, G::NotFalse, nullptr,          nullptr,        "connection",  J::Text,       nullptr},
    {Fact::ExternalIp, kLabelExternalIp,      0,                           nullptr,           19, M::Switched, G::NotFalse, "ext_ip",         "ext_ip",       "external_ip", J::Text,       nullptr},
    {Fact::User,       kLabelUserName,        kLabelUserCaption,           "Name:",           20, M::Switched, G::NotFalse, nullptr,          nullptr,        nullptr,       J::None,       nullptr},
    {Fact::Download,   kLabelDownstream,      0,                           nullptr,           23, M::Switched, G::Running,  "downstream",     "downstream",   "download",    J::Rate,       nullptr},
    {Fact::Upload,     kLabelUpstream,        0,                           nullptr,           23, M::Switched, G::Running,  "upstream",       "upstream",     "upload",      J::Rate,       nullptr},
    {Fact::Sensor1,    kLabelSensor1Value,    kLabelSensor1Name,           "Temperature:",    21, M::Refresh,  G::Running,  "temp1",          "temp1",        "sensors",     J::SensorPair, nullptr},
    {Fact::Sensor2,    kLabelSensor2Value,    kLabelSensor2Name,           "Temperature:",    21, M::Refresh,  G::Running,  "temp2",          "temp2",        "sensors",     J::SensorPair, nullptr},
    {Fact::Sensor3,    kLabelSensor3Value,    kLabelSensor3Name,           "Temperature:",    21, M::Refresh,  G::Running,  "temp3",          "temp3",        "sensors",     J::SensorPair, nullptr},
    {Fact::Battery,    kLabelBattery,         0,                           nullptr,           24, M::Switched, G::NotFalse, nullptr,          nullptr,        "battery",     J::Text,       nullptr},
    {Fact::Song,       kLabelSong,            kLabelSongCaption,           "Song:",           22, M::Switched, G::Running,  nullptr,          "curplaying",   "player",      J::Player,     nullptr},
    {Fact::Drives,     kLabelDiskSpace,       0,                           nullptr,            0, M::Switched, G::DiskKey,  nullptr,          nullptr,        "drives",      J::Text,       nullptr},
}};
// clang-format on

}  // namespace tabrix
