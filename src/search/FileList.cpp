#include "search/FileList.h"

#include <algorithm>
#include <utility>

namespace pv {

void FileList::GrowFor(size_t needed) {
    if (needed <= records_.capacity()) {
        return;
    }
    const size_t step = std::clamp<size_t>(records_.size() / 8, 4, 1024);
    records_.reserve(std::max(needed, records_.capacity() + step));
}

void FileList::Append(const FileRecord& record) {
    GrowFor(records_.size() + 1);
    records_.push_back(record);
}

void FileList::Append(FileRecord&& record) {
    GrowFor(records_.size() + 1);
    records_.push_back(std::move(record));
}

void FileList::AppendAll(std::vector<FileRecord>&& records) {
    GrowFor(records_.size() + records.size());
    for (FileRecord& record : records) {
        records_.push_back(std::move(record));
    }
    records.clear();
}

void FileList::InsertAt(size_t index, std::span<const FileRecord> records) {
    index = std::min(index, records_.size());
    GrowFor(records_.size() + records.size());
    records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(index), records.begin(), records.end());
}

void FileList::RemoveAt(size_t index, size_t count) {
    if (index >= records_.size()) {
        return;
    }
    count = std::min(count, records_.size() - index);
    const auto first = records_.begin() + static_cast<std::ptrdiff_t>(index);
    records_.erase(first, first + static_cast<std::ptrdiff_t>(count));
}

void FileList::Clear() {
    std::vector<FileRecord>().swap(records_);
}

}  // namespace pv
