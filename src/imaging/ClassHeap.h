// Per-reader-class memory: each reader class allocates its objects, rows and palettes
// from a heap of its own that exists while it has live blocks. The heap's bookkeeping is
// shared by every frame thread and the thumbnail worker, so it is locked.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace pv {

enum class HeapId {
    Bmp,
    Gif,
    Jpeg,
    Ico,
    Cur,
    Pcx,
    Psd,
    Tga,
    Picture,
    Thumbs,
    Count
};

class ClassHeap {
public:
    ClassHeap() = default;
    ClassHeap(const ClassHeap&) = delete;
    ClassHeap& operator=(const ClassHeap&) = delete;

    // A block of `size` bytes (zero-filled when asked), or null when memory is short.
    [[nodiscard]] void* Allocate(size_t size, bool zeroFill = false);
    // `size` is the size the block was allocated with.
    void Release(void* block, size_t size);

    [[nodiscard]] size_t LiveCount() const;
    // True between the first allocation and the release of the last live block.
    [[nodiscard]] bool Exists() const;
    // Usable bytes of the released block kept for the next picture (0 when none is kept).
    [[nodiscard]] size_t SpareBytes() const;

private:
    void* AllocateLarge(size_t size, bool zeroFill);
    void ReleaseLarge(void* block);
    void* TakeSpare();
    // Frees the spare blocks of every class heap but `keep`.
    static void DropSpares(const ClassHeap* keep);
    static std::atomic<int> sparesHeld_;

    mutable std::mutex mutex_;
    size_t live_ = 0;
    bool exists_ = false;
    // The largest block released since the last allocation, kept for the next picture:
    // pages already touched are many times faster to fill than fresh ones. The next
    // allocation of any class heap takes it when it needs at least half of it, or frees it.
    void* spare_ = nullptr;
};

ClassHeap& GetClassHeap(HeapId id);

// A move-only block of bytes from a class heap.
class HeapBlock {
public:
    HeapBlock() = default;
    HeapBlock(const HeapBlock&) = delete;
    HeapBlock& operator=(const HeapBlock&) = delete;

    HeapBlock(HeapBlock&& other) noexcept { Swap(other); }

    HeapBlock& operator=(HeapBlock&& other) noexcept {
        HeapBlock(std::move(other)).Swap(*this);
        return *this;
    }

    ~HeapBlock() { Reset(); }

    // Replaces the block; false (and empty) when the heap has no memory.
    [[nodiscard]] bool Allocate(HeapId heap, size_t size, bool zeroFill);
    void Reset();

    [[nodiscard]] uint8_t* data() const { return data_; }

    [[nodiscard]] size_t size() const { return size_; }

    [[nodiscard]] bool empty() const { return data_ == nullptr; }

private:
    void Swap(HeapBlock& other) noexcept {
        std::swap(heap_, other.heap_);
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
    }

    ClassHeap* heap_ = nullptr;
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

}  // namespace pv
