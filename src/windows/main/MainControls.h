#pragma once
#include <array>
#include <string>

#include "controls/Controls.h"
#include "controls/MainLabels.h"
#include "controls/Scale.h"

namespace tabrix {

class TextMeasure;
struct StartupSettings;

// The labels' design face is Tahoma at this size; the processor name one point larger.
constexpr int kDesignFontPoints = 8;

// The main window's labels and pictures as designed: the store of the facts shown. A
// label sizes itself to its text in its font, as an auto-sized label does.
class MainControls {
public:
    // The design's places and sizes at the screen's scale.
    MainControls(TextMeasure& text, const Scale& scale);

    Label& label(int number) { return labels_.at(number); }
    const Label& label(int number) const { return labels_.at(number); }
    Picture& image(int number) { return images_.at(number); }  // Image1 .. Image7
    const Picture& image(int number) const { return images_.at(number); }

    void setText(int number, const std::string& text);
    void setFont(int number, const Font& font);
    // The processor name in the middle of a window this wide.
    void centreCpuName(int windowWidth);
    // Start-up: the modules' labels shown or hidden for drawing as the settings say.
    void applyModules(const StartupSettings& settings);
    // Self-draw mode: every label hidden and marked for painting.
    void hideAllForSelfDraw();
    void setSongLabelsVisible(bool visible);
    void setPlayerButtonsVisible(bool visible);

private:
    void autoSize(Label& l);

    TextMeasure& text_;
    std::array<Label, kLastMainLabel + 1> labels_;
    std::array<Picture, 8> images_;
};

}  // namespace tabrix
