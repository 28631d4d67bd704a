#include "windows/frmError.h"

#include <utility>

#include "platform/Platform.h"
#include "settings/IniFile.h"

namespace tabrix {
namespace {

bool inside(const Picture& p, int x, int y) {
    return p.visible && x >= p.left && x < p.left + p.width && y >= p.top && y < p.top + p.height;
}

bool inside(const Label& l, int x, int y) {
    return l.visible && x >= l.left && x < l.left + l.width && y >= l.top && y < l.top + l.height;
}

}  // namespace

TForm4::TForm4(Files& files, std::string programDir)
    : files_(files), configPath_(std::move(programDir) + kConfigFileName) {
    Image1.name = "Image1";
    Image1.width = kNoticeWidth;
    Image1.height = kNoticeHeight;
    Image2.name = "Image2";
    Image2.left = 16;
    Image2.top = 16;
    Image2.width = 24;
    Image2.height = 24;
    Label1.name = "Label1";
    Label1.text = kNoticeDesignText;
    Label1.left = 56;
    Label1.top = 15;
    Label1.width = 180;
    Label1.height = 58;
    Label1.autoSize = false;
    Label1.font.face = "Trebuchet MS";
    Label1.font.height = -11;
    Label1.font.color = 0x80000008;  // clWindowText
}

bool TForm4::ShowErrorDialog(const std::string& message, int mainLeft, int mainTop) {
    top = mainTop - height - kNoticeGap;
    left = mainLeft;
    Label1.text = message;
    visible = true;
    return true;
}

void TForm4::FormClose() {
    IniFile(files_, configPath_).writeString("general", "lasterror", Label1.text);
    visible = false;
}

TForm4::Part TForm4::partAt(int x, int y) const {
    if (inside(Label1, x, y)) return Part::Label1;
    if (inside(Image2, x, y)) return Part::Image2;
    if (inside(Image1, x, y)) return Part::Image1;
    return Part::None;
}

void TForm4::click(Part part) {
    if (part == Part::Image1)
        Image1Click();
    else if (part == Part::Label1)
        Label1Click();
}

}  // namespace tabrix
