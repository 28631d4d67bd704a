#include "platform/win32/Win32Codepage.h"

#include <windows.h>

#include <vector>

#include "platform/Error.h"

namespace tabrix::win32 {

std::string Win32Codepage::ansiToUtf8(const std::string& ansi) {
    if (ansi.empty()) return std::string();
    const int size = static_cast<int>(ansi.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    if (wide <= 0) throw Error("Cannot convert text");
    std::vector<wchar_t> utf16(static_cast<size_t>(wide));
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, utf16.data(), wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) throw Error("Cannot convert text");
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, &out[0], bytes, nullptr, nullptr);
    return out;
}

}  // namespace tabrix::win32
