#include "app/Navigator.h"

#include <algorithm>

#include "base/Text.h"
#include "platform/Collation.h"
#include "search/FolderFileList.h"

namespace pv {

namespace {

// Marks a road in progress for its whole length; a second road finds the mark and leaves.
class RoadGuard {
public:
    explicit RoadGuard(bool& busy) : busy_(busy), owner_(!busy) { busy_ = true; }

    RoadGuard(const RoadGuard&) = delete;
    RoadGuard& operator=(const RoadGuard&) = delete;

    ~RoadGuard() {
        if (owner_) {
            busy_ = false;
        }
    }

    [[nodiscard]] bool Refused() const { return !owner_; }

private:
    bool& busy_;
    bool owner_;
};

}  // namespace

void Navigator::WriteCounterAndStatus() {
    host_.SetCounterText(CounterText(currentIndex_, fileCount_));
    host_.SetStatusText(StatusText(currentPath_));
}

void Navigator::ShowNamedPicture(const std::string& name) {
    currentPath_ = name;
    RefreshTexts();
}

void Navigator::RefreshTexts() {
    if (list_.EntryCount() <= 0) {
        if (!currentPath_.empty()) {
            host_.SetTitleText(TitleText(currentPath_, host_.ViewState()));
            host_.SetStatusText(StatusText(currentPath_));
        }
        return;
    }
    host_.SetCounterText(CounterText(currentIndex_, fileCount_));
    host_.SetTitleText(TitleText(currentPath_, host_.ViewState()));
    host_.SetStatusText(StatusText(currentPath_));
}

void Navigator::ShowListEntry(int32_t start, int32_t direction, bool perTryTexts) {
    if (fileCount_ <= 0) {
        return;
    }
    currentIndex_ = std::clamp(start, 0, fileCount_ - 1);
    for (;;) {
        host_.SetThumbCurrent(currentIndex_);
        currentPath_ = currentFolder_ + list_.RelativePath(currentIndex_);
        if (perTryTexts) {
            WriteCounterAndStatus();
        }
        if (host_.OpenInView(fit_, currentPath_) != 0) {
            return;
        }
        const int32_t next = currentIndex_ + direction;
        if (next < 0 || next > fileCount_ - 1) {
            return;
        }
        currentIndex_ = next;
    }
}

void Navigator::Step(int32_t direction) {
    RoadGuard road(busy_);
    fileCount_ = list_.EntryCount();
    if (road.Refused() || fileCount_ <= 0) {
        return;
    }
    host_.StopWorkers();
    host_.BringImageBack();
    // The list may have shrunk under the index since it was set.
    currentIndex_ = std::clamp(currentIndex_, 0, fileCount_ - 1);
    if (direction > 0 && currentIndex_ < fileCount_ - 1) {
        ++currentIndex_;
    } else if (direction < 0 && currentIndex_ > 0) {
        --currentIndex_;
    }
    ShowListEntry(currentIndex_, direction);
    shownIndex_ = currentIndex_;
    RefreshTexts();
    host_.MarkHot(currentIndex_);
    host_.ScrollThumbsTo(currentIndex_);
}

void Navigator::Next() {
    Step(+1);
}

void Navigator::Previous() {
    Step(-1);
}

void Navigator::Begin() {
    RoadGuard road(busy_);
    if (road.Refused() || list_.EntryCount() <= 0) {
        return;
    }
    fileCount_ = list_.EntryCount();
    currentFolder_ = list_.RootFolder();
    shownIndex_ = currentIndex_ = 0;
    host_.StopWorkers();
    host_.ResetThumbView();
    host_.MarkHot(0);
    // One open of entry 0, by the stepping loop: a broken first file is tried (and reports
    // its failure) once.
    ShowListEntry(0, +1);
    shownIndex_ = currentIndex_;
    RefreshTexts();
}

int Navigator::ShowItem(int32_t index) {
    RoadGuard road(busy_);
    if (road.Refused() || list_.EntryCount() <= 0) {
        return 0;
    }
    fileCount_ = list_.EntryCount();
    host_.StopWorkers();
    shownIndex_ = index;
    if (index < 0 || index > fileCount_ - 1) {
        return 0;
    }
    currentPath_ = currentFolder_ + list_.RelativePath(index);
    if (host_.BringImageBack()) {
        host_.ScrollThumbsTo(index);
    }
    currentIndex_ = index;
    host_.OpenInView(fit_, currentPath_);
    RefreshTexts();
    return 0;
}

void Navigator::ShowIndex(int32_t index) {
    RoadGuard road(busy_);
    if (road.Refused()) {
        return;
    }
    fileCount_ = list_.EntryCount();
    currentFolder_ = list_.RootFolder();
    // An index the list does not have (a stale message) opens nothing.
    if (index < 0 || index > fileCount_ - 1) {
        return;
    }
    currentIndex_ = index;
    currentPath_ = currentFolder_ + list_.RelativePath(index);
    host_.OpenInView(fit_, currentPath_);
    host_.MarkHot(index);
    RefreshTexts();
}

void Navigator::ReportDoubleClick(int32_t index) {
    RoadGuard road(busy_);
    if (road.Refused()) {
        return;
    }
    host_.StopWorkers();
    fileCount_ = list_.EntryCount();
    if (index < 0 || index > fileCount_ - 1) {
        return;
    }
    shownIndex_ = currentIndex_ = index;
    host_.SetCounterText(CounterText(currentIndex_, fileCount_));
    currentPath_ = currentFolder_ + list_.RelativePath(index);
    host_.SetStatusText(StatusText(currentPath_));
    host_.OpenInView(fit_, currentPath_);
    host_.MarkHot(index);
}

void Navigator::AdoptFolderOf(const std::string& path) {
    // The thumbnail workers read the list that is about to be replaced.
    host_.StopWorkers();
    const FolderPick pick = list_.BuildFolderList(path);
    if (!pick.found) {
        host_.ShowInfo(std::string(kNoImageSelectedText));
    }
    currentIndex_ = pick.current;
    fileCount_ = list_.EntryCount();
}

void Navigator::OpenFolderOf(const std::string& argument, bool compareShortNames) {
    RoadGuard road(busy_);
    if (road.Refused()) {
        return;
    }
    std::string path = argument;
    if (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    std::string stored = path;
    if (!stored.empty()) {
        stored[0] = AsciiLower(stored[0]);
    }
    host_.StoreOpenFile(stored);

    AdoptFolderOf(path);
    // The argument may name the file by its long or its short (8.3) name; natively there
    // are no short names and the long one decides.
    const std::string_view wanted = FileNameOf(path);
    for (int32_t i = 0; i < fileCount_; ++i) {
        const std::string name = list_.RelativePath(i);
        bool same = CompareNamesNoCase(wanted, FileNameOf(name)) == 0;
        if (!same && compareShortNames) {
            const std::string shortName = list_.ShortName(i);
            same = !shortName.empty() && CompareNamesNoCase(wanted, shortName) == 0;
        }
        if (same) {
            currentIndex_ = i;
            break;
        }
    }
    currentFolder_ = std::string(FolderOf(path));
    host_.ShowFolderInThumbs(currentFolder_);
    shownIndex_ = currentIndex_;
    ShowListEntry(currentIndex_, +1, true);
}

void Navigator::OpenCommandLineFile(const std::string& path) {
    OpenFolderOf(path, true);
}

void Navigator::OpenTreePath(const std::string& path) {
    OpenFolderOf(path, false);
}

void Navigator::OpenChosenFile(const std::string& path) {
    RoadGuard road(busy_);
    if (road.Refused()) {
        return;
    }
    host_.StopWorkers();
    host_.OpenInView(fit_, path);
    AdoptFolderOf(path);
    currentFolder_ = std::string(FolderOf(path));
    // The file shown is the file chosen, listed or not (an unknown type opened through
    // "All Files" is not in its folder's list).
    currentPath_ = path;
    host_.ShowFolderInThumbs(currentFolder_);
    shownIndex_ = currentIndex_;
    RefreshTexts();
    host_.StoreOpenFile(path);
}

void Navigator::ListFolderOf(const std::string& path) {
    RoadGuard road(busy_);
    if (road.Refused()) {
        return;
    }
    AdoptFolderOf(path);
    currentFolder_ = std::string(FolderOf(path));
    host_.ShowFolderInThumbs(currentFolder_);
    host_.StoreOpenFile(path);
}

bool Navigator::OpenRecentFile(const std::string& path) {
    RoadGuard road(busy_);
    if (road.Refused()) {
        return false;
    }
    host_.StopWorkers();
    if (host_.OpenInView(fit_, path) == 0) {
        return false;
    }
    AdoptFolderOf(path);
    currentFolder_ = std::string(FolderOf(path));
    currentPath_ = path;
    shownIndex_ = currentIndex_;
    RefreshTexts();
    return true;
}

void Navigator::ShowNewList(int32_t start, bool perTryTexts) {
    RoadGuard road(busy_);
    fileCount_ = list_.EntryCount();
    if (road.Refused() || fileCount_ <= 0) {
        return;
    }
    currentFolder_ = list_.RootFolder();
    host_.StopWorkers();
    ShowListEntry(start, +1, perTryTexts);
    shownIndex_ = currentIndex_;
    if (!perTryTexts) {
        RefreshTexts();
    }
}

void Navigator::FollowCurrentPath() {
    fileCount_ = list_.EntryCount();
    for (int32_t i = 0; i < fileCount_; ++i) {
        if (currentFolder_ + list_.RelativePath(i) == currentPath_) {
            currentIndex_ = i;
            break;
        }
    }
    RefreshTexts();
}

}  // namespace pv
