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

PaintParts::PaintParts(HDC dc, const RECT& client, bool paintDc) {
    RECT box;
    const int kind = GetClipBox(dc, &box);
    if (kind == NULLREGION) return;
    if (kind == ERROR) box = client;
    if (!IntersectRect(&bounds_, &box, &client)) return;
    parts_[0] = bounds_;
    count_ = 1;
    // Windows 9x gives the system region in client coordinates, later ones in screen
    // coordinates; only those are asked.
    if (!paintDc || kind != COMPLEXREGION || (GetVersion() & 0x80000000u)) return;
    GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    POINT origin;
    if (!region || GetRandomRgn(dc, region.get(), SYSRGN) != 1 || !GetDCOrgEx(dc, &origin)) return;
    OffsetRgn(region.get(), -origin.x, -origin.y);
    struct {
        RGNDATAHEADER header;
        RECT rects[kMaxParts];
    } data;
    // Too many rectangles (the call answers 0): the bounds stay the one part.
    if (!GetRegionData(region.get(), sizeof data, reinterpret_cast<RGNDATA*>(&data))) return;
    const RECT limit = bounds_;
    count_ = 0;
    bounds_ = RECT{};
    for (DWORD i = 0; i < data.header.nCount && i < static_cast<DWORD>(kMaxParts); ++i) {
        RECT part;
        if (!IntersectRect(&part, &data.rects[i], &limit)) continue;
        parts_[count_++] = part;
        UnionRect(&bounds_, &bounds_, &part);
    }
    if (count_ == 0) {
        parts_[0] = bounds_ = limit;
        count_ = 1;
    }
}

bool PaintParts::meets(const RECT& r) const {
    RECT overlap;
    for (const RECT& part : *this)
        if (IntersectRect(&overlap, &part, &r)) return true;
    return false;
}

void PaintParts::clip(HDC buffer, int left, int top) const {
    if (count_ <= 1) return;  // one part: the buffer's own bounds clip
    GdiObject<HRGN> all(CreateRectRgn(0, 0, 0, 0));
    GdiObject<HRGN> one(CreateRectRgn(0, 0, 0, 0));
    for (const RECT& part : *this) {
        SetRectRgn(one.get(), part.left - left, part.top - top, part.right - left, part.bottom - top);
        CombineRgn(all.get(), all.get(), one.get(), RGN_OR);
    }
    SelectClipRgn(buffer, all.get());
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
    copyPicture(picture, back, backW, RECT{0, 0, backW, backH}, left, top, key);
}

void copyPicture(PixelView picture, uint32_t* back, int backW, const RECT& within, int left, int top,
                 std::optional<uint32_t> key) {
    if (!picture) return;
    // Only the picture's rows and columns that land inside `within` are walked.
    const int fromY = std::max<int>(0, within.top - top),
              toY = std::min<int>(picture.height, within.bottom - top);
    const int fromX = std::max<int>(0, within.left - left),
              toX = std::min<int>(picture.width, within.right - left);
    for (int y = fromY; y < toY; ++y) {
        const uint32_t* src = picture.bits + static_cast<size_t>(y) * picture.width;
        uint32_t* dst = back + static_cast<size_t>(top + y) * backW + left;
        if (key) {
            const uint32_t k = *key;
            for (int x = fromX; x < toX; ++x) {
                const uint32_t c = src[x] & 0xFFFFFF;
                if (c != k) dst[x] = c;
            }
        } else {
            for (int x = fromX; x < toX; ++x) dst[x] = src[x] & 0xFFFFFF;
        }
    }
}

}  // namespace tabrix::win32
