#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tabrix {

// A GET of http://127.0.0.1:<port><path> (a query included): false for any other address, a
// name instead of the number, another scheme, a port outside 1..65535 or user and password.
bool loopbackHttpUrl(const std::string& url, int& port, std::string& path);

// The request's bytes: a GET of path on the loopback's port, asking to keep the connection.
std::string loopbackGetRequest(int port, const std::string& path, const std::string& agent);

// Reads one HTTP/1.x answer as its bytes arrive: the status line, the headers, and the body,
// framed by its announced length, by chunks or by the connection's end. Whatever the server
// sends, it never reads outside what it was given and keeps at most kHeadLimit bytes of head.
class HttpAnswer {
public:
    static constexpr std::size_t kHeadLimit = 16 * 1024;
    enum class State { Head, Body, Done, Bad };

    // Takes the next bytes from the connection; the body's bytes among them are appended to
    // body. Bytes past the end of the answer are dropped (and the connection is not kept).
    State take(const char* data, std::size_t size, std::string& body);
    // The connection has ended: Done when the body runs to the connection's end, else Bad (an
    // answer cut short, or none).
    State end();

    State state() const { return state_; }
    int status() const { return status_; }
    const std::string& location() const { return location_; }
    // Whether the connection can carry the next request once this answer is Done.
    bool keepAlive() const { return state_ == State::Done && keep_; }
    // Whether any byte of the answer has come (a kept connection the server had closed gives
    // none, and the request may be sent again on a new one).
    bool started() const { return started_; }

private:
    enum class Framing { Length, Chunked, UntilEnd, None };
    enum class Chunk { Size, Data, DataEnd, Trailer };
    bool headLine(const std::string& line);
    bool startBody();
    void takeBody(const char*& data, std::size_t& size, std::string& body);
    bool chunkLine(const std::string& line);

    State state_ = State::Head;
    bool started_ = false;
    bool statusRead_ = false;
    int status_ = 0;
    bool http11_ = false;
    bool closeAsked_ = false;
    bool keepAsked_ = false;
    bool keep_ = false;
    bool chunked_ = false;
    bool hasLength_ = false;
    uint64_t length_ = 0;  // announced, or of the current chunk
    uint64_t taken_ = 0;   // of length_
    std::string location_;
    std::string line_;  // the line being read, without its end
    std::size_t headBytes_ = 0;
    Framing framing_ = Framing::None;
    Chunk chunk_ = Chunk::Size;
};

}  // namespace tabrix
