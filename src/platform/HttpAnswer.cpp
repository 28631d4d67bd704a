#include "platform/HttpAnswer.h"

#include <cstring>

#include "platform/AsciiText.h"

namespace tabrix {
namespace {

constexpr char kLoopbackPrefix[] = "http://127.0.0.1";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string lowered(std::string text) {
    for (char& c : text) c = asciiLower(c);
    return text;
}

std::string trimmed(const std::string& text) {
    std::size_t from = 0, to = text.size();
    while (from < to && (text[from] == ' ' || text[from] == '\t')) ++from;
    while (to > from && (text[to - 1] == ' ' || text[to - 1] == '\t')) --to;
    return text.substr(from, to - from);
}

// Whether a comma-separated header value names token (any case).
bool namesToken(const std::string& value, const char* token) {
    const std::string text = lowered(value);
    std::size_t from = 0;
    while (from <= text.size()) {
        std::size_t comma = text.find(',', from);
        if (comma == std::string::npos) comma = text.size();
        if (trimmed(text.substr(from, comma - from)) == token) return true;
        from = comma + 1;
    }
    return false;
}

}  // namespace

bool loopbackHttpUrl(const std::string& url, int& port, std::string& path) {
    const std::size_t prefix = sizeof kLoopbackPrefix - 1;
    if (url.compare(0, prefix, kLoopbackPrefix) != 0) return false;
    std::size_t at = prefix;
    port = 80;
    if (at < url.size() && url[at] == ':') {
        ++at;
        const std::size_t digits = at;
        long value = 0;
        while (at < url.size() && isDigit(url[at]) && at - digits < 6) value = value * 10 + (url[at++] - '0');
        if (at == digits || value < 1 || value > 65535) return false;
        port = static_cast<int>(value);
    }
    if (at < url.size() && url[at] != '/' && url[at] != '?') return false;
    path = url.substr(at, url.find('#', at) - at);
    // The path goes into the request line as it is: no blanks or control bytes may end it early.
    for (char c : path)
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7f) return false;
    if (path.empty() || path[0] != '/') path.insert(0, "/");
    return true;
}

std::string loopbackGetRequest(int port, const std::string& path, const std::string& agent) {
    return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
           "\r\nUser-Agent: " + agent + "\r\nConnection: keep-alive\r\n\r\n";
}

HttpAnswer::State HttpAnswer::take(const char* data, std::size_t size, std::string& body) {
    if (size > 0) started_ = true;
    while (size > 0 && (state_ == State::Head || state_ == State::Body)) {
        const bool lines = state_ == State::Head || (framing_ == Framing::Chunked && chunk_ != Chunk::Data);
        if (!lines) {
            takeBody(data, size, body);
            continue;
        }
        const void* newline = std::memchr(data, '\n', size);
        const std::size_t n = newline ? static_cast<const char*>(newline) - data + 1 : size;
        line_.append(data, newline ? n - 1 : n);
        data += n;
        size -= n;
        if (state_ == State::Head) headBytes_ += n;
        if (line_.size() > kHeadLimit || headBytes_ > kHeadLimit) {
            state_ = State::Bad;
            break;
        }
        if (!newline) break;
        if (!line_.empty() && line_.back() == '\r') line_.pop_back();
        std::string line;
        line.swap(line_);
        if (!(state_ == State::Head ? headLine(line) : chunkLine(line))) state_ = State::Bad;
    }
    if (size > 0 && state_ == State::Done) keep_ = false;  // more than the answer
    return state_;
}

HttpAnswer::State HttpAnswer::end() {
    if (state_ == State::Body && framing_ == Framing::UntilEnd)
        state_ = State::Done;
    else if (state_ != State::Done)
        state_ = State::Bad;
    keep_ = false;
    return state_;
}

bool HttpAnswer::headLine(const std::string& line) {
    if (!statusRead_) {
        // HTTP/1.x NNN[ reason]
        if (line.size() < 12 || line.compare(0, 7, "HTTP/1.") != 0 || !isDigit(line[7]) || line[8] != ' ')
            return false;
        if (!isDigit(line[9]) || !isDigit(line[10]) || !isDigit(line[11])) return false;
        if (line.size() > 12 && line[12] != ' ') return false;
        http11_ = line[7] != '0';
        status_ = (line[9] - '0') * 100 + (line[10] - '0') * 10 + (line[11] - '0');
        if (status_ < 100) return false;
        statusRead_ = true;
        return true;
    }
    if (line.empty()) return startBody();
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    const std::string name = lowered(line.substr(0, colon));
    const std::string value = trimmed(line.substr(colon + 1));
    if (name == "content-length") {
        uint64_t n = 0;
        if (value.empty() || value.size() > 15) return false;
        for (char c : value) {
            if (!isDigit(c)) return false;
            n = n * 10 + static_cast<uint64_t>(c - '0');
        }
        // Two different lengths leave the body's end unknown.
        if (hasLength_ && n != length_) return false;
        hasLength_ = true;
        length_ = n;
    } else if (name == "transfer-encoding") {
        chunked_ = namesToken(value, "chunked");
        if (!chunked_) return false;  // an encoding this reader cannot undo
    } else if (name == "connection") {
        closeAsked_ = closeAsked_ || namesToken(value, "close");
        keepAsked_ = keepAsked_ || namesToken(value, "keep-alive");
    } else if (name == "location") {
        location_ = value;
    }
    return true;
}

bool HttpAnswer::startBody() {
    if (status_ >= 100 && status_ < 200) {
        // An interim answer; the real one follows. A switch of protocols is not taken.
        if (status_ == 101) return false;
        *this = HttpAnswer{};
        started_ = true;
        return true;
    }
    keep_ = http11_ ? !closeAsked_ : keepAsked_;
    taken_ = 0;
    if (status_ == 204 || status_ == 304) {
        framing_ = Framing::None;
        state_ = State::Done;
    } else if (chunked_) {
        framing_ = Framing::Chunked;
        chunk_ = Chunk::Size;
        state_ = State::Body;
    } else if (hasLength_) {
        framing_ = Framing::Length;
        state_ = length_ == 0 ? State::Done : State::Body;
    } else {
        framing_ = Framing::UntilEnd;
        keep_ = false;
        state_ = State::Body;
    }
    return true;
}

void HttpAnswer::takeBody(const char*& data, std::size_t& size, std::string& body) {
    std::size_t n = size;
    if (framing_ != Framing::UntilEnd && length_ - taken_ < n) n = static_cast<std::size_t>(length_ - taken_);
    body.append(data, n);
    data += n;
    size -= n;
    taken_ += n;
    if (framing_ == Framing::Length && taken_ == length_) state_ = State::Done;
    if (framing_ == Framing::Chunked && taken_ == length_) chunk_ = Chunk::DataEnd;
}

bool HttpAnswer::chunkLine(const std::string& line) {
    switch (chunk_) {
        case Chunk::Size: {
            std::size_t at = 0;
            uint64_t n = 0;
            while (at < line.size() && at < 15) {
                const char c = asciiLower(line[at]);
                const int digit = isDigit(c) ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
                if (digit < 0) break;
                n = n * 16 + static_cast<uint64_t>(digit);
                ++at;
            }
            if (at == 0) return false;
            if (at < line.size() && line[at] != ';' && line[at] != ' ' && line[at] != '\t') return false;
            length_ = n;
            taken_ = 0;
            chunk_ = n == 0 ? Chunk::Trailer : Chunk::Data;
            return true;
        }
        case Chunk::DataEnd:
            chunk_ = Chunk::Size;
            return line.empty();
        case Chunk::Trailer:
            if (line.empty()) state_ = State::Done;
            return true;
        case Chunk::Data:
            break;
    }
    return false;
}

}  // namespace tabrix
