#pragma once
// The tests' look inside the main window: what only a test reads or sets.
#include <string>
#include <vector>

#include "windows/main/Unit1.h"

namespace tabrix {

struct MainWindowAccess {
    static const StartupProgress& progress(const TForm1& f) { return f.startup_; }
    static MainControls& controls(TForm1& f) { return f.controls_; }
    static Graphs& graphs(TForm1& f) { return f.graphs_; }
    static const Timer& playerStartTimer(const TForm1& f) { return f.player_.startTimer; }
};

inline const std::string& startupFailure(const TForm1& f) {
    return MainWindowAccess::progress(f).failure;
}
inline int lastStartupStep(const TForm1& f) {
    return MainWindowAccess::progress(f).lastStep;
}
// Sets a label's text as the sources do: the label sizes itself to it.
inline void setLabelText(TForm1& f, int number, const std::string& text) {
    MainWindowAccess::controls(f).setText(number, text);
}
// A label or picture changed as the user or another part would.
inline Label& mutableLabel(TForm1& f, int number) {
    return MainWindowAccess::controls(f).label(number);
}
inline Picture& mutableImage(TForm1& f, int number) {
    return MainWindowAccess::controls(f).image(number);
}
inline void setLabelFont(TForm1& f, int number, const Font& font) {
    MainWindowAccess::controls(f).setFont(number, font);
}
// What self-draw mode wrote on the window's surface, in order.
struct CanvasLog : CanvasSink {
    std::vector<CanvasWrite> writes;
    void write(CanvasWrite w) override { writes.push_back(std::move(w)); }
};

inline const Timer& playerStartTimer(const TForm1& f) {
    return MainWindowAccess::playerStartTimer(f);
}

}  // namespace tabrix
