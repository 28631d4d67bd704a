#pragma once
#include <windows.h>
#include <wininet.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/HttpApi.h"
#include "platform/win32/Library.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Win32Http.h"

namespace tabrix::win32 {

// What one fetch is, handed in by whoever builds the lookup: get runs on the lookup's own
// thread with a connection bounded by limitMs and gives the body; `failed` is the answer when
// get throws, no thread can be started, or no answer has come a little after the limit.
struct IpFetch {
    std::function<std::string(HttpApi& http, const std::string& url)> get;
    unsigned limitMs = 0;
    std::string failed;
    // Through Win32LoopbackHttp (127.0.0.1 only, the connection kept) instead of WinINet; a
    // server silent for silenceMs within its answer fails it.
    bool loopback = false;
    unsigned silenceMs = 0;
};

// The fetches run one at a time on one thread of the lookup's own, started at the first fetch
// and ended with the lookup; WinINet (or the sockets) is loaded for the first fetch. A fetch asked for while
// the thread is still busy waits for it (only the newest waits). The answer comes back through a message to a
// window of this object, so it runs on the thread that created it. A fetch not answered a little after its
// limit is answered as failed and its handles are closed, so that the thread comes free; its late answer is
// dropped, as are answers that arrive after this object is gone.
class Win32IpLookup : public IpLookup {
public:
    Win32IpLookup(HINSTANCE instance, IpFetch fetch);
    ~Win32IpLookup() override;
    Win32IpLookup(const Win32IpLookup&) = delete;
    Win32IpLookup& operator=(const Win32IpLookup&) = delete;

    void fetch(const std::string& url, Answer answer) override;
    // Runs after every answer (the main window repaints).
    std::function<void()> afterAnswer;

    struct Shared;
    struct Job;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void deliver(unsigned id, const std::string& body);
    void expire(unsigned id);

    std::shared_ptr<Shared> shared_;
    bool lookedUp_ = false;  // WinINet's functions, on the first fetch
    ScopedHandle worker_;
    ScopedWindow window_;
    std::map<unsigned, Answer> waiting_;
    unsigned next_ = 1;
};

}  // namespace tabrix::win32
