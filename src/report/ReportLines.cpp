#include "report/ReportLines.h"

#include "controls/MainLabels.h"
#include "sources/WAmpMsg.h"

namespace tabrix {
namespace {

// substr that stops early at the end of the text instead of throwing.
std::string cut(const std::string& text, size_t from, size_t count) {
    return from < text.size() ? text.substr(from, count) : std::string();
}

// Opening tag, value, closing tag, each on its own line.
void element(std::vector<std::string>& lines, const std::string& tag, const std::string& value) {
    lines.push_back("<" + tag + ">");
    lines.push_back(xmlText(value));
    lines.push_back("</" + tag + ">");
}

void variable(std::vector<std::string>& lines, const std::string& name, const std::string& value) {
    lines.push_back("$" + name + " = \"" + phpQuoted(value) + "\";");
}

}  // namespace

ReportLabels readReportLabels(const LabelText& labelText, const std::string& version) {
    ReportLabels l;
    l.version = version;
    l.cpuName = labelText(kLabelCpuName);
    l.cpuUsage = labelText(kLabelCpuUsage);
    l.cpuClass = labelText(kLabelCpuClass);
    l.windowsName = labelText(kLabelWindowsVersion);
    l.memoryUsed = labelText(kLabelMemory);
    l.virtualMemory = labelText(kLabelVirtualMemory);
    l.uptime = labelText(kLabelUptime);
    l.temp1 = labelText(kLabelSensor1Value);
    l.temp2 = labelText(kLabelSensor2Value);
    l.temp3 = labelText(kLabelSensor3Value);
    l.externalIp = labelText(kLabelExternalIp);
    l.downstream = labelText(kLabelDownstream);
    l.upstream = labelText(kLabelUpstream);
    l.memoryLoad = labelText(kLabelMemoryLoad);
    l.connection = labelText(kLabelConnection);
    l.sensorNames[0] = labelText(kLabelSensor1Name);
    l.sensorNames[1] = labelText(kLabelSensor2Name);
    l.sensorNames[2] = labelText(kLabelSensor3Name);
    l.battery = labelText(kLabelBattery);
    l.driveReport = labelText(kLabelDiskSpace);
    return l;
}

std::string cpuUsageValue(const std::string& label4) {
    return cut(label4, 0, 3);
}

std::string cpuClassValue(const std::string& label6) {
    return cut(label6, 0, 3);
}

// Skips the "U:" or "D:" prefix and keeps the blank after it.
std::string trafficValue(const std::string& rateLabel) {
    return cut(rateLabel, 2, 10);
}

std::string xmlText(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '\r':
                out += "&#13;";
                break;
            default:
                // XML 1.0 has no place for the other control characters, not even as
                // references: one would make the whole document unreadable. The
                // replacement character stands in for each.
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n')
                    out += "&#xFFFD;";
                else
                    out += c;
        }
    }
    return out;
}

std::string phpQuoted(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c == '\\' || c == '"' || c == '$') out += '\\';
        out += c;
    }
    return out;
}

std::vector<std::string> xmlReportLines(const ReportLabels& labels, const std::string& windowsName,
                                        const SystemNumbers& numbers) {
    std::vector<std::string> lines;
    lines.reserve(72);
    lines.push_back("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    lines.push_back("<Tabrix>");
    element(lines, "version", labels.version);
    lines.push_back("<processor>");
    element(lines, "name", labels.cpuName);
    element(lines, "usage", cpuUsageValue(labels.cpuUsage));
    element(lines, "class", cpuClassValue(labels.cpuClass));
    lines.push_back("</processor>");
    lines.push_back("<windows>");
    element(lines, "name", windowsName);
    element(lines, "version_major", std::to_string(numbers.versionMajor));
    element(lines, "version_minor", std::to_string(numbers.versionMinor));
    element(lines, "uptime", labels.uptime);
    lines.push_back("</windows>");
    lines.push_back("<memory>");
    element(lines, "memory_used", labels.memoryUsed);
    element(lines, "virtual_memory", labels.virtualMemory);
    lines.push_back("</memory>");
    lines.push_back("<display>");
    element(lines, "screen_width", std::to_string(numbers.screenWidth));
    element(lines, "screen_height", std::to_string(numbers.screenHeight));
    element(lines, "screen_refresh_hz", std::to_string(numbers.refreshHz));
    lines.push_back("</display>");
    lines.push_back("<temperature>");
    element(lines, "temp1", labels.temp1);
    element(lines, "temp2", labels.temp2);
    element(lines, "temp3", labels.temp3);
    lines.push_back("</temperature>");
    lines.push_back("<network>");
    element(lines, "ext_ip", labels.externalIp);
    element(lines, "upstream", trafficValue(labels.upstream));
    element(lines, "downstream", trafficValue(labels.downstream));
    lines.push_back("</network>");
    lines.push_back("</Tabrix>");
    return lines;
}

std::vector<std::string> phpReportLines(const ReportLabels& labels, const SystemNumbers& numbers,
                                        const std::string& song) {
    std::vector<std::string> lines;
    lines.reserve(19);
    lines.push_back("<?php");
    lines.push_back("//Created By Tabrix");
    variable(lines, "processor", labels.cpuName);
    variable(lines, "cpuclass", cpuClassValue(labels.cpuClass));
    variable(lines, "tabrix", labels.version);
    variable(lines, "currentusage", cpuUsageValue(labels.cpuUsage));
    variable(lines, "winver", "Windows " + labels.windowsName);
    variable(lines, "uptime", labels.uptime);
    variable(lines, "memused", labels.memoryUsed);
    variable(lines, "virmemused", labels.virtualMemory);
    variable(lines, "screen",
             std::to_string(numbers.screenWidth) + " x " + std::to_string(numbers.screenHeight) + " @ " +
                 std::to_string(numbers.refreshHz) + " Hz");
    variable(lines, "temp1", labels.temp1);
    variable(lines, "temp2", labels.temp2);
    variable(lines, "temp3", labels.temp3);
    variable(lines, "curplaying", song == kPlayerNotRunning ? std::string(" ") : song);
    variable(lines, "ext_ip", labels.externalIp);
    variable(lines, "downstream", labels.downstream);
    variable(lines, "upstream", labels.upstream);
    lines.push_back("?>");
    return lines;
}

std::string reportText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace tabrix
