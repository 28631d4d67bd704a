#pragma once
#include <cstdint>
#include <string>

namespace tabrix {

// A colour as config.ini holds it: a name of the colour table when the value has
// one (system colours are 0x80000000 plus their GetSysColor index), otherwise "$"
// and eight upper-case hexadecimal digits.
std::string colorToText(std::uint32_t color);

// Names match without regard to case; other text converts as an integer (decimal or
// "$" hexadecimal, IntegerText.h). Throws Error("'<text>' is not a valid integer
// value") for anything else.
std::uint32_t textToColor(const std::string& text);

}  // namespace tabrix
