#include "windows/notice/frmError.h"

#include <utility>

#include "config/IniFile.h"
#include "config/SettingKeys.h"
#include "platform/Platform.h"

namespace tabrix {
namespace {

bool inside(const Picture& p, int x, int y) {
    return p.visible && x >= p.left && x < p.left + p.width && y >= p.top && y < p.top + p.height;
}

bool inside(const Label& l, int x, int y) {
    return l.visible && x >= l.left && x < l.left + l.width && y >= l.top && y < l.top + l.height;
}

}  // namespace

TForm4::TForm4(Files& files, std::string programDir, const Scale& scale)
    : files_(files), configPath_(std::move(programDir) + kConfigFileName), scale_(scale) {
    auto place = [&](Control& c, int left, int top, int w, int h) {
        c.left = scale.toDevice(left);
        c.top = scale.toDevice(top);
        c.width = scale.toDevice(w);
        c.height = scale.toDevice(h);
    };
    width = scale.toDevice(kNoticeWidth);
    height = scale.toDevice(kNoticeHeight);
    Image1.name = "Image1";
    place(Image1, 0, 0, kNoticeWidth, kNoticeHeight);
    Image2.name = "Image2";
    place(Image2, 16, 16, 24, 24);
    Label1.name = "Label1";
    Label1.text = kNoticeDesignText;
    place(Label1, 56, 15, 180, 58);
    Label1.autoSize = false;
    Label1.font.face = "Trebuchet MS";
    Label1.font.height = pointsToHeight(8, scale.dpi());
    Label1.font.color = 0x80000008;  // clWindowText
}

bool TForm4::ShowErrorDialog(const std::string& message, int mainLeft, int mainTop) {
    top = mainTop - height - scale_.toDevice(kNoticeGap);
    left = mainLeft;
    Label1.text = message;
    visible = true;
    return true;
}

void TForm4::FormClose() {
    const SettingKeyRow& row = settingKey(SettingKey::LastError);
    IniFile(files_, configPath_).writeString(row.section, row.name, Label1.text);
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
