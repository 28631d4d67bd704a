// Self-draw mode and title scrolling: texts written straight onto the window's surface.
#include "app/Unit1.h"

namespace tabrix {
namespace {

// The labels self-draw mode may paint, in painting order; the temperature labels are not among them.
constexpr int kSelfDrawList[] = {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                                 17, 18, 19, 20, 21, 22, 23, 24, 31, 32, 33, 34, 35, 36};
static_assert(sizeof(kSelfDrawList) / sizeof(kSelfDrawList[0]) == 29, "29 labels");

}  // namespace

std::string scrollText(const std::string& text) {
    if (text.size() < 2) return text;
    return text.substr(1) + text[0];
}

void TForm1::DrawTimerTimer() {
    labels_[4].visible = false;
    labels_[14].visible = false;
    // The canvas takes Label2's face, size and colour; the view makes it without anti-aliasing.
    canvas.newFont(labels_[2].font);
    for (int n : kSelfDrawList) {
        const Label& l = labels_[n];
        if (l.drawMark == 2) canvas.textOut(l.left, l.top, l.text);
    }
    for (int g = 0; g < Graphs::kCount; ++g)
        if (graphs[g].drawMark == 2) canvas.drawGraph(g);
}

void TForm1::ScrollTimerTimer() {
    const std::string text = labels_[14].text;
    if (stored_.songModule != "1") labels_[14].visible = false;
    setLabelText(14, scrollText(text));
    if (stored_.selfDrawEnabled == "1") canvas.textOut(labels_[14].left, labels_[14].top, labels_[14].text);
}

}  // namespace tabrix
