// CExplorerDlg, "Browse with Pictavo": the search dialog for a folder handed over on the
// command line. No tree and no substring; with "Run auto - browsing next time" stored it
// searches as soon as it shows, ends with 0 and tells the frame (UM_SEARCHDONE).
#pragma once

#include <string>

#include "app/win32/SearchDialog.h"

namespace pv {

class CExplorerDlg final : public SearchDialog {
public:
    // The result after an automatic run (besides IDOK and IDCANCEL).
    static constexpr INT_PTR kAutoRunEnded = 0;

    // `folder` without a trailing "\".
    CExplorerDlg(SharedLists& lists, HWND frame, std::string folder);

protected:
    bool OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    OkOutcome RunSequence(const OkRequest& request) override;

    [[nodiscard]] std::string Root() const override { return folder_; }

    void ResetFlagsToDefault() override;
    void ShowRoot(const std::string& root) override;

private:
    void RunAutomatically();

    std::string folder_;
};

}  // namespace pv
