#include "search/SearchOk.h"

#include <algorithm>

#include "search/FolderWalk.h"
#include "search/Ordering.h"
#include "search/SearchCriteria.h"

namespace pv {

namespace {

bool AnyChecked(const ExtensionChecks& checks) {
    return std::any_of(checks.begin(), checks.end(), [](bool c) { return c; });
}

SearchCriteria CriteriaOf(const OkRequest& r, const std::string& root) {
    const SearchDialogValues& v = r.values;
    SearchCriteria c;
    c.root = root;
    c.extensions = CheckedExtensions(r.checked);
    c.checkInclude = v.checkInclude;
    c.checkTitle = v.checkTitle;
    c.checkSize = v.checkSize;
    c.checkDate = v.checkDate;
    c.titlePattern = v.titlePattern;
    c.minSize = MinSizeBytes(v.minSize);
    c.maxSize = MaxSizeBytes(v.maxSize);
    // The pickers only ever hold valid dates; should one not, its bound lets everything by.
    c.dateFrom = FileTimeOf(r.pickerFrom).value_or(0);
    c.dateTo = FileTimeOf(r.pickerTo).value_or(UINT64_MAX >> 1);
    c.titlesShowExtensions = r.titlesShowExtensions;
    return c;
}

// The first check of both dialogs, before anything is cleared or stored: a user who then
// cancels finds the frame's list and its root as they were.
bool ExtensionsChosen(SharedLists& lists, const OkRequest& r, SearchOkHost& host) {
    lists.Lock()->ExtensionChecked = r.checked;
    if (!AnyChecked(r.checked)) {
        host.ShowMessage(kSelectExtensionText, MessageStyle::PictavoInformation);
        return false;
    }
    WriteExtensionChecks(r.checked);
    return true;
}

SearchResult Search(SharedLists& lists, const SearchCriteria& criteria, SearchOkHost& host) {
    const StatusSink sink = [&host](std::string_view text) { host.ShowStatus(text); };
    return RunSearch(lists, criteria, sink, SearchOptions{.checkRoot = false});
}

void OrderResult(SharedLists& lists, const std::string& sortedString) {
    SharedLists::Access state = lists.Lock();
    SortResultByText(*state, sortedString);
}

OkOutcome OpenAsFile(SharedLists& lists, SearchOkHost& host) {
    {
        SharedLists::Access state = lists.Lock();
        state->ShownList = ShownListId::Result;
        state->RootFolders.clear();
    }
    host.OpenPathAsFile();
    return OkOutcome::OpenedAsFile;
}

}  // namespace

OkOutcome RunTreeDialogOk(SharedLists& lists, const OkRequest& r, SearchOkHost& host) {
    if (!ExtensionsChosen(lists, r, host)) {
        return OkOutcome::StayOpen;
    }
    // A file chosen in the tree, or a folder without entries, is opened as a file at once.
    if (!r.root.empty() && !RootHasEntries(r.root)) {
        return OpenAsFile(lists, host);
    }
    const SearchDialogValues& v = r.values;
    if (v.checkTitle == 1) {
        for (int32_t n = WildcardCount(v.titlePattern); n > 0; --n) {
            host.ShowMessage(kWildcardText, MessageStyle::PictavoInformation);
        }
    }
    SearchCriteria criteria = CriteriaOf(r, r.root);
    WriteFolderRect(r.windowRect);
    WriteSearchValues(v, SearchDialogKind::Tree, r.pickerFrom, r.pickerTo);
    if (r.root.empty()) {
        host.ShowMessage(kNoFolderText, MessageStyle::PictavoInformation);
        return OkOutcome::StayOpen;
    }
    WriteTreeFullPath(r.root);
    lists.Lock()->ShownList = ShownListId::Result;
    const SearchResult result = Search(lists, criteria, host);
    if (result.found == 0) {
        host.ShowMessage(kNothingFoundText, MessageStyle::PictavoInformation);
        return OkOutcome::StayOpen;
    }
    OrderResult(lists, v.sortedString);
    return OkOutcome::Accepted;
}

OkOutcome RunBrowseDialogOk(SharedLists& lists, const OkRequest& r, SearchOkHost& host) {
    if (!ExtensionsChosen(lists, r, host)) {
        return OkOutcome::StayOpen;
    }
    std::string root = r.root;
    if (root.empty() || root.back() != '\\') {
        root += '\\';
    }
    SearchCriteria criteria = CriteriaOf(r, root);
    criteria.checkTitle = 0;
    WriteSearchValues(r.values, SearchDialogKind::Browse, r.pickerFrom, r.pickerTo);
    host.ShowRoot(root);
    const SearchResult result = Search(lists, criteria, host);
    if (result.found == 0) {
        host.ShowMessage(kBrowseNothingFoundText, MessageStyle::NorelPlain);
        return OkOutcome::StayOpen;
    }
    OrderResult(lists, r.values.sortedString);
    return OkOutcome::Accepted;
}

}  // namespace pv
