#pragma once
// Shared by the settings tests under Wine: file bytes in and out and the profile-text
// normal form used where the system's formatting differs from ours.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Win32Files.h"
#include "test_helpers.h"

namespace settings_test {

using tabrix::test::ScratchDir;

inline std::string slurp(const std::string& path) {
    std::string bytes;
    tabrix::Win32Files().read(path, bytes);
    return bytes;
}

inline void spit(const std::string& path, const std::string& bytes) {
    HANDLE h =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

inline bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

inline std::string trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// The file as the system's profile code writes it back: one line per entry, no blank
// lines, no blanks around names and values, "[name]" headers, LF between lines.
inline std::string normalForm(const std::string& bytes) {
    std::string out, line;
    auto flush = [&] {
        std::string t = trimmed(line);
        line.clear();
        if (t.empty()) return;
        std::size_t close = t.find(']'), eq = t.find('=');
        if (t[0] == '[' && close != std::string::npos)
            t = "[" + trimmed(t.substr(1, close - 1)) + "]";
        else if (eq != std::string::npos)
            t = trimmed(t.substr(0, eq)) + "=" + trimmed(t.substr(eq + 1));
        out += t + "\n";
    };
    for (char c : bytes) {
        if (c == '\r' || c == '\n')
            flush();
        else
            line += c;
    }
    flush();
    return out;
}

}  // namespace settings_test
