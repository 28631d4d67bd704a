#include "windows/main/GraphPainter_win.h"

#include <algorithm>

namespace tabrix::win32 {
namespace {

// COLORREF and the labels' colours share the 0x00BBGGRR layout; the tint is per channel.
COLORREF tintOf(COLORREF color) {
    return static_cast<COLORREF>(lighterTint(static_cast<uint32_t>(color)));
}

}  // namespace

HPEN GraphPainter::pen(COLORREF color, int width) {
    const std::pair<COLORREF, int> key(color, width);
    for (const auto& p : pens_)
        if (p.first == key) return p.second.get();
    // A font colour changes only with a rebuild; a few pens cover every graph.
    if (pens_.size() >= 4) pens_.clear();
    pens_.emplace_back(key, GdiObject<HPEN>(CreatePen(PS_SOLID, width, color)));
    return pens_.back().second.get();
}

void GraphPainter::paint(HDC dc, const Graph& graph, HFONT scaleFont) {
    if (graph.width <= 0 || graph.height <= 0) return;
    const COLORREF color = toColorRef(graph.color);
    const COLORREF tint = tintOf(color);
    const int bottom = graph.top + graph.height - 1;
    HGDIOBJ oldPen = SelectObject(dc, pen(tint, graph.lineWidth));
    MoveToEx(dc, graph.left, bottom, nullptr);
    LineTo(dc, graph.left + graph.width, bottom);
    // The upload line first, so the download line stays whole where they meet. The points
    // are the ones the tick published, in the graph's own box.
    for (size_t s = graph.points.size(); s-- > 0;) {
        const std::vector<GraphPoint>& points = graph.points[s];
        const size_t n = std::min(points.size(), History::kLength);
        if (n == 0) continue;
        const COLORREF c = s == 0 ? color : tint;
        SelectObject(dc, pen(c, graph.lineWidth));
        POINT line[History::kLength];
        for (size_t i = 0; i < n; ++i) line[i] = POINT{graph.left + points[i].x, graph.top + points[i].y};
        Polyline(dc, line, static_cast<int>(n));
        // A line leaves out its last pixel, and a single value has no line at all.
        SetPixelV(dc, line[n - 1].x, line[n - 1].y, c);
    }
    SelectObject(dc, oldPen);
    if (!graph.scaleText.empty() && scaleFont) {
        HGDIOBJ oldFont = SelectObject(dc, scaleFont);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, color);
        SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        TextOutA(dc, graph.left, graph.top, graph.scaleText.c_str(),
                 static_cast<int>(graph.scaleText.size()));
        SelectObject(dc, oldFont);
    }
}

}  // namespace tabrix::win32
