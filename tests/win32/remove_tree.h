#pragma once
// Shared by the Win32 and end-to-end tests: a folder removed with all it holds.
#include <windows.h>

#include <string>

namespace tabrix::test {

// Read-only entries too; what cannot be removed stays.
inline void removeTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string item = path + "\\" + name;
            SetFileAttributesA(item.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(item);
            else
                DeleteFileA(item.c_str());
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace tabrix::test
