#include "windows/main/Graphs.h"

#include <algorithm>
#include <cmath>

#include "config/IniFile.h"
#include "config/SettingKeys.h"
#include "sources/SystemFacts.h"
#include "sources/Traffic.h"
#include "windows/main/StartupSettings.h"

namespace tabrix {
namespace {

constexpr uint64_t kFullLoad = 100;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kNearWhite = 0xF5F5F5;  // what the labels use for white, too
constexpr int kScaleFontPoints = 7;        // small: the scale sits inside the graph

}  // namespace

void History::push(uint64_t value) {
    ring_[next_] = value;
    next_ = (next_ + 1) % kLength;
    if (count_ < kLength) ++count_;
}

void History::clear() {
    next_ = 0;
    count_ = 0;
}

uint64_t History::at(std::size_t i) const {
    // The oldest kept value sits count_ places before the next free one.
    return ring_[(next_ + kLength - count_ + i) % kLength];
}

uint64_t History::highest() const {
    uint64_t top = 0;
    for (std::size_t i = 0; i < count_; ++i) top = std::max(top, at(i));
    return top;
}

std::vector<GraphPoint> graphPoints(const History& history, uint64_t scale, int left, int top, int width,
                                    int height) {
    std::vector<GraphPoint> points;
    if (width <= 0 || height <= 0) return points;
    const std::size_t n = history.size();
    const int right = left + width - 1;
    const int bottom = top + height - 1;
    const double step = (width - 1) / static_cast<double>(History::kLength - 1);
    points.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const uint64_t v = history.at(i);
        // In floating point: a value past 32 bits times the height must not wrap.
        const double part =
            scale == 0 ? 0.0 : std::min(1.0, static_cast<double>(v) / static_cast<double>(scale));
        GraphPoint p;
        p.x = right - static_cast<int>(std::lround((n - 1 - i) * step));
        p.y = bottom - static_cast<int>(std::lround(part * (height - 1)));
        points.push_back(p);
    }
    return points;
}

uint64_t autoScale(const std::vector<History>& series) {
    uint64_t top = 0;
    for (const History& h : series) top = std::max(top, h.highest());
    return top;
}

std::string scaleText(uint64_t bytesPerTick, char decimalSeparator) {
    return rateText("", bytesPerTick, decimalSeparator);
}

uint32_t lighterTint(uint32_t rgb) {
    uint32_t tint = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t c = (rgb >> shift) & 0xFF;
        tint |= (c + (0xFF - c) / 2) << shift;
    }
    return tint == kWhite ? kNearWhite : tint;
}

Graphs::Graphs(const Scale& scale) : scale_(scale) {
    for (int i = 0; i < kCount; ++i) {
        const GraphDesign& d = kGraphDesign[i];
        Graph& g = graphs_[i];
        g.name = d.name;
        g.left = scale.toDevice(d.left);
        g.top = scale.toDevice(d.top);
        g.width = scale.toDevice(d.width);
        g.height = scale.toDevice(d.height);
        g.lineWidth = scale.toDevice(1);
        g.series.resize(d.series);
        g.points.resize(d.series);
    }
    graphs_[kCpu].scale = kFullLoad;
    graphs_[kTraffic].scale = 0;
    graphs_[kTraffic].scaleText = scaleText(0, '.');
}

void Graphs::applyModule(bool on, bool trafficMeter) {
    on_ = on;
    graphs_[kCpu].visible = on_;
    graphs_[kTraffic].visible = on_ && trafficMeter;
    for (Graph& g : graphs_) g.drawMark = g.visible ? 2 : 1;
}

void Graphs::applyPositions(const StartupSettings& settings) {
    for (int i = 0; i < kCount; ++i) {
        graphs_[i].left = settings.graphPlaces[i].left;
        graphs_[i].top = settings.graphPlaces[i].top;
    }
}

void Graphs::applyColor(uint32_t color, const std::string& face) {
    for (Graph& g : graphs_) {
        g.color = color;
        g.scaleFont.face = face;
        g.scaleFont.height = pointsToHeight(kScaleFontPoints, scale_.dpi());
        g.scaleFont.color = color;
        ++g.version;
    }
}

void Graphs::hideForSelfDraw() {
    for (Graph& g : graphs_) g.visible = false;
}

void Graphs::savePositions(IniFile& ini) const {
    if (!on_) return;
    for (const Graph& g : graphs_) {
        writePlace(ini, g.name, scale_.toDesign(g.left), scale_.toDesign(g.top));
    }
}

void Graphs::pushLoad(double fraction) {
    if (!on_) return;
    const double percent = R(fraction * 100);
    // The label shows what the sampler computed; the graph has no room above or below.
    const uint64_t value = percent <= 0           ? 0
                           : percent >= kFullLoad ? kFullLoad
                                                  : static_cast<uint64_t>(percent);
    graphs_[kCpu].series[0].push(value);
}

void Graphs::pushTraffic(uint64_t received, uint64_t sent, char decimalSeparator) {
    if (!on_) return;
    Graph& g = graphs_[kTraffic];
    g.series[0].push(received);
    g.series[1].push(sent);
    g.scale = autoScale(g.series);
    g.scaleText = scaleText(g.scale, decimalSeparator);
}

void Graphs::publish() {
    for (int i = 0; i < kCount; ++i) {
        Graph& g = graphs_[i];
        bool changed = g.scaleText != publishedScale_[i];
        for (std::size_t s = 0; s < g.series.size(); ++s) {
            std::vector<GraphPoint> now = graphPoints(g.series[s], g.scale, 0, 0, g.width, g.height);
            if (now == g.points[s]) continue;
            g.points[s] = std::move(now);
            changed = true;
        }
        if (!changed) continue;
        publishedScale_[i] = g.scaleText;
        ++g.version;
    }
}

int Graphs::at(int x, int y) const {
    for (int i = kCount - 1; i >= 0; --i) {
        const Graph& g = graphs_[i];
        if (g.visible && x >= g.left && x < g.left + g.width && y >= g.top && y < g.top + g.height)
            return i + 1;
    }
    return 0;
}

void Graphs::press(int number, int x, int y) {
    if (number < 1 || number > kCount) return;
    dragged_ = number;
    originX_ = x;
    originY_ = y;
}

void Graphs::move(int number, int x, int y) {
    if (dragged_ == 0 || number != dragged_) return;
    if (x == originX_ && y == originY_) return;
    // Measured from the graph's new place, so the origin stays under the pointer.
    Graph& g = graphs_[number - 1];
    g.left += x - originX_;
    g.top += y - originY_;
    ++g.version;
}

void Graphs::release() {
    dragged_ = 0;
}

}  // namespace tabrix
