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
#include "platform/win32/Win32LoopbackHttp.h"

namespace tabrix::win32 {

// The WinINet functions a fetch calls, looked up in the loaded library; all null when it or
// one of them is missing (every fetch then fails).
struct WinInet {
    decltype(&InternetOpenA) open = nullptr;
    decltype(&InternetSetOptionA) setOption = nullptr;
    decltype(&InternetCrackUrlA) crackUrl = nullptr;
    decltype(&InternetConnectA) connect = nullptr;
    decltype(&HttpOpenRequestA) openRequest = nullptr;
    decltype(&HttpSendRequestA) sendRequest = nullptr;
    decltype(&HttpQueryInfoA) queryInfo = nullptr;
    decltype(&InternetQueryDataAvailable) dataAvailable = nullptr;
    decltype(&InternetReadFile) readFile = nullptr;
    decltype(&InternetCloseHandle) closeHandle = nullptr;

    void lookUp(Library& wininet);
    bool complete() const {
        return open && setOption && crackUrl && connect && openRequest && sendRequest && queryInfo &&
               dataAvailable && readFile && closeHandle;
    }
};

// GETs through WinINet, each within limitMs from its start: the connection, the request and
// every read carry the time that is left (the session's own time-outs are not honoured
// everywhere), and a read takes only what has arrived. Redirects are never followed here.
class Win32Http : public WorkerHttp {
public:
    Win32Http(const WinInet& api, DWORD limitMs);
    ~Win32Http() override;
    Win32Http(const Win32Http&) = delete;
    Win32Http& operator=(const Win32Http&) = delete;

    void restart() override;
    Handle open(const std::string& agent) override;
    Handle openUrl(Handle session, const std::string& url) override;
    bool refused() override { return refused_; }
    int status(Handle request) override;
    std::string location(Handle request) override;
    Read read(Handle request, char* buffer, uint32_t size, uint32_t& got) override;
    void close(Handle handle) override;
    // Closes the request and connection, so that a call blocked on them returns and the rest fail.
    void abort() override;

private:
    DWORD left() const;  // milliseconds, 0 when the time is up
    void limit(HINTERNET handle) const;
    Read failure() const;
    void dropConnection();  // under lock_
    const WinInet& api_;
    DWORD start_;
    DWORD limit_;
    bool refused_ = false;
    HINTERNET session_ = nullptr;
    CriticalSection lock_;  // the two below, against abort()
    HINTERNET connection_ = nullptr;
    HINTERNET request_ = nullptr;
    std::string server_;  // what connection_ is connected to
    // The body's length as announced (when it was), and what has come of it.
    bool announced_ = false;
    DWORD length_ = 0;
    DWORD received_ = 0;
};

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
