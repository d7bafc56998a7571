#include "search/SharedLists.h"

namespace pv {

FileList& ListsState::ShownFileList() {
    switch (ShownList) {
    case ShownListId::KeywordMatch: return KeywordMatchList;
    case ShownListId::Accumulator: return AccumulatorList;
    default: return ResultList;
    }
}

const FileList& ListsState::ShownFileList() const {
    return const_cast<ListsState*>(this)->ShownFileList();
}

std::string ListsState::RootFolder() const {
    return RootFolders.empty() ? std::string() : RootFolders.front();
}

void ListsState::SetRoot(std::string root) {
    RootFolders.assign(1, std::move(root));
    KeywordMatchList.Clear();
    AccumulatorList.Clear();
    AccumulatorPendingCount = 0;
    if (ShownList != ShownListId::Result) {
        ShownList = ShownListId::Result;
    }
    ++RootGeneration;
}

}  // namespace pv
