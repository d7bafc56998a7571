#include "app/NavigationList.h"
#include "search/FolderFileList.h"
#include "search/SharedLists.h"

namespace pv {

int32_t ShownNavigationList::EntryCount() const {
    return ShownFileList().Count();
}

std::string ShownNavigationList::RelativePath(int32_t index) const {
    const FileList& list = ShownFileList();
    if (index < 0 || index >= list.Count()) {
        return {};
    }
    return list[static_cast<size_t>(index)].relativePath;
}

std::string ShownNavigationList::RootFolder() const {
    return RootFolders.empty() ? std::string() : RootFolders.front();
}

FolderPick ShownNavigationList::BuildFolderList(const std::string& openedPath) {
    const FolderListResult r = pv::BuildFolderList(openedPath);
    return {r.found, r.current};
}

}  // namespace pv
