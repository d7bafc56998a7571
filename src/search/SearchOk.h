// The OK of the two search dialogs as one sequence of checks, stores, messages and the
// search itself, in a fixed order. The dialogs hand over what their controls hold; the
// sequence answers whether the dialog stays open, closes accepted, or closed because its
// folder was opened as a single file. Nothing the user would lose is touched before the
// checks that can keep the dialog open have passed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "search/SearchSettings.h"
#include "search/SharedLists.h"

namespace pv {

enum class MessageStyle {
    PictavoInformation,  // caption "Pictavo", information icon
    NorelPlain,          // caption "Norel", no icon
};

// What the sequence asks of its dialog.
class SearchOkHost {
public:
    SearchOkHost() = default;
    SearchOkHost(const SearchOkHost&) = delete;
    SearchOkHost& operator=(const SearchOkHost&) = delete;
    virtual ~SearchOkHost() = default;

    // A message box without owner; returns once the user dismissed it.
    virtual void ShowMessage(std::string_view text, MessageStyle style) = 0;
    // The walk's progress text for the status line (repainted at once).
    virtual void ShowStatus(std::string_view text) = 0;

    // The tree dialog's folder has nothing to search: the frame opens it as a file.
    virtual void OpenPathAsFile() {}

    // The browse dialog shows the root it searches in its folder field.
    virtual void ShowRoot(const std::string& /*root*/) {}
};

enum class OkOutcome {
    StayOpen,
    Accepted,      // ResultList, RootFolders and SortCode describe the result
    OpenedAsFile,  // the frame was told to open the folder as a file; the dialog closes
};

// What the controls held when OK was pressed.
struct OkRequest {
    ExtensionChecks checked{};
    SearchDialogValues values;  // the members as read from the controls
    DateTime pickerFrom;
    DateTime pickerTo;
    std::string root;  // the tree path, or the browse dialog's folder
    DialogRect windowRect;
    bool titlesShowExtensions = true;
};

// "Disks and Folders".
OkOutcome RunTreeDialogOk(SharedLists& lists, const OkRequest& request, SearchOkHost& host);
// "Browse with Pictavo": no substring filter, no root check, the folder handed in.
OkOutcome RunBrowseDialogOk(SharedLists& lists, const OkRequest& request, SearchOkHost& host);

}  // namespace pv
