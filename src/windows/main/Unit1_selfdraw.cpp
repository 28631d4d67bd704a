// Self-draw mode and title scrolling: texts written straight onto the window's surface.
#include "windows/main/Unit1.h"

namespace tabrix {
namespace {

// The labels self-draw mode may paint, in painting order; the temperature labels are not among them.
constexpr int kSelfDrawList[] = {kLabelCpuName,        kLabelCpuUsageCaption,
                                 kLabelCpuUsage,       kLabelCpuClassCaption,
                                 kLabelCpuClass,       kLabelWindowsCaption,
                                 kLabelWindowsVersion, kLabelMemoryCaption,
                                 kLabelMemory,         kLabelMemoryLoadCaption,
                                 kLabelMemoryLoad,     kLabelSongCaption,
                                 kLabelSong,           kLabelVirtualMemoryCaption,
                                 kLabelVirtualMemory,  kLabelDisplayCaption,
                                 kLabelDisplay,        kLabelUptimeCaption,
                                 kLabelUptime,         kLabelConnectionCaption,
                                 kLabelConnection,     kLabelUserName,
                                 kLabelUserCaption,    kLabelExternalIp,
                                 kLabelDownstream,     kLabelUpstream,
                                 kLabelBattery,        kLabelSpare,
                                 kLabelDiskSpace};
static_assert(sizeof(kSelfDrawList) / sizeof(kSelfDrawList[0]) == 29, "29 labels");

}  // namespace

std::string scrollText(const std::string& text) {
    if (text.size() < 2) return text;
    return text.substr(1) + text[0];
}

void TForm1::DrawTimerTimer() {
    controls_.label(kLabelCpuUsage).visible = false;
    controls_.label(kLabelSong).visible = false;
    // The canvas takes Label2's face, size and colour; the view makes it without anti-aliasing.
    canvas_.newFont(controls_.label(kLabelCpuName).font);
    for (int n : kSelfDrawList) {
        const Label& l = controls_.label(n);
        if (l.drawMark == 2) canvas_.textOut(l.left, l.top, l.text);
    }
    for (int g = 0; g < Graphs::kCount; ++g)
        if (graphs_[g].drawMark == 2) canvas_.drawGraph(g);
}

void TForm1::ScrollTimerTimer() {
    Label& song = controls_.label(kLabelSong);
    const std::string text = song.text;
    if (stored_.songModule != ModuleFlag::On) song.visible = false;
    controls_.setText(kLabelSong, scrollText(text));
    if (stored_.settings.selfDraw) canvas_.textOut(song.left, song.top, song.text);
}

}  // namespace tabrix
