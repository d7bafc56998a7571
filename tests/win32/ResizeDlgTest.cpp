// The Resize dialog, run modally as the frame runs it: what it shows, that it keeps the user
// there until the size makes sense, and that only OK writes the size back.
#include <functional>
#include <gtest/gtest.h>
#include <utility>

#include "Harness.h"
#include "base/ResourceIds.h"
#include "view/win32/ResizeDlg.h"

namespace pv {
namespace {

// The dialog as the frame runs it, owned by a window, with `whileOpen` run inside its loop.
INT_PTR RunModal(CResizeDlg& dialog, std::function<void(HWND)> whileOpen) {
    test::UiThread ui(0, 0, [](HWND host) { return host; });
    ui.onBox = std::move(whileOpen);
    INT_PTR result = 0;
    ui.Run([&] { result = dialog.DoModal(ui.host()); });
    return result;
}

// The text of a dialog item, or of the dialog itself for id 0.
std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[64] = {};
    GetWindowTextW(id == 0 ? dialog : GetDlgItem(dialog, id), text, 64);
    return text;
}

TEST(ResizeDlgTest, ShowsTheSizeRefusesBadSidesAndWritesBackOnlyOnOk) {
    CResizeDlg dialog;
    dialog.imageWidth = 640;
    dialog.imageHeight = 480;
    EXPECT_EQ(RunModal(dialog,
                       [](HWND h) {
                           EXPECT_EQ(ItemText(h, 0), L"Resize Image");
                           EXPECT_EQ(ItemText(h, IDC_RESIZE_CURRENT), L"640 x 480");
                           EXPECT_EQ(ItemText(h, IDC_RESIZE_WIDTH) + ItemText(h, IDC_RESIZE_HEIGHT), L"640480");
                           EXPECT_EQ(IsDlgButtonChecked(h, IDC_RESIZE_BILINEAR), BST_CHECKED);
                           ShowWindow(h, SW_SHOW);  // as its loop does once idle; OK that ends it hides it
                           for (const wchar_t* refused : {L"0", L""}) {
                               SetDlgItemTextW(h, IDC_RESIZE_WIDTH, refused);
                               SendMessageW(h, WM_COMMAND, IDOK, 0);
                               ASSERT_TRUE(IsWindowVisible(h)) << refused;  // the dialog stays up
                           }
                           SetDlgItemTextW(h, IDC_RESIZE_WIDTH, L"1280");
                           CheckRadioButton(h, IDC_RESIZE_NEAREST, IDC_RESIZE_BILINEAR, IDC_RESIZE_NEAREST);
                           SendMessageW(h, WM_COMMAND, IDOK, 0);
                       }),
              IDOK);
    EXPECT_EQ(dialog.width, 1280);
    EXPECT_EQ(dialog.height, 480);
    EXPECT_EQ(dialog.filterIndex, 0);

    CResizeDlg cancelled;
    EXPECT_EQ(RunModal(cancelled,
                       [](HWND h) {
                           CheckRadioButton(h, IDC_RESIZE_NEAREST, IDC_RESIZE_BILINEAR, IDC_RESIZE_NEAREST);
                           SendMessageW(h, WM_COMMAND, IDCANCEL, 0);
                       }),
              IDCANCEL);
    EXPECT_EQ(cancelled.filterIndex, 1);
}

}  // namespace
}  // namespace pv
