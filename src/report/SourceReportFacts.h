#pragma once
#include <string>

#include "platform/SystemApi.h"
#include "report/ReportOutput.h"

namespace tabrix {

// The report's fresh values from the information sources: the Windows name from the
// version read at program start, the display mode asked now, and a new player link for
// the song on every write.
class SourceReportFacts : public ReportFacts {
public:
    SourceReportFacts(SystemApi& system, PlayerWindow& player, VersionInfo startVersion,
                      std::string playerPath);

    std::string windowsVersionText() override;
    std::string currentSong() override;
    SystemNumbers systemNumbers() override;
    SystemNumbers systemNumbersWith(const DisplayMode& display) override;

private:
    SystemApi& system_;
    PlayerWindow& player_;
    VersionInfo version_;
    std::string playerPath_;
};

}  // namespace tabrix
