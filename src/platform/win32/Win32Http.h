#pragma once
#include <windows.h>
#include <wininet.h>

#include <string>

#include "platform/HttpApi.h"
#include "platform/win32/Library.h"
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

}  // namespace tabrix::win32
