#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/Scale.h"
#include "platform/Font.h"

// The history graphs of the main window: the processor load of the last refresh ticks and
// the traffic rates of the last traffic ticks. They are data like the labels (place, size,
// visibility, colour, values); the view only paints them.
namespace tabrix {

class IniFile;
struct StartupSettings;

// The last kLength values of one series, oldest first; the oldest goes when a new one comes.
class History {
public:
    static constexpr std::size_t kLength = 60;

    void push(uint64_t value);
    void clear();
    std::size_t size() const { return count_; }
    uint64_t at(std::size_t i) const;  // 0: the oldest kept
    uint64_t highest() const;          // 0 when empty

private:
    std::array<uint64_t, kLength> ring_{};
    std::size_t next_ = 0;  // where the next value goes
    std::size_t count_ = 0;
};

struct GraphPoint {
    int x = 0;
    int y = 0;
    bool operator==(const GraphPoint& o) const { return x == o.x && y == o.y; }
};

// Where each value of a series stands in a box of width x height at left, top: the newest at
// the right edge, one step of (width - 1) / (kLength - 1) between neighbours, so a short
// series fills from the right; 0 on the bottom row, `scale` and above on the top row.
std::vector<GraphPoint> graphPoints(const History& history, uint64_t scale, int left, int top, int width,
                                    int height);

// The highest value any of the series shows, the auto-scaled graph's top row.
uint64_t autoScale(const std::vector<History>& series);

// The traffic graph's scale in the traffic labels' units: bytes per one-second tick in
// KiB/s rounded to two decimals ("1.5 Kb/s").
std::string scaleText(uint64_t bytesPerTick, char decimalSeparator);

// Halfway from an RGB colour to white, the upload line's tint; never pure white, which the
// colour key would make see-through.
uint32_t lighterTint(uint32_t rgb);

// A graph as designed.
struct GraphDesign {
    const char* name;  // its place is saved under name + "left" / "top" in section Labels
    int left, top, width, height;
    std::size_t series;
};

// Side by side in the panel's free lower area, under the disk-space line and above the
// player buttons of the shipped skins.
inline constexpr GraphDesign kGraphDesign[] = {
    {"Graph1", 28, 232, 116, 36, 1},
    {"Graph2", 148, 232, 116, 36, 2},
};

struct Graph {
    std::string name;  // its place is saved under name + "left" / "top" in section Labels
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int lineWidth = 1;     // the lines' thickness, which grows with the screen's scale
    bool visible = false;  // painted with the window; hidden in self-draw mode
    int drawMark = 1;      // 2: written by each self-draw pass
    uint32_t color = 0;    // the labels' colour; a second series is drawn in its lighter tint
    std::vector<History> series;
    uint64_t scale = 100;   // the value of the top row
    std::string scaleText;  // written small in the top-left corner; empty: none
    Font scaleFont;
    // Each series' points as last published, in the graph's own box (0, 0 at its top left):
    // what is painted, worked out once per tick rather than at every paint.
    std::vector<std::vector<GraphPoint>> points;
    // Changes whenever anything painted of the graph changes, so the view repaints it.
    unsigned version = 0;
};

class Graphs {
public:
    static constexpr int kCpu = 0;      // Graph1: the processor load, 0 to 100
    static constexpr int kTraffic = 1;  // Graph2: download and upload, auto-scaled
    static constexpr int kCount = 2;
    static_assert(sizeof(kGraphDesign) / sizeof(kGraphDesign[0]) == kCount, "one design per graph");

    // The design's places and sizes at the screen's scale.
    explicit Graphs(const Scale& scale = Scale());

    // The module as start-up read it; the traffic graph shows only where the traffic meter
    // runs, which is what fills it.
    void applyModule(bool on, bool trafficMeter);
    // The saved places as start-up read them.
    void applyPositions(const StartupSettings& settings);
    void applyColor(uint32_t color, const std::string& face);
    void hideForSelfDraw();
    // Written on close beside the labels' places, in design units, only while the module is on.
    void savePositions(IniFile& ini) const;

    // The processor load as Label4 shows it (R(u x 100)), held to 0 to 100.
    void pushLoad(double fraction);
    // One traffic tick's bytes received and sent, as Label32 and Label33 show them.
    void pushTraffic(uint64_t received, uint64_t sent, char decimalSeparator);
    // Once per refresh tick, after it: a graph whose picture changed gets a new version. Both
    // graphs are thus repainted with the refresh tick's labels, in one paint a second, and a
    // picture that stays the same (an idle line once the history is full) is not repainted.
    void publish();

    // Dragging, like the labels': the graph under a point (its index + 1, 0 when none),
    // then press, move and release in the graph's own coordinates.
    int at(int x, int y) const;
    void press(int number, int x, int y);
    void move(int number, int x, int y);
    void release();
    int captured() const { return dragged_; }

    Graph& operator[](int i) { return graphs_.at(i); }
    const Graph& operator[](int i) const { return graphs_.at(i); }
    bool on() const { return on_; }

private:
    Scale scale_;
    std::array<Graph, kCount> graphs_;
    std::array<std::string, kCount> publishedScale_;
    bool on_ = false;
    int dragged_ = 0;
    int originX_ = 0;
    int originY_ = 0;
};

}  // namespace tabrix
