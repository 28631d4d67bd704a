#include "platform/win32/Win32Files.h"

#include <windows.h>

namespace tabrix {

namespace {

// Closes the handle when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (valid()) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool close() {
        HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return CloseHandle(h) != 0;
    }

private:
    HANDLE h_;
};

// ReadFile and WriteFile move at most this much per call.
constexpr DWORD kChunk = 1 << 20;

bool writeAll(HANDLE h, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD part =
            static_cast<DWORD>(bytes.size() - done < kChunk ? bytes.size() - done : kChunk);
        DWORD written = 0;
        if (!WriteFile(h, bytes.data() + done, part, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

bool writeTemp(const std::string& tmp, const std::string& bytes) {
    FileHandle file(CreateFileA(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    bool ok = writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
    return file.close() && ok;
}

constexpr int kReplaceAttempts = 10;
constexpr DWORD kReplaceRetryMs = 10;

}  // namespace

bool Win32Files::read(const std::string& path, std::string& bytes) {
    // Sharing delete too, so a file this program reads can still be replaced meanwhile.
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    std::string content;
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return false;
        if (got == 0) break;
        content.append(buffer, got);
    }
    bytes.swap(content);
    return true;
}

bool Win32Files::writeAtomic(const std::string& path, const std::string& bytes) {
    // Renaming over a file would get past its read-only mark on some systems (Wine
    // does), while writing into it never does: a read-only file refuses either way.
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    const std::string tmp = path + ".tmp";
    if (!writeTemp(tmp, bytes)) {
        DeleteFileA(tmp.c_str());
        return false;
    }
    // A reader (a web server serving the report) that has the file open without sharing
    // delete blocks the replace for a moment: try again briefly before giving up.
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExA(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (attempt >= kReplaceAttempts || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED))
            break;
        Sleep(kReplaceRetryMs);
    }
    DeleteFileA(tmp.c_str());
    return false;
}

bool Win32Files::exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace tabrix
