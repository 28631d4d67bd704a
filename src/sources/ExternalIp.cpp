#include "sources/ExternalIp.h"

#include <cstring>

namespace tabrix {

void appendChunk(std::string& body, const char* buffer, std::size_t size) {
    const void* zero = std::memchr(buffer, '\0', size);
    body.append(buffer, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - buffer) : size);
}

std::string FetchUrl(HttpApi& http, const std::string& url) {
    const HttpApi::Handle session = http.open(kIpAgent);
    if (!session) return kFetchFailed;
    const HttpApi::Handle request = http.openUrl(session, url);
    if (!request) {
        http.close(session);
        return kFetchFailed;
    }
    std::string body;
    bool timedOut = false;
    char buffer[kIpReadBuffer] = {};
    for (;;) {
        appendChunk(body, buffer, sizeof buffer);
        if (body.size() >= kIpBodyLimit) {
            body.resize(kIpBodyLimit);
            break;
        }
        std::memset(buffer, 0, sizeof buffer);
        uint32_t got = 0;
        const HttpApi::Read read = http.read(request, buffer, sizeof buffer, got);
        if (read == HttpApi::Read::TimedOut) {
            timedOut = true;
            break;
        }
        if (read != HttpApi::Read::Data || got == 0) break;
    }
    http.close(request);
    http.close(session);
    return timedOut ? std::string(kFetchFailed) : body;
}

}  // namespace tabrix
