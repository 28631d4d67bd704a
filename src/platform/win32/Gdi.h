#pragma once
#include <windows.h>

#include <optional>
#include <utility>

#include "platform/Font.h"
#include "platform/Pixels.h"

namespace tabrix::win32 {

// Owns one GDI object and deletes it when it goes.
template <typename H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) : h_(h) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    ~GdiObject() { reset(); }
    void reset(H h = nullptr) {
        if (h_) DeleteObject(h_);
        h_ = h;
    }
    H get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    H h_ = nullptr;
};

// A memory DC that restores what was selected into it: the first object select() replaced,
// and the font selectFont() first replaced.
class MemoryDc {
public:
    explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (oldFont_) SelectObject(dc_, oldFont_);
        if (old_) SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    void select(HGDIOBJ obj) {
        HGDIOBJ prev = SelectObject(dc_, obj);
        if (!old_) old_ = prev;
    }
    void selectFont(HFONT font) {
        HGDIOBJ prev = SelectObject(dc_, font);
        if (!oldFont_) oldFont_ = prev;
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
};

// A 32-bit top-down DIB section holding pixels; bits() points at them.
class Dib {
public:
    Dib() = default;
    Dib(int width, int height);
    explicit Dib(const Pixels& pixels);
    HBITMAP get() const { return bmp_.get(); }
    uint32_t* bits() const { return bits_; }
    int width() const { return w_; }
    int height() const { return h_; }
    explicit operator bool() const { return static_cast<bool>(bmp_); }

private:
    GdiObject<HBITMAP> bmp_;
    uint32_t* bits_ = nullptr;
    int w_ = 0;
    int h_ = 0;
};

// An RGB colour or a system colour (0x80000000 + index) as a COLORREF.
COLORREF toColorRef(uint32_t color);
// The GDI font a control's font describes, turned by escapement (tenths of a degree).
HFONT createFont(const Font& font, int escapement = 0, bool underline = false);

// Rows of 32-bit pixels, top-down, held elsewhere: a DIB's or a picture's.
struct PixelView {
    const uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    PixelView() = default;
    PixelView(const Dib& dib) : bits(dib.bits()), width(dib.width()), height(dib.height()) {}
    // Empty when the picture holds fewer pixels than its size says.
    PixelView(const Pixels& p) : bits(p.data.data()), width(p.width), height(p.height) {
        if (p.empty() || p.data.size() < static_cast<size_t>(p.width) * p.height) *this = PixelView();
    }
    explicit operator bool() const { return bits && width > 0 && height > 0; }
    // The bottom-left pixel's colour, which a keyed picture leaves out.
    uint32_t bottomLeft() const { return bits[static_cast<size_t>(height - 1) * width] & 0xFFFFFF; }
};

// Copies a picture into a 32-bit back buffer of backW x backH at left, top, clipped to it;
// with a key, the picture's pixels of that colour are left out and show what is beneath.
void copyPicture(PixelView picture, uint32_t* back, int backW, int backH, int left, int top,
                 std::optional<uint32_t> key);
// The same, writing only the buffer's pixels inside `within` (buffer coordinates, inside it).
void copyPicture(PixelView picture, uint32_t* back, int backW, const RECT& within, int left, int top,
                 std::optional<uint32_t> key);

// The parts of a client area one paint is to compose, in client coordinates: the rectangles of
// the paint DC's region where the system tells them, so that a label at the top and a graph at
// the bottom are two small parts rather than the box around both; otherwise (a DC that is not a
// window's paint DC, Windows 9x, a region of more than kMaxParts rectangles) its clip box.
class PaintParts {
public:
    static constexpr int kMaxParts = 16;
    PaintParts(HDC dc, const RECT& client, bool paintDc);
    bool empty() const { return count_ == 0; }
    const RECT& bounds() const { return bounds_; }
    const RECT* begin() const { return parts_; }
    const RECT* end() const { return parts_ + count_; }
    bool meets(const RECT& r) const;
    // Limits what is drawn on a buffer whose top left lies at left, top of the client area.
    void clip(HDC buffer, int left, int top) const;

private:
    RECT parts_[kMaxParts] = {};
    int count_ = 0;
    RECT bounds_{};
};

// How a label's text is laid out, measured and drawn alike: "&" is shown as it is, tabs
// expand, and a line feed or carriage return begins a new line (no DT_SINGLELINE).
constexpr UINT kLabelTextFormat = DT_NOPREFIX | DT_EXPANDTABS;

}  // namespace tabrix::win32
