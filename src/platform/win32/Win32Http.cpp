// The WinINet client the external address lookup fetches with.
#include "platform/win32/Win32Http.h"

namespace tabrix::win32 {
namespace {

HttpApi::Handle handleOf(HINTERNET h) {
    return reinterpret_cast<HttpApi::Handle>(h);
}
HINTERNET internetOf(HttpApi::Handle h) {
    return reinterpret_cast<HINTERNET>(h);
}

}  // namespace

void WinInet::lookUp(Library& wininet) {
    open = wininet.function<decltype(open)>("InternetOpenA");
    setOption = wininet.function<decltype(setOption)>("InternetSetOptionA");
    crackUrl = wininet.function<decltype(crackUrl)>("InternetCrackUrlA");
    connect = wininet.function<decltype(connect)>("InternetConnectA");
    openRequest = wininet.function<decltype(openRequest)>("HttpOpenRequestA");
    sendRequest = wininet.function<decltype(sendRequest)>("HttpSendRequestA");
    queryInfo = wininet.function<decltype(queryInfo)>("HttpQueryInfoA");
    dataAvailable = wininet.function<decltype(dataAvailable)>("InternetQueryDataAvailable");
    readFile = wininet.function<decltype(readFile)>("InternetReadFile");
    closeHandle = wininet.function<decltype(closeHandle)>("InternetCloseHandle");
    if (!complete()) *this = WinInet();
}

Win32Http::Win32Http(const WinInet& api, DWORD limitMs)
    : api_(api), start_(GetTickCount()), limit_(limitMs) {}

Win32Http::~Win32Http() {
    Win32Http::abort();  // the request and its connection, under the lock
    if (session_) api_.closeHandle(session_);
}

void Win32Http::restart() {
    start_ = GetTickCount();
    refused_ = false;
}

DWORD Win32Http::left() const {
    const DWORD used = GetTickCount() - start_;
    return used >= limit_ ? 0 : limit_ - used;
}

void Win32Http::limit(HINTERNET handle) const {
    DWORD ms = left();
    if (ms == 0) ms = 1;
    api_.setOption(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &ms, sizeof ms);
    api_.setOption(handle, INTERNET_OPTION_SEND_TIMEOUT, &ms, sizeof ms);
    api_.setOption(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &ms, sizeof ms);
}

void Win32Http::dropConnection() {
    if (connection_) api_.closeHandle(connection_);
    connection_ = nullptr;
    server_.clear();
}

HttpApi::Handle Win32Http::open(const std::string& agent) {
    if (!api_.complete()) return 0;
    if (!session_) {
        session_ = api_.open(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        if (session_) limit(session_);
    }
    return handleOf(session_);
}

HttpApi::Handle Win32Http::openUrl(Handle session, const std::string& url) {
    char host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
    char path[INTERNET_MAX_PATH_LENGTH + 1] = {};
    char extra[INTERNET_MAX_PATH_LENGTH + 1] = {};
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof host;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = sizeof path;
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = sizeof extra;
    if (!api_.crackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return 0;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return 0;

    const std::string server = std::to_string(parts.nScheme) + ":" + host + ":" + std::to_string(parts.nPort);
    HINTERNET connection = nullptr;
    {
        const CriticalSection::Lock hold(lock_);
        if (request_) api_.closeHandle(request_);
        request_ = nullptr;
        if (server != server_) dropConnection();
        if (!connection_) {
            connection_ = api_.connect(internetOf(session), host, parts.nPort, nullptr, nullptr,
                                       INTERNET_SERVICE_HTTP, 0, 0);
            if (connection_) {
                server_ = server;
                limit(connection_);
            }
        }
        connection = connection_;
    }
    if (!connection) return 0;
    // Redirects are the caller's to follow or not: WinINet's own would follow one to any machine.
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTO_REDIRECT;
    if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
    const std::string object = std::string(path[0] ? path : "/") + extra;
    HINTERNET request =
        api_.openRequest(connection, "GET", object.c_str(), nullptr, nullptr, nullptr, flags, 0);
    {
        const CriticalSection::Lock hold(lock_);
        if (connection_ != connection) {  // aborted meanwhile
            if (request) api_.closeHandle(request);
            return 0;
        }
        request_ = request;
    }
    if (request) {
        limit(request);
        if (left() > 0) {
            const bool sent = api_.sendRequest(request, nullptr, 0, nullptr, 0) != FALSE;
            if (sent && left() > 0) {
                DWORD length = 0, size = sizeof length;
                announced_ = api_.queryInfo(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER,
                                            &length, &size, nullptr) != FALSE;
                length_ = announced_ ? length : 0;
                received_ = 0;
                return handleOf(request);
            }
            refused_ = !sent && GetLastError() == ERROR_INTERNET_CANNOT_CONNECT;
        }
    }
    // A failed request leaves nothing open behind it.
    const CriticalSection::Lock hold(lock_);
    if (request_ && request_ == request) api_.closeHandle(request_);
    request_ = nullptr;
    dropConnection();
    return 0;
}

int Win32Http::status(Handle request) {
    DWORD code = 0, size = sizeof code;
    if (!api_.queryInfo(internetOf(request), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size,
                        nullptr))
        return 0;
    return static_cast<int>(code);
}

std::string Win32Http::location(Handle request) {
    char text[INTERNET_MAX_URL_LENGTH + 1] = {};
    DWORD size = sizeof text - 1;
    if (!api_.queryInfo(internetOf(request), HTTP_QUERY_LOCATION, text, &size, nullptr)) return std::string();
    return std::string(text);
}

HttpApi::Read Win32Http::failure() const {
    return GetLastError() == ERROR_INTERNET_TIMEOUT || left() == 0 ? Read::TimedOut : Read::Failed;
}

HttpApi::Read Win32Http::read(Handle request, char* buffer, uint32_t size, uint32_t& got) {
    got = 0;
    if (left() == 0) return Read::TimedOut;
    HINTERNET h = internetOf(request);
    limit(h);
    // Waits for at most one receive, then takes only what is there: a read of the whole buffer
    // would wait until it is full, a byte at a time from a server that trickles.
    DWORD available = 0;
    if (!api_.dataAvailable(h, &available, 0, 0)) return failure();
    if (left() == 0) return Read::TimedOut;
    DWORD n = 0;
    if (available > 0 && !api_.readFile(h, buffer, available < size ? available : size, &n)) return failure();
    if (n == 0) return announced_ && received_ < length_ ? Read::Failed : Read::End;
    received_ += n;
    got = n;
    return Read::Data;
}

void Win32Http::close(Handle handle) {
    HINTERNET h = internetOf(handle);
    if (!h) return;
    if (h == session_) {
        api_.closeHandle(session_);
        session_ = nullptr;
        return;
    }
    const CriticalSection::Lock hold(lock_);
    if (h != request_) return;  // already closed by abort()
    api_.closeHandle(request_);
    request_ = nullptr;
    dropConnection();
}

void Win32Http::abort() {
    const CriticalSection::Lock hold(lock_);
    if (request_) api_.closeHandle(request_);
    request_ = nullptr;
    dropConnection();
}

}  // namespace tabrix::win32
