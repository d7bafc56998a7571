#include "app/Navigator.h"

#include <algorithm>

#include "base/Text.h"
#include "platform/Collation.h"

namespace pv {

void Navigator::WriteCounterAndStatus() {
    host_.SetCounterText(CounterText(currentIndex_, fileCount_));
    host_.SetStatusText(StatusText(currentPath_));
}

void Navigator::RefreshTexts() {
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
    fileCount_ = list_.EntryCount();
    if (fileCount_ <= 0) {
        return;
    }
    host_.StopWorkers();
    if (host_.ViewMode() == 1) {
        host_.ShowBothPanes();
    }
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
    fileCount_ = list_.EntryCount();
    if (fileCount_ <= 0) {
        return;
    }
    shownIndex_ = currentIndex_ = 0;
    host_.StopWorkers();
    host_.ResetThumbView();
    ShowIndex(0);
    ShowListEntry(0, +1);
    shownIndex_ = currentIndex_;
    RefreshTexts();
}

int Navigator::ShowItem(int32_t index) {
    fileCount_ = list_.EntryCount();
    if (fileCount_ <= 0) {
        return 0;
    }
    host_.StopWorkers();
    shownIndex_ = index;
    if (index < 0 || index > fileCount_ - 1) {
        return 0;
    }
    currentPath_ = currentFolder_ + list_.RelativePath(index);
    if (host_.ViewMode() == 1) {
        host_.ShowBothPanes();
        host_.ScrollThumbsTo(index);
    }
    host_.OpenInView(fit_, currentPath_);
    currentIndex_ = index;
    RefreshTexts();
    return 0;
}

void Navigator::ShowIndex(int32_t index) {
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

void Navigator::OpenFolderOf(const std::string& argument, bool compareShortNames) {
    std::string path = argument;
    if (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    std::string stored = path;
    if (!stored.empty()) {
        stored[0] = AsciiLower(stored[0]);
    }
    host_.StoreOpenFile(stored);

    currentIndex_ = list_.BuildFolderList(path);
    fileCount_ = list_.EntryCount();
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

}  // namespace pv
