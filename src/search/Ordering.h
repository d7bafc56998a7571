// The order of a file list: eleven sort keys, their texts, their comparisons, and the ways
// a sort is started (the search dialogs' choice, the sort dialog, the menus, other lists).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "search/FileList.h"
#include "search/SharedLists.h"
#include "search/SortKey.h"

namespace pv {

inline constexpr size_t kSortKeyCount = 11;

// The texts of the search dialogs' sort list and of the sort dialog, by key.
extern const std::array<std::string_view, kSortKeyCount> kSortTexts;

// The key whose text equals `text` exactly (case counts); kSortUnsorted for any other text.
SortKey SortKeyFromText(std::string_view text);

// <0 when a belongs before b under `key` (0 to 9), 0 when their keys are equal.
int CompareRecords(int32_t key, const FileRecord& a, const FileRecord& b);

// Sorts `list` in place by `key`; keys outside 0..9 leave it as it is. Records whose keys
// are equal keep their order.
void SortFileList(FileList& list, int32_t key);

// The search dialogs' road: SortCode = the key of `text`, then ResultList is sorted.
void SortResultByText(ListsState& lists, std::string_view text);

// Sorts the list ShownList designates. AccumulatorList first drops its pending preview
// records.
void SortShownList(ListsState& lists, int32_t key);

// What the view does once its list has a new order (record count, slot maps forgotten,
// record 0 current and scrolled to, rows or cells rebuilt, the frame told to show record
// 0). Filled in by the view; called after the lists' lock is let go.
using ViewReset = std::function<void(int32_t recordCount)>;

// Sorts the shown list by `key` and resets the view; 1 when it sorted, 0 for kSortUnsorted.
int32_t SortAndShow(SharedLists& lists, int32_t key, const ViewReset& reset);

// The sort dialog's OK: `selectedLine` (-1 when none) becomes SortCode; the shown list is
// sorted (a no-op for -1) and the view reset.
void ApplySortDialogChoice(SharedLists& lists, int32_t selectedLine, const ViewReset& reset);

// The menus' sort commands: context menu 32833..32841 and frame menu 32821..32829, nine
// items each in the same order. -1 for any other command id.
inline constexpr int kContextSortFirst = 32833;
inline constexpr int kFrameSortFirst = 32821;
inline constexpr int kMenuSortItems = 9;
int32_t MenuSortKey(int commandId);

// A menu sort command: sorts the shown list and resets the view; SortCode stays. False for
// an id that is not a sort command.
bool RunMenuSort(SharedLists& lists, int commandId, const ViewReset& reset);

}  // namespace pv
