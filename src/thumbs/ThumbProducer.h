// The thumbnail producer of one view: 1024 cache slots, which record each slot holds, and
// the workers that fill the slots in batches from the first visible record onwards.
//
// Every method is called from one thread, the view's (the command-line tool and tests
// use theirs); only the workers run beside it.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "imaging/ThumbSlot.h"
#include "search/SharedLists.h"

namespace pv {

inline constexpr uint32_t kThumbSlotCount = 1024;
inline constexpr uint32_t kThumbSlotMask = kThumbSlotCount - 1;
inline constexpr uint32_t kThumbBatchSize = 1024;
inline constexpr unsigned kMaxThumbWorkers = 8;

// One worker per hardware thread, at most 8.
[[nodiscard]] unsigned DefaultThumbWorkers();

// The state word of the worker handshake, with the values it always had.
enum class ProducerState : int32_t {
    Idle = 0,  // never started
    StopRequested = 1,
    Finished = 2,
    Running = 5,
};

// What the paint reads of one cell, under the slot's lock.
struct ThumbCell {
    const uint8_t* pixels = nullptr;  // 104 x 105 BGR, top-down, stride 312; null: never decoded
    ThumbStatus status = ThumbStatus::Picture;
    int32_t fullWidth = 0;
    int32_t fullHeight = 0;
};

class ThumbProducer {
public:
    explicit ThumbProducer(SharedLists& lists, unsigned workers = DefaultThumbWorkers());
    ~ThumbProducer();  // stops
    ThumbProducer(const ThumbProducer&) = delete;
    ThumbProducer& operator=(const ThumbProducer&) = delete;

    // The folder full paths start with ("...\", as a record's relativePath expects). Empty
    // (the default): RootFolders entry 0 of the lists.
    void SetRoot(std::string rootWithBackslash);

    // The idle handler's start: a batch of at most 1024 records from the batch start, when
    // the shown list is not empty and no batch runs. True when workers were started.
    bool Start();
    // Asks the workers to stop after the record each is decoding; returns once every one of
    // them has acknowledged. Nothing to do when no batch runs.
    void Stop();
    // The list, its order or the shown list changed: stops, forgets which record every
    // slot holds, and moves the batch start back to 0.
    void Reset();
    // Where the next batch starts: the first visible record.
    void SetBatchStart(uint32_t firstVisible);

    [[nodiscard]] uint32_t BatchStart() const { return batchStart_.load(std::memory_order_relaxed); }

    // Waits for a running batch to end by itself (the command-line tool and tests).
    void WaitForBatch();

    // The paint's access to record `index` of the shown list: when the slot does not hold
    // that record, stops the workers and decodes it here (`*decoded` = true, when given).
    // Calls visit(const ThumbCell&) under the slot's lock. False when index is past the end.
    template <class Visit>
    bool VisitCell(uint32_t index, Visit&& visit, bool* decoded = nullptr) {
        using V = std::remove_reference_t<Visit>;
        return VisitCellWith(
                index, [](void* context, const ThumbCell& cell) { (*static_cast<V*>(context))(cell); },
                const_cast<std::remove_const_t<V>*>(&visit), decoded);
    }

    [[nodiscard]] ProducerState state() const {
        return static_cast<ProducerState>(state_.load(std::memory_order_acquire));
    }

    [[nodiscard]] unsigned workers() const { return workerCount_; }

    // Records decoded since construction, by workers and by the paint (tests, the tool).
    [[nodiscard]] uint64_t decodeCount() const { return decodes_.load(std::memory_order_relaxed); }

private:
    struct Slot {
        std::mutex lock;
        ThumbSlot slot;
    };

    // What a decode needs of record `index`, read under the lists' lock.
    struct Entry {
        bool exists = false;
        uint32_t count = 0;
        ShownListId list = ShownListId::Result;
        std::string fullPath;
    };

    bool VisitCellWith(uint32_t index, void (*visit)(void*, const ThumbCell&), void* context, bool* decoded);
    Entry LookUp(uint32_t index);
    std::atomic<uint32_t>& TagOf(ShownListId list, uint32_t index);
    // The decode entry: the slot's lock is held by the caller.
    bool DecodeEntry(ThumbSlot& slot, const Entry& entry, ThumbScratch& scratch);
    void RunWorker(unsigned worker);
    void JoinWorkers();
    void ClearTags();

    SharedLists& lists_;
    unsigned workerCount_;
    std::string root_;
    std::array<Slot, kThumbSlotCount> slots_;
    // Which record each slot holds, one table per shown list; kNoRecord: none.
    static constexpr uint32_t kNoRecord = 0xFFFFFFFFu;
    std::array<std::array<std::atomic<uint32_t>, kThumbSlotCount>, 3> tags_;
    std::vector<std::unique_ptr<ThumbScratch>> scratch_;  // one per worker; [0] also the paint's
    std::vector<std::thread> threads_;
    std::atomic<int32_t> state_{static_cast<int32_t>(ProducerState::Idle)};
    std::atomic<uint32_t> batchStart_{0};
    // The batch the workers share: the next record to claim and the end.
    std::atomic<uint32_t> next_{0};
    uint32_t end_ = 0;
    std::atomic<unsigned> active_{0};
    std::atomic<uint64_t> decodes_{0};
};

}  // namespace pv
