// The 36 extensions the search and association dialogs offer. The table itself never
// changes; which rows are checked is process-wide state that lives with the shared lists
// (SharedLists.h), starting from each row's default.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace pv {

enum class MediaKind : int32_t {
    Picture = 0,
    QuickTime = 1,
    Midi = 2,
    Mpeg = 3,
    WindowsMedia = 4,
    Sound = 5,
};

struct ExtensionRow {
    bool checkedByDefault;
    int32_t typeId;
    MediaKind mediaKind;
    const char* extension;    // upper case, no dot
    const char* description;  // as the dialogs show it, leading blank included
};

inline constexpr size_t kExtensionCount = 36;

extern const std::array<ExtensionRow, kExtensionCount> ExtensionTable;

// The checks a process starts with: the JPEG rows.
std::array<bool, kExtensionCount> DefaultExtensionChecks();

}  // namespace pv
