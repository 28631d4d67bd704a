#include "app/Unit1.h"

#include "report/ReportOutput.h"

#include <cmath>

namespace tabrix {
namespace {

struct LabelDesign {
    int number;
    const char* text;
    int left;
    int top;
    bool visible;
};

// The main window's labels in screen order, as designed.
constexpr LabelDesign kLabels[] = {
    {kLabelCpuName, "CPU:", 120, 14, true},
    {kLabelBattery, "x", 64, 24, true},
    {kLabelCpuUsageCaption, "CPU Usage:", 32, 40, true},
    {kLabelCpuUsage, "X", 120, 40, true},
    {kLabelDownstream, "", 168, 40, true},
    {kLabelCpuClassCaption, "CPU Class:", 32, 56, true},
    {kLabelCpuClass, "X", 120, 56, true},
    {kLabelUpstream, "", 168, 56, true},
    {kLabelWindowsCaption, "Windows Ver:", 32, 72, true},
    {kLabelWindowsVersion, "X", 120, 72, true},
    {kLabelMemoryCaption, "Memory:", 32, 88, true},
    {kLabelMemory, "X", 120, 88, true},
    {kLabelMemoryLoadCaption, "Memory Load:", 32, 104, true},
    {kLabelMemoryLoad, "X", 120, 104, true},
    {kLabelSpare, "x", 216, 104, false},
    {kLabelVirtualMemoryCaption, "Virtual Memory:", 32, 120, true},
    {kLabelVirtualMemory, "X", 120, 120, true},
    {kLabelDisplayCaption, "Display:", 32, 136, true},
    {kLabelDisplay, "X", 120, 136, true},
    {kLabelUptimeCaption, "Uptime:", 32, 152, true},
    {kLabelUptime, "X", 120, 152, true},
    {kLabelConnectionCaption, "Connection:", 32, 168, true},
    {kLabelConnection, "X", 120, 168, true},
    {kLabelExternalIp, "", 144, 168, true},
    {kLabelUserCaption, "Name:", 32, 184, true},
    {kLabelUserName, "X", 120, 184, true},
    {kLabelSongCaption, "Song:", 32, 200, false},
    {kLabelSong, "X", 120, 200, false},
    {kLabelSensor1Name, "Temperature:", 32, 216, false},
    {kLabelSensor1Value, "X", 120, 216, false},
    {kLabelDiskSpace, "X", 160, 216, false},
    {kLabelSensor2Name, "Temperature:", 32, 232, false},
    {kLabelSensor2Value, "X", 120, 232, false},
    {kLabelSensor3Name, "Temperature:", 32, 248, false},
    {kLabelSensor3Value, "X", 120, 248, false},
};
static_assert(sizeof(kLabels) / sizeof(kLabels[0]) == TForm1::kLastLabel - TForm1::kFirstLabel + 1,
              "35 labels, Label2 to Label36 without a Label1");

struct PictureDesign {
    int number;
    int left, top, width, height;
    bool visible;
    int resourceId;  // as tools/make_assets.py numbers the design pictures
};

constexpr PictureDesign kPictures[] = {
    {kImageSkin, 232, 128, 25, 33, true, 0},    {kImageBack, 139, 287, 13, 14, false, 101},
    {kImagePlay, 160, 287, 13, 14, false, 102},  {kImagePause, 184, 287, 14, 15, false, 103},
    {kImageStop, 208, 287, 14, 12, false, 104},  {kImageNext, 232, 287, 13, 14, false, 105},
};

constexpr int kDesignFontHeight = -11;  // Tahoma 8 points at 96 dots per inch
constexpr int kLabel2FontHeight = -12;

}  // namespace

std::string TForm1::labelName(int number) {
    return mainLabelName(number);
}

TForm1::TForm1(Platform& platform, StoredValues& stored, ErrorSink& errors)
    : platform_(platform), stored_(stored), errors_(errors) {
    const Extent frame = platform_.desktop.frameSize(true);
    window.width = kClientWidth + frame.width;
    window.height = kClientHeight + frame.height;
    window.font.face = "Tahoma";
    window.font.height = kDesignFontHeight;

    for (const LabelDesign& d : kLabels) {
        Label& l = labels_.at(d.number);
        l.name = labelName(d.number);
        l.text = d.text;
        l.left = d.left;
        l.top = d.top;
        l.visible = d.visible;
        l.font.face = "Tahoma";
        l.font.height = kDesignFontHeight;
    }
    labels_[kLabelCpuName].font.height = kLabel2FontHeight;
    labels_[kLabelCpuName].align = Align::Right;
    labels_[kLabelBattery].align = Align::Center;
    labels_[kLabelSpare].opaque = true;
    // The table gives the places the labels have once sized to their texts.
    for (int n = kFirstLabel; n <= kLastLabel; ++n) {
        Label& l = labels_[n];
        l.width = 0;
        const Align align = l.align;
        l.align = Align::Left;
        autoSize(l);
        l.align = align;
    }

    for (const PictureDesign& d : kPictures) {
        Picture& p = images_.at(d.number);
        p.name = "Image" + std::to_string(d.number);
        p.left = d.left;
        p.top = d.top;
        p.width = d.width;
        p.height = d.height;
        p.visible = d.visible;
        p.resourceId = d.resourceId;
    }
    images_[5].visible = false;  // there is no Image5
}

void TForm1::autoSize(Label& l) {
    if (!l.autoSize) return;
    // An empty caption is measured as one blank, so the label keeps a line's height.
    const Extent e = platform_.text.measure(l.font, l.text.empty() ? " " : l.text);
    // A right-aligned label keeps its right edge: it grows and shrinks on its left side.
    if (l.align == Align::Right) l.left += l.width - e.width;
    l.width = e.width;
    l.height = e.height;
}

void TForm1::setLabelText(int number, const std::string& text) {
    Label& l = labels_.at(number);
    l.text = text;
    autoSize(l);
}

void TForm1::setLabelFont(int number, const Font& font) {
    Label& l = labels_.at(number);
    l.font = font;
    autoSize(l);
}

void TForm1::setWindowSize(int width, int height) {
    // A window has no negative extent; the system clamps such a request to nothing.
    width = width < 0 ? 0 : width;
    height = height < 0 ? 0 : height;
    if (width == window.width && height == window.height) return;
    window.width = width;
    window.height = height;
    FormResize();
}

void TForm1::FormResize() {
    Picture& skin = images_[kImageSkin];
    skin.left = 0;
    skin.top = 0;
    skin.width = window.width;
    skin.height = window.height;
    // Halves go to the even neighbour (default rounding mode).
    Label& cpu = labels_[kLabelCpuName];
    cpu.left = static_cast<int>(std::nearbyint(window.width / 2.0 - cpu.width / 2.0));
}

void TForm1::LabelMouseDown(int number, int x, int y) {
    if (!dragHandlers_ || number < kFirstLabel || number > kLastLabel) return;
    dragOriginX_ = x;
    dragOriginY_ = y;
    dragLabel_ = number;
}

void TForm1::LabelMouseMove(int number, int x, int y) {
    if (dragLabel_ == 0 || number != dragLabel_) return;
    if (x == dragOriginX_ && y == dragOriginY_) return;
    // x and y are measured from the label's new place, so the origin stays under the pointer.
    Label& l = labels_[number];
    l.left += x - dragOriginX_;
    l.top += y - dragOriginY_;
}

void TForm1::LabelMouseUp(int number) {
    if (!dragHandlers_ || number < kFirstLabel || number > kLastLabel) return;
    dragLabel_ = 0;
}

std::array<std::pair<Timer*, void (TForm1::*)()>, TForm1::kTimerCount> TForm1::timers() {
    return {{{&systimer, &TForm1::systimerTimer},
             {&FileTimer1, &TForm1::FileTimer1Timer},
             {&WinampTimer, &TForm1::WinampTimerTimer},
             {&IPTImer, &TForm1::IPTImerTimer},
             {&tmrTraffic, &TForm1::tmrTrafficTimer},
             {&DrawTimer, &TForm1::DrawTimerTimer},
             {&ScrollTimer, &TForm1::ScrollTimerTimer},
             {&PlayerStartTimer, &TForm1::PlayerStartTimerTimer}}};
}

void TForm1::FileTimer1Timer() {
    ReportOutput out(platform_.files, platform_.codepage, platform_.reportFacts,
                     [this](int n) { return label(n).text; },
                     [this](const std::string& m) { errors_.ShowErrorDialog(m); }, stored_.version);
    out.useDisplayMode(tickDisplayRead_ ? &tickDisplay_ : nullptr);
    out.FileTimer1Timer(platform_.configPath(), stored_.settings.enablePhp, stored_.settings.enableXml, &reportPath_);
}

}  // namespace tabrix
