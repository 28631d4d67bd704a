#pragma once
#include "config/SavePath.h"
#include "platform/SystemApi.h"
#include "report/ReportOutput.h"
#include "report/SourceReportFacts.h"

namespace tabrix {

class ErrorSink;
struct Platform;
struct StoredValues;

// The main window's report output (FileTimer1): the PHP, XML, JSON and metrics reports built from
// the labels, with what it keeps between ticks: the facts the reports ask for afresh,
// savepath as last read, the display mode the last refresh read, which the reports share
// until the next refresh, and the figures the labels were made from.
class ReportDriver {
public:
    // song: the song as the window's player link answers it now.
    ReportDriver(Platform& platform, ErrorSink& errors, LabelText labels, SourceReportFacts::Song song);

    // A refresh tick begins: the display mode it read before is stale.
    void refreshStarted() { displayRead_ = false; }
    void displayRead(const DisplayMode& display) {
        display_ = display;
        displayRead_ = true;
    }
    // The label texts' figures; whatever sets such a label keeps its figure here.
    LabelFigures& figures() { return figures_; }
    void FileTimer1Timer(const StoredValues& stored);

private:
    Platform& platform_;
    ErrorSink& errors_;
    LabelText labels_;
    SourceReportFacts facts_;
    DisplayMode display_;
    bool displayRead_ = false;
    SavePathCache savePath_;
    LabelFigures figures_;
};

}  // namespace tabrix
