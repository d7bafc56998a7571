#include "imaging/LargeBlock.h"

#include <windows.h>

namespace pv {

size_t LargeBlockLength(size_t size) {
    constexpr size_t kGranularity = size_t{64} << 10;
    return (size + kGranularity - 1) & ~(kGranularity - 1);
}

void* AllocateLargeBlock(size_t size) {
    const size_t length = LargeBlockLength(size);
    if (length < size) {
        return nullptr;
    }
    return VirtualAlloc(nullptr, length, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void FreeLargeBlock(void* block, size_t) {
    if (block != nullptr) {
        VirtualFree(block, 0, MEM_RELEASE);
    }
}

}  // namespace pv
