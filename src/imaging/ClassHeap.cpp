#include "imaging/ClassHeap.h"

#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "imaging/LargeBlock.h"

namespace pv {

namespace {

// Blocks from this size on (pixel rows, canvases) come from the system a page at a time.
constexpr size_t kLargeBlock = size_t{2} << 20;
// A large block starts with its usable length; the caller's bytes follow.
constexpr size_t kLargeHeader = 64;

size_t LengthOf(void* mapping) {
    size_t length = 0;
    std::memcpy(&length, mapping, sizeof length);
    return length;
}

void* NewLargeMapping(size_t size) {
    void* mapping = AllocateLargeBlock(size + kLargeHeader);
    if (mapping != nullptr) {
        const size_t length = LargeBlockLength(size + kLargeHeader);
        std::memcpy(mapping, &length, sizeof length);
    }
    return mapping;
}

void FreeLargeMapping(void* mapping) {
    if (mapping != nullptr) {
        FreeLargeBlock(mapping, LengthOf(mapping));
    }
}

}  // namespace

// Heaps holding a spare block; while none does, an allocation need not look at the others.
std::atomic<int> ClassHeap::sparesHeld_{0};

void* ClassHeap::TakeSpare() {
    std::lock_guard lock(mutex_);
    if (spare_ != nullptr) {
        sparesHeld_.fetch_sub(1, std::memory_order_relaxed);
    }
    return std::exchange(spare_, nullptr);
}

void ClassHeap::DropSpares(const ClassHeap* keep) {
    if (sparesHeld_.load(std::memory_order_relaxed) == 0) {
        return;
    }
    for (size_t i = 0; i < static_cast<size_t>(HeapId::Count); ++i) {
        ClassHeap& heap = GetClassHeap(static_cast<HeapId>(i));
        if (&heap != keep) {
            FreeLargeMapping(heap.TakeSpare());
        }
    }
}

void* ClassHeap::AllocateLarge(size_t size, bool zeroFill) {
    // A spare block serves the next picture only when that needs at least half of it;
    // otherwise it goes back to the system.
    void* mapping = TakeSpare();
    if (mapping != nullptr) {
        const size_t usable = LengthOf(mapping) - kLargeHeader;
        if (usable < size || size < usable / 2) {
            FreeLargeMapping(std::exchange(mapping, nullptr));
        }
    }
    auto* bytes = static_cast<uint8_t*>(mapping);
    if (bytes != nullptr) {
        if (zeroFill) {
            std::memset(bytes + kLargeHeader, 0, size);
        }
    } else {
        bytes = static_cast<uint8_t*>(NewLargeMapping(size));  // fresh mappings are zero
        if (bytes == nullptr) {
            return nullptr;
        }
    }
    std::lock_guard lock(mutex_);
    exists_ = true;
    ++live_;
    return bytes + kLargeHeader;
}

void ClassHeap::ReleaseLarge(void* block) {
    void* mapping = static_cast<uint8_t*>(block) - kLargeHeader;
    {
        std::lock_guard lock(mutex_);
        if (spare_ == nullptr) {
            sparesHeld_.fetch_add(1, std::memory_order_relaxed);
            std::swap(spare_, mapping);
        } else if (LengthOf(spare_) < LengthOf(mapping)) {
            std::swap(spare_, mapping);
        }
        if (live_ > 0 && --live_ == 0) {
            exists_ = false;
        }
    }
    FreeLargeMapping(mapping);
}

size_t ClassHeap::SpareBytes() const {
    std::lock_guard lock(mutex_);
    return spare_ != nullptr ? LengthOf(spare_) - kLargeHeader : 0;
}

void* ClassHeap::Allocate(size_t size, bool zeroFill) {
    // A new picture has begun: spares kept for another format's next picture are not needed.
    DropSpares(this);
    if (size >= kLargeBlock) {
        return AllocateLarge(size, zeroFill);
    }
    // One byte at least, so a zero-sized request still yields a block to release.
    void* block = zeroFill ? std::calloc(size == 0 ? 1 : size, 1) : std::malloc(size == 0 ? 1 : size);
    FreeLargeMapping(TakeSpare());
    if (block == nullptr) {
        return nullptr;
    }
    std::lock_guard lock(mutex_);
    exists_ = true;
    ++live_;
    return block;
}

void ClassHeap::Release(void* block, size_t size) {
    if (block == nullptr) {
        return;
    }
    if (size >= kLargeBlock) {
        ReleaseLarge(block);
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
        heap_->Release(data_, size_);
    }
    heap_ = nullptr;
    data_ = nullptr;
    size_ = 0;
}

}  // namespace pv
