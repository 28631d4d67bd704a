// The main window's painting: each repainted part composed afresh from the skin and the
// player pictures, the graphs and labels drawn over it, and only what changed invalidated.
#include <algorithm>
#include <optional>

#include "platform/win32/Scoped.h"
#include "windows/main/MainWindowView_win.h"

namespace tabrix::win32 {
namespace {

// Texts up to this long are drawn without DrawText's layout when they need none.
constexpr int kPlainTextMax = 256;

RECT labelRect(const Label& l, int margin) {
    return RECT{l.left - margin, l.top - margin, l.left + l.width + margin, l.top + l.height + margin};
}

RECT graphRect(const Graph& g) {
    return RECT{g.left, g.top, g.left + g.width, g.top + g.height};
}

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

PixelView MainWindowView::picture(int n) const {
    return n == 1 ? PixelView(form_->look().image(1).bitmap) : PixelView(buttons_[n]);
}

MainWindowView::PaintedPicture MainWindowView::pictureNow(int n) const {
    const Picture& p = form_->look().image(n);
    const PixelView pixels = picture(n);
    PaintedPicture now;
    now.visible = p.visible && pixels;
    if (now.visible) now.rect = RECT{p.left, p.top, p.left + pixels.width, p.top + pixels.height};
    return now;
}

void MainWindowView::invalidate(const RECT& r) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    for (const RECT& had : invalid_)
        if (sameRect(had, r)) return;
    invalid_.push_back(r);
}

// Everything a handler changed goes to the system as one region: one request to the window
// system however many labels changed, and the next paint composes just those rectangles.
void MainWindowView::invalidateChanges() {
    collectChanges();
    if (invalid_.empty()) return;
    if (invalid_.size() == 1) {
        InvalidateRect(hwnd_.get(), &invalid_[0], FALSE);
    } else {
        GdiObject<HRGN> all(CreateRectRgnIndirect(&invalid_[0]));
        GdiObject<HRGN> one(CreateRectRgn(0, 0, 0, 0));
        for (size_t i = 1; i < invalid_.size(); ++i) {
            SetRectRgn(one.get(), invalid_[i].left, invalid_[i].top, invalid_[i].right, invalid_[i].bottom);
            CombineRgn(all.get(), all.get(), one.get(), RGN_OR);
        }
        InvalidateRgn(hwnd_.get(), all.get(), FALSE);
    }
    invalid_.clear();
}

void MainWindowView::collectChanges() {
    for (const int n : kMainPictures) {
        const PaintedPicture now = pictureNow(n);
        PaintedPicture& was = paintedPictures_[n];
        if (now.visible == was.visible && (!now.visible || sameRect(now.rect, was.rect))) continue;
        if (was.visible) invalidate(was.rect);
        if (now.visible) invalidate(now.rect);
        was = now;
    }
    for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n) {
        const Label& l = form_->look().label(n);
        PaintedLabel& was = paintedLabels_[n];
        const RECT rect = labelRect(l, textMargin_);
        if (l.visible == was.visible &&
            (!l.visible || (sameRect(rect, was.rect) && l.text == was.text && l.font == was.font &&
                            l.align == was.align && l.opaque == was.opaque)))
            continue;
        if (was.visible) invalidate(was.rect);
        if (l.visible) invalidate(rect);
        was.visible = l.visible;
        was.rect = rect;
        was.text = l.text;
        was.font = l.font;
        was.align = l.align;
        was.opaque = l.opaque;
    }
    invalidateGraphs();
}

// Each tick changes a graph: only its own rectangle, old and new, is repainted.
void MainWindowView::invalidateGraphs() {
    for (int i = 0; i < Graphs::kCount; ++i) {
        const Graph& g = form_->look().graphs[i];
        PaintedGraph& was = paintedGraphs_[i];
        const RECT rect = graphRect(g);
        const bool same = g.version == was.version && sameRect(rect, was.rect);
        if (g.visible == was.visible && (!g.visible || same)) continue;
        if (was.visible) invalidate(was.rect);
        if (g.visible) invalidate(rect);
        was.visible = g.visible;
        was.rect = rect;
        was.version = g.version;
    }
}

void MainWindowView::paintGraphs(HDC dc, const PaintParts& parts) {
    for (int i = 0; i < Graphs::kCount; ++i) {
        const Graph& g = form_->look().graphs[i];
        if (g.visible && parts.meets(graphRect(g))) graphPainter_.paint(dc, g, fontFor(g.scaleFont));
    }
}

HFONT MainWindowView::fontFor(const Font& font) {
    for (const auto& f : fonts_)
        if (f.first == font) return f.second.get();
    fonts_.emplace_back(font, GdiObject<HFONT>(createFont(font)));
    return fonts_.back().second.get();
}

// Each part of the buffer white, then the pictures that meet it.
void MainWindowView::paintPictures(Dib& frame, const PaintParts& parts) {
    const RECT& area = parts.bounds();
    const int areaW = area.right - area.left;
    for (const RECT& part : parts) {
        // The part in the buffer's coordinates.
        const RECT in{part.left - area.left, part.top - area.top, part.right - area.left,
                      part.bottom - area.top};
        for (int y = in.top; y < in.bottom; ++y)
            std::fill_n(frame.bits() + static_cast<size_t>(y) * areaW + in.left, in.right - in.left,
                        0xFFFFFFu);
        for (const int n : kMainPictures) {
            const PaintedPicture now = pictureNow(n);
            RECT overlap;
            if (!now.visible || !IntersectRect(&overlap, &now.rect, &part)) continue;
            const int left = now.rect.left - area.left, top = now.rect.top - area.top;
            // The bottom-left pixel's colour is see-through: the white window shows there.
            const PixelView pixels = picture(n);
            copyPicture(pixels, frame.bits(), areaW, in, left, top, n == 1 ? skinKey_ : pixels.bottomLeft());
            if (n == 1 && banner_)
                copyPicture(banner_, frame.bits(), areaW, in, left + bannerAt_.x, top + bannerAt_.y,
                            std::nullopt);
        }
    }
}

void MainWindowView::paintLabel(MemoryDc& dc, const Label& l) {
    RECT r{l.left, l.top, l.left + l.width, l.top + l.height};
    if (l.opaque) FillRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    dc.selectFont(fontFor(l.font));
    SetTextColor(dc.get(), toColorRef(l.font.color));
    // A left-aligned single line is where DrawText would put it anyway; drawing it
    // straight spares the text's measuring on every paint. The text is converted as
    // DrawTextA converts it (the system's code page, whatever the font's character set).
    if (l.align == Align::Left && l.text.size() <= kPlainTextMax &&
        l.text.find_first_of("\t\r\n") == std::string::npos) {
        if (l.text.empty()) return;
        wchar_t wide[kPlainTextMax];
        const int n = MultiByteToWideChar(CP_ACP, 0, l.text.data(), static_cast<int>(l.text.size()), wide,
                                          kPlainTextMax);
        if (n > 0) {
            ExtTextOutW(dc.get(), l.left, l.top, 0, nullptr, wide, static_cast<UINT>(n), nullptr);
            return;
        }
    }
    const UINT align = l.align == Align::Right ? DT_RIGHT : l.align == Align::Center ? DT_CENTER : DT_LEFT;
    DrawTextA(dc.get(), l.text.c_str(), static_cast<int>(l.text.size()), &r,
              align | kLabelTextFormat | DT_NOCLIP);
}

void MainWindowView::paint(HDC target, bool paintMessage) {
    RECT client;
    GetClientRect(hwnd_.get(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    const PaintParts parts(target, client, paintMessage);
    if (parts.empty()) return;
    const RECT& area = parts.bounds();

    // Composed in a buffer the size of the parts' bounds, made for this paint only: a
    // window-sized buffer kept between paints would hold another 324 kB for the program's
    // life. Only the parts' pixels are written (and so only their pages touched) and copied.
    const int areaW = area.right - area.left, areaH = area.bottom - area.top;
    Dib frame(areaW, areaH);
    if (!frame) return;
    GdiFlush();
    paintPictures(frame, parts);

    MemoryDc dc(target);
    dc.select(frame.get());
    // Graphs and labels are drawn only where they meet a part, and clipped to the parts.
    parts.clip(dc.get(), area.left, area.top);
    // Drawn in the window's own coordinates; the buffer's top left is the area's.
    SetViewportOrgEx(dc.get(), -area.left, -area.top, nullptr);
    // Under the labels: a label dragged over a graph stays readable.
    paintGraphs(dc.get(), parts);
    SetBkMode(dc.get(), TRANSPARENT);
    for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n) {
        const Label& l = form_->look().label(n);
        if (l.visible && parts.meets(labelRect(l, textMargin_))) paintLabel(dc, l);
    }
    // The target is clipped to what it asked for, so only the parts reach the window.
    BitBlt(target, area.left, area.top, areaW, areaH, dc.get(), area.left, area.top, SRCCOPY);
}

void MainWindowView::drawCanvasWrites() {
    std::vector<CanvasWrite>& pending = canvasWrites_.pending;
    if (pending.empty()) return;
    // Written straight onto the window, as it shows now; a hidden window shows nothing.
    std::optional<WindowDc> dc;
    if (IsWindowVisible(hwnd_.get())) dc.emplace(hwnd_.get());
    for (const CanvasWrite& w : pending) {
        if (w.newFont) {
            canvas_.newFont(fontFor(w.font), toColorRef(w.font.color));
        } else if (w.graph >= 0 && w.graph < Graphs::kCount) {
            if (!dc || !*dc) continue;
            // Like the texts: an opaque white box, then the graph as it stands now.
            const Graph& g = form_->look().graphs[w.graph];
            const RECT box = graphRect(g);
            FillRect(dc->get(), &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            graphPainter_.paint(dc->get(), g, fontFor(g.scaleFont));
        } else if (dc && *dc) {
            canvas_.textOut(dc->get(), w.left, w.top, w.text);
        }
    }
    pending.clear();
}

}  // namespace tabrix::win32
