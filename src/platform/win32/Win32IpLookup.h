#pragma once
#include <windows.h>
#include <wininet.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/HttpApi.h"

namespace tabrix::win32 {

// One GET through WinINet, all of it within limitMs from construction: the connection, the
// request and every read carry the time that is left (the session's own time-outs are not
// honoured everywhere).
class Win32Http : public HttpApi {
public:
    explicit Win32Http(DWORD limitMs);
    Handle open(const std::string& agent) override;
    Handle openUrl(Handle session, const std::string& url) override;
    Read read(Handle request, char* buffer, uint32_t size, uint32_t& got) override;
    void close(Handle handle) override;

private:
    DWORD left() const;  // milliseconds, 0 when the time is up
    void limit(HINTERNET handle) const;
    DWORD start_;
    DWORD limit_;
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
};

// Each fetch runs on a thread of its own; the answer comes back through a message to a window
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
    HWND window_ = nullptr;
    std::map<unsigned, Answer> waiting_;
    unsigned next_ = 1;
};

}  // namespace tabrix::win32
