// The selection of the thumbnail and report view: marks kept in the records themselves
// (so they travel with a sort), a current record, and the all-selected mode that "Select
// All" turns on without touching a single mark.
#pragma once

#include <cstdint>
#include <vector>

#include "search/FileList.h"
#include "search/SharedLists.h"

namespace pv {

// Record marks as the view writes them.
inline constexpr int16_t kMarkNone = 0;
inline constexpr int16_t kMarkSelected = 1;
inline constexpr int16_t kMarkExcluded = 4;  // left out while all-selected mode is on

class ThumbSelection {
public:
    // Selected: mark 1 while all-selected mode is off; any mark but 4 while it is on.
    [[nodiscard]] static bool IsSelected(const FileRecord& record, bool allSelected) {
        return allSelected ? record.mark != kMarkExcluded : record.mark == kMarkSelected;
    }

    [[nodiscard]] bool IsSelected(const FileRecord& record) const { return IsSelected(record, allSelected_); }

    // The indexes of the selected records of `list`, in list order.
    [[nodiscard]] static std::vector<int32_t> SelectedIndexes(const FileList& list, bool allSelected);

    // Takes the selected records out of the shown list in one pass (ten thousand selected
    // entries cost no more than one), the others keeping their order; the accumulator's
    // preview count shrinks with the preview records that go.
    static void RemoveSelected(ListsState& lists, bool allSelected);

    [[nodiscard]] bool AllSelected() const { return allSelected_; }

    [[nodiscard]] int32_t Current() const { return current_; }

    [[nodiscard]] int32_t PreviousCurrent() const { return previous_; }

    // A click in the thumbnail grid on record `index` (the grid may report one past the end:
    // that makes the last record current and changes no mark). Without Control or Shift the
    // record current before the click loses its mark; Shift acts as Control.
    void Click(FileList& list, int32_t index, bool controlOrShift);

    // A click in the report: without a key every mark goes; the record current before the
    // click is marked and becomes the previous current. The list control picks the new one.
    void ReportClick(FileList& list, bool controlOrShift);

    // The frame moved to record `index` (Next, Previous, a search): it alone is marked.
    void Reveal(FileList& list, int32_t index);

    void SelectAll() { allSelected_ = true; }

    // Escape: all-selected mode off, marks as they are.
    void LeaveAllSelected() { allSelected_ = false; }

    void ClearAll(FileList& list);

    // After the selected files were deleted: all-selected mode off, record 0 alone is marked
    // (when there is one) and current.
    void AfterDelete(FileList& list);

    // The list, its order or its contents changed: record 0 becomes current.
    void ResetCurrent() { current_ = previous_ = 0; }

    void SetCurrent(int32_t index) { current_ = previous_ = index; }

private:
    int32_t current_ = 0;
    int32_t previous_ = 0;
    bool allSelected_ = false;
};

}  // namespace pv
