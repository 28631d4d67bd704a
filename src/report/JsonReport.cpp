#include "report/JsonReport.h"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "sources/SystemFacts.h"
#include "sources/Traffic.h"
#include "sources/WAmpMsg.h"

namespace tabrix {
namespace {

// Keys in the order written, so that the file reads like the window.
using Json = nlohmann::ordered_json;

constexpr int64_t kSecondsPerDay = 86400;
constexpr uint32_t kMsPerSecond = 1000;

// Whole figures read as integers ("512", not "512.0").
Json number(double value) {
    constexpr double kExactLimit = 9007199254740992.0;  // 2^53
    if (std::isfinite(value) && std::fabs(value) < kExactLimit && value == std::trunc(value))
        return static_cast<int64_t>(value);
    return value;
}

template <typename T, typename Make>
Json figureOr(const std::optional<T>& figure, Make make) {
    return figure ? number(make(*figure)) : Json(nullptr);
}

class Builder {
public:
    Builder(const ReportLabels& labels, const JsonTick& tick, Codepage& codepage)
        : l_(labels), f_(tick.figures), on_(tick.facts), codepage_(codepage) {}

    Json build(int64_t written) {
        Json j;
        j["version"] = text(l_.version);
        j["written"] = isoUtcText(written);
        int pair = 0;
        for (const FactRow& row : kFacts) {
            if (!row.json) continue;
            Json& at = row.jsonGroup ? j[row.jsonGroup][row.json] : j[row.json];
            if (!on_[row.fact])
                at = nullptr;
            else if (row.shape == JsonShape::SensorPair)
                at.push_back(sensorPair(pair, row.fact));
            else
                at = value(row);
            if (row.shape == JsonShape::SensorPair) ++pair;
        }
        return j;
    }

private:
    // Every ANSI code page reads ASCII as ASCII: only other texts are converted.
    Json text(const std::string& ansi) { return codepage_.asciiOrUtf8(ansi); }

    Json withFigure(const std::string& label, const char* key, Json figure) {
        return {{"text", text(label)}, {key, std::move(figure)}};
    }

    Json megabytes(const std::string& label, MegabyteFigures (*figures)(const MemoryStatus&)) {
        if (!f_.memory) return {{"text", text(label)}, {"used_mb", nullptr}, {"total_mb", nullptr}};
        const MegabyteFigures mb = figures(*f_.memory);
        return {{"text", text(label)}, {"used_mb", number(mb.used)}, {"total_mb", number(mb.total)}};
    }

    Json rate(const std::string& label, const std::optional<uint32_t>& bytes) {
        return withFigure(label, "kb_per_s", figureOr(bytes, [](uint32_t b) { return rateKb(b); }));
    }

    // A fact's text with the figure it was made from, as its shape says.
    Json value(const FactRow& row) {
        const std::string& label = l_[row.fact];
        switch (row.shape) {
            case JsonShape::Percent:
                return withFigure(label, "percent",
                                  row.fact == Fact::CpuUsage ? figureOr(f_.cpuLoad, cpuUsagePercent)
                                                             : figureOr(f_.memory, [](const MemoryStatus& m) {
                                                                   return m.memoryLoad;
                                                               }));
            case JsonShape::Megabytes:
                return megabytes(label, row.fact == Fact::Memory ? memoryFigures : pageFileFigures);
            case JsonShape::Seconds:
                return withFigure(label, "seconds",
                                  figureOr(f_.uptimeMs, [](uint32_t ms) { return ms / kMsPerSecond; }));
            case JsonShape::Rate:
                return rate(label, row.fact == Fact::Download ? f_.receivedBytes : f_.sentBytes);
            case JsonShape::Player:
                return player();
            default:
                return text(label);
        }
    }

    // A shown pair's value is the number and unit its text was made from; a hidden pair's
    // labels hold an old reading or the design text, so it has none.
    Json sensorPair(int k, Fact fact) {
        const SensorFigure& figure = f_.sensors[k];
        return {{"name", text(l_.caption[fact])},
                {"text", figure.shown ? text(l_[fact]) : Json(nullptr)},
                {"value", figure.shown ? number(figure.value) : Json(nullptr)},
                {"unit", figure.shown ? text(figure.unit) : Json(nullptr)}};
    }

    Json player() {
        if (!f_.song) return {{"running", nullptr}, {"song", nullptr}};
        const bool running = *f_.song != kPlayerNotRunning;
        return {{"running", running}, {"song", running ? text(*f_.song) : Json(nullptr)}};
    }

    const ReportLabels& l_;
    const LabelFigures& f_;
    const JsonFacts& on_;
    Codepage& codepage_;
};

}  // namespace

std::string isoUtcText(int64_t t) {
    int64_t days = t / kSecondsPerDay;
    int64_t seconds = t % kSecondsPerDay;
    if (seconds < 0) {
        seconds += kSecondsPerDay;
        --days;
    }
    // Days since 1970 to a date of the Gregorian calendar, counted in 400-year eras that
    // start on 1 March, so that the leap day ends a year.
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    char out[32];
    std::snprintf(out, sizeof out, "%04d-%02d-%02dT%02d:%02d:%02dZ", year, month, day,
                  static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60));
    return out;
}

std::string jsonReportText(const ReportLabels& labels, const JsonTick& tick, Codepage& codepage) {
    const Json report = Builder(labels, tick, codepage).build(tick.writtenUtc);
    return report.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace tabrix
