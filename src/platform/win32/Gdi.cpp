#include "platform/win32/Gdi.h"

#include <algorithm>
#include <cstring>

namespace tabrix::win32 {

Dib::Dib(int width, int height) : w_(width), h_(height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down, like Pixels
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bmp_.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<uint32_t*>(bits);
}

Dib::Dib(const Pixels& pixels) : Dib(pixels.width, pixels.height) {
    if (bits_ && !pixels.data.empty())
        std::memcpy(bits_, pixels.data.data(), pixels.data.size() * sizeof(uint32_t));
}

COLORREF toColorRef(uint32_t color) {
    if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0xFFFFFF);
}

HFONT createFont(const Font& font, int escapement, bool underline) {
    LOGFONTA lf{};
    lf.lfHeight = font.height;
    lf.lfEscapement = escapement;
    lf.lfOrientation = escapement;
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = underline ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(font.charset);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynA(lf.lfFaceName, font.face.c_str(), LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

void copyPicture(PixelView picture, uint32_t* back, int backW, int backH, int left, int top,
                 std::optional<uint32_t> key) {
    if (!picture) return;
    // Only the rows and columns that land inside the buffer are walked.
    const int fromY = std::max(0, -top), toY = std::min(picture.height, backH - top);
    const int fromX = std::max(0, -left), toX = std::min(picture.width, backW - left);
    for (int y = fromY; y < toY; ++y) {
        const uint32_t* src = picture.bits + static_cast<size_t>(y) * picture.width;
        uint32_t* dst = back + static_cast<size_t>(top + y) * backW;
        for (int x = fromX; x < toX; ++x) {
            const uint32_t c = src[x] & 0xFFFFFF;
            if (!key || c != *key) dst[left + x] = c;
        }
    }
}

}  // namespace tabrix::win32
