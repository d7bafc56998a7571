#include "framework/FileDialog.h"

#include <vector>

#include "base/win32/Wide.h"

namespace pv {

namespace {

// Long enough for any path the W functions accept.
constexpr size_t kPathBuffer = 32768;

FileDialogResult Run(const FileDialogOptions& options, bool save) {
    std::wstring filter = BuildFilterString(options.filters);
    std::wstring ext = BareExtension(options.defaultExtension);
    std::wstring folder = Widen(options.initialFolder);
    std::wstring title = Widen(options.title);
    std::vector<wchar_t> buffer(kPathBuffer, L'\0');
    std::wstring initial = Widen(options.initialName);
    if (initial.size() < buffer.size()) {
        initial.copy(buffer.data(), initial.size());
    }

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = options.owner;
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(options.filterIndex > 0 ? options.filterIndex : 1);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = options.flags | OFN_EXPLORER;

    BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    FileDialogResult result;
    result.ok = ok != FALSE;
    result.filterIndex = static_cast<int>(ofn.nFilterIndex);
    result.nameField = Narrow(buffer.data());
    if (result.ok) {
        result.path = result.nameField;
    }
    return result;
}

}  // namespace

std::wstring BuildFilterString(std::span<const FileFilter> filters) {
    std::wstring out;
    for (const FileFilter& f : filters) {
        out += Widen(f.description);
        out.push_back(L'\0');
        out += Widen(f.patterns);
        out.push_back(L'\0');
    }
    out.push_back(L'\0');
    return out;
}

std::wstring BareExtension(const std::string& extension) {
    size_t start = 0;
    while (start < extension.size() && (extension[start] == '*' || extension[start] == '.')) {
        ++start;
    }
    return Widen(extension.substr(start));
}

FileDialogResult ShowOpenFileDialog(const FileDialogOptions& options) {
    return Run(options, false);
}

FileDialogResult ShowSaveFileDialog(const FileDialogOptions& options) {
    return Run(options, true);
}

}  // namespace pv
