#include "thumbs/ThumbSelection.h"

#include <algorithm>
#include <utility>

namespace pv {

namespace {

// The record at `index`, or null when the list no longer reaches it (it shrank since).
FileRecord* At(FileList& list, int32_t index) {
    if (index < 0 || index >= list.Count()) {
        return nullptr;
    }
    return &list[static_cast<size_t>(index)];
}

void SetMark(FileList& list, int32_t index, int16_t mark) {
    if (FileRecord* r = At(list, index)) {
        r->mark = mark;
    }
}

}  // namespace

void ThumbSelection::Click(FileList& list, int32_t index, bool controlOrShift) {
    if (list.Empty() || index < 0) {
        return;
    }
    if (index >= list.Count()) {
        current_ = list.Count() - 1;
        return;
    }
    if (!controlOrShift) {
        SetMark(list, previous_, kMarkNone);
    }
    current_ = previous_ = index;
    FileRecord& r = list[static_cast<size_t>(index)];
    // The mark that means "left as it is" differs by mode; other marks (a keyword scratch
    // mark) are not the view's to change.
    const int16_t on = allSelected_ ? kMarkExcluded : kMarkSelected;
    if (r.mark == on) {
        r.mark = kMarkNone;
    } else if (r.mark == kMarkNone) {
        r.mark = on;
    }
}

void ThumbSelection::ReportClick(FileList& list, bool controlOrShift) {
    if (list.Empty()) {
        return;
    }
    if (!controlOrShift) {
        for (FileRecord& r : list.Records()) {
            r.mark = kMarkNone;
        }
    }
    SetMark(list, current_, kMarkSelected);
    previous_ = current_;
}

void ThumbSelection::Reveal(FileList& list, int32_t index) {
    SetMark(list, previous_, kMarkNone);
    current_ = previous_ = index;
    SetMark(list, index, kMarkSelected);
}

void ThumbSelection::ClearAll(FileList& list) {
    allSelected_ = false;
    for (FileRecord& r : list.Records()) {
        r.mark = kMarkNone;
    }
}

std::vector<int32_t> ThumbSelection::SelectedIndexes(const FileList& list, bool allSelected) {
    std::vector<int32_t> indexes;
    for (int32_t i = 0; i < list.Count(); ++i) {
        if (IsSelected(list[static_cast<size_t>(i)], allSelected)) {
            indexes.push_back(i);
        }
    }
    return indexes;
}

void ThumbSelection::RemoveSelected(ListsState& lists, bool allSelected) {
    FileList& list = lists.ShownFileList();
    const bool accumulator = &list == &lists.AccumulatorList;
    std::vector<FileRecord>& records = list.Records();
    const auto pending = static_cast<size_t>(std::max(lists.AccumulatorPendingCount, 0));
    size_t kept = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        if (!IsSelected(records[i], allSelected)) {
            if (kept != i) {
                records[kept] = std::move(records[i]);
            }
            ++kept;
        } else if (accumulator && i < pending) {
            --lists.AccumulatorPendingCount;
        }
    }
    records.resize(kept);
}

void ThumbSelection::AfterDelete(FileList& list) {
    ClearAll(list);
    SetMark(list, 0, kMarkSelected);
    current_ = previous_ = 0;
}

}  // namespace pv
