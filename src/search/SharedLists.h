// The file lists and list state every frame of the process shares: the lists a search, a
// list file or a folder fills, which of them the views show, their root folders, the sort
// key last applied and the extension checks of the search dialogs. Each frame runs on its
// own thread and thumbnail workers read the lists from theirs, so the state lives in one
// object with one lock, handed by reference to whoever uses it; nothing reaches it unlocked.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "search/ExtensionTable.h"
#include "search/FileList.h"
#include "search/SortKey.h"

namespace pv {

// Which list the views show and the selection and file commands act on.
enum class ShownListId : int32_t {
    Result = 0,
    KeywordMatch = 1,
    Accumulator = 2,
};

// The shared state itself. Only SharedLists::Lock() hands it out.
struct ListsState {
    FileList ResultList;
    FileList KeywordMatchList;
    FileList AccumulatorList;
    // Records at the front of AccumulatorList that only preview the word clicked last.
    int32_t AccumulatorPendingCount = 0;
    ShownListId ShownList = ShownListId::Result;
    // Entry 0 is the root of every relativePath in the lists.
    std::vector<std::string> RootFolders;
    // The sort key last applied (kSortNoChoice after the sort dialog's OK without a line).
    SortKey SortCode = kSortUnsorted;
    // The checked rows of ExtensionTable, as the search dialogs showed them last.
    std::array<bool, kExtensionCount> ExtensionChecked = DefaultExtensionChecks();
    // Counts every change of root: word lists built from the old one know they are stale.
    uint32_t RootGeneration = 0;

    // The list ShownList designates (ResultList for a value it does not know).
    FileList& ShownFileList();
    [[nodiscard]] const FileList& ShownFileList() const;
    // RootFolders entry 0, or empty.
    [[nodiscard]] std::string RootFolder() const;
    // A new root (search, folder, list file): the keyword lists hold paths under the old one,
    // so they go, and a view that showed them shows ResultList.
    void SetRoot(std::string root);
};

class SharedLists {
public:
    // The lock, held while this lives, and the state it guards. References taken through it
    // must not outlive it; never call out (send a message, run a callback) while holding it:
    // the lock is not recursive.
    class Access {
    public:
        explicit Access(SharedLists& owner) : lock_(owner.mutex_), state_(&owner.state_) {}

        ListsState* operator->() const { return state_; }

        ListsState& operator*() const { return *state_; }

    private:
        std::unique_lock<std::mutex> lock_;
        ListsState* state_;
    };

    SharedLists() = default;
    SharedLists(const SharedLists&) = delete;
    SharedLists& operator=(const SharedLists&) = delete;

    [[nodiscard]] Access Lock() { return Access(*this); }

private:
    std::mutex mutex_;
    ListsState state_;
};

}  // namespace pv
