#include "search/Ordering.h"

#include <algorithm>
#include <numeric>
#include <string_view>

#include "base/Text.h"
#include "platform/Collation.h"

namespace pv {

const std::array<std::string_view, kSortKeyCount> kSortTexts = {
        "Name",
        "Extensions",
        "Size (descending)",
        "Size (ascending)",
        "Modific. Time (descending)",
        "Modific. Time (ascending)",
        "Creation Time (descending)",
        "Creation Time (ascending)",
        "Access Time (descending)",
        "Access Time (ascending)",
        "Unsorting",
};

namespace {

int CompareSizes(uint32_t a, uint32_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// Each menu item sorts by the key its own text names ("Sort by Size (ascending)" sorts by
// size, smallest first), in the menus' item order.
constexpr std::array<int32_t, kMenuSortItems> kMenuItemKeys = {
        kSortName,
        kSortSizeAscending,
        kSortSizeDescending,
        kSortWriteTimeAscending,
        kSortWriteTimeDescending,
        kSortCreationTimeAscending,
        kSortCreationTimeDescending,
        kSortAccessTimeAscending,
        kSortAccessTimeDescending,
};

}  // namespace

SortKey SortKeyFromText(std::string_view text) {
    for (size_t i = 0; i < kSortTexts.size(); ++i) {
        if (kSortTexts[i] == text) {
            return static_cast<SortKey>(i);
        }
    }
    return kSortUnsorted;
}

int CompareRecords(int32_t key, const FileRecord& a, const FileRecord& b) {
    switch (key) {
    case kSortName: return CompareNames(a.relativePath, b.relativePath);
    case kSortExtensions: return CompareNamesNoCase(ExtensionOf(a.relativePath), ExtensionOf(b.relativePath));
    case kSortSizeDescending: return CompareSizes(b.sizeLow, a.sizeLow);
    case kSortSizeAscending: return CompareSizes(a.sizeLow, b.sizeLow);
    case kSortWriteTimeDescending: return CompareFileTimes(b.lastWriteTime, a.lastWriteTime);
    case kSortWriteTimeAscending: return CompareFileTimes(a.lastWriteTime, b.lastWriteTime);
    case kSortCreationTimeDescending: return CompareFileTimes(b.creationTime, a.creationTime);
    case kSortCreationTimeAscending: return CompareFileTimes(a.creationTime, b.creationTime);
    case kSortAccessTimeDescending: return CompareFileTimes(b.lastAccessTime, a.lastAccessTime);
    case kSortAccessTimeAscending: return CompareFileTimes(a.lastAccessTime, b.lastAccessTime);
    default: return 0;
    }
}

// A stable sort with a consistent "before" relation: records with equal keys (same size,
// same time) keep the walk's order instead of landing anywhere, and the comparison never
// claims a < b and b < a at once, which an introsort would not survive. The sort moves
// 32-bit indexes, not records, and the records move once at the end.
void SortFileList(FileList& list, int32_t key) {
    if (key < kSortName || key > kSortAccessTimeAscending || list.Size() < 2) {
        return;
    }
    std::vector<FileRecord>& records = list.Records();
    std::vector<uint32_t> order(records.size());
    std::iota(order.begin(), order.end(), 0u);
    if (key == kSortName || key == kSortExtensions) {
        // The texts compared, found once per record rather than once per comparison.
        std::vector<std::string_view> texts(records.size());
        for (size_t i = 0; i < records.size(); ++i) {
            texts[i] =
                    key == kSortName ? std::string_view(records[i].relativePath) : ExtensionOf(records[i].relativePath);
        }
        if (key == kSortName) {
            std::stable_sort(order.begin(), order.end(),
                             [&texts](uint32_t a, uint32_t b) { return CompareNames(texts[a], texts[b]) < 0; });
        } else {
            std::stable_sort(order.begin(), order.end(),
                             [&texts](uint32_t a, uint32_t b) { return CompareNamesNoCase(texts[a], texts[b]) < 0; });
        }
    } else {
        std::stable_sort(order.begin(), order.end(), [&records, key](uint32_t a, uint32_t b) {
            return CompareRecords(key, records[a], records[b]) < 0;
        });
    }
    std::vector<FileRecord> sorted;
    sorted.reserve(records.capacity());
    for (uint32_t i : order) {
        sorted.push_back(std::move(records[i]));
    }
    records.swap(sorted);
}

void SortResultByText(ListsState& lists, std::string_view text) {
    lists.SortCode = SortKeyFromText(text);
    SortFileList(lists.ResultList, lists.SortCode);
}

void SortShownList(ListsState& lists, int32_t key) {
    if (key < kSortName || key > kSortAccessTimeAscending) {
        return;
    }
    FileList& list = lists.ShownFileList();
    if (&list == &lists.AccumulatorList) {
        if (lists.AccumulatorPendingCount > 0) {
            list.RemoveAt(0, static_cast<size_t>(lists.AccumulatorPendingCount));
        }
        lists.AccumulatorPendingCount = 0;
    }
    SortFileList(list, key);
}

namespace {

// Sorts under the lock and resets the view after it: the view's reset tells the frame to
// show record 0, and the frame reads the lists again.
void SortThenReset(SharedLists& lists, int32_t key, const ViewReset& reset) {
    int32_t count = 0;
    {
        SharedLists::Access state = lists.Lock();
        SortShownList(*state, key);
        count = state->ShownFileList().Count();
    }
    if (reset) {
        reset(count);
    }
}

}  // namespace

int32_t SortAndShow(SharedLists& lists, int32_t key, const ViewReset& reset) {
    if (key == kSortUnsorted) {
        return 0;
    }
    SortThenReset(lists, key, reset);
    return 1;
}

void ApplySortDialogChoice(SharedLists& lists, int32_t selectedLine, const ViewReset& reset) {
    lists.Lock()->SortCode = static_cast<SortKey>(selectedLine);
    if (selectedLine != kSortUnsorted) {
        SortThenReset(lists, selectedLine, reset);
    }
}

int32_t MenuSortKey(int commandId) {
    for (int first : {kContextSortFirst, kFrameSortFirst}) {
        if (commandId >= first && commandId < first + kMenuSortItems) {
            return kMenuItemKeys[static_cast<size_t>(commandId - first)];
        }
    }
    return -1;
}

bool RunMenuSort(SharedLists& lists, int commandId, const ViewReset& reset) {
    const int32_t key = MenuSortKey(commandId);
    if (key < 0) {
        return false;
    }
    SortThenReset(lists, key, reset);
    return true;
}

}  // namespace pv
