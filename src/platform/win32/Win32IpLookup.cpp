#include "platform/win32/Win32IpLookup.h"

#include <wininet.h>

#include <cstring>
#include <string>

#include "platform/win32/Scoped.h"
#include "platform/win32/WindowClass.h"

namespace tabrix::win32 {
namespace {

constexpr UINT kAnswerMessage = WM_APP + 11;
constexpr char kWindowClass[] = "TabrixIpLookup";
// A fetch whose thread has not answered this long after its limit (a name lookup that hangs
// is bounded by the resolver, not by the handles' time-outs) is answered as failed; its late
// answer is dropped.
constexpr UINT kBackstopGraceMs = 500;
constexpr char kLoopback[] = "127.0.0.1";

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
    readFile = wininet.function<decltype(readFile)>("InternetReadFile");
    closeHandle = wininet.function<decltype(closeHandle)>("InternetCloseHandle");
    if (!complete()) *this = WinInet();
}

Win32Http::Win32Http(const WinInet& api, DWORD limitMs, bool loopbackOnly)
    : api_(api), start_(GetTickCount()), limit_(limitMs), loopbackOnly_(loopbackOnly) {}

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

HttpApi::Handle Win32Http::open(const std::string& agent) {
    if (!api_.complete()) return 0;
    const DWORD access = loopbackOnly_ ? INTERNET_OPEN_TYPE_DIRECT : INTERNET_OPEN_TYPE_PRECONFIG;
    HINTERNET session = api_.open(agent.c_str(), access, nullptr, nullptr, 0);
    if (session) limit(session);
    return handleOf(session);
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
    if (loopbackOnly_ && (std::strcmp(host, kLoopback) != 0 || parts.nScheme != INTERNET_SCHEME_HTTP))
        return 0;

    connection_ =
        api_.connect(internetOf(session), host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    if (!connection_) return 0;
    limit(connection_);
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_UI;
    if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
    // Asked every second: the answers would otherwise fill the cache on disk.
    if (loopbackOnly_) flags |= INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
    const std::string object = std::string(path[0] ? path : "/") + extra;
    request_ = api_.openRequest(connection_, "GET", object.c_str(), nullptr, nullptr, nullptr, flags, 0);
    if (request_) {
        limit(request_);
        if (left() > 0) {
            const bool sent = api_.sendRequest(request_, nullptr, 0, nullptr, 0) != FALSE;
            if (sent && left() > 0) return handleOf(request_);
            refused_ = !sent && GetLastError() == ERROR_INTERNET_CANNOT_CONNECT;
        }
        api_.closeHandle(request_);
        request_ = nullptr;
    }
    api_.closeHandle(connection_);
    connection_ = nullptr;
    return 0;
}

HttpApi::Read Win32Http::read(Handle request, char* buffer, uint32_t size, uint32_t& got) {
    got = 0;
    if (left() == 0) return Read::TimedOut;
    limit(internetOf(request));
    DWORD n = 0;
    if (!api_.readFile(internetOf(request), buffer, size, &n))
        return GetLastError() == ERROR_INTERNET_TIMEOUT || left() == 0 ? Read::TimedOut : Read::End;
    if (left() == 0) return Read::TimedOut;
    got = n;
    return n ? Read::Data : Read::End;
}

void Win32Http::close(Handle handle) {
    api_.closeHandle(internetOf(handle));
    if (internetOf(handle) == request_) {
        request_ = nullptr;
        if (connection_) api_.closeHandle(connection_);
        connection_ = nullptr;
    }
}

// What the lookup and its running fetches share: what a fetch is, and whether answers still
// have somewhere to go. It lives until the last of them lets go.
struct Win32IpLookup::Shared {
    explicit Shared(IpFetch f) : fetch(std::move(f)) {}
    const IpFetch fetch;
    // Loaded and looked up on the lookup's thread before the first fetch starts; the fetches
    // only read them.
    Library wininet{"wininet.dll"};
    WinInet api;
    CriticalSection lock;
    HWND target = nullptr;  // under lock
};

struct Win32IpLookup::Job {
    std::shared_ptr<Shared> shared;
    unsigned id;
    std::string url;
    std::string body;
};

namespace {

// Hands a finished job to the lookup's window, or drops it when the window is gone.
void post(std::unique_ptr<Win32IpLookup::Job> job) {
    Win32IpLookup::Shared& shared = *job->shared;
    const CriticalSection::Lock hold(shared.lock);
    if (shared.target && PostMessageA(shared.target, kAnswerMessage, 0, reinterpret_cast<LPARAM>(job.get())))
        job.release();  // the window's message owns it now
}

DWORD WINAPI runFetch(LPVOID parameter) {
    std::unique_ptr<Win32IpLookup::Job> job(static_cast<Win32IpLookup::Job*>(parameter));
    const IpFetch& fetch = job->shared->fetch;
    try {
        Win32Http http(job->shared->api, fetch.limitMs, fetch.loopbackOnly);
        job->body = fetch.get(http, job->url);
    } catch (...) {
        job->body = fetch.failed;
    }
    post(std::move(job));
    return 0;
}

}  // namespace

Win32IpLookup::Win32IpLookup(HINSTANCE instance, IpFetch fetch)
    : shared_(std::make_shared<Shared>(std::move(fetch))) {
    registerWindowClass(instance, {kWindowClass, windowProc, nullptr, nullptr, nullptr});
    window_.reset(
        CreateWindowExA(0, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    const CriticalSection::Lock hold(shared_->lock);
    shared_->target = window_.get();
}

Win32IpLookup::~Win32IpLookup() {
    {
        const CriticalSection::Lock hold(shared_->lock);
        shared_->target = nullptr;
    }
    // Answers already posted are dropped with the window.
    MSG msg;
    while (PeekMessageA(&msg, window_.get(), kAnswerMessage, kAnswerMessage, PM_REMOVE))
        delete reinterpret_cast<Job*>(msg.lParam);
    window_.reset();
}

void Win32IpLookup::fetch(const std::string& url, Answer answer) {
    const unsigned id = next_++;
    waiting_[id] = std::move(answer);
    SetTimer(window_.get(), id, shared_->fetch.limitMs + kBackstopGraceMs, nullptr);
    if (!lookedUp_) {
        shared_->api.lookUp(shared_->wininet);
        lookedUp_ = true;
    }
    auto job = std::make_unique<Job>(Job{shared_, id, url, std::string()});
    DWORD threadId = 0;
    const ScopedHandle thread(CreateThread(nullptr, 0, runFetch, job.get(), 0, &threadId));
    if (thread) {
        job.release();  // the thread owns it now
        return;
    }
    // No thread: the answer still comes later, through the window, as a failure.
    job->body = shared_->fetch.failed;
    post(std::move(job));
}

void Win32IpLookup::deliver(unsigned id, const std::string& body) {
    KillTimer(window_.get(), id);
    auto it = waiting_.find(id);
    if (it == waiting_.end()) return;  // already answered by the backstop
    Answer answer = std::move(it->second);
    waiting_.erase(it);
    try {
        answer(body);
        if (afterAnswer) afterAnswer();
    } catch (...) {
        // The label simply keeps its text.
    }
}

LRESULT CALLBACK Win32IpLookup::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kAnswerMessage) {
        const std::unique_ptr<Job> job(reinterpret_cast<Job*>(lp));
        if (auto* self = reinterpret_cast<Win32IpLookup*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
            self->deliver(job->id, job->body);
        return 0;
    }
    if (msg == WM_TIMER) {
        if (auto* self = reinterpret_cast<Win32IpLookup*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
            self->deliver(static_cast<unsigned>(wp), self->shared_->fetch.failed);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace tabrix::win32
