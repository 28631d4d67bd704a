#pragma once
#include <functional>
#include <string>

#include "platform/Codepage.h"
#include "platform/Files.h"
#include "platform/SystemApi.h"
#include "report/JsonReport.h"
#include "report/MetricsFacts.h"
#include "report/ReportLines.h"

namespace tabrix {

constexpr char kCannotInitializeOutput[] = "Cannot initialize output";
constexpr char kCannotOutputXml[] = "Cannot output XML";
constexpr char kCannotOutputPhp[] = "Cannot output PHP";
constexpr char kCannotOutputJson[] = "Cannot output JSON";
constexpr char kCannotOutputMetrics[] = "Cannot output metrics";

// The values a report asks for afresh on each write, rather than reading a label.
// Any of them may throw; the writer that asked reports its own failure text.
class ReportFacts {
public:
    virtual ~ReportFacts() = default;
    virtual std::string windowsVersionText() = 0;  // GetWindowsVersionText
    virtual std::string currentSong() = 0;         // TWinampApi::GetCurrentSong
    virtual SystemNumbers systemNumbers() = 0;     // version, screen, GetDisplayFrequency
    // The same numbers with a display mode already read (by the tick's refresh).
    virtual SystemNumbers systemNumbersWith(const DisplayMode& display) {
        SystemNumbers n = systemNumbers();
        n.screenWidth = display.width;
        n.screenHeight = display.height;
        n.refreshHz = display.frequency;
        return n;
    }
};

// The report output of the main window: on each FileTimer1 tick the PHP, the XML and then
// the JSON file, built from the labels as they stand and each replaced whole in one step.
class ReportOutput {
public:
    using ShowError = std::function<void(const std::string& message)>;

    ReportOutput(Files& files, Codepage& codepage, ReportFacts& facts, LabelText labelText,
                 ShowError showError, std::string version);

    // The PHP, the XML and the JSON file at the path stem (savepath, read afresh by the
    // caller for each tick). enablePhp/enableXml: the reports start-up switched on; json:
    // the JSON report's figures when it is on, else null; metrics likewise, written last.
    void SaveResult(const std::string& stem, bool enablePhp, bool enableXml, const JsonTick* json = nullptr,
                    const MetricsTick* metrics = nullptr);
    // A display mode already read this tick (null: the reports ask for one themselves).
    void useDisplayMode(const DisplayMode* display) { display_ = display; }
    // Each catches its own failure and shows its failure text; only an error thrown by
    // showing it gets out.
    void SaveResultPHP(const std::string& stem);
    void SaveResultXML(const std::string& stem);
    void SaveResultJSON(const std::string& stem, const JsonTick& tick);
    void SaveResultMetrics(const MetricsTick& tick);

private:
    void write(const std::string& path, const std::string& bytes);
    // The tick's numbers, asked once for both files.
    SystemNumbers numbers();

    Files& files_;
    Codepage& codepage_;
    ReportFacts& facts_;
    LabelText labelText_;
    ShowError showError_;
    std::string version_;
    const DisplayMode* display_ = nullptr;
    bool haveNumbers_ = false;
    SystemNumbers numbers_;
};

}  // namespace tabrix
