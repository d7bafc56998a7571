// The Resize dialog, run modally as the frame runs it: what it shows, that it keeps the user
// there until the size makes sense, and that only OK writes the size back.
#include <functional>
#include <gtest/gtest.h>
#include <utility>

#include "base/ResourceIds.h"
#include "view/win32/ResizeDlg.h"

namespace pv {
namespace {

constexpr UINT kProbe = WM_APP + 1;
std::function<void(HWND)> gWhileOpen;
HHOOK gHook = nullptr;

LRESULT CALLBACK Probe(HWND h, UINT m, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
    if (m == kProbe) {
        RemoveWindowSubclass(h, &Probe, id);
        gWhileOpen(h);
        if (IsWindow(h)) {  // whatever happened, the modal loop must end
            PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
        }
        return 0;
    }
    return DefSubclassProc(h, m, wp, lp);
}

// Once the dialog is active, `whileOpen` runs inside its modal loop.
LRESULT CALLBACK OnActivate(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && gHook != nullptr) {
        UnhookWindowsHookEx(std::exchange(gHook, nullptr));
        SetWindowSubclass(reinterpret_cast<HWND>(wp), &Probe, 1, 0);
        PostMessageW(reinterpret_cast<HWND>(wp), kProbe, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

INT_PTR RunModal(CResizeDlg& dialog, std::function<void(HWND)> whileOpen) {
    gWhileOpen = std::move(whileOpen);
    gHook = SetWindowsHookExW(WH_CBT, &OnActivate, nullptr, GetCurrentThreadId());
    return dialog.DoModal(nullptr);
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
                           for (const wchar_t* refused : {L"0", L""}) {
                               SetDlgItemTextW(h, IDC_RESIZE_WIDTH, refused);
                               SendMessageW(h, WM_COMMAND, IDOK, 0);
                               ASSERT_TRUE(IsWindow(h)) << refused;  // the dialog stays
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
