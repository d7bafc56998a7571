#include "app/NavigationList.h"
#include "search/FolderFileList.h"

namespace pv {

int32_t ShownNavigationList::EntryCount() const {
    return lists_.Lock()->ShownFileList().Count();
}

std::string ShownNavigationList::RelativePath(int32_t index) const {
    SharedLists::Access state = lists_.Lock();
    const FileList& list = state->ShownFileList();
    if (index < 0 || index >= list.Count()) {
        return {};
    }
    return list[static_cast<size_t>(index)].relativePath;
}

std::string ShownNavigationList::RootFolder() const {
    return lists_.Lock()->RootFolder();
}

FolderPick ShownNavigationList::BuildFolderList(const std::string& openedPath) {
    const FolderListResult r = pv::BuildFolderList(lists_, openedPath);
    return {r.found, r.current};
}

}  // namespace pv
