#include "search/ListFile.h"

#include "base/Text.h"
#include "platform/FileSystem.h"

namespace pv {

std::string FormatListFile(std::string_view root, std::span<const std::string> relativePaths) {
    std::string out;
    out.append(root).push_back('\n');
    for (const std::string& path : relativePaths) {
        out.append(path).push_back('\n');
    }
    return out;
}

ListFileLines ParseListFile(std::string_view bytes, const CodePageDecoder& fromCodePage) {
    // Editors that save UTF-8 often put a byte-order mark first; it is no part of the root.
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    std::string decoded;
    if (!IsValidUtf8(bytes)) {
        decoded = fromCodePage(bytes);
        bytes = decoded;
    }
    ListFileLines lines;
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        const std::string_view line = bytes.substr(at, end - at);
        at = end + 1;
        if (!lines.hasRoot) {
            lines.hasRoot = true;
            lines.root = line;
        } else if (!line.empty() && line.find_first_of("*?") == std::string_view::npos) {
            lines.paths.emplace_back(line);
        }
    }
    return lines;
}

bool LookUpDiskEntry(const std::string& fullPath, FileRecord& record) {
    FindRecord entry;
    if (!FindEntry(fullPath, entry)) {
        return false;
    }
    record.attributes = entry.attributes;
    record.creationTime = entry.creationTime;
    record.lastAccessTime = entry.lastAccessTime;
    record.lastWriteTime = entry.lastWriteTime;
    record.sizeHigh = entry.sizeHigh;
    record.sizeLow = entry.sizeLow;
    return true;
}

void LoadListFile(ListsState& lists, const ListFileLines& lines, const EntryLookup& lookup) {
    lists.ResultList.Clear();
    lists.RootFolders.clear();
    lists.ShownList = ShownListId::Result;
    if (!lines.hasRoot) {
        return;
    }
    lists.RootFolders.push_back(lines.root);
    std::vector<FileRecord> found;
    for (const std::string& path : lines.paths) {
        FileRecord record;
        if (lookup(lines.root + path, record) && (record.attributes & kAttrDirectory) == 0) {
            record.mark = 0;
            record.relativePath = path;
            found.push_back(std::move(record));
        }
    }
    lists.ResultList.AppendAll(std::move(found));
}

}  // namespace pv
