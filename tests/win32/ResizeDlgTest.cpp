// The Resize dialog: what it shows, and that it keeps the user there until the size makes
// sense.
#include <gtest/gtest.h>

#include "base/ResourceIds.h"
#include "view/win32/ResizeDlg.h"

namespace pv {
namespace {

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[64] = {};
    GetDlgItemTextW(dialog, id, text, 64);
    return text;
}

TEST(ResizeDlgTest, ShowsTheSizeAndRefusesSidesOfZero) {
    CResizeDlg dialog;
    dialog.imageWidth = 640;
    dialog.imageHeight = 480;
    dialog.filterIndex = 1;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    HWND h = dialog.hwnd();
    wchar_t caption[64] = {};
    GetWindowTextW(h, caption, 64);
    EXPECT_STREQ(caption, L"Resize Image");
    EXPECT_EQ(ItemText(h, IDC_RESIZE_CURRENT), L"640 x 480");
    EXPECT_EQ(ItemText(h, IDC_RESIZE_WIDTH), L"640");
    EXPECT_EQ(ItemText(h, IDC_RESIZE_HEIGHT), L"480");
    EXPECT_EQ(IsDlgButtonChecked(h, IDC_RESIZE_BILINEAR), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(h, IDC_RESIZE_NEAREST), BST_UNCHECKED);

    SetDlgItemTextW(h, IDC_RESIZE_WIDTH, L"0");
    SendMessageW(h, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(IsWindow(h));  // refused: the dialog stays

    SetDlgItemTextW(h, IDC_RESIZE_WIDTH, L"1280");
    CheckRadioButton(h, IDC_RESIZE_NEAREST, IDC_RESIZE_BILINEAR, IDC_RESIZE_NEAREST);
    SendMessageW(h, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(dialog.width, 1280);
    EXPECT_EQ(dialog.height, 480);
    EXPECT_EQ(dialog.filterIndex, 0);
}

}  // namespace
}  // namespace pv
