// The current file list as navigation sees it: entries addressed by index, each a path
// relative to the list's root folder.
#pragma once

#include <cstdint>
#include <string>

#include "search/SharedLists.h"

namespace pv {

struct FolderPick {
    bool found = true;
    int32_t current = 0;
};

class NavigationList {
public:
    NavigationList() = default;
    NavigationList(const NavigationList&) = delete;
    NavigationList& operator=(const NavigationList&) = delete;
    virtual ~NavigationList() = default;

    [[nodiscard]] virtual int32_t EntryCount() const = 0;
    [[nodiscard]] virtual std::string RelativePath(int32_t index) const = 0;
    // RootFolders entry 0, ending in "\".
    [[nodiscard]] virtual std::string RootFolder() const = 0;
    // Makes the list the files of `openedPath`'s folder: the index of the opened file's entry
    // (0 when it is not listed), and whether the folder had any file of a known type.
    virtual FolderPick BuildFolderList(const std::string& openedPath) = 0;

    // The 8.3 form of entry `index`'s file name where the platform has one, else empty.
    [[nodiscard]] virtual std::string ShortName(int32_t /*index*/) const { return {}; }
};

// The process-wide shown list (ShownList selects it) with RootFolders and the folder
// file list: what a frame navigates. Each call takes the lists' lock for its own moment.
class ShownNavigationList final : public NavigationList {
public:
    explicit ShownNavigationList(SharedLists& lists) : lists_(lists) {}

    [[nodiscard]] int32_t EntryCount() const override;
    [[nodiscard]] std::string RelativePath(int32_t index) const override;
    [[nodiscard]] std::string RootFolder() const override;
    FolderPick BuildFolderList(const std::string& openedPath) override;

    [[nodiscard]] SharedLists& lists() const { return lists_; }

private:
    SharedLists& lists_;
};

}  // namespace pv
