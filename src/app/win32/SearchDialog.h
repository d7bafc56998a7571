// What the two search dialogs share: the 36-row extension list with check boxes, the size
// and sort lists, the date pickers, the check boxes and their enable rules, "All Formats",
// "Default", the values kept in the settings store, and an OK that runs the search with its
// messages and progress texts (Escape stops the walk).
#pragma once

#include <string>

#include "framework/Dialog.h"
#include "search/SearchOk.h"
#include "search/SearchSettings.h"
#include "search/SharedLists.h"

namespace pv {

class SearchDialog : public Dialog, public SearchOkHost {
public:
    SearchDialog(UINT templateId, int extensionListId, SearchDialogKind kind, SharedLists& lists, HWND frame);

    [[nodiscard]] const SearchDialogValues& values() const { return values_; }

protected:
    bool OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnCommand(UINT id, UINT code, HWND control) override;
    void OnOk() override;

    // The dialog's own part of OK: the sequence and the root it searches.
    virtual OkOutcome RunSequence(const OkRequest& request) = 0;
    [[nodiscard]] virtual std::string Root() const = 0;
    // "Default" resets the flags this dialog has.
    virtual void ResetFlagsToDefault() = 0;

    // Runs OK as the user's click would; the outcome (the dialog ends when it is not StayOpen).
    OkOutcome RunOk();

    // Controls -> members, members -> controls.
    void ReadControls();
    void WriteControls();
    // The enabled states that follow the check boxes: all of them, or only the controls that
    // one check box governs ("Default" changes the boxes, not what they enable).
    void ApplyEnableRules(int checkBoxId = 0);

    void ShowMessage(std::string_view text, MessageStyle style) override;
    void ShowStatus(std::string_view text) override;

    SharedLists& lists_;
    HWND frame_;
    SearchDialogValues values_;

private:
    void FillExtensionList();
    void SetRowChecks(const ExtensionChecks& checks);
    [[nodiscard]] ExtensionChecks RowChecks() const;
    void OnRowChanged(const NMLISTVIEW& change);
    [[nodiscard]] DateTime PickerValue(int id) const;

    int extensionListId_;
    SearchDialogKind kind_;
    bool filling_ = false;
    bool running_ = false;
};

}  // namespace pv
