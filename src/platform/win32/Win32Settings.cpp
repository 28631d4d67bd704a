#include "platform/win32/Win32Settings.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

#include "platform/win32/Gdi.h"
#include "platform/win32/Library.h"
#include "platform/win32/Scoped.h"

namespace tabrix::win32 {

namespace {

std::string systemText(HRESULT hr) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(hr), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string s =
        n && text ? std::string(text, n) : "Error " + std::to_string(static_cast<unsigned long>(hr));
    if (text) LocalFree(text);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
    return s;
}

// COM for the one call, whatever the thread had before.
class ComScope {
public:
    explicit ComScope(Library& ole32)
        : uninitialize_(ole32.function<decltype(&CoUninitialize)>("CoUninitialize")) {
        const auto initialize = ole32.function<decltype(&CoInitialize)>("CoInitialize");
        hr_ = initialize ? initialize(nullptr) : E_FAIL;
    }
    ~ComScope() {
        if (SUCCEEDED(hr_) && uninitialize_) uninitialize_();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    decltype(&CoUninitialize) uninitialize_;
    HRESULT hr_;
};

}  // namespace

void Win32Settings::messageBox(const std::string& text, const std::string& caption) {
    loadCommonControls();  // its buttons are common controls under the manifest
    MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK);
}

bool Win32Settings::chooseFont(std::string& face, int& size) {
    const auto choose = comdlg32_.function<decltype(&ChooseFontA)>("ChooseFontA");
    if (!choose) return false;
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(size, screenDotsPerInch(), 72);
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.iPointSize = size * 10;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!choose(&cf)) return false;
    face = lf.lfFaceName;
    size = (cf.iPointSize + 5) / 10;
    return true;
}

bool Win32Settings::chooseColor(uint32_t& color) {
    const auto choose = comdlg32_.function<decltype(&ChooseColorA)>("ChooseColorA");
    if (!choose) return false;
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = toColorRef(color);
    cc.lpCustColors = custom_;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!choose(&cc)) return false;
    color = cc.rgbResult & 0xFFFFFF;
    return true;
}

bool Win32Settings::fileDialog(const FileDialog& dialog, std::string& path, bool save) {
    const auto show =
        comdlg32_.function<decltype(&GetOpenFileNameA)>(save ? "GetSaveFileNameA" : "GetOpenFileNameA");
    if (!show) return false;
    std::string filter = dialog.filterName + '\0' + dialog.filterPattern + '\0' + '\0';
    char file[MAX_PATH] = {};
    lstrcpynA(file, dialog.fileName.c_str(), MAX_PATH);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = dialog.folder.empty() ? nullptr : dialog.folder.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!show(&ofn)) return false;
    path = file;
    return true;
}

bool Win32Settings::openFile(const FileDialog& dialog, std::string& path) {
    return fileDialog(dialog, path, false);
}

bool Win32Settings::saveFile(const FileDialog& dialog, std::string& path) {
    return fileDialog(dialog, path, true);
}

std::vector<FolderEntry> Win32Settings::listFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA fd;
    const ScopedFind find(FindFirstFileA((folder + "*.*").c_str(), &fd));
    if (!find) return entries;
    do {
        entries.push_back({fd.cFileName, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(find.get(), &fd));
    return entries;
}

int Win32Settings::driveType(const std::string& root) {
    return static_cast<int>(GetDriveTypeA(root.c_str()));
}

bool Win32Settings::startupFolder(std::string& path) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_STARTUP, &list)) || !list) return false;
    char buffer[MAX_PATH + 1] = {};
    const BOOL ok = SHGetPathFromIDListA(list, buffer);
    if (const auto free = ole32_.function<decltype(&CoTaskMemFree)>("CoTaskMemFree")) free(list);
    if (!ok || !buffer[0]) return false;
    path = buffer;
    return true;
}

ShortcutResult Win32Settings::writeShortcut(const std::string& linkPath, const std::string& target,
                                            const std::string& workingDir) {
    const ComScope com(ole32_);
    const auto create = ole32_.function<decltype(&CoCreateInstance)>("CoCreateInstance");
    if (!create) return {false, false, systemText(HRESULT_FROM_WIN32(GetLastError()))};
    ComPtr<IShellLinkA> link;
    HRESULT hr = create(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put());
    if (FAILED(hr) || !link) return {false, false, systemText(hr)};
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(workingDir.c_str());
    ComPtr<IPersistFile> file;
    hr = link->QueryInterface(IID_IPersistFile, file.put());
    if (SUCCEEDED(hr) && file) {
        const int n = MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, nullptr, 0);
        // A vector, not a wide string: its one use would bring the wide string's code in.
        std::vector<wchar_t> wide(n > 0 ? n : 1, L'\0');
        MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide.data(), n);
        hr = file->Save(wide.data(), FALSE);
    }
    if (FAILED(hr)) return {true, false, systemText(hr)};
    return {true, true, ""};
}

}  // namespace tabrix::win32
