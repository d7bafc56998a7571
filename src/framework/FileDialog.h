// The platform's open and save file dialogs with UTF-8 paths: a filter table, the filter chosen
// at the start, an initial name, a default extension and the OPENFILENAME flags. The answer is
// the chosen path and the filter the user ended on.
#pragma once

#include <span>
#include <string>

#include "framework/WinInclude.h"

// After the Windows headers it builds on.
// clang-format off
#include <commdlg.h>

// clang-format on

namespace pv {

struct FileFilter {
    std::string description;  // "BMP (*.bmp)"
    std::string patterns;     // "*.bmp" or "*.jpg; *.jpeg"
};

struct FileDialogOptions {
    HWND owner = nullptr;
    std::span<const FileFilter> filters;
    int filterIndex = 1;           // 1-based, as the dialog counts
    std::string initialName;       // file name or full path shown at the start
    std::string initialFolder;     // empty: the dialog's own choice
    std::string defaultExtension;  // "jpg"; a leading "*." or "." is dropped
    std::string title;             // empty: the dialog's own
    DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
};

struct FileDialogResult {
    bool ok = false;      // false: cancelled or failed
    std::string path;     // UTF-8 full path
    int filterIndex = 0;  // 1-based filter the user ended on
    // The text in the dialog's name field at the end, also after Cancel ("remember the name").
    std::string nameField;
};

FileDialogResult ShowOpenFileDialog(const FileDialogOptions& options);
FileDialogResult ShowSaveFileDialog(const FileDialogOptions& options);

// The double-zero-terminated filter string of OPENFILENAME.
std::wstring BuildFilterString(std::span<const FileFilter> filters);
// "*.jpg" -> "jpg" (the dialog wants the bare extension).
std::wstring BareExtension(const std::string& extension);

}  // namespace pv
