#pragma once
// The writes that tests/fixtures/ini_writer.cpp makes, in order, so that the kill test
// can rebuild the file the writer had after any number of them.
#include <string>

#include "config/IniText.h"

namespace settings_writer_plan {

inline const char kStart[] =
    "; kept as it is\r\n[general]\r\nfont=Tahoma\r\n\r\n[Modules]\r\nCheckBox11=True\r\n";

inline std::string section(int n) {
    static const char* const kSections[] = {"general", "Modules", "Labels"};
    return kSections[n % 3];
}
inline std::string key(int n) {
    return "key" + std::to_string(n % 5);
}
// Values of changing length, up to beyond what a reader gets back, led by their number.
inline std::string value(int n) {
    return std::to_string(n) + ":" + std::string(n * 7919 % 3000, static_cast<char>('a' + n % 26));
}

// The file after the first `writes` writes.
inline std::string after(int writes) {
    std::string text = kStart;
    for (int n = 0; n < writes; ++n) text = tabrix::ini::withValue(text, section(n), key(n), value(n));
    return text;
}

}  // namespace settings_writer_plan
