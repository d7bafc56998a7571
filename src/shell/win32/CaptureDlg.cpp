#include "shell/win32/CaptureDlg.h"

#include <new>

#include "base/DecodeLimits.h"
#include "base/ResourceIds.h"
#include "base/win32/BitmapInfo.h"
#include "base/win32/Handles.h"
#include "base/win32/Wide.h"
#include "shell/CaptureRules.h"

namespace pv {

namespace {

BOOL CALLBACK TakeWindow(HWND hwnd, LPARAM lp) {
    auto* found = reinterpret_cast<std::vector<std::pair<std::string, HWND>>*>(lp);
    RECT client{};
    GetClientRect(hwnd, &client);
    wchar_t title[261] = {};
    const int length = GetWindowTextW(hwnd, title, 261);
    const CaptureCandidate c{IsWindowVisible(hwnd) != FALSE,
                             IsIconic(hwnd) != FALSE,
                             {client.right, client.bottom},
                             static_cast<size_t>(std::max(length, 0))};
    if (TakeForCapture(c, found->size())) {
        found->emplace_back(Narrow(title), hwnd);
    }
    return TRUE;
}

}  // namespace

CCaptureDlg::CCaptureDlg() : Dialog(IDD_CAPTURE) {}

std::vector<std::pair<std::string, HWND>> CCaptureDlg::ListWindows() {
    std::vector<std::pair<std::string, HWND>> found;
    EnumWindows(&TakeWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool CCaptureDlg::OnInitDialog() {
    HWND list = GetDlgItem(hwnd(), IDC_CAPTURE_LIST);
    auto add = [list](const std::string& text, HWND window) {
        const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
        if (at >= 0) {
            SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(window));
        }
    };
    add(kDesktopItemText, GetDesktopWindow());
    for (const auto& [title, window] : ListWindows()) {
        add(title, window);
    }
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    return true;
}

void CCaptureDlg::OnOk() {
    HWND list = GetDlgItem(hwnd(), IDC_CAPTURE_LIST);
    const LRESULT at = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (at < 0) {
        return;
    }
    auto* target = reinterpret_cast<HWND>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(at), 0));
    // A window that closed since the list was made, or one entirely off the screen, cannot
    // be grabbed: the dialog stays open.
    if (IsWindow(target) == FALSE || !Grab(target)) {
        MessageBeep(MB_OK);
        return;
    }
    End(IDOK);
}

// The whole window, frame included. Only the part on the screen is copied, at its place in
// the picture; the rest of a window partly off the screen stays black.
bool CCaptureDlg::Grab(HWND target) {
    RECT wr{};
    if (GetWindowRect(target, &wr) == FALSE) {
        return false;
    }
    const int32_t w = wr.right - wr.left;
    const int32_t h = wr.bottom - wr.top;
    const std::optional<Rect> clip = ClipToScreen({wr.left, wr.top, wr.right, wr.bottom}, GetSystemMetrics(SM_CXSCREEN),
                                                  GetSystemMetrics(SM_CYSCREEN));
    const size_t size = Budgeted24BitSize(w, h);
    if (!clip || size == 0) {
        return false;
    }
    HeldPicture grabbed;
    grabbed.width = w;
    grabbed.height = h;
    try {
        grabbed.pixels.assign(size, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const bool desktop = target == GetDesktopWindow();
    if (!desktop) {
        SetWindowPos(target, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    bool ok = false;
    {
        const WindowDc source(target, WindowDc::WholeWindow{});
        HDC windowDc = source.get();
        UniqueDc mem(windowDc != nullptr ? CreateCompatibleDC(windowDc) : nullptr);
        UniqueBitmap bitmap(windowDc != nullptr ? CreateCompatibleBitmap(windowDc, w, h) : nullptr);
        if (mem && bitmap) {
            {
                SelectGuard select(mem.get(), bitmap.get());
                PatBlt(mem.get(), 0, 0, w, h, BLACKNESS);
                const int x = clip->left - wr.left;
                const int y = clip->top - wr.top;
                BitBlt(mem.get(), x, y, clip->right - clip->left, clip->bottom - clip->top, windowDc, x, y, SRCCOPY);
            }
            BITMAPINFO info = TopDownBitmapInfo(w, h);
            ok = GetDIBits(mem.get(), bitmap.get(), 0, static_cast<UINT>(h), grabbed.pixels.data(), &info,
                           DIB_RGB_COLORS) == h;
        }
    }
    if (!desktop) {
        SetWindowPos(target, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (ok) {
        picture = std::move(grabbed);
    }
    return ok;
}

}  // namespace pv
