// Output buffers shared by the run-length readers: a reader object that reads several
// files (the thumbnail worker, benchmarks) keeps its rows when the size does not change,
// so a large picture does not cost a fresh mapping and page faults on every read. The
// readers write every byte of the rows they return (zero where the data ends), so a
// reused block never shows an earlier picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "imaging/ClassHeap.h"

namespace pv {

// Keeps `block` when it already has `size` bytes; otherwise replaces it (contents
// undefined). False when memory is short.
[[nodiscard]] inline bool ReuseOrAllocate(HeapBlock& block, HeapId heap, size_t size) {
    if (!block.empty() && block.size() == size) {
        return true;
    }
    return block.Allocate(heap, size, false);
}

// Zeroes the padding bytes after `used` bytes of every row.
inline void ZeroRowPadding(uint8_t* rows, size_t stride, size_t used, size_t height) {
    if (used >= stride) {
        return;
    }
    for (size_t y = 0; y < height; ++y) {
        std::memset(rows + y * stride + used, 0, stride - used);
    }
}

}  // namespace pv
