#include "thumbs/ThumbProducer.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace pv {

unsigned DefaultThumbWorkers() {
    return std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThumbWorkers);
}

ThumbProducer::ThumbProducer(SharedLists& lists, unsigned workers)
    : lists_(lists), workerCount_(std::clamp(workers, 1u, kMaxThumbWorkers)) {
    ClearTags();
    for (unsigned i = 0; i < workerCount_; ++i) {
        scratch_.push_back(std::make_unique<ThumbScratch>());
    }
}

ThumbProducer::~ThumbProducer() {
    Stop();
}

void ThumbProducer::SetRoot(std::string rootWithBackslash) {
    if (rootWithBackslash == root_) {
        return;
    }
    Stop();
    root_ = std::move(rootWithBackslash);
}

void ThumbProducer::ClearTags() {
    for (auto& table : tags_) {
        for (auto& tag : table) {
            tag.store(kNoRecord, std::memory_order_relaxed);
        }
    }
}

std::atomic<uint32_t>& ThumbProducer::TagOf(ShownListId list, uint32_t index) {
    const auto table = std::clamp<size_t>(static_cast<size_t>(list), 0, tags_.size() - 1);
    return tags_[table][index & kThumbSlotMask];
}

ThumbProducer::Entry ThumbProducer::LookUp(uint32_t index) {
    Entry entry;
    SharedLists::Access state = lists_.Lock();
    const FileList& list = state->ShownFileList();
    entry.count = static_cast<uint32_t>(list.Size());
    entry.list = state->ShownList;
    if (index >= entry.count) {
        return entry;
    }
    entry.exists = true;
    entry.fullPath = root_.empty() ? state->RootFolder() : root_;
    entry.fullPath += list[index].relativePath;
    return entry;
}

bool ThumbProducer::DecodeEntry(ThumbSlot& slot, const Entry& entry, ThumbScratch& scratch) {
    slot.listCount = entry.count;
    if (!entry.exists) {
        return false;
    }
    decodes_.fetch_add(1, std::memory_order_relaxed);
    return DecodeThumbnail(slot, entry.fullPath, scratch);
}

bool ThumbProducer::Start() {
    int32_t expected = state_.load(std::memory_order_acquire);
    if (expected == static_cast<int32_t>(ProducerState::Running)) {
        return false;
    }
    JoinWorkers();  // a finished batch's threads have written their acknowledgement: quick
    uint32_t count = 0;
    {
        SharedLists::Access state = lists_.Lock();
        count = static_cast<uint32_t>(state->ShownFileList().Size());
    }
    if (count == 0) {
        return false;
    }
    const uint32_t first = batchStart_.load(std::memory_order_relaxed);
    if (first >= count) {
        return false;
    }
    end_ = static_cast<uint32_t>(std::min<uint64_t>(count, uint64_t{first} + kThumbBatchSize));
    next_.store(first, std::memory_order_relaxed);
    active_.store(workerCount_, std::memory_order_relaxed);
    if (!state_.compare_exchange_strong(expected, static_cast<int32_t>(ProducerState::Running),
                                        std::memory_order_acq_rel)) {
        return false;
    }
    unsigned started = 0;
    try {
        for (; started < workerCount_; ++started) {
            threads_.emplace_back([this, started] { RunWorker(started); });
        }
    } catch (const std::system_error&) {
        // The workers that did start run the batch; the ones that did not count as done.
        // With none at all the producer goes back to idle, so nobody waits for a worker
        // that never existed.
        const unsigned missing = workerCount_ - started;
        if (active_.fetch_sub(missing, std::memory_order_acq_rel) == missing) {
            state_.store(static_cast<int32_t>(started == 0 ? ProducerState::Idle : ProducerState::Finished),
                         std::memory_order_release);
        }
        return started != 0;
    }
    return true;
}

void ThumbProducer::RunWorker(unsigned worker) {
    ThumbScratch& scratch = *scratch_[worker];
    while (state_.load(std::memory_order_acquire) != static_cast<int32_t>(ProducerState::StopRequested)) {
        const uint32_t index = next_.fetch_add(1, std::memory_order_relaxed);
        if (index >= end_) {
            break;
        }
        Entry entry = LookUp(index);
        if (!entry.exists) {
            break;  // the list shrank under us: the rest of the batch is gone too
        }
        std::atomic<uint32_t>& tag = TagOf(entry.list, index);
        Slot& cell = slots_[index & kThumbSlotMask];
        if (tag.load(std::memory_order_acquire) == index) {
            std::lock_guard lock(cell.lock);
            if (cell.slot.path == entry.fullPath) {
                continue;
            }
        }
        tag.store(index, std::memory_order_release);
        std::lock_guard lock(cell.lock);
        DecodeEntry(cell.slot, entry, scratch);
    }
    // The last worker out acknowledges for all of them.
    if (active_.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        state_.store(static_cast<int32_t>(ProducerState::Finished), std::memory_order_release);
    }
}

void ThumbProducer::JoinWorkers() {
    for (std::thread& t : threads_) {
        t.join();
    }
    threads_.clear();
}

// The workers acknowledge by writing Finished as the last of them leaves; waiting for them
// to leave instead of spinning on the word costs the waiting thread no processor time.
void ThumbProducer::Stop() {
    int32_t expected = static_cast<int32_t>(ProducerState::Running);
    state_.compare_exchange_strong(expected, static_cast<int32_t>(ProducerState::StopRequested),
                                   std::memory_order_acq_rel);
    JoinWorkers();
}

void ThumbProducer::WaitForBatch() {
    JoinWorkers();
}

void ThumbProducer::Reset() {
    Stop();
    ClearTags();
    batchStart_.store(0, std::memory_order_relaxed);
}

void ThumbProducer::SetBatchStart(uint32_t firstVisible) {
    batchStart_.store(firstVisible, std::memory_order_relaxed);
}

bool ThumbProducer::VisitCellWith(uint32_t index,
                                  void (*visit)(void*, const ThumbCell&),
                                  void* context,
                                  bool* decoded) {
    if (decoded != nullptr) {
        *decoded = false;
    }
    Entry entry = LookUp(index);
    if (!entry.exists) {
        return false;
    }
    std::atomic<uint32_t>& tag = TagOf(entry.list, index);
    Slot& cell = slots_[index & kThumbSlotMask];
    auto holds = [&] { return tag.load(std::memory_order_acquire) == index && cell.slot.path == entry.fullPath; };
    std::unique_lock lock(cell.lock);
    if (!holds()) {
        // A worker may be waiting for this very lock: let go of it while the workers stop.
        lock.unlock();
        tag.store(index, std::memory_order_release);
        Stop();
        lock.lock();
        if (cell.slot.path != entry.fullPath) {
            DecodeEntry(cell.slot, entry, *scratch_[0]);
            if (decoded != nullptr) {
                *decoded = true;
            }
        }
    }
    const ThumbSlot& slot = cell.slot;
    const ThumbCell view{slot.pixels.empty() ? nullptr : slot.pixels.data(), slot.status, slot.fullWidth,
                         slot.fullHeight};
    visit(context, view);
    return true;
}

}  // namespace pv
