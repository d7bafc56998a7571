#include "imaging/LargeBlock.h"

#include <cstdint>
#include <sys/mman.h>

namespace pv {

namespace {

constexpr size_t kHugePage = size_t{2} << 20;

}  // namespace

size_t LargeBlockLength(size_t size) {
    return (size + kHugePage - 1) & ~(kHugePage - 1);
}

void* AllocateLargeBlock(size_t size) {
    const size_t length = LargeBlockLength(size);
    if (length < size) {
        return nullptr;
    }
    // Map one huge page more than needed and trim both ends, so the block starts on a huge
    // page boundary and the kernel can back it with huge pages.
    void* raw = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) {
        return nullptr;
    }
    const auto start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + kHugePage - 1) & ~uintptr_t{kHugePage - 1};
    if (aligned > start) {
        munmap(raw, aligned - start);
    }
    const size_t tail = kHugePage - (aligned - start);
    if (tail > 0) {
        munmap(reinterpret_cast<void*>(aligned + length), tail);
    }
    auto* block = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
    madvise(block, length, MADV_HUGEPAGE);
#endif
    return block;
}

void FreeLargeBlock(void* block, size_t size) {
    if (block != nullptr) {
        munmap(block, LargeBlockLength(size));
    }
}

}  // namespace pv
