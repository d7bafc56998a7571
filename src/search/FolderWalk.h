// The search: a root check, then a depth-first walk of the root folder that passes every
// entry through the filters of the criteria and gives the survivors to ResultList.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CancelPoll.h"
#include "platform/FileSystem.h"
#include "platform/FolderScan.h"
#include "search/ExtensionPrefilter.h"
#include "search/FileList.h"
#include "search/SearchCriteria.h"
#include "search/SharedLists.h"

namespace pv {

// Receives the progress texts for the dialog's status line; the dialog repaints at once.
using StatusSink = std::function<void(std::string_view text)>;

enum class SearchOutcome {
    Searched,             // the walk ran; ResultList holds what it found (maybe nothing)
    NoExtensionSelected,  // nothing to look for: no run
    RootHasNoEntries,     // root empty, unreadable or not a folder: ResultList untouched
};

struct SearchResult {
    SearchOutcome outcome = SearchOutcome::Searched;
    int32_t found = 0;
    int32_t examined = 0;
    bool cancelled = false;  // Escape ended the walk early; the records found so far stay
    std::string lastStatus;  // the last text given to the status sink
};

struct SearchOptions {
    // The shell-launched browse searches its folder without checking it first.
    bool checkRoot = true;
};

// Runs one search: RootFolders becomes {root} and ResultList the records found, in walk
// order. Progress goes to `status`; Escape is polled after every entry. The walk itself runs
// without the lock; its result replaces the lists in one step, so another frame sees the
// old list with its root or the new one with its own, never a mix.
SearchResult RunSearch(SharedLists& lists,
                       const SearchCriteria& criteria,
                       const StatusSink& status = {},
                       SearchOptions options = {});

// True when `folder` can be listed and holds at least one entry besides "." and "..".
bool RootHasEntries(const std::string& folder);

// The walk itself, for one run. Folder paths end in "\".
class FolderWalk {
public:
    FolderWalk(const SearchCriteria& criteria, FileList& out, const StatusSink& status);

    void Run(const std::string& root, size_t rootLength);

    [[nodiscard]] int32_t examined() const { return examined_; }

    [[nodiscard]] int32_t found() const { return found_; }

    [[nodiscard]] bool cancelled() const { return cancelled_; }

    [[nodiscard]] const std::string& lastStatus() const { return status_; }

private:
    struct Level {
        FolderScan scan;
        size_t pathLength = 0;
    };

    bool OpenLevel(const std::string* subfolderName = nullptr);
    void CloseLevel();
    void VisitEntry();
    void FilterFile(FolderScan& scan);
    [[nodiscard]] bool TitleMatches() const;
    [[nodiscard]] bool ExtensionMatches() const;
    void PollEscape();
    void SetStatus(const char* format, int32_t a, int32_t b = 0);

    const SearchCriteria& criteria_;
    FileList& out_;
    const StatusSink& sink_;
    ExtensionPrefilter prefilter_;
    std::string upperPattern_;
    mutable std::string titleBuffer_;
    std::vector<Level> levels_;
    std::vector<FileRecord> records_;  // this run's finds, handed to the list in one go
    std::string path_;                 // the folder being listed, then the entry's full path while it is looked at
    FindRecord entry_;
    size_t rootLength_ = 0;
    int32_t examined_ = 0;
    int32_t found_ = 0;
    int32_t countdown_ = 500;
    EscapePoll escape_;
    bool cancelled_ = false;
    std::string status_;
};

}  // namespace pv
