#include "imaging/ClassHeap.h"

#include <array>
#include <cstdlib>
#include <utility>

namespace pv {

void* ClassHeap::Allocate(size_t size, bool zeroFill) {
    // One byte at least, so a zero-sized request still yields a block to release.
    void* block = zeroFill ? std::calloc(size == 0 ? 1 : size, 1) : std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        return nullptr;
    }
    std::lock_guard lock(mutex_);
    exists_ = true;
    ++live_;
    return block;
}

void ClassHeap::Release(void* block) {
    if (block == nullptr) {
        return;
    }
    std::free(block);
    std::lock_guard lock(mutex_);
    if (live_ > 0 && --live_ == 0) {
        exists_ = false;
    }
}

size_t ClassHeap::LiveCount() const {
    std::lock_guard lock(mutex_);
    return live_;
}

bool ClassHeap::Exists() const {
    std::lock_guard lock(mutex_);
    return exists_;
}

ClassHeap& GetClassHeap(HeapId id) {
    static std::array<ClassHeap, static_cast<size_t>(HeapId::Count)> heaps;
    return heaps[static_cast<size_t>(id)];
}

bool HeapBlock::Allocate(HeapId heap, size_t size, bool zeroFill) {
    Reset();
    ClassHeap& h = GetClassHeap(heap);
    void* block = h.Allocate(size, zeroFill);
    if (block == nullptr) {
        return false;
    }
    heap_ = &h;
    data_ = static_cast<uint8_t*>(block);
    size_ = size;
    return true;
}

void HeapBlock::Reset() {
    if (heap_ != nullptr) {
        heap_->Release(data_);
    }
    heap_ = nullptr;
    data_ = nullptr;
    size_ = 0;
}

}  // namespace pv
