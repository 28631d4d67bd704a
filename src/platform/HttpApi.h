#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace tabrix {

// One HTTP GET through the system's internet functions, in the order a fetch makes the calls.
class HttpApi {
public:
    virtual ~HttpApi() = default;
    using Handle = uintptr_t;  // 0 = none
    // InternetOpenA(agent, the system's proxy settings).
    virtual Handle open(const std::string& agent) = 0;
    // Sends the GET of url, never answered from the cache and never following a redirect; 0 when
    // the URL cannot be used, the server cannot be reached or the request fails or times out.
    virtual Handle openUrl(Handle session, const std::string& url) = 0;
    // The answer's status code (0 when it cannot be read) and its Location ("" when none).
    virtual int status(Handle request) = 0;
    virtual std::string location(Handle request) = 0;
    // After openUrl gave 0: whether the server's machine answered that nothing listens there.
    virtual bool refused() = 0;
    enum class Read { Data, End, TimedOut, Failed };
    // Reads what has arrived, up to size bytes: Data with got > 0, End when the body is whole,
    // TimedOut when the fetch's time is up, Failed when the read fails or the connection ends
    // before the length the server announced.
    virtual Read read(Handle request, char* buffer, uint32_t size, uint32_t& got) = 0;
    virtual void close(Handle handle) = 0;
};

// Runs the external-address fetch away from the window's thread, so that a slow or silent
// server never holds the window.
class IpLookup {
public:
    virtual ~IpLookup() = default;
    using Answer = std::function<void(const std::string& body)>;
    // Starts fetching url; answer runs later on the window's thread with the body or "Failed".
    virtual void fetch(const std::string& url, Answer answer) = 0;
};

}  // namespace tabrix
