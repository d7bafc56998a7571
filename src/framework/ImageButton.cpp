#include "framework/ImageButton.h"

namespace pv {

bool ImageButton::CreateButton(HWND parent,
                               UINT id,
                               UINT stripId,
                               int imageWidth,
                               int imageHeight,
                               const std::wstring& toolTip) {
    id_ = id;
    toolTip_ = toolTip;
    imageWidth_ = imageWidth;
    imageHeight_ = imageHeight;
    strip_.Reset(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(stripId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    WindowCreateArgs args;
    args.className = L"PvImageButton";
    args.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    args.rect = {0, 0, imageWidth, imageHeight};
    args.parent = parent;
    args.menuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    if (!Create(args)) {
        return false;
    }
    AddToolTip();
    return true;
}

void ImageButton::AddToolTip() {
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                           hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (tip_ == nullptr) {
        return;
    }
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd();
    info.uId = reinterpret_cast<UINT_PTR>(hwnd());
    info.lpszText = toolTip_.data();
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

int ImageButton::Face() const {
    if (!IsWindowEnabled(hwnd())) {
        return 2;
    }
    return pressed_ || latched_ ? 1 : 0;
}

void ImageButton::SetLatched(bool latched) {
    if (latched != latched_) {
        latched_ = latched;
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

void ImageButton::Paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (!strip_) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    UniqueDc memory(CreateCompatibleDC(dc));
    SelectGuard select(memory.get(), strip_.get());
    SetStretchBltMode(dc, HALFTONE);
    // The pictures are drawn for 100 %; larger buttons stretch them smoothly.
    StretchBlt(dc, 0, 0, client.right, client.bottom, memory.get(), Face() * imageWidth_, 0, imageWidth_, imageHeight_,
               SRCCOPY);
}

LRESULT ImageButton::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PaintDc dc(hwnd());
        Paint(dc.get());
        return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_ENABLE: InvalidateRect(hwnd(), nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed_ = true;
        tracking_ = true;
        SetCapture(hwnd());
        InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    case WM_MOUSEMOVE:
        if (tracking_) {
            RECT r{};
            GetClientRect(hwnd(), &r);
            POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            bool inside = PtInRect(&r, pt) != FALSE;
            if (inside != pressed_) {
                pressed_ = inside;
                InvalidateRect(hwnd(), nullptr, FALSE);
            }
        }
        return 0;
    case WM_LBUTTONUP:
        if (tracking_) {
            bool click = pressed_;
            tracking_ = false;
            pressed_ = false;
            ReleaseCapture();
            InvalidateRect(hwnd(), nullptr, FALSE);
            if (click) {
                SendMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED),
                             reinterpret_cast<LPARAM>(hwnd()));
            }
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (tracking_) {
            tracking_ = false;
            pressed_ = false;
            InvalidateRect(hwnd(), nullptr, FALSE);
        }
        return 0;
    case WM_DESTROY:
        if (tip_ != nullptr) {
            DestroyWindow(tip_);
            tip_ = nullptr;
        }
        break;
    default: break;
    }
    return Window::OnMessage(msg, wp, lp);
}

}  // namespace pv
