#include "search/FolderFileList.h"

#include "base/Text.h"
#include "platform/Collation.h"
#include "platform/FileSystem.h"
#include "platform/FolderScan.h"
#include "search/Ordering.h"
#include "search/SharedLists.h"

namespace pv {

const std::array<std::string_view, kFolderListExtensionCount> kFolderListExtensions = {
        "jpg", "jfif", "jpeg", "gif", "bmp", "dib",  "ico",  "cur", "wmf", "emf", "pcx", "psd", "tga",
        "aif", "aifc", "aiff", "au",  "snd", "midi", "mid",  "rmi", "mp3", "wax", "wma", "wav", "mpa",
        "avi", "asf",  "asx",  "wm",  "wmv", "mpg",  "mpeg", "m1v", "mp2", "qt",  "mov", "mpe",
};

bool HasFolderListExtension(std::string_view name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return false;
    }
    const std::string_view extension = name.substr(dot + 1);
    for (std::string_view known : kFolderListExtensions) {
        if (CompareNamesNoCase(extension, known) == 0) {
            return true;
        }
    }
    return false;
}

FolderListResult BuildFolderList(SharedLists& lists, const std::string& openedPath) {
    FolderListResult result;
    result.folder = std::string(FolderOf(openedPath));
    // Listed and sorted without the lock; the list and its root replace the old ones at once.
    FileList found;
    FolderScan scan;
    FindRecord entry;
    if (result.folder.size() + 1 < kMaxPath && scan.Open(result.folder)) {
        while (scan.Next(entry)) {
            // Names that cannot be written as one path component, or whose full path the
            // platform could not open, are left out rather than shortened.
            if (entry.name.find('\\') != std::string::npos || result.folder.size() + entry.name.size() >= kMaxPath ||
                !HasFolderListExtension(entry.name)) {
                continue;
            }
            if (!scan.Complete(entry)) {
                continue;
            }
            FileRecord record;
            record.attributes = entry.attributes;
            record.creationTime = entry.creationTime;
            record.lastAccessTime = entry.lastAccessTime;
            record.lastWriteTime = entry.lastWriteTime;
            record.sizeHigh = entry.sizeHigh;
            record.sizeLow = entry.sizeLow;
            record.relativePath = entry.name;
            found.Append(std::move(record));
        }
    }
    result.found = !found.Empty();
    SortFileList(found, kSortName);
    for (size_t i = 0; i < found.Size(); ++i) {
        if (result.folder.size() + found[i].relativePath.size() == openedPath.size() &&
            openedPath.compare(0, result.folder.size(), result.folder) == 0 &&
            openedPath.compare(result.folder.size(), std::string::npos, found[i].relativePath) == 0) {
            result.current = static_cast<int32_t>(i);
            break;
        }
    }
    SharedLists::Access state = lists.Lock();
    state->ResultList = std::move(found);
    state->SetRoot(result.folder);
    return result;
}

}  // namespace pv
