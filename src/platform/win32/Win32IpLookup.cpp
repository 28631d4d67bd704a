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

}  // namespace

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
