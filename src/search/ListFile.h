// List files: a result kept for later as plain text. The first line is the root folder, every
// further line one path relative to it; each line ends in a single line feed. Names are
// UTF-8; a file that is not valid UTF-8 was written by an older program in the system's code
// page.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "search/SharedLists.h"

namespace pv {

// The bytes of a list file: `root`, then `relativePaths` in their order.
std::string FormatListFile(std::string_view root, std::span<const std::string> relativePaths);

struct ListFileLines {
    bool hasRoot = false;  // false for a file without any line
    std::string root;
    // The lines after the root that may name a file: empty lines (the root itself) and lines
    // with wildcards (a lookup would match, and a delete would hand the shell, every file the
    // pattern fits) are left out. A carriage return stays part of its line.
    std::vector<std::string> paths;
};

// Turns text in the system's code page into UTF-8.
using CodePageDecoder = std::function<std::string(std::string_view)>;

ListFileLines ParseListFile(std::string_view bytes, const CodePageDecoder& fromCodePage);

// Fills `record`'s attributes, times and size from the disk entry at `fullPath`; false when
// there is no such entry.
using EntryLookup = std::function<bool(const std::string& fullPath, FileRecord& record)>;

// The lookup on the disk itself.
bool LookUpDiskEntry(const std::string& fullPath, FileRecord& record);

// ResultList and RootFolders become the file's, in its order, unmarked and unsorted, and
// the views show ResultList. Lines whose file is gone, or that name a folder (a folder in
// the list would be deleted whole by "Delete Selected Files"), are left out.
void LoadListFile(ListsState& lists, const ListFileLines& lines, const EntryLookup& lookup);

}  // namespace pv
