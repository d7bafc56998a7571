#include "thumbs/win32/SortFilesDlg.h"

#include "base/ResourceIds.h"
#include "base/win32/Wide.h"
#include "search/Ordering.h"

namespace pv {

CSortFilesDlg::CSortFilesDlg() : Dialog(IDD_SORT_FILES) {}

bool CSortFilesDlg::OnInitDialog() {
    // "Unsorting" is no order to choose.
    for (int32_t key = kSortName; key < kSortUnsorted; ++key) {
        const std::wstring text = Widen(kSortTexts[static_cast<size_t>(key)]);
        SendDlgItemMessageW(hwnd(), IDC_SORT_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    CentreOnOwner();
    return true;
}

void CSortFilesDlg::OnOk() {
    const LRESULT line = SendDlgItemMessageW(hwnd(), IDC_SORT_LIST, LB_GETCURSEL, 0, 0);
    selectedLine = line == LB_ERR ? -1 : static_cast<int32_t>(line);
    End(IDOK);
}

}  // namespace pv
