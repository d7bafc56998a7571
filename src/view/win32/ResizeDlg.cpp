#include "view/win32/ResizeDlg.h"

#include <string>

#include "base/ResourceIds.h"

namespace pv {

CResizeDlg::CResizeDlg() : Dialog(IDD_RESIZE) {}

bool CResizeDlg::OnInitDialog() {
    const std::wstring current = std::to_wstring(imageWidth) + L" x " + std::to_wstring(imageHeight);
    SetDlgItemTextW(hwnd(), IDC_RESIZE_CURRENT, current.c_str());
    width = imageWidth;
    height = imageHeight;
    data().BindInt(IDC_RESIZE_WIDTH, &width);
    data().BindInt(IDC_RESIZE_HEIGHT, &height);
    data().BindRadio(IDC_RESIZE_NEAREST, IDC_RESIZE_BILINEAR, &filterIndex);
    CentreOnOwner();
    return true;
}

void CResizeDlg::OnOk() {
    if (!data().Read(hwnd())) {
        return;
    }
    // A side of 0 or below would draw nothing at all: say no and let the user correct it.
    if (width <= 0 || height <= 0) {
        MessageBeep(MB_OK);
        SetFocus(GetDlgItem(hwnd(), width <= 0 ? IDC_RESIZE_WIDTH : IDC_RESIZE_HEIGHT));
        return;
    }
    End(IDOK);
}

}  // namespace pv
