// The sockets' header goes before the system's others, which would bring in its older twin.
#include <winsock2.h>

#include <cstring>

#include "platform/win32/Win32LoopbackHttp.h"

namespace tabrix::win32 {

// The Windows Sockets functions a GET calls, looked up in the loaded library; all null when it
// or one of them is missing (every GET then fails).
struct WinSock {
    decltype(&WSAStartup) startup = nullptr;
    decltype(&WSACleanup) cleanup = nullptr;
    decltype(&socket) open = nullptr;
    decltype(&connect) connect = nullptr;
    decltype(&send) send = nullptr;
    decltype(&recv) recv = nullptr;
    decltype(&select) select = nullptr;
    decltype(&shutdown) shutdown = nullptr;
    decltype(&closesocket) close = nullptr;
    decltype(&ioctlsocket) ioctl = nullptr;
    decltype(&getsockopt) getOption = nullptr;
    decltype(&WSAGetLastError) lastError = nullptr;

    void lookUp(Library& ws2);
};

namespace {

// The two handles a GET hands out: the session is this object, the request its one answer.
constexpr HttpApi::Handle kSession = 1;
constexpr HttpApi::Handle kRequest = 2;
constexpr std::size_t kReceiveBuffer = 16384;

u_short networkOrder(int port) {
    return static_cast<u_short>(((port & 0xff) << 8) | ((port >> 8) & 0xff));
}

// 127.0.0.1 as the address field holds it.
constexpr u_long kLoopbackAddress = 0x0100007f;

bool inSet(SOCKET s, const fd_set& set) {
    for (u_int i = 0; i < set.fd_count && i < FD_SETSIZE; ++i)
        if (set.fd_array[i] == s) return true;
    return false;
}

timeval timeOf(DWORD ms) {
    timeval t;
    t.tv_sec = static_cast<long>(ms / 1000);
    t.tv_usec = static_cast<long>(ms % 1000) * 1000;
    return t;
}

}  // namespace

void WinSock::lookUp(Library& ws2) {
    startup = ws2.function<decltype(startup)>("WSAStartup");
    cleanup = ws2.function<decltype(cleanup)>("WSACleanup");
    open = ws2.function<decltype(open)>("socket");
    connect = ws2.function<decltype(connect)>("connect");
    send = ws2.function<decltype(send)>("send");
    recv = ws2.function<decltype(recv)>("recv");
    select = ws2.function<decltype(select)>("select");
    shutdown = ws2.function<decltype(shutdown)>("shutdown");
    close = ws2.function<decltype(close)>("closesocket");
    ioctl = ws2.function<decltype(ioctl)>("ioctlsocket");
    getOption = ws2.function<decltype(getOption)>("getsockopt");
    lastError = ws2.function<decltype(lastError)>("WSAGetLastError");
    if (!(startup && cleanup && open && connect && send && recv && select && shutdown && close && ioctl &&
          getOption && lastError))
        *this = WinSock();
}

Win32LoopbackHttp::Win32LoopbackHttp(DWORD limitMs, DWORD silenceMs)
    : api_(std::make_unique<WinSock>()),
      start_(GetTickCount()),
      limit_(limitMs),
      silence_(silenceMs ? silenceMs : limitMs),
      socket_(INVALID_SOCKET) {
    api_->lookUp(ws2_);
    WSADATA data;
    started_ = api_->startup && api_->startup(MAKEWORD(2, 0), &data) == 0;
}

Win32LoopbackHttp::~Win32LoopbackHttp() {
    drop();
    if (started_) api_->cleanup();
}

void Win32LoopbackHttp::restart() {
    start_ = GetTickCount();
    refused_ = false;
}

DWORD Win32LoopbackHttp::left() const {
    const DWORD used = GetTickCount() - start_;
    return used >= limit_ ? 0 : limit_ - used;
}

void Win32LoopbackHttp::drop() {
    const CriticalSection::Lock hold(lock_);
    if (socket_ != INVALID_SOCKET) api_->close(socket_);
    socket_ = INVALID_SOCKET;
    port_ = 0;
}

// The worker's waits then see the connection end at once; the worker closes it.
void Win32LoopbackHttp::abort() {
    const CriticalSection::Lock hold(lock_);
    if (socket_ != INVALID_SOCKET) api_->shutdown(socket_, SD_BOTH);
}

bool Win32LoopbackHttp::connectTo(int port) {
    const SOCKET s = api_->open(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return false;
    u_long nonBlocking = 1;
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = networkOrder(port);
    at.sin_addr.s_addr = kLoopbackAddress;
    int error = 0;
    if (api_->ioctl(s, FIONBIO, &nonBlocking) != 0) {
        error = -1;
    } else if (api_->connect(s, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0) {
        error = api_->lastError();
        if (error == WSAEWOULDBLOCK) {
            fd_set written, failed;
            written.fd_count = failed.fd_count = 1;
            written.fd_array[0] = failed.fd_array[0] = s;
            timeval wait = timeOf(left());
            if (api_->select(0, nullptr, &written, &failed, &wait) > 0 && inSet(s, written)) {
                error = 0;
            } else {
                int size = sizeof error;
                if (api_->getOption(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0 ||
                    error == 0)
                    error = -1;  // the time is up
            }
        }
    }
    if (error != 0) {
        refused_ = error == WSAECONNREFUSED;
        api_->close(s);
        return false;
    }
    const CriticalSection::Lock hold(lock_);
    socket_ = s;
    port_ = port;
    return true;
}

bool Win32LoopbackHttp::sendAll(const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const int n = api_->send(socket_, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0 || api_->lastError() != WSAEWOULDBLOCK || left() == 0) return false;
        fd_set writable;
        writable.fd_count = 1;
        writable.fd_array[0] = socket_;
        timeval wait = timeOf(left());
        if (api_->select(0, nullptr, &writable, nullptr, &wait) <= 0) return false;
    }
    return true;
}

Win32LoopbackHttp::Wait Win32LoopbackHttp::waitReadable(bool silence) {
    DWORD ms = left();
    if (ms == 0) return Wait::TimedOut;
    if (silence && ms > silence_) ms = silence_;
    fd_set readable;
    readable.fd_count = 1;
    readable.fd_array[0] = socket_;
    timeval wait = timeOf(ms);
    const int ready = api_->select(0, &readable, nullptr, nullptr, &wait);
    return ready > 0 ? Wait::Ready : ready == 0 ? Wait::TimedOut : Wait::Failed;
}

Win32LoopbackHttp::Wait Win32LoopbackHttp::receive() {
    const Wait ready = waitReadable(true);
    if (ready != Wait::Ready) return ready;
    char buffer[kReceiveBuffer];
    const int n = api_->recv(socket_, buffer, sizeof buffer, 0);
    if (n > 0)
        answer_.take(buffer, static_cast<std::size_t>(n), body_);
    else if (n == 0)
        answer_.end();
    else if (api_->lastError() != WSAEWOULDBLOCK)
        return Wait::Failed;
    return Wait::Ready;
}

HttpApi::Handle Win32LoopbackHttp::open(const std::string& agent) {
    if (!started_) return 0;
    agent_ = agent;
    return kSession;
}

HttpApi::Handle Win32LoopbackHttp::openUrl(Handle session, const std::string& url) {
    int port = 0;
    std::string path;
    if (session != kSession || !loopbackHttpUrl(url, port, path)) return 0;
    // A kept connection the server has closed meanwhile is found out by the request itself (no
    // byte comes back), which costs nothing while the connection is good.
    if (socket_ != INVALID_SOCKET && port != port_) drop();
    const std::string request = loopbackGetRequest(port, path, agent_);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const bool kept = socket_ != INVALID_SOCKET;
        if (!kept && !connectTo(port)) return 0;
        answer_ = HttpAnswer();
        body_.clear();
        bodyAt_ = 0;
        if (sendAll(request)) {
            while (answer_.state() == HttpAnswer::State::Head && receive() == Wait::Ready) {
            }
            if (answer_.state() == HttpAnswer::State::Body || answer_.state() == HttpAnswer::State::Done) {
                open_ = true;
                return kRequest;
            }
        }
        drop();
        // A kept connection that the server closed while idle gives no byte at all: the request
        // goes once more, on a new connection.
        if (!kept || answer_.started() || left() == 0) break;
    }
    return 0;
}

int Win32LoopbackHttp::status(Handle request) {
    return request == kRequest && open_ ? answer_.status() : 0;
}

std::string Win32LoopbackHttp::location(Handle request) {
    return request == kRequest && open_ ? answer_.location() : std::string();
}

HttpApi::Read Win32LoopbackHttp::read(Handle request, char* buffer, uint32_t size, uint32_t& got) {
    got = 0;
    if (request != kRequest || !open_) return Read::Failed;
    for (;;) {
        if (bodyAt_ < body_.size()) {
            const std::size_t n = std::min<std::size_t>(size, body_.size() - bodyAt_);
            std::memcpy(buffer, body_.data() + bodyAt_, n);
            bodyAt_ += n;
            if (bodyAt_ == body_.size()) {
                body_.clear();
                bodyAt_ = 0;
            }
            got = static_cast<uint32_t>(n);
            return Read::Data;
        }
        if (answer_.state() == HttpAnswer::State::Done) return Read::End;
        if (answer_.state() == HttpAnswer::State::Bad) return Read::Failed;
        const Wait wait = receive();
        if (wait == Wait::TimedOut) return Read::TimedOut;
        if (wait == Wait::Failed) return Read::Failed;
    }
}

void Win32LoopbackHttp::close(Handle handle) {
    if (handle != kRequest || !open_) return;
    open_ = false;
    // Only a connection whose answer was read to its end can carry the next request.
    if (!answer_.keepAlive()) drop();
    body_.clear();
    bodyAt_ = 0;
}

}  // namespace tabrix::win32
