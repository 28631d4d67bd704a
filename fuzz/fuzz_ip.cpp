// libFuzzer target over the external-address fetch: any bytes script a server's answer
// (session and request opened or not, then reads of data, end or time-out, in chunks of any
// length and content). The body must be the chunks' texts joined, within the limit, or
// "Failed"; every handle opened is closed once. Built and run by scripts/fuzz.sh ip.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "platform/HttpApi.h"
#include "sources/ExternalIp.h"

#define check(ok) \
    ((ok) ? (void)0 : (std::fprintf(stderr, "invariant failed at line %d\n", __LINE__), std::abort()))

namespace {

class ScriptedHttp : public tabrix::HttpApi {
public:
    explicit ScriptedHttp(FuzzedDataProvider& in) : in_(in) {}

    Handle open(const std::string& agent) override {
        check(agent == tabrix::kIpAgent);
        return in_.ConsumeIntegralInRange(0, 15) == 0 ? 0 : opened(1);
    }
    Handle openUrl(Handle session, const std::string& url) override {
        check(open_.count(session) && open_[session] == 1);
        // Only the web's own schemes are ever asked, however the redirects read.
        check(url.compare(0, 7, "http://") == 0 || url.compare(0, 8, "https://") == 0 ||
              url.compare(0, 7, "HTTP://") == 0 || url.compare(0, 8, "HTTPS://") == 0);
        if (in_.ConsumeIntegralInRange(0, 15) == 0) return 0;
        request_ = opened(request_ + 1);
        return request_;
    }
    bool refused() override { return in_.ConsumeBool(); }
    int status(Handle request) override {
        check(request == request_ && open_[request] == 1);
        if (in_.ConsumeIntegralInRange(0, 3) == 0) return 302;
        connected = true;  // the body is read
        return in_.ConsumeBool() ? 200 : 404;
    }
    std::string location(Handle request) override {
        check(request == request_ && open_[request] == 1);
        return in_.ConsumeRandomLengthString(64);
    }
    Read read(Handle request, char* buffer, uint32_t size, uint32_t& got) override {
        check(request == request_ && open_[request] == 1);
        got = 0;
        switch (in_.ConsumeIntegralInRange(0, 7)) {
            case 0:
                return Read::End;
            case 1:
                timedOut = true;
                return in_.ConsumeBool() ? Read::TimedOut : Read::Failed;
            case 2: {  // a whole buffer of one byte, so that short inputs reach the limit
                got = size;
                std::memset(buffer, in_.ConsumeIntegral<char>(), size);
                break;
            }
            default: {
                const std::string chunk = in_.ConsumeRandomLengthString(size);
                got = static_cast<uint32_t>(chunk.size());
                std::memcpy(buffer, chunk.data(), chunk.size());
            }
        }
        if (got == 0) return Read::Data;  // data without bytes ends the fetch like End
        const void* zero = std::memchr(buffer, '\0', got);
        sent.append(buffer, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - buffer) : got);
        return Read::Data;
    }
    void close(Handle handle) override {
        check(open_.count(handle) && open_[handle] == 1);
        open_[handle] = 2;
    }

    bool allClosed() const {
        for (const auto& h : open_)
            if (h.second != 2) return false;
        return true;
    }

    bool connected = false;  // a request's body was read
    bool timedOut = false;   // or it failed
    std::string sent;        // the texts of the chunks handed out, each up to its first zero byte

private:
    Handle opened(Handle h) {
        check(!open_.count(h));
        open_[h] = 1;
        return h;
    }
    FuzzedDataProvider& in_;
    std::map<Handle, int> open_;  // 1 open, 2 closed
    Handle request_ = 1;          // the last request opened
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    ScriptedHttp http(in);
    const std::string body = tabrix::FetchUrl(http, "http://127.0.0.1/ip");
    check(http.allClosed());
    check(body.size() <= tabrix::kIpBodyLimit);
    check(body.find('\0') == std::string::npos);
    if (!http.connected || http.timedOut)
        check(body == tabrix::kFetchFailed);
    else
        check(body == http.sent.substr(0, tabrix::kIpBodyLimit));
    return 0;
}
