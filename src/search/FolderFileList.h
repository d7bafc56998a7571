// The file list of one folder: the neighbours of a file the user opened directly, so that
// Next and Previous step through them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "search/SharedLists.h"

namespace pv {

// Known picture, audio and video extensions, compared without case with the whole text
// after a name's last ".".
inline constexpr size_t kFolderListExtensionCount = 38;
extern const std::array<std::string_view, kFolderListExtensionCount> kFolderListExtensions;

inline constexpr std::string_view kNoImageSelectedText = " No Image Selected";

struct FolderListResult {
    bool found = false;   // false: the caller shows kNoImageSelectedText
    int32_t current = 0;  // index of the opened file's record (0 when it is not listed)
    std::string folder;   // RootFolders entry 0, ending in "\"
};

// Fills ResultList with the known files of `openedPath`'s folder (one level, folders named
// like pictures included), sorted by name, and RootFolders with that folder. SortCode is
// left alone.
FolderListResult BuildFolderList(SharedLists& lists, const std::string& openedPath);

// True when the name's extension is one of kFolderListExtensions.
bool HasFolderListExtension(std::string_view name);

}  // namespace pv
