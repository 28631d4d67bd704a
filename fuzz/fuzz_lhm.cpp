// libFuzzer target over LibreHardwareMonitor's answer: any bytes as the body of /data.json,
// read into readings, then into the three pairs with a named reading and the Fahrenheit mode.
// Built and run by scripts/fuzz.sh lhm.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Codepage.h"
#include "sources/LhmWebServer.h"

#define check(ok) \
    ((ok) ? (void)0 : (std::fprintf(stderr, "invariant failed at line %d\n", __LINE__), std::abort()))

namespace {

// Texts kept as their bytes: the tree reader is fuzzed, not a code page.
struct SameBytes : tabrix::Codepage {
    std::string ansiToUtf8(const std::string& ansi) override { return ansi; }
    std::string utf8ToAnsi(const std::string& utf8) override { return utf8; }
    std::size_t prefixBytes(const std::string& ansi, std::size_t n) override {
        return n < ansi.size() ? n : ansi.size();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string body(reinterpret_cast<const char*>(data), size);
    SameBytes codepage;
    const std::vector<tabrix::SensorValue> readings = tabrix::parseLhmJson(body, codepage);
    // Every reading is a node's text, and a node takes more bytes than its texts.
    for (const tabrix::SensorValue& r : readings) check(r.label.size() + r.unit.size() < size);
    check(readings.size() < size / 8 + 1);

    const std::string wanted[3] = {"", "CPU Fan", "vcore"};
    const tabrix::SensorBlock pairs =
        tabrix::readingPairs(readings, wanted, size % 2 ? "*F" : "*C", ',', &codepage);
    check(pairs.valid);
    for (const tabrix::SensorReading& r : pairs.readings) check(r.name.size() <= 13);
    return 0;
}
