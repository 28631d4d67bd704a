#pragma once
#include <string>

// The main window's labels by the fact each one shows. A label's number is its
// component name (Label2 ... Label36; there is no Label1). Whatever writes a fact and
// whatever reads it back (the reports, self-draw mode, the copy commands) names the
// label here, so the window and the reports cannot disagree about where a fact is.
namespace tabrix {

enum MainLabel : int {
    kLabelCpuName = 2,  // processor name, once at start-up
    kLabelCpuUsageCaption = 3,
    kLabelCpuUsage = 4,  // "37 %   "
    kLabelCpuClassCaption = 5,
    kLabelCpuClass = 6,  // "686", "686+"
    kLabelWindowsCaption = 7,
    kLabelWindowsVersion = 8,
    kLabelMemoryCaption = 9,
    kLabelMemory = 10,  // "200 / 512 Mb"
    kLabelMemoryLoadCaption = 11,
    kLabelMemoryLoad = 12,
    kLabelSongCaption = 13,
    kLabelSong = 14,  // the player's title, scrolled
    kLabelVirtualMemoryCaption = 15,
    kLabelVirtualMemory = 16,
    kLabelDisplayCaption = 17,
    kLabelDisplay = 18,  // "60Hz @ 1024x768"
    kLabelUptimeCaption = 19,
    kLabelUptime = 20,
    kLabelConnectionCaption = 21,
    kLabelConnection = 22,  // connection state, then the traffic meter's link speed
    kLabelUserName = 23,
    kLabelUserCaption = 24,
    kLabelSensor1Name = 25,
    kLabelSensor1Value = 26,
    kLabelSensor2Name = 27,
    kLabelSensor2Value = 28,
    kLabelSensor3Name = 29,
    kLabelSensor3Value = 30,
    kLabelExternalIp = 31,
    kLabelDownstream = 32,  // "D: 1.25 Kb/s"
    kLabelUpstream = 33,    // "U: 1.25 Kb/s"
    kLabelBattery = 34,     // the only one named with a small l: "label34"
    kLabelSpare = 35,       // shows nothing; its text never changes
    kLabelDiskSpace = 36,
};

constexpr int kFirstMainLabel = kLabelCpuName;
constexpr int kLastMainLabel = kLabelDiskSpace;

// The component name, as the close handler writes it into the saved positions' keys.
inline std::string mainLabelName(int number) {
    return (number == kLabelBattery ? "label" : "Label") + std::to_string(number);
}

// The main window's pictures by what each one is (Image1 ... Image7; no Image5).
enum MainPicture : int {
    kImageSkin = 1,
    kImagePlay = 2,
    kImagePause = 3,
    kImageStop = 4,
    kImageBack = 6,
    kImageNext = 7,
};

// Every picture in number order, which is the order they are painted in: the skin under
// the player's buttons.
constexpr MainPicture kMainPictures[] = {kImageSkin, kImagePlay, kImagePause,
                                         kImageStop, kImageBack, kImageNext};
// The player's buttons, in number order.
constexpr MainPicture kPlayerPictures[] = {kImagePlay, kImagePause, kImageStop, kImageBack, kImageNext};

}  // namespace tabrix
