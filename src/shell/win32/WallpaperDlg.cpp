#include "shell/win32/WallpaperDlg.h"

#include <algorithm>

#include "base/ResourceIds.h"
#include "base/win32/BitmapInfo.h"
#include "base/win32/Handles.h"

namespace pv {

namespace {

// The preview box's client size in pixels: a 4:3 picture shrinks into it exactly.
constexpr int kBoxWidth = 304;
constexpr int kBoxHeight = 232;
constexpr COLORREF kBoxFill = RGB(208, 212, 209);
constexpr COLORREF kBoxFrame = RGB(168, 173, 169);

}  // namespace

CWallpaperDlg::CWallpaperDlg(HWND frame) : Dialog(IDD_WALLPAPER), frame_(frame) {}

bool CWallpaperDlg::OnInitDialog() {
    box_ = GetDlgItem(hwnd(), IDC_WALLPAPER_PREVIEW);
    // The box gets its client size in pixels whatever the dialog font.
    RECT window{};
    RECT client{};
    GetWindowRect(box_, &window);
    GetClientRect(box_, &client);
    SetWindowPos(box_, nullptr, 0, 0, kBoxWidth + (window.right - window.left) - client.right,
                 kBoxHeight + (window.bottom - window.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    CheckRadioButton(hwnd(), IDC_WALLPAPER_SOURCE, IDC_WALLPAPER_VIEW,
                     source == 0 ? IDC_WALLPAPER_SOURCE : IDC_WALLPAPER_VIEW);
    Prepare();
    return true;
}

void CWallpaperDlg::Prepare() {
    source = IsDlgButtonChecked(hwnd(), IDC_WALLPAPER_VIEW) == BST_CHECKED ? 1 : 0;
    {
        WindowDc screen(nullptr);
        screen_ = {GetDeviceCaps(screen.get(), HORZRES), GetDeviceCaps(screen.get(), VERTRES)};
    }
    RECT r{};
    GetClientRect(box_, &r);
    boxSize_ = {r.right, r.bottom};
    preview_ = {};
    sourceWidth_ = sourceHeight_ = 0;
    SendMessageW(frame_, UM_COPYPREVIEW, static_cast<WPARAM>(source), reinterpret_cast<LPARAM>(this));
    offset_ = PreviewOffset(boxSize_, preview_.width, preview_.height);
    selection_ = preview_.width > 0 ? InitialSelection(screen_, offset_, preview_.width, preview_.height) : Rect{};
    EnableWindow(GetDlgItem(hwnd(), IDOK), preview_.width > 0 ? TRUE : FALSE);
    InvalidateRect(box_, nullptr, TRUE);
}

void CWallpaperDlg::FillPreview(const ImageBuffer* picture) {
    if (picture == nullptr || MakeWallpaperPreview(*picture, boxSize_, preview_) != Status::Ok) {
        preview_ = {};
        return;
    }
    sourceWidth_ = picture->width;
    sourceHeight_ = picture->height;
}

void CWallpaperDlg::Outline(HDC dc, const Rect& r) const {
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (w <= 0 || h <= 0) {
        return;
    }
    PatBlt(dc, r.left, r.top, w, 1, DSTINVERT);
    if (h > 1) {
        PatBlt(dc, r.left, r.bottom - 1, w, 1, DSTINVERT);
    }
    PatBlt(dc, r.left, r.top + 1, 1, std::max(0, h - 2), DSTINVERT);
    if (w > 1) {
        PatBlt(dc, r.right - 1, r.top + 1, 1, std::max(0, h - 2), DSTINVERT);
    }
}

void CWallpaperDlg::PaintBox(HDC dc) const {
    const Rect pic{offset_.x, offset_.y, offset_.x + preview_.width, offset_.y + preview_.height};
    if (preview_.width > 0) {
        BITMAPINFO info = TopDownBitmapInfo(preview_.width, preview_.height);
        SetDIBitsToDevice(dc, pic.left, pic.top, static_cast<DWORD>(preview_.width),
                          static_cast<DWORD>(preview_.height), 0, 0, 0, static_cast<UINT>(preview_.height),
                          preview_.pixels.data(), &info, DIB_RGB_COLORS);
    }
    UniqueRegion rest(CreateRectRgn(0, 0, boxSize_.width, boxSize_.height));
    UniqueRegion picture(CreateRectRgn(pic.left, pic.top, pic.right, pic.bottom));
    CombineRgn(rest.get(), rest.get(), picture.get(), RGN_DIFF);
    UniqueBrush fill(CreateSolidBrush(kBoxFill));
    UniqueBrush frame(CreateSolidBrush(kBoxFrame));
    FillRgn(dc, rest.get(), fill.get());
    FrameRgn(dc, rest.get(), frame.get(), 1, 1);
    Outline(dc, selection_);
}

// A modal loop of its own: every mouse message moves the frame until the button is let go.
void CWallpaperDlg::DragSelection(POINT press) {
    if (preview_.width <= 0) {
        return;
    }
    SetCapture(hwnd());
    SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
    WindowDc dc(box_);
    const Rect atPress = selection_;
    bool done = false;
    while (!done && GetCapture() == hwnd()) {
        WaitMessage();
        MSG msg{};
        while (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSEWHEEL, PM_REMOVE)) {
            Outline(dc.get(), selection_);
            const int dx = GET_X_LPARAM(msg.lParam) - press.x;
            const int dy = GET_Y_LPARAM(msg.lParam) - press.y;
            selection_ = SlideSelection(atPress, dx, dy, offset_, preview_.width, preview_.height);
            Outline(dc.get(), selection_);
            if (msg.message == WM_LBUTTONUP) {
                done = true;
                break;
            }
        }
    }
    ReleaseCapture();
}

void CWallpaperDlg::OnOk() {
    if (preview_.width <= 0) {
        return;
    }
    result = WallpaperCut(selection_, offset_, preview_.width, preview_.height, sourceWidth_, sourceHeight_);
    End(IDOK);
}

void CWallpaperDlg::OnCommand(UINT id, UINT code, HWND control) {
    if ((id == IDC_WALLPAPER_SOURCE || id == IDC_WALLPAPER_VIEW) && code == BN_CLICKED) {
        Prepare();
        return;
    }
    Dialog::OnCommand(id, code, control);
}

bool CWallpaperDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (item->CtlID != IDC_WALLPAPER_PREVIEW) {
            return false;
        }
        PaintBox(item->hDC);
        SetResult(TRUE);
        return true;
    }
    case WM_LBUTTONDOWN: {
        // Only the pointer's movement from the press counts, in dialog coordinates.
        DragSelection({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        return true;
    }
    default: return Dialog::OnMessage(msg, wp, lp);
    }
}

}  // namespace pv
