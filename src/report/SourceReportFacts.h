#pragma once
#include <functional>
#include <string>

#include "platform/SystemApi.h"
#include "report/ReportOutput.h"

namespace tabrix {

// The report's fresh values from the information sources: the Windows name from the
// version read at program start, the display mode asked now, and the song as the main
// window's player link answers it now.
class SourceReportFacts : public ReportFacts {
public:
    using Song = std::function<std::string()>;
    SourceReportFacts(SystemApi& system, VersionInfo startVersion, Song song);

    std::string windowsVersionText() override;
    std::string currentSong() override;
    SystemNumbers systemNumbers() override;
    SystemNumbers systemNumbersWith(const DisplayMode& display) override;

private:
    SystemApi& system_;
    VersionInfo version_;
    Song song_;
};

}  // namespace tabrix
