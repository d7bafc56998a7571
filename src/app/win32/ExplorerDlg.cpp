#include "app/win32/ExplorerDlg.h"

#include "base/ResourceIds.h"
#include "base/win32/Wide.h"

namespace pv {

namespace {

constexpr UINT kAutoRun = WM_APP + 1;

}  // namespace

CExplorerDlg::CExplorerDlg(SharedLists& lists, HWND frame, std::string folder)
    : SearchDialog(IDD_BROWSE, IDC_BROWSE_EXTENSIONS, SearchDialogKind::Browse, lists, frame),
      folder_(std::move(folder)) {}

bool CExplorerDlg::OnInitDialog() {
    SearchDialog::OnInitDialog();
    SetDlgItemTextW(hwnd(), IDC_SEARCH_ROOT, Widen(folder_ + "\\").c_str());
    // Started from a file manager, this is the program's first window: it takes the input.
    SetForegroundWindow(hwnd());
    if (values_.checkRunAuto == 1) {
        // Once the dialog is up and drawn, not before: the user sees what runs.
        PostMessageW(hwnd(), kAutoRun, 0, 0);
    }
    return true;
}

void CExplorerDlg::RunAutomatically() {
    ShowWindow(hwnd(), SW_SHOW);
    SendDlgItemMessageW(hwnd(), IDOK, BM_SETSTATE, TRUE, 0);
    UpdateWindow(hwnd());
    RunOk();
    End(kAutoRunEnded);
    PostMessageW(frame_, UM_SEARCHDONE, 0, 0);
}

void CExplorerDlg::ResetFlagsToDefault() {
    values_.checkInclude = 1;
    values_.checkSize = 0;
    values_.checkDate = 0;
}

OkOutcome CExplorerDlg::RunSequence(const OkRequest& request) {
    return RunBrowseDialogOk(lists_, request, *this);
}

void CExplorerDlg::ShowRoot(const std::string& root) {
    SetDlgItemTextW(hwnd(), IDC_SEARCH_ROOT, Widen(root).c_str());
}

bool CExplorerDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kAutoRun) {
        RunAutomatically();
        return true;
    }
    return SearchDialog::OnMessage(msg, wp, lp);
}

}  // namespace pv
