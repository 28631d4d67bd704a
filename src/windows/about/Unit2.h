#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "controls/Scale.h"
#include "platform/Platform.h"
#include "platform/SystemApi.h"

namespace tabrix {

class Shell;

constexpr char kAboutClass[] = "TForm2";
constexpr char kAboutCaption[] = "About";
constexpr int kAboutClientWidth = 552;
constexpr int kAboutClientHeight = 359;
constexpr int kAboutLeft = 104;
constexpr int kAboutTop = 193;
// Our own site; the .example name keeps it from ever belonging to anyone else.
constexpr char kWebSite[] = "http://tabrix.ostrel-studio.example/";
constexpr uint32_t kLinkColor = 0xFF0000;     // blue (0x00BBGGRR)
constexpr uint32_t kLinkHotColor = 0x0000FF;  // red, while the pointer is over the link
constexpr int kProgramIconResource = 1;       // Image2 shows the program's own icon

// The Windows name the About window uses: the main window's table, except that 5.2 is
// ".NET" and 6.0 "Longhorn"; empty for a version it does not know.
std::string aboutSystemName(const VersionInfo& version);
// The name, " Build " and the build number, then a blank and the service pack if any.
// On Windows 9x only the build number's low word is the build.
std::string runningSystemText(const VersionInfo& version);

// The About window: built once at start-up and only shown and hidden, never modal.
class TForm2 {
public:
    // shell may be null (nothing is opened then), text too (the labels keep no size then);
    // dpi sizes the 8-point fonts and scales the design's places, sizes and banner.
    TForm2(Shell* shell, TextMeasure* text, int dpi);

    // Puts the program's icon into Image2 and the running system into Label10, then sizes
    // the labels to their texts.
    void FormCreate(const VersionInfo& version);
    // The banner picture stored with the window; a picture that does not decode leaves
    // the banner empty rather than stopping the program.
    // drawnDpi: the scale the picture was drawn for.
    void loadBanner(const std::string& jpeg, int drawnDpi = Scale::kDesignDpi);
    const Scale& scale() const { return scale_; }

    void show() { visible = true; }
    void Button1Click() { visible = false; }
    // The close box hides the window; it lives as long as the program.
    void FormClose() { visible = false; }
    // Every key of the window comes here first: Esc is a click on OK.
    void FormKeyDown(int key);
    // Opens the web site in the user's browser.
    void Label21Click();
    void Label21MouseMove() { Label21.font.color = kLinkHotColor; }
    void Label21MouseLeave() { Label21.font.color = kLinkColor; }
    // The window keeps its size: every resize is refused.
    bool FormCanResize(int, int) const { return false; }
    // The labels in their order on the window.
    std::vector<Label*> labels();

    bool visible = false;
    int left = kAboutLeft;
    int top = kAboutTop;
    int clientWidth = kAboutClientWidth;
    int clientHeight = kAboutClientHeight;
    Font font;  // Tahoma 8 pt, the controls' font unless their own says otherwise
    Picture Image1;
    Bevel Bevel1;
    Label Label7;
    Picture Image2;
    Label Label1;
    Label Label2;
    Label Label3;
    Label Label8;
    Label Label10;
    Bevel Bevel2;
    Label Label21;
    bool linkUnderlined = true;  // Label21's font
    Button Button1;

private:
    void arrangeLabels();

    Shell* shell_;
    TextMeasure* text_;
    Scale scale_;
};

}  // namespace tabrix
