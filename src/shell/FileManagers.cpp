#include "shell/FileManagers.h"

#include "base/Text.h"

namespace pv {

std::optional<FileManagerStart> FileManagerStartFor(int32_t choice, std::string_view fullPath) {
    const std::string folder(FolderOf(fullPath));
    switch (choice) {
    case kExplorer:
        return FileManagerStart{"Explorer", "explorer", "/select,\"" + std::string(fullPath) + "\"", folder};
    case kTotalCommander: {
        // A quoted folder must not end in "\" (it would escape the quote), unless it is a root.
        std::string panel = folder;
        if (panel.size() > 3 && panel.back() == '\\') {
            panel.pop_back();
        }
        return FileManagerStart{"Total Commander", "c:\\WINCMD\\wincmd32.exe", "/O /L=\"" + panel + "\"", folder};
    }
    case kFarManager: return FileManagerStart{"FAR Manager", "c:\\Program Files\\Far\\Far.exe", "", folder};
    default: return std::nullopt;
    }
}

std::string FileManagerFailedText(const FileManagerStart& start) {
    return "Pictavo could not start " + start.name + "\t\n(" + start.program + ")\t";
}

}  // namespace pv
