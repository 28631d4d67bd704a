#pragma once
#include <windows.h>

#include <utility>
#include <vector>

#include "platform/win32/Gdi.h"
#include "windows/main/Graphs.h"

namespace tabrix::win32 {

// Draws a history graph onto a DC, with no background of its own: a baseline and the
// upload line in the lighter tint, the first series in the graph's colour, the scale text
// small in the top-left corner. Pens are made once per colour and width and kept.
class GraphPainter {
public:
    void paint(HDC dc, const Graph& graph, HFONT scaleFont);

private:
    HPEN pen(COLORREF color, int width);
    std::vector<std::pair<std::pair<COLORREF, int>, GdiObject<HPEN>>> pens_;
};

}  // namespace tabrix::win32
