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

// A fact under its name in the report.
void element(std::vector<std::string>& lines, Fact fact, const std::string& value) {
    element(lines, factRow(fact).xml, value);
}

void variable(std::vector<std::string>& lines, const std::string& name, const std::string& value) {
    lines.push_back("$" + name + " = \"" + phpQuoted(value) + "\";");
}

void variable(std::vector<std::string>& lines, Fact fact, const std::string& value) {
    variable(lines, factRow(fact).php, value);
}

}  // namespace

ReportLabels readReportLabels(const LabelText& labelText, const std::string& version) {
    ReportLabels l;
    l.version = version;
    for (const FactRow& row : kFacts) {
        l.text[row.fact] = labelText(row.label);
        // Only a sensor pair's caption changes: it is the pair's name.
        if (row.shape == JsonShape::SensorPair) l.caption[row.fact] = labelText(row.caption);
    }
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
    element(lines, Fact::CpuName, labels[Fact::CpuName]);
    element(lines, Fact::CpuUsage, cpuUsageValue(labels[Fact::CpuUsage]));
    element(lines, Fact::CpuClass, cpuClassValue(labels[Fact::CpuClass]));
    lines.push_back("</processor>");
    lines.push_back("<windows>");
    element(lines, Fact::Windows, windowsName);
    element(lines, "version_major", std::to_string(numbers.versionMajor));
    element(lines, "version_minor", std::to_string(numbers.versionMinor));
    element(lines, Fact::Uptime, labels[Fact::Uptime]);
    lines.push_back("</windows>");
    lines.push_back("<memory>");
    element(lines, Fact::Memory, labels[Fact::Memory]);
    element(lines, Fact::PageFile, labels[Fact::PageFile]);
    lines.push_back("</memory>");
    lines.push_back("<display>");
    element(lines, "screen_width", std::to_string(numbers.screenWidth));
    element(lines, "screen_height", std::to_string(numbers.screenHeight));
    element(lines, "screen_refresh_hz", std::to_string(numbers.refreshHz));
    lines.push_back("</display>");
    lines.push_back("<temperature>");
    for (Fact pair : kSensorFacts) element(lines, pair, labels[pair]);
    lines.push_back("</temperature>");
    lines.push_back("<network>");
    element(lines, Fact::ExternalIp, labels[Fact::ExternalIp]);
    element(lines, Fact::Upload, trafficValue(labels[Fact::Upload]));
    element(lines, Fact::Download, trafficValue(labels[Fact::Download]));
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
    variable(lines, Fact::CpuName, labels[Fact::CpuName]);
    variable(lines, Fact::CpuClass, cpuClassValue(labels[Fact::CpuClass]));
    variable(lines, "tabrix", labels.version);
    variable(lines, Fact::CpuUsage, cpuUsageValue(labels[Fact::CpuUsage]));
    variable(lines, Fact::Windows, "Windows " + labels[Fact::Windows]);
    variable(lines, Fact::Uptime, labels[Fact::Uptime]);
    variable(lines, Fact::Memory, labels[Fact::Memory]);
    variable(lines, Fact::PageFile, labels[Fact::PageFile]);
    variable(lines, "screen",
             std::to_string(numbers.screenWidth) + " x " + std::to_string(numbers.screenHeight) + " @ " +
                 std::to_string(numbers.refreshHz) + " Hz");
    for (Fact pair : kSensorFacts) variable(lines, pair, labels[pair]);
    variable(lines, Fact::Song, song == kPlayerNotRunning ? std::string(" ") : song);
    variable(lines, Fact::ExternalIp, labels[Fact::ExternalIp]);
    variable(lines, Fact::Download, labels[Fact::Download]);
    variable(lines, Fact::Upload, labels[Fact::Upload]);
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
