#pragma once
#include <functional>
#include <string>
#include <vector>

#include "report/Facts.h"
#include "sources/interfacewithmbm.h"

namespace tabrix {

// The label texts the reports copy, read at the moment of writing: each fact's label as shown
// and, for a sensor pair, its caption label (the pair's name).
struct ReportLabels {
    std::string version;  // the program version text
    PerFact<std::string> text;
    PerFact<std::string> caption;
    const std::string& operator[](Fact fact) const { return text[fact]; }
};

// The main window's label texts by label number (2 .. 36).
using LabelText = std::function<std::string(int number)>;
ReportLabels readReportLabels(const LabelText& labelText, const std::string& version);

// Numbers the reports ask of the system on each write.
struct SystemNumbers {
    unsigned long versionMajor = 0;
    unsigned long versionMinor = 0;
    int screenWidth = 0;
    int screenHeight = 0;
    unsigned long refreshHz = 0;
};

// The cuts the reports make of label texts.
std::string cpuUsageValue(const std::string& label4);    // first three characters
std::string cpuClassValue(const std::string& label6);    // first three characters
std::string trafficValue(const std::string& rateLabel);  // characters 3 to 12 (from 1)

// A value made safe inside XML element text: "&", "<", ">" as entities, a carriage
// return as a character reference, which a parser would otherwise turn into a line feed,
// and every control character XML 1.0 forbids (all below 0x20 but tab, line feed and
// carriage return) as a reference to the replacement character U+FFFD.
std::string xmlText(const std::string& value);
// A value made safe inside a double-quoted PHP string: backslash, double quote and
// dollar sign get a backslash, so the variable holds exactly the text.
std::string phpQuoted(const std::string& value);

// The 72 lines of the XML report; windowsName is asked afresh, not Label8.
std::vector<std::string> xmlReportLines(const ReportLabels& labels, const std::string& windowsName,
                                        const SystemNumbers& numbers);
// The 19 lines of the PHP report; song is the player's answer as given.
std::vector<std::string> phpReportLines(const ReportLabels& labels, const SystemNumbers& numbers,
                                        const std::string& song);

// The file's bytes: every line, the last one included, followed by CR LF.
std::string reportText(const std::vector<std::string>& lines);

}  // namespace tabrix
