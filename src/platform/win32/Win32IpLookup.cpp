#include "platform/win32/Win32IpLookup.h"

#include <wininet.h>

#include <string>

#include "platform/win32/Scoped.h"
#include "platform/win32/WindowClass.h"

namespace tabrix::win32 {
namespace {

constexpr UINT kAnswerMessage = WM_APP + 11;
constexpr char kWindowClass[] = "TabrixIpLookup";
// A fetch not answered this long after its limit (a name lookup that hangs is bounded by the
// resolver, not by the handles' time-outs) is answered as failed; its late answer is dropped.
constexpr UINT kBackstopGraceMs = 500;
// How long the lookup's end waits for its thread.
constexpr DWORD kWorkerEndMs = 2000;

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

// What the lookup and its thread share: what a fetch is, the fetch waiting for the thread and
// the one under way, and whether answers still have somewhere to go. It lives until the last
// of them lets go.
struct Win32IpLookup::Shared {
    explicit Shared(IpFetch f) : fetch(std::move(f)) {}
    ~Shared() {
        if (wake) CloseHandle(wake);
    }
    const IpFetch fetch;
    // Loaded and looked up on the lookup's thread before the first fetch starts; the fetch's
    // thread only reads them.
    Library wininet{"wininet.dll"};
    WinInet api;
    HANDLE wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);  // a job waits, or the end
    CriticalSection lock;
    // Under lock:
    HWND target = nullptr;
    bool stop = false;
    std::unique_ptr<Job> waiting;
    unsigned running = 0;        // the id of the job under way, 0 for none
    WorkerHttp* http = nullptr;  // the thread's connection while it runs
};

struct Win32IpLookup::Job {
    unsigned id;
    std::string url;
    std::string body;
};

namespace {

// Hands a finished job to the lookup's window, or drops it when the window is gone.
void post(Win32IpLookup::Shared& shared, std::unique_ptr<Win32IpLookup::Job> job) {
    const CriticalSection::Lock hold(shared.lock);
    if (shared.target && PostMessageA(shared.target, kAnswerMessage, 0, reinterpret_cast<LPARAM>(job.get())))
        job.release();  // the window's message owns it now
}

// The lookup's thread: takes the waiting job, runs it, posts its answer, until told to stop.
DWORD WINAPI work(LPVOID parameter) {
    const std::unique_ptr<std::shared_ptr<Win32IpLookup::Shared>> owner(
        static_cast<std::shared_ptr<Win32IpLookup::Shared>*>(parameter));
    Win32IpLookup::Shared& shared = **owner;
    const IpFetch& fetch = shared.fetch;
    {
        std::unique_ptr<WorkerHttp> connection;
        if (fetch.loopback)
            connection = std::make_unique<Win32LoopbackHttp>(fetch.limitMs, fetch.silenceMs);
        else
            connection = std::make_unique<Win32Http>(shared.api, fetch.limitMs);
        WorkerHttp& http = *connection;
        for (;;) {
            std::unique_ptr<Win32IpLookup::Job> job;
            {
                const CriticalSection::Lock hold(shared.lock);
                if (shared.stop) break;
                job = std::move(shared.waiting);
                if (job) {
                    shared.running = job->id;
                    shared.http = &http;
                }
            }
            if (!job) {
                WaitForSingleObject(shared.wake, INFINITE);
                continue;
            }
            try {
                http.restart();
                job->body = fetch.get(http, job->url);
            } catch (...) {
                job->body = fetch.failed;
            }
            {
                const CriticalSection::Lock hold(shared.lock);
                shared.running = 0;
                shared.http = nullptr;
            }
            post(shared, std::move(job));
        }
    }
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
        shared_->stop = true;
        shared_->waiting.reset();
        if (shared_->http) shared_->http->abort();
    }
    if (worker_) {
        SetEvent(shared_->wake);
        // A thread held up in a name lookup, which no handle bounds, is left to end by itself:
        // it keeps the shared part alive, and the process's end stops it.
        WaitForSingleObject(worker_.get(), kWorkerEndMs);
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
    if (!lookedUp_ && !shared_->fetch.loopback) {
        shared_->api.lookUp(shared_->wininet);
        lookedUp_ = true;
    }
    auto job = std::make_unique<Job>(Job{id, url, std::string()});
    if (!worker_ && shared_->wake) {
        auto* owner = new std::shared_ptr<Shared>(shared_);
        DWORD threadId = 0;
        worker_.reset(CreateThread(nullptr, 0, work, owner, 0, &threadId));
        if (!worker_) delete owner;
    }
    if (!worker_) {
        // No thread: the answer still comes later, through the window, as a failure.
        job->body = shared_->fetch.failed;
        post(*shared_, std::move(job));
        return;
    }
    {
        // A job still waiting is replaced; its own time-out answers it.
        const CriticalSection::Lock hold(shared_->lock);
        shared_->waiting = std::move(job);
    }
    SetEvent(shared_->wake);
}

// The fetch's time is up: it is answered as failed, and taken from the thread, which then
// comes free for the next one.
void Win32IpLookup::expire(unsigned id) {
    {
        const CriticalSection::Lock hold(shared_->lock);
        if (shared_->waiting && shared_->waiting->id == id) shared_->waiting.reset();
        if (shared_->running == id && shared_->http) shared_->http->abort();
    }
    deliver(id, shared_->fetch.failed);
}

void Win32IpLookup::deliver(unsigned id, const std::string& body) {
    KillTimer(window_.get(), id);
    auto it = waiting_.find(id);
    if (it == waiting_.end()) return;  // already answered by the time-out
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
            self->expire(static_cast<unsigned>(wp));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace tabrix::win32
