#pragma once
#include <cstdint>
#include <string>

#include "controls/Controls.h"
#include "controls/Scale.h"
#include "platform/Files.h"

namespace tabrix {

constexpr char kNoticeClass[] = "TForm4";
constexpr char kNoticeDesignText[] = "An Error Occured.";
constexpr int kNoticeWidth = 250;  // the balloon picture's size
constexpr int kNoticeHeight = 106;
constexpr int kNoticeGap = 11;  // between the balloon's bottom and the main window's top
constexpr unsigned kNoticeInterval = 10000;
constexpr uint32_t kNoticeKeyColor = 0xFFFFFF;   // see-through around the balloon
constexpr uint32_t kWarningKeyColor = 0xFF00FF;  // the warning sign's background, not drawn

// The error notice: a speech balloon above the main window. Built once at program entry
// and only shown and hidden; every close records its text as lasterror.
class TForm4 {
public:
    // The parts of the balloon a click can land on.
    enum class Part { None, Image1, Image2, Label1 };

    // The design's places and sizes, and the pictures the view loads, at the screen's scale.
    TForm4(Files& files, std::string programDir, const Scale& scale = Scale());
    const Scale& scale() const { return scale_; }

    // Places the balloon above the main window (no clamping to the screen), sets the
    // text and shows it. Always true.
    bool ShowErrorDialog(const std::string& message, int mainLeft, int mainTop);

    // Writes Label1's text as lasterror, then hides. A failed write throws Error and
    // leaves the notice as it was, for the application-wide handler.
    void FormClose();

    void Image1Click() { FormClose(); }
    void Label1Click() { FormClose(); }
    // Closes even when hidden, so lasterror is rewritten on every tick.
    void Timer1Timer() { FormClose(); }

    // The topmost part at a point in window coordinates; the warning sign has no click
    // of its own, so a click on it does nothing.
    Part partAt(int x, int y) const;
    // A click that began and ended on the same part.
    void click(Part part);

    bool visible = false;
    int left = 0;
    int top = 0;
    int width = kNoticeWidth;
    int height = kNoticeHeight;
    Picture Image1;  // balloon
    Picture Image2;  // warning sign
    Label Label1;
    Timer Timer1{"Timer1", kNoticeInterval, true};

private:
    Files& files_;
    std::string configPath_;
    Scale scale_;
};

}  // namespace tabrix
