#include "x_input.h"

#include <windows.h>

#include "e2e_support.h"

namespace e2e {

bool xdotool(const std::string& args) {
    // Wine starts a Unix program but cannot wait for it: the shell leaves its exit code in
    // a file the test polls for.
    static int serial = 0;
    const std::string done =
        "/tmp/tabrix-xdotool-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    std::string windowsDone = "Z:" + done;
    for (char& c : windowsDone)
        if (c == '/') c = '\\';
    DeleteFileA(windowsDone.c_str());
    std::string cmd = "/bin/sh -c \"xdotool " + args + " >/dev/null 2>&1; echo $? > " + done + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA("Z:\\bin\\sh", &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    if (pi.hProcess) CloseHandle(pi.hProcess);
    if (pi.hThread) CloseHandle(pi.hThread);
    for (int waited = 0; waited < 15000; waited += 50) {
        const std::string rc = readFile(windowsDone);
        if (!rc.empty() && rc.back() == '\n') {
            DeleteFileA(windowsDone.c_str());
            return rc == "0\n";
        }
        pause(50);
    }
    return false;
}

bool xmove(int x, int y) {
    return xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " sleep 0.2");
}

bool xclick(int x, int y, int button) {
    return xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " sleep 0.2 click " +
                   std::to_string(button));
}

bool xkey(const std::string& keys) {
    return xdotool("key " + keys);
}

}  // namespace e2e
