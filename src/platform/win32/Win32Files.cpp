#include "platform/win32/Win32Files.h"

#include <algorithm>

#include <windows.h>

#include "platform/win32/Scoped.h"

namespace tabrix {

namespace {

using FileHandle = win32::ScopedFile;

// ReadFile and WriteFile move at most this much per call.
constexpr DWORD kChunk = 1 << 20;

bool writeAll(HANDLE h, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD part = static_cast<DWORD>(bytes.size() - done < kChunk ? bytes.size() - done : kChunk);
        DWORD written = 0;
        if (!WriteFile(h, bytes.data() + done, part, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// A temporary file of a name no user file can have: the system makes it, empty and
// unique, in the target's own folder (a rename cannot cross volumes). Empty on failure,
// with the system's error.
std::string createTemp(const std::string& path, DWORD& error) {
    const std::size_t slash = path.find_last_of("\\/");
    // The separator stays: "C:" alone would be drive C's current folder, not its root.
    const std::string dir = slash == std::string::npos ? ".\\" : path.substr(0, slash + 1);
    char name[MAX_PATH + 16] = {};
    if (dir.size() >= MAX_PATH - 14) {
        error = ERROR_FILENAME_EXCED_RANGE;
        return std::string();
    }
    const UINT made = GetTempFileNameA(dir.c_str(), "tbx", 0, name);
    const DWORD madeError = GetLastError();
    // Some systems (Wine) answer with a name even when the folder refused to make it.
    if (!made || GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES) {
        error = madeError != NO_ERROR ? madeError : ERROR_ACCESS_DENIED;
        return std::string();
    }
    return name;
}

bool writeTemp(const std::string& tmp, const std::string& bytes, bool flush) {
    FileHandle file(
        CreateFileA(tmp.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    bool ok = writeAll(file.get(), bytes) && (!flush || FlushFileBuffers(file.get()));
    return file.close() && ok;
}

bool setSize(HANDLE h, std::size_t size) {
    LONG high = static_cast<LONG>(static_cast<unsigned long long>(size) >> 32);
    if (SetFilePointer(h, static_cast<LONG>(size & 0xFFFFFFFFu), &high, FILE_BEGIN) ==
            INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR)
        return false;
    return SetEndOfFile(h) != 0;
}

// Writes an existing file over its old bytes, for a folder that refuses new names but
// lets the file itself be written. The room is taken first, so a full disk refuses
// before any old byte changes.
bool writeInPlace(const std::string& path, const std::string& bytes) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    DWORD high = 0;
    const DWORD low = GetFileSize(file.get(), &high);
    const unsigned long long old = (static_cast<unsigned long long>(high) << 32) | low;
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    if (bytes.size() > old && !setSize(file.get(), bytes.size())) return false;
    if (SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
    bool ok =
        writeAll(file.get(), bytes) && setSize(file.get(), bytes.size()) && FlushFileBuffers(file.get());
    return file.close() && ok;
}

// Whether a refusal says the folder allows no new name there (as a file-level permission
// in a web folder does), which the in-place write can get past.
bool folderRefused(DWORD error) {
    return error == ERROR_ACCESS_DENIED;
}

constexpr int kReplaceAttempts = 10;
constexpr DWORD kReplaceRetryMs = 10;
// Files larger than this are read without reserving their size first.
constexpr DWORD kReserveLimit = 64u * 1024 * 1024;
// From this size on a file's bytes are read into a block of their own (a skin is 250 kB).
constexpr DWORD kLargeFile = 64u * 1024;
// The heap hands out blocks of this size and more straight from virtual memory.
constexpr DWORD kHeapLargeBlock = 512u * 1024;

}  // namespace

bool Win32Files::read(const std::string& path, std::string& bytes) {
    // Sharing delete too, so a file this program reads can still be replaced meanwhile.
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    std::string content;
    // Room for the whole file at once (a file that grows meanwhile still reads whole). A
    // large file gets at least the heap's large-block size: such a block comes straight
    // from the system and goes back to it when freed, where a smaller one would stay in
    // the heap for the program's life once the skin's bytes have been decoded.
    DWORD high = 0;
    const DWORD low = GetFileSize(file.get(), &high);
    if (low != INVALID_FILE_SIZE && high == 0 && low < kReserveLimit)
        content.reserve(low >= kLargeFile ? std::max(low, kHeapLargeBlock) : low);
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
    return replace(path, bytes, true);
}

bool Win32Files::replaceUnflushed(const std::string& path, const std::string& bytes) {
    return replace(path, bytes, false);
}

bool Win32Files::replace(const std::string& path, const std::string& bytes, bool flush) {
    // Renaming over a file would get past its read-only mark on some systems (Wine
    // does), while writing into it never does: a read-only file refuses either way.
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    DWORD error = NO_ERROR;
    const std::string tmp = createTemp(path, error);
    if (tmp.empty()) return folderRefused(error) && writeInPlace(path, bytes);
    if (!writeTemp(tmp, bytes, flush)) {
        DeleteFileA(tmp.c_str());
        return false;
    }
    // A reader (a web server serving the report) that has the file open without sharing
    // delete blocks the replace for a moment: try again briefly before giving up.
    const DWORD how = MOVEFILE_REPLACE_EXISTING | (flush ? MOVEFILE_WRITE_THROUGH : 0);
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExA(tmp.c_str(), path.c_str(), how)) return true;
        error = GetLastError();
        if (attempt >= kReplaceAttempts || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED))
            break;
        Sleep(kReplaceRetryMs);
    }
    DeleteFileA(tmp.c_str());
    return folderRefused(error) && writeInPlace(path, bytes);
}

bool Win32Files::stamp(const std::string& path, Stamp& out) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    out.writeTime = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                    data.ftLastWriteTime.dwLowDateTime;
    out.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool Win32Files::exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Files::remove(const std::string& path) {
    if (DeleteFileA(path.c_str())) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace tabrix
