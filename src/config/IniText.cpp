#include "config/IniText.h"

#include "platform/AsciiText.h"

namespace tabrix::ini {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Many editors save one at the start; it belongs to no line.
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// A tool that keeps a mark as text and saves it with a mark of its own stacks them: every
// leading mark is skipped, by the reader and the writer alike, so both see the same first line.
std::size_t leadingMarks(std::string_view text) {
    std::size_t n = 0;
    while (text.substr(n, kUtf8Bom.size()) == kUtf8Bom) n += kUtf8Bom.size();
    return n;
}

// Ctrl-Z counts too: old editors left it as an end-of-file mark.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view upToLineBreak(std::string_view s) {
    return s.substr(0, s.find_first_of(std::string_view("\0\r\n", 3)));
}

std::string_view cleanName(std::string_view name) {
    return trim(upToLineBreak(name));
}

struct Line {
    std::size_t begin = 0;  // first byte
    std::size_t end = 0;    // one past the last byte before the line end
    std::size_t next = 0;   // first byte of the following line
};

class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool next(Line& line) {
        if (pos_ >= text_.size()) return false;
        line.begin = pos_;
        std::size_t brk = text_.find_first_of(kLineEnd, pos_);
        if (brk == std::string_view::npos) {
            line.end = line.next = text_.size();
        } else {
            line.end = brk;
            bool crlf = text_[brk] == '\r' && brk + 1 < text_.size() && text_[brk + 1] == '\n';
            line.next = brk + (crlf ? 2 : 1);
        }
        pos_ = line.next;
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

enum class Kind { Other, Section, Key };

struct Entry {
    Kind kind = Kind::Other;
    std::string_view name;
    std::string_view value;  // a key's raw value, without blanks at the ends
};

Entry classify(std::string_view line) {
    line = trim(line);
    Entry entry;
    if (line.empty()) return entry;
    if (line.front() == '[') {
        std::size_t close = line.find(']');
        if (close != std::string_view::npos) {
            entry.kind = Kind::Section;
            entry.name = trim(line.substr(1, close - 1));
            return entry;
        }
    }
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return entry;
    entry.kind = Kind::Key;
    entry.name = trim(line.substr(0, eq));
    entry.value = trim(line.substr(eq + 1));
    return entry;
}

std::string readerValue(std::string_view raw) {
    raw = trim(raw.substr(0, raw.find('\0')));
    if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front())
        raw = raw.substr(1, raw.size() - 2);
    return std::string(raw.substr(0, kMaxValueLength));
}

std::string joined(std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (std::string_view p : parts) size += p.size();
    std::string out;
    out.reserve(size);
    for (std::string_view p : parts) out.append(p);
    return out;
}

}  // namespace

std::optional<std::string> findValue(std::string_view text, std::string_view section, std::string_view key) {
    text.remove_prefix(leadingMarks(text));
    section = cleanName(section);
    key = cleanName(key);
    LineReader reader(text);
    Line line;
    bool inSection = false;
    while (reader.next(line)) {
        Entry entry = classify(text.substr(line.begin, line.end - line.begin));
        if (entry.kind == Kind::Section) {
            if (inSection) return std::nullopt;
            inSection = sameIgnoringCase(entry.name, section);
        } else if (inSection && entry.kind == Kind::Key && sameIgnoringCase(entry.name, key)) {
            return readerValue(entry.value);
        }
    }
    return std::nullopt;
}

namespace {

std::string withValueAfterMarks(std::string_view text, std::string_view section, std::string_view key,
                                std::string_view value) {
    section = cleanName(section);
    key = cleanName(key);
    value = upToLineBreak(value);
    const std::string newLine = joined({key, "=", value, kLineEnd});

    LineReader reader(text);
    Line line;
    bool inSection = false;
    Line lastFilled;  // the last non-blank line of the section, its header at first
    while (reader.next(line)) {
        Entry entry = classify(text.substr(line.begin, line.end - line.begin));
        if (entry.kind == Kind::Section) {
            if (inSection) break;
            inSection = sameIgnoringCase(entry.name, section);
        } else if (inSection && entry.kind == Kind::Key && sameIgnoringCase(entry.name, key)) {
            if (entry.value == value) return std::string(text);
            return joined({text.substr(0, line.begin), entry.name, "=", value, text.substr(line.end)});
        }
        if (inSection && !trim(text.substr(line.begin, line.end - line.begin)).empty()) lastFilled = line;
    }

    if (inSection) {
        // A section's last line without a line end can only be the file's last line.
        if (lastFilled.end == lastFilled.next)
            return joined({text.substr(0, lastFilled.end), kLineEnd, newLine});
        return joined({text.substr(0, lastFilled.next), newLine, text.substr(lastFilled.next)});
    }
    bool open = !text.empty() && text.back() != '\r' && text.back() != '\n';
    return joined({text, open ? kLineEnd : "", "[", section, "]", kLineEnd, newLine});
}

}  // namespace

std::string withValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value) {
    // The marks stay where the user's editor put them.
    std::string_view marks = text.substr(0, leadingMarks(text));
    return joined({marks, withValueAfterMarks(text.substr(marks.size()), section, key, value)});
}

}  // namespace tabrix::ini
