#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/HttpAnswer.h"
#include "platform/HttpApi.h"
#include "platform/win32/Library.h"
#include "platform/win32/Scoped.h"

namespace tabrix::win32 {

struct WinSock;  // the sockets' functions, looked up in ws2_32.dll

// A GET as the lookup's thread runs it: restart() starts the next one's time, abort() ends it
// from another thread.
class WorkerHttp : public HttpApi {
public:
    virtual void restart() = 0;
    virtual void abort() = 0;
};

// GETs from a server on 127.0.0.1 over a plain socket, each within limitMs from its start, a
// server silent for silenceMs within an answer failing it. The connection is kept between GETs
// while the server keeps it, so that a server asked every few seconds is asked on one
// connection; nothing is cached, no proxy is asked and redirects are never followed. Whatever
// a GET leaves (a connection the server closed, an answer not read to its end) is closed
// before the next one.
class Win32LoopbackHttp : public WorkerHttp {
public:
    Win32LoopbackHttp(DWORD limitMs, DWORD silenceMs);
    ~Win32LoopbackHttp() override;
    Win32LoopbackHttp(const Win32LoopbackHttp&) = delete;
    Win32LoopbackHttp& operator=(const Win32LoopbackHttp&) = delete;

    void restart() override;
    void abort() override;
    Handle open(const std::string& agent) override;
    Handle openUrl(Handle session, const std::string& url) override;
    bool refused() override { return refused_; }
    int status(Handle request) override;
    std::string location(Handle request) override;
    Read read(Handle request, char* buffer, uint32_t size, uint32_t& got) override;
    void close(Handle handle) override;

private:
    enum class Wait { Ready, TimedOut, Failed };
    DWORD left() const;  // milliseconds, 0 when the time is up
    bool connectTo(int port);
    bool sendAll(const std::string& bytes);
    Wait waitReadable(bool silence);
    // Receives once into the answer; false when the connection failed or ended.
    Wait receive();
    void drop();  // closes the connection

    Library ws2_{"ws2_32.dll"};
    std::unique_ptr<WinSock> api_;
    bool started_ = false;  // WSAStartup succeeded
    std::string agent_;
    DWORD start_;
    DWORD limit_;
    DWORD silence_;
    bool refused_ = false;
    CriticalSection lock_;  // socket_ and aborted_, against abort()
    uintptr_t socket_;      // a SOCKET
    bool aborted_ = false;
    int port_ = 0;  // what socket_ is connected to
    HttpAnswer answer_;
    std::string body_;  // arrived and not yet read
    std::size_t bodyAt_ = 0;
    bool open_ = false;  // a request is under way
};

}  // namespace tabrix::win32
