#include "config/ColorText.h"

#include <cstdio>

#include "config/IntegerText.h"
#include "platform/AsciiText.h"
#include "platform/Error.h"

namespace tabrix {

namespace {

struct NamedColor {
    const char* name;
    std::uint32_t value;
};

constexpr std::uint32_t kSystemColor = 0x80000000u;

constexpr NamedColor kColors[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
    {"clScrollBar", kSystemColor + 0},
    {"clBackground", kSystemColor + 1},
    {"clActiveCaption", kSystemColor + 2},
    {"clInactiveCaption", kSystemColor + 3},
    {"clMenu", kSystemColor + 4},
    {"clWindow", kSystemColor + 5},
    {"clWindowFrame", kSystemColor + 6},
    {"clMenuText", kSystemColor + 7},
    {"clWindowText", kSystemColor + 8},
    {"clCaptionText", kSystemColor + 9},
    {"clActiveBorder", kSystemColor + 10},
    {"clInactiveBorder", kSystemColor + 11},
    {"clAppWorkSpace", kSystemColor + 12},
    {"clHighlight", kSystemColor + 13},
    {"clHighlightText", kSystemColor + 14},
    {"clBtnFace", kSystemColor + 15},
    {"clBtnShadow", kSystemColor + 16},
    {"clGrayText", kSystemColor + 17},
    {"clBtnText", kSystemColor + 18},
    {"clInactiveCaptionText", kSystemColor + 19},
    {"clBtnHighlight", kSystemColor + 20},
    {"cl3DDkShadow", kSystemColor + 21},
    {"cl3DLight", kSystemColor + 22},
    {"clInfoText", kSystemColor + 23},
    {"clInfoBk", kSystemColor + 24},
    {"clHotLight", kSystemColor + 26},
    {"clGradientActiveCaption", kSystemColor + 27},
    {"clGradientInactiveCaption", kSystemColor + 28},
    {"clMenuHighlight", kSystemColor + 29},
    {"clMenuBar", kSystemColor + 30},
};

bool sameName(const std::string& text, const char* name) {
    std::size_t i = 0;
    for (; name[i] != '\0'; ++i)
        if (i >= text.size() || asciiLower(text[i]) != asciiLower(name[i])) return false;
    return i == text.size();
}

}  // namespace

std::string colorToText(std::uint32_t color) {
    for (const NamedColor& named : kColors)
        if (named.value == color) return named.name;
    char hex[16];
    std::snprintf(hex, sizeof hex, "$%08X", static_cast<unsigned>(color));
    return hex;
}

std::uint32_t textToColor(const std::string& text) {
    for (const NamedColor& named : kColors)
        if (sameName(text, named.name)) return named.value;
    std::int32_t value = 0;
    if (!textToInteger(text, value)) throw Error("'" + text + "' is not a valid integer value");
    return static_cast<std::uint32_t>(value);
}

}  // namespace tabrix
