#include "platform/win32/Win32Codepage.h"

#include <windows.h>

#include <vector>

#include "platform/Error.h"

namespace tabrix::win32 {
namespace {

// One code page's bytes into another's, through UTF-16.
std::string convert(const std::string& text, UINT from, UINT to) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(from, 0, text.data(), size, nullptr, 0);
    if (wide <= 0) throw Error("Cannot convert text");
    std::vector<wchar_t> utf16(static_cast<size_t>(wide));
    MultiByteToWideChar(from, 0, text.data(), size, utf16.data(), wide);
    const int bytes = WideCharToMultiByte(to, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) throw Error("Cannot convert text");
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(to, 0, utf16.data(), wide, &out[0], bytes, nullptr, nullptr);
    return out;
}

}  // namespace

std::string Win32Codepage::ansiToUtf8(const std::string& ansi) {
    return convert(ansi, CP_ACP, CP_UTF8);
}

std::string Win32Codepage::utf8ToAnsi(const std::string& utf8) {
    return convert(utf8, CP_UTF8, CP_ACP);
}

std::size_t Win32Codepage::prefixBytes(const std::string& ansi, std::size_t characters) {
    std::size_t at = 0;
    for (std::size_t n = 0; n < characters && at < ansi.size(); ++n)
        at += IsDBCSLeadByte(static_cast<BYTE>(ansi[at])) && at + 1 < ansi.size() ? 2 : 1;
    return at;
}

}  // namespace tabrix::win32
