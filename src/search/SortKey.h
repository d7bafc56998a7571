// The eleven sort keys of a file list, by the numbers the settings and menus use.
#pragma once

#include <cstdint>

namespace pv {

enum SortKey : int32_t {
    kSortNoChoice = -1,  // the sort dialog's OK with no line selected
    kSortName = 0,
    kSortExtensions = 1,
    kSortSizeDescending = 2,
    kSortSizeAscending = 3,
    kSortWriteTimeDescending = 4,
    kSortWriteTimeAscending = 5,
    kSortCreationTimeDescending = 6,
    kSortCreationTimeAscending = 7,
    kSortAccessTimeDescending = 8,
    kSortAccessTimeAscending = 9,
    kSortUnsorted = 10,
};

}  // namespace pv
