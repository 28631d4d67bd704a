#include "windows/about/Unit2.h"

#include <algorithm>
#include <exception>

#include "config/Version.h"
#include "images/JpegImage.h"
#include "platform/ShellApi.h"
#include "sources/SystemFacts.h"

namespace tabrix {
namespace {

constexpr int kLabelMargin = 3;  // the design's gap between a caption and its value

Label makeLabel(const char* name, const char* text, int left, int top, const Font& font, bool bold) {
    Label l;
    l.name = name;
    l.text = text;
    l.left = left;
    l.top = top;
    l.font = font;
    l.font.bold = bold;
    return l;
}

}  // namespace

std::string aboutSystemName(const VersionInfo& v) {
    const uint32_t major = v.majorVersion, minor = v.minorVersion;
    if (major == 4 && minor == 0 && v.platformId == kPlatformWin9x) return "95";
    if (major == 4 && minor == 10) return "98";
    if (major == 4 && minor == 90) return "ME";
    if (major == 3 && minor == 51) return "NT 3.51";
    if (major == 4 && minor == 0 && v.platformId == kPlatformNt) return "NT 4.0";
    if (major == 5 && minor == 0) return "2000";
    if (major == 5 && minor == 1) return "XP";
    if (major == 5 && minor == 2) return ".NET";
    if (major == 6 && minor == 0) return "Longhorn";
    return laterWindowsName(v);
}

std::string runningSystemText(const VersionInfo& v) {
    // Windows 9x keeps the major and minor version in the build number's high word.
    const uint32_t build = v.platformId == kPlatformWin9x ? v.buildNumber & 0xFFFF : v.buildNumber;
    std::string text = aboutSystemName(v) + " Build " + std::to_string(build);
    if (!v.csdVersion.empty()) text += " " + v.csdVersion;
    return text;
}

TForm2::TForm2(Shell* shell, TextMeasure* text, int dpi) : shell_(shell), text_(text), scale_(dpi) {
    const Scale& s = scale_;
    auto label = [&](const char* name, const char* text, int left, int top, bool bold) {
        return makeLabel(name, text, s.toDevice(left), s.toDevice(top), font, bold);
    };
    clientWidth = s.toDevice(kAboutClientWidth);
    clientHeight = s.toDevice(kAboutClientHeight);
    font.face = "Tahoma";
    font.height = pointsToHeight(8, dpi);
    font.charset = 0;
    Image1.name = "Image1";
    Image1.width = s.toDevice(553);
    Image1.height = s.toDevice(57);
    Bevel1 = {{"Bevel1", 0, s.toDevice(56), s.toDevice(553)}};
    Label7 = label("Label7", "Ostrel Studio", 480, 8, true);
    Image2.name = "Image2";
    Image2.left = s.toDevice(16);
    Image2.top = s.toDevice(72);
    Image2.width = s.toDevice(32);
    Image2.height = s.toDevice(32);
    Label1 = label("Label1", "Tabrix System Monitor", 80, 72, true);
    Label2 = label("Label2", (std::string("Version ") + kVersion).c_str(), 80, 88, true);
    Label3 = label("Label3", "Designed for Microsoft Windows 2000, XP", 80, 104, false);
    Label8 = label("Label8", "Your are currently running:", 80, 152, false);
    Label10 = label("Label10", "", 216, 152, false);
    Bevel2 = {{"Bevel2", s.toDevice(-1), s.toDevice(320), s.toDevice(550)}};
    Label21 = label("Label21", "Tabrix website", 8, 336, false);
    Label21.font.face = "MS Sans Serif";
    Label21.font.color = kLinkColor;
    Button1 = {{"Button1", s.toDevice(480), s.toDevice(328), s.toDevice(65), s.toDevice(25)}, "OK"};
}

void TForm2::FormCreate(const VersionInfo& version) {
    Image2.resourceId = kProgramIconResource;
    Label10.text = "Microsoft Windows " + runningSystemText(version);
    arrangeLabels();
}

std::vector<Label*> TForm2::labels() {
    return {&Label7, &Label1, &Label2, &Label3, &Label8, &Label10, &Label21};
}

void TForm2::arrangeLabels() {
    if (!text_) return;
    for (Label* l : labels()) {
        const Extent e = text_->measure(l->font, l->text);
        l->width = e.width;
        l->height = e.height;
    }
    // A font wider than the one the window was laid out with must not hide a text: none
    // runs off the window's right edge, and the running system follows its caption
    // rather than covering its end (it is cut at the edge instead).
    const int margin = scale_.toDevice(kLabelMargin);
    for (Label* l : labels())
        if (l->left + l->width > clientWidth - margin) l->left = std::max(0, clientWidth - margin - l->width);
    Label10.left = std::max(Label10.left, Label8.left + Label8.width + margin);
}

void TForm2::loadBanner(const std::string& jpeg, int drawnDpi) {
    try {
        Image1.bitmap = scale_.picture(decodeJpeg(jpeg), drawnDpi);
    } catch (const std::exception&) {
        Image1.bitmap = Pixels{};
    }
}

void TForm2::FormKeyDown(int key) {
    if (key == kEscapeKey) Button1Click();
}

void TForm2::Label21Click() {
    if (shell_) shell_->open(kWebSite, kShowNormal);
}

}  // namespace tabrix
