#include "search/FolderWalk.h"

#include <cstdio>

#include "platform/Collation.h"

namespace pv {

namespace {

constexpr int32_t kProgressEvery = 500;

}  // namespace

bool RootHasEntries(const std::string& folder) {
    const std::string full = FullPathOf(folder);
    if (full.empty()) {
        return false;
    }
    FolderScan scan;
    FindRecord first;
    return scan.Open(full) && scan.Next(first);
}

SearchResult RunSearch(SharedLists& lists,
                       const SearchCriteria& criteria,
                       const StatusSink& status,
                       SearchOptions options) {
    SearchResult result;
    lists.Lock()->RootFolders.clear();
    if (criteria.extensions.empty()) {
        result.outcome = SearchOutcome::NoExtensionSelected;
        return result;
    }
    std::string root = criteria.root;
    if (!root.empty() && root.back() != '\\') {
        root += '\\';
    }
    if (options.checkRoot && !RootHasEntries(root)) {
        result.outcome = SearchOutcome::RootHasNoEntries;
        return result;
    }
    {
        // While the walk runs, other frames see this root with an empty list, never the old
        // records under a root they do not belong to.
        SharedLists::Access state = lists.Lock();
        state->SetRoot(root);
        state->ResultList.Clear();
    }
    FileList found;
    FolderWalk walk(criteria, found, status);
    walk.Run(root, root.size());
    result.found = found.Count();
    {
        // The root again with the records: another frame's search may have run meanwhile.
        SharedLists::Access state = lists.Lock();
        state->RootFolders.assign(1, root);
        state->ResultList = std::move(found);
    }
    result.examined = walk.examined();
    result.cancelled = walk.cancelled();
    result.lastStatus = walk.lastStatus();
    return result;
}

FolderWalk::FolderWalk(const SearchCriteria& criteria, FileList& out, const StatusSink& status)
    : criteria_(criteria), out_(out), sink_(status) {
    for (const std::string& extension : criteria_.extensions) {
        prefilter_.Add(extension);
    }
    upperPattern_ = criteria_.titlePattern;
    for (char& c : upperPattern_) {
        c = UpperChar(c);
    }
    titleBuffer_.reserve(kMaxPath);
    path_.reserve(kMaxPath + 256);
}

// Depth first, as a recursive walk would go, but with the open folders on a stack of our
// own: no depth can exhaust the thread's stack. Each level keeps only its listing.
void FolderWalk::Run(const std::string& root, size_t rootLength) {
    rootLength_ = rootLength;
    path_ = root;
    escape_.Start();
    if (!OpenLevel()) {
        return;  // nothing counted, the status line untouched
    }
    while (!levels_.empty()) {
        Level& level = levels_.back();
        if (cancelled_ || !level.scan.Next(entry_)) {
            CloseLevel();
            continue;
        }
        VisitEntry();
    }
    // The list grows in small steps when records come one by one; the walk's finds join
    // it with a single step instead, in the same order.
    out_.AppendAll(std::move(records_));
}

bool FolderWalk::OpenLevel(const std::string* subfolderName) {
    // The platform lists "folder\*" only when that pattern fits its path limit.
    if (path_.size() + 1 >= kMaxPath) {
        return false;
    }
    Level level;
    const bool opened = subfolderName != nullptr && !levels_.empty()
                                ? level.scan.OpenSubfolder(levels_.back().scan, path_, *subfolderName)
                                : level.scan.Open(path_);
    if (!opened) {
        return false;
    }
    level.pathLength = path_.size();
    levels_.push_back(std::move(level));
    return true;
}

void FolderWalk::CloseLevel() {
    levels_.back().scan.Close();
    levels_.pop_back();
    SetStatus("Find   %d ", found_);
    if (!levels_.empty()) {
        // The subfolder was the parent's current entry: the parent polls after it.
        path_.resize(levels_.back().pathLength);
        PollEscape();
    }
}

void FolderWalk::VisitEntry() {
    const std::string& name = entry_.name;
    // A "\" inside a name (possible natively) would read as a folder separator and make the
    // record name another file: such entries cannot be represented, so they are left out.
    if (name.find('\\') != std::string::npos) {
        PollEscape();
        return;
    }
    const size_t folderLength = path_.size();
    if (entry_.IsFolder() && criteria_.checkInclude == 1) {
        // Links and junctions are not followed: one of them can lead back up the tree.
        if (!IsLinkEntry(entry_.attributes, entry_.reparseTag)) {
            path_ += name;
            path_ += '\\';
            if (OpenLevel(&name)) {
                return;  // walked now; the poll for this entry follows when it is done
            }
            path_.resize(folderLength);
        }
        PollEscape();
        return;
    }
    FilterFile(levels_.back().scan);
    PollEscape();
}

void FolderWalk::FilterFile(FolderScan& scan) {
    ++examined_;
    if (--countdown_ == 0) {
        SetStatus("Search: %d  Find %d ", examined_, found_);
        countdown_ = kProgressEvery;
    }
    // A full path the platform cannot open is never a record: nothing is cut short into a
    // different name.
    if (path_.size() + entry_.name.size() >= kMaxPath) {
        return;
    }
    if (criteria_.checkTitle == 1 && !TitleMatches()) {
        return;
    }
    if (!ExtensionMatches()) {
        return;
    }
    if (!scan.Complete(entry_)) {
        return;  // gone since it was listed
    }
    if (criteria_.checkSize == 1 && (entry_.sizeLow < criteria_.minSize || entry_.sizeLow > criteria_.maxSize)) {
        return;
    }
    if (criteria_.checkDate == 1 && (CompareFileTimes(entry_.lastWriteTime, criteria_.dateFrom) < 0 ||
                                     CompareFileTimes(entry_.lastWriteTime, criteria_.dateTo) > 0)) {
        return;
    }
    FileRecord record;
    record.attributes = entry_.attributes;
    record.creationTime = entry_.creationTime;
    record.lastAccessTime = entry_.lastAccessTime;
    record.lastWriteTime = entry_.lastWriteTime;
    record.sizeHigh = entry_.sizeHigh;
    record.sizeLow = entry_.sizeLow;
    record.mark = 0;
    const size_t folderPart = path_.size() - rootLength_;
    record.relativePath.reserve(folderPart + entry_.name.size());
    record.relativePath.append(path_, rootLength_, folderPart);
    record.relativePath.append(entry_.name);
    records_.push_back(std::move(record));
    ++found_;
}

bool FolderWalk::TitleMatches() const {
    std::string_view title = entry_.name;
    if (!criteria_.titlesShowExtensions) {
        const size_t dot = title.rfind('.');
        if (dot != std::string_view::npos && dot != 0) {
            title = title.substr(0, dot);
        }
    }
    titleBuffer_.assign(title);
    for (char& c : titleBuffer_) {
        c = UpperChar(c);
    }
    return titleBuffer_.find(upperPattern_) != std::string::npos;
}

bool FolderWalk::ExtensionMatches() const {
    const std::string_view name = entry_.name;
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return false;
    }
    const std::string_view extension = name.substr(dot + 1);
    if (!prefilter_.MayMatch(extension)) {
        return false;
    }
    for (const std::string& selected : criteria_.extensions) {
        if (CompareNamesNoCase(extension, selected) == 0) {
            return true;
        }
    }
    return false;
}

// Escape ends the whole walk, not only the folder being listed: a single press means
// "stop searching", whether or not the key is still down when the next folder polls.
void FolderWalk::PollEscape() {
    if (!cancelled_ && escape_.Pressed()) {
        cancelled_ = true;
    }
}

void FolderWalk::SetStatus(const char* format, int32_t a, int32_t b) {
    char text[64];
    const int n = std::snprintf(text, sizeof text, format, a, b);
    status_.assign(text, n > 0 ? static_cast<size_t>(n) : 0);
    if (sink_) {
        sink_(status_);
    }
}

}  // namespace pv
