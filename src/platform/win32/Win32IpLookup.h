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
    decltype(&InternetReadFile) readFile = nullptr;
    decltype(&InternetCloseHandle) closeHandle = nullptr;

    void lookUp(Library& wininet);
    bool complete() const {
        return open && setOption && crackUrl && connect && openRequest && sendRequest && readFile &&
               closeHandle;
    }
};

// One GET through WinINet, all of it within limitMs from construction: the connection, the
// request and every read carry the time that is left (the session's own time-outs are not
// honoured everywhere). A loopback-only GET goes to 127.0.0.1 alone, never through a proxy,
// and is never written to the cache.
class Win32Http : public HttpApi {
public:
    Win32Http(const WinInet& api, DWORD limitMs, bool loopbackOnly = false);
    Handle open(const std::string& agent) override;
    Handle openUrl(Handle session, const std::string& url) override;
    bool refused() override { return refused_; }
    Read read(Handle request, char* buffer, uint32_t size, uint32_t& got) override;
    void close(Handle handle) override;

private:
    DWORD left() const;  // milliseconds, 0 when the time is up
    void limit(HINTERNET handle) const;
    const WinInet& api_;
    DWORD start_;
    DWORD limit_;
    bool loopbackOnly_;
    bool refused_ = false;
    HINTERNET connection_ = nullptr;
    HINTERNET request_ = nullptr;
};

// What one fetch is, handed in by whoever builds the lookup: get runs on the fetch's own
// thread with a connection bounded by limitMs and gives the body; `failed` is the answer when
// get throws, no thread can be started, or no answer has come a little after the limit.
struct IpFetch {
    std::function<std::string(HttpApi& http, const std::string& url)> get;
    unsigned limitMs = 0;
    std::string failed;
    bool loopbackOnly = false;  // see Win32Http
};

// Each fetch runs on a thread of its own; WinINet is loaded for the first fetch and kept
// until the lookup and its last fetch are gone. The answer comes back through a message to a window
// of this object, so it runs on the thread that created it. Answers that arrive after this
// object is gone are dropped.
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

    std::shared_ptr<Shared> shared_;
    bool lookedUp_ = false;  // WinINet's functions, on the first fetch
    ScopedWindow window_;
    std::map<unsigned, Answer> waiting_;
    unsigned next_ = 1;
};

}  // namespace tabrix::win32
