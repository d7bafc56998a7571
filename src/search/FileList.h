// An ordered, growable array of file records. Capacity grows the way the lists always
// have: by an eighth of the count, at least 4 and at most 1024 records at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "search/FileRecord.h"

namespace pv {

class FileList {
public:
    [[nodiscard]] int32_t Count() const { return static_cast<int32_t>(records_.size()); }

    [[nodiscard]] size_t Size() const { return records_.size(); }

    [[nodiscard]] bool Empty() const { return records_.empty(); }

    [[nodiscard]] size_t Capacity() const { return records_.capacity(); }

    FileRecord& operator[](size_t index) { return records_[index]; }

    const FileRecord& operator[](size_t index) const { return records_[index]; }

    void Append(const FileRecord& record);
    void Append(FileRecord&& record);
    // Appends a batch at once: one growth step for all of them.
    void AppendAll(std::vector<FileRecord>&& records);
    // Inserts copies of `records` before `index` (index <= Size()).
    void InsertAt(size_t index, std::span<const FileRecord> records);
    // Removes `count` records from `index` on; the later ones move down. Out-of-range parts
    // of the request are ignored.
    void RemoveAt(size_t index, size_t count = 1);
    // Empties the list and gives its memory back.
    void Clear();

    std::vector<FileRecord>& Records() { return records_; }

    [[nodiscard]] const std::vector<FileRecord>& Records() const { return records_; }

private:
    void GrowFor(size_t needed);

    std::vector<FileRecord> records_;
};

}  // namespace pv
