// CTVdlg, "Disks and Folders": the search dialog with the tree of drives, folders and files
// from which the user picks the root. Restores the last root, size and choices; OK searches.
#pragma once

#include <string>
#include <vector>

#include "app/win32/SearchDialog.h"
#include "base/win32/Handles.h"
#include "framework/DialogResizer.h"

namespace pv {

class CTVdlg final : public SearchDialog {
public:
    CTVdlg(SharedLists& lists, HWND frame);

    // The path of the item selected in the tree, ending in "\" (empty with no selection).
    [[nodiscard]] const std::string& TreePath() const { return treePath_; }

protected:
    bool OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    OkOutcome RunSequence(const OkRequest& request) override;

    [[nodiscard]] std::string Root() const override { return treePath_; }

    void ResetFlagsToDefault() override;
    void OpenPathAsFile() override;

private:
    [[nodiscard]] HWND Tree() const;
    void AddDrives();
    HTREEITEM InsertItem(HTREEITEM parent, const std::string& text, int image, HTREEITEM after);
    void AddPlaceholder(HTREEITEM item);
    void DeleteChildren(HTREEITEM item);
    void Expand(HTREEITEM item);
    void Collapse(HTREEITEM item);
    [[nodiscard]] std::string ItemText(HTREEITEM item) const;
    [[nodiscard]] std::string PathOf(HTREEITEM item) const;
    void OnSelected(HTREEITEM item);
    void SelectStoredRoot();
    void RestoreSizeAndPlace();

    UniqueImageList images_;
    DialogResizer resizer_;
    std::string treePath_;
    bool expanding_ = false;
};

}  // namespace pv
