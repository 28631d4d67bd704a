#include "sources/ExternalIp.h"

#include <cctype>
#include <cstring>

namespace tabrix {

void appendChunk(std::string& body, const char* buffer, std::size_t size) {
    const void* zero = std::memchr(buffer, '\0', size);
    body.append(buffer, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - buffer) : size);
}

namespace {

bool startsWithNoCase(const std::string& text, const char* prefix) {
    for (std::size_t i = 0; prefix[i]; ++i)
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

std::string redirectTarget(const std::string& url, const std::string& location) {
    for (char c : location)
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7f') return std::string();
    if (startsWithNoCase(location, "http://") || startsWithNoCase(location, "https://")) return location;
    const std::size_t scheme = url.find("://");
    if (scheme == std::string::npos || location.empty() || location[0] != '/') return std::string();
    if (location.compare(0, 2, "//") == 0) return url.substr(0, scheme + 1) + location;
    return url.substr(0, url.find_first_of("/?#", scheme + 3)) + location;
}

std::string FetchUrl(HttpApi& http, const std::string& url) {
    const HttpApi::Handle session = http.open(kIpAgent);
    if (!session) return kFetchFailed;
    std::string at = url;
    HttpApi::Handle request = 0;
    for (int hop = 0;; ++hop) {
        request = http.openUrl(session, at);
        if (!request || !isRedirect(http.status(request))) break;
        const std::string next = redirectTarget(at, http.location(request));
        http.close(request);
        request = 0;
        if (next.empty() || hop == kIpRedirectLimit) break;
        at = next;
    }
    if (!request) {
        http.close(session);
        return kFetchFailed;
    }
    std::string body;
    bool failed = false;
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
        if (read == HttpApi::Read::TimedOut || read == HttpApi::Read::Failed) {
            failed = true;
            break;
        }
        if (read != HttpApi::Read::Data || got == 0) break;
    }
    http.close(request);
    http.close(session);
    return failed ? std::string(kFetchFailed) : body;
}

}  // namespace tabrix
