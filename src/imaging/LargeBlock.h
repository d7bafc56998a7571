// Page-granular memory for large pixel blocks, straight from the system: zero-filled, and
// where the system offers it backed by large pages, since touching fresh memory 4 KB page
// by page costs more than decoding into it.
#pragma once

#include <cstddef>

namespace pv {

// The usable size of a block obtained for `size` bytes (at least `size`).
size_t LargeBlockLength(size_t size);

// A zero-filled block of LargeBlockLength(size) bytes, or null.
void* AllocateLargeBlock(size_t size);

// Returns a block of AllocateLargeBlock(size) to the system.
void FreeLargeBlock(void* block, size_t size);

}  // namespace pv
