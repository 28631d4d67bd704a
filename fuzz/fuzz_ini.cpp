// libFuzzer target over the in-memory profile layer: any bytes as the file, any
// names and value for a write. Built and run by scripts/fuzz-ini.sh.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/ColorText.h"
#include "config/IniText.h"
#include "config/IntegerText.h"
#include "platform/Error.h"

namespace ini = tabrix::ini;

// A broken invariant names its line, for the crash report.
#define check(ok) \
    ((ok) ? (void)0 : (std::fprintf(stderr, "invariant failed at line %d\n", __LINE__), std::abort()))

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

// A name as the writer puts it into the file.
std::string cleaned(std::string_view name) {
    name = name.substr(0, name.find_first_of(std::string_view("\0\r\n", 3)));
    while (!name.empty() && isBlank(name.front())) name.remove_prefix(1);
    while (!name.empty() && isBlank(name.back())) name.remove_suffix(1);
    return std::string(name);
}

std::string canonical(std::string_view name) {
    std::string out = cleaned(name);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Names a one-line entry can carry so that a reader finds them again.
bool nameFits(const std::string& rawSection, const std::string& rawKey) {
    std::string section = cleaned(rawSection), key = cleaned(rawKey);
    return section.find(']') == std::string::npos && key.find('=') == std::string::npos &&
           (key.empty() || key[0] != '[');
}

bool valueFits(const std::string& v) {
    if (v.size() > ini::kMaxValueLength ||
        v.find_first_of(std::string_view("\0\r\n", 3)) != std::string::npos)
        return false;
    if (!v.empty() && (isBlank(v.front()) || isBlank(v.back()))) return false;
    return !(v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]);
}

// Section and key names the text itself uses, so reads hit real entries.
std::vector<std::pair<std::string, std::string>> namesIn(const std::string& text) {
    std::vector<std::string> sections{""}, keys{""};
    std::size_t pos = 0;
    while (pos < text.size() && sections.size() < 6 && keys.size() < 6) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + pos, end - pos);
        std::size_t open = line.find('['), close = line.find(']'), eq = line.find('=');
        if (open != std::string_view::npos && close != std::string_view::npos && open < close)
            sections.emplace_back(line.substr(open + 1, close - open - 1));
        if (eq != std::string_view::npos) keys.emplace_back(line.substr(0, eq));
        pos = end + 1;
    }
    std::vector<std::pair<std::string, std::string>> names;
    for (const auto& s : sections)
        for (const auto& k : keys) names.emplace_back(s, k);
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::string section = in.ConsumeRandomLengthString(16);
    std::string key = in.ConsumeRandomLengthString(16);
    std::string value = in.ConsumeRandomLengthString(64);
    if (in.ConsumeBool()) value.resize(ini::kMaxValueLength - 2 + in.ConsumeIntegralInRange(0, 4), 'v');
    // Files saved again by tools that keep a mark as text start with several marks.
    std::string text(3 * in.ConsumeIntegralInRange(0, 3), '\0');
    for (std::size_t i = 0; i < text.size(); i += 3) text.replace(i, 3, "\xEF\xBB\xBF");
    text += in.ConsumeRemainingBytesAsString();

    for (const auto& [s, k] : namesIn(text)) {
        auto read = ini::findValue(text, s, k);
        if (!read) continue;
        check(read->size() <= ini::kMaxValueLength && read->find('\0') == std::string::npos);
        std::int32_t n;
        tabrix::textToInteger(*read, n);
        try {
            tabrix::textToColor(*read);
        } catch (const tabrix::Error&) {
        }
    }

    std::string updated = ini::withValue(text, section, key, value);

    // Only bytes within one line may go: what the write removed holds no line end.
    std::size_t prefix = 0, limit = std::min(text.size(), updated.size());
    while (prefix < limit && text[prefix] == updated[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < limit - prefix && text[text.size() - 1 - suffix] == updated[updated.size() - 1 - suffix])
        ++suffix;
    std::string_view removed(text.data() + prefix, text.size() - prefix - suffix);
    check(removed.find_first_of("\r\n") == std::string_view::npos);

    if (!nameFits(section, key)) return 0;
    // Round trip: what was written reads back, and writing it again changes nothing.
    if (valueFits(value)) {
        check(ini::findValue(updated, section, key) == std::optional<std::string>(value));
        check(ini::withValue(updated, section, key, value) == updated);
    }
    // Every other entry reads as before.
    const std::string ws = canonical(section), wk = canonical(key);
    for (const auto& [s, k] : namesIn(text))
        if (canonical(s) != ws || canonical(k) != wk)
            check(ini::findValue(text, s, k) == ini::findValue(updated, s, k));
    return 0;
}
