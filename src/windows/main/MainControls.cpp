#include "windows/main/MainControls.h"

#include <cmath>

#include "platform/Platform.h"
#include "report/Facts.h"
#include "windows/main/StartupSettings.h"

namespace tabrix {
namespace {

struct LabelDesign {
    int number;
    const char* text;  // null: the caption of its fact
    int left;
    int top;
    bool visible;
};

// The main window's labels in screen order, as designed.
constexpr LabelDesign kLabels[] = {
    {kLabelCpuName, "CPU:", 120, 14, true},
    {kLabelBattery, "x", 64, 24, true},
    {kLabelCpuUsageCaption, nullptr, 32, 40, true},
    {kLabelCpuUsage, "X", 120, 40, true},
    {kLabelDownstream, "", 168, 40, true},
    {kLabelCpuClassCaption, nullptr, 32, 56, true},
    {kLabelCpuClass, "X", 120, 56, true},
    {kLabelUpstream, "", 168, 56, true},
    {kLabelWindowsCaption, nullptr, 32, 72, true},
    {kLabelWindowsVersion, "X", 120, 72, true},
    {kLabelMemoryCaption, nullptr, 32, 88, true},
    {kLabelMemory, "X", 120, 88, true},
    {kLabelMemoryLoadCaption, nullptr, 32, 104, true},
    {kLabelMemoryLoad, "X", 120, 104, true},
    {kLabelSpare, "x", 216, 104, false},
    {kLabelVirtualMemoryCaption, nullptr, 32, 120, true},
    {kLabelVirtualMemory, "X", 120, 120, true},
    {kLabelDisplayCaption, nullptr, 32, 136, true},
    {kLabelDisplay, "X", 120, 136, true},
    {kLabelUptimeCaption, nullptr, 32, 152, true},
    {kLabelUptime, "X", 120, 152, true},
    {kLabelConnectionCaption, nullptr, 32, 168, true},
    {kLabelConnection, "X", 120, 168, true},
    {kLabelExternalIp, "", 144, 168, true},
    {kLabelUserCaption, nullptr, 32, 184, true},
    {kLabelUserName, "X", 120, 184, true},
    {kLabelSongCaption, nullptr, 32, 200, false},
    {kLabelSong, "X", 120, 200, false},
    {kLabelSensor1Name, nullptr, 32, 216, false},
    {kLabelSensor1Value, "X", 120, 216, false},
    {kLabelDiskSpace, "X", 160, 216, false},
    {kLabelSensor2Name, nullptr, 32, 232, false},
    {kLabelSensor2Value, "X", 120, 232, false},
    {kLabelSensor3Name, nullptr, 32, 248, false},
    {kLabelSensor3Value, "X", 120, 248, false},
};
static_assert(sizeof(kLabels) / sizeof(kLabels[0]) == kLastMainLabel - kFirstMainLabel + 1,
              "35 labels, Label2 to Label36 without a Label1");

struct PictureDesign {
    int number;
    int left, top, width, height;
    bool visible;
    int resourceId;  // as tools/make_assets.py numbers the design pictures
};

constexpr PictureDesign kPictures[] = {
    {kImageSkin, 232, 128, 25, 33, true, 0},    {kImageBack, 139, 287, 13, 14, false, 101},
    {kImagePlay, 160, 287, 13, 14, false, 102}, {kImagePause, 184, 287, 14, 15, false, 103},
    {kImageStop, 208, 287, 14, 12, false, 104}, {kImageNext, 232, 287, 13, 14, false, 105},
};

constexpr int kSongLabels[] = {kLabelSongCaption, kLabelSong};

}  // namespace

MainControls::MainControls(TextMeasure& text, const Scale& scale) : text_(text) {
    for (const LabelDesign& d : kLabels) {
        Label& l = labels_.at(d.number);
        l.name = mainLabelName(d.number);
        if (d.text) l.text = d.text;
        l.left = scale.toDevice(d.left);
        l.top = scale.toDevice(d.top);
        l.visible = d.visible;
        l.font.face = "Tahoma";
        l.font.height = pointsToHeight(kDesignFontPoints, scale.dpi());
    }
    for (const FactRow& row : kFacts)
        if (row.captionText) labels_.at(row.caption).text = row.captionText;
    labels_[kLabelCpuName].font.height = pointsToHeight(kDesignFontPoints + 1, scale.dpi());
    labels_[kLabelCpuName].align = Align::Right;
    labels_[kLabelBattery].align = Align::Center;
    labels_[kLabelSpare].opaque = true;
    // The table gives the places the labels have once sized to their texts.
    for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n) {
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
        p.left = scale.toDevice(d.left);
        p.top = scale.toDevice(d.top);
        p.width = scale.toDevice(d.width);
        p.height = scale.toDevice(d.height);
        p.visible = d.visible;
        p.resourceId = d.resourceId;
    }
    images_[5].visible = false;  // there is no Image5
}

void MainControls::autoSize(Label& l) {
    if (!l.autoSize) return;
    // An empty caption is measured as one blank, so the label keeps a line's height.
    const Extent e = text_.measure(l.font, l.text.empty() ? " " : l.text);
    // A right-aligned label keeps its right edge: it grows and shrinks on its left side.
    if (l.align == Align::Right) l.left += l.width - e.width;
    l.width = e.width;
    l.height = e.height;
}

void MainControls::setText(int number, const std::string& text) {
    Label& l = labels_.at(number);
    // Most facts read the same from one second to the next: the size measured for the text
    // (a question to the window system) still holds.
    if (l.text == text) return;
    l.text = text;
    autoSize(l);
}

void MainControls::setFont(int number, const Font& font) {
    Label& l = labels_.at(number);
    l.font = font;
    autoSize(l);
}

void MainControls::centreCpuName(int windowWidth) {
    // Halves go to the even neighbour (default rounding mode).
    Label& cpu = labels_[kLabelCpuName];
    cpu.left = static_cast<int>(std::nearbyint(windowWidth / 2.0 - cpu.width / 2.0));
}

void MainControls::applyModules(const StartupSettings& settings) {
    for (const FactRow& row : kFacts) {
        if (row.checkBox == 0 || row.labels == ModuleLabels::Refresh) continue;
        // "True" shows the labels for drawing, "False" hides them, anything else keeps the design.
        const ModuleSwitch value = settings.module(row.checkBox);
        if (value == ModuleSwitch::Other ||
            (row.labels == ModuleLabels::OffOnly && value == ModuleSwitch::True))
            continue;
        const bool on = value == ModuleSwitch::True;
        for (int n : {row.label, row.caption}) {
            if (n == 0) continue;
            labels_[n].visible = on;
            labels_[n].drawMark = on ? 2 : 1;
        }
    }
}

void MainControls::hideAllForSelfDraw() {
    for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n) labels_[n].visible = false;
    for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n) labels_[n].drawMark = 2;
}

void MainControls::setSongLabelsVisible(bool visible) {
    for (int n : kSongLabels) labels_[n].visible = visible;
}

void MainControls::setPlayerButtonsVisible(bool visible) {
    for (int n : kPlayerPictures) images_[n].visible = visible;
}

}  // namespace tabrix
