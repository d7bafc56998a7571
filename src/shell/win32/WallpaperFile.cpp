#include "shell/win32/WallpaperFile.h"

#include <shlobj.h>

#include "base/win32/Handles.h"
#include "base/win32/Wide.h"
#include "shell/Wallpaper.h"

namespace pv {

std::vector<std::wstring> WallpaperFolders() {
    std::vector<std::wstring> folders;
    wchar_t windows[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        folders.emplace_back(windows);
    }
    PWSTR local = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &local))) {
        folders.push_back(std::wstring(local) + L"\\Pictavo");
    }
    CoTaskMemFree(local);
    return folders;
}

std::wstring WriteWallpaperFile(const ImageBuffer& source, const Rect& cut, const std::vector<std::wstring>& folders) {
    for (const std::wstring& folder : folders) {
        CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring target = folder + L"\\" + Widen(kWallpaperFileName);
        const std::wstring temporary = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
        bool written = false;
        {
            UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
            if (!file) {
                continue;
            }
            const ByteSink sink = [&file](std::span<const uint8_t> bytes) {
                DWORD done = 0;
                return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) != FALSE &&
                       done == bytes.size();
            };
            written = WriteWallpaperBmp(source, cut, sink) == Status::Ok;
        }
        if (written && MoveFileExW(temporary.c_str(), target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE) {
            return target;
        }
        DeleteFileW(temporary.c_str());
    }
    return {};
}

bool SetDesktopWallpaper(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(path.c_str()),
                                 SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
}

}  // namespace pv
