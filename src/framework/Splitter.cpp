#include "framework/Splitter.h"

#include "base/win32/Handles.h"

namespace pv {

bool Splitter::CreateSplitter(HWND parent, const RECT& rect, UINT id) {
    WindowCreateArgs args;
    args.className = L"PvSplitter";
    args.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    args.rect = rect;
    args.parent = parent;
    args.menuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    args.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    return Create(args);
}

void Splitter::SetPanes(HWND left, HWND right) {
    left_ = left;
    right_ = right;
    for (HWND pane : {left, right}) {
        if (pane != nullptr && GetParent(pane) != hwnd()) {
            SetParent(pane, hwnd());
        }
    }
    UpdateLayout();
}

void Splitter::SetSinglePaneMode(int32_t mode) {
    mode_ = mode == kSplitLeftOnly || mode == kSplitRightOnly ? mode : kSplitBoth;
    if (mode_ != kSplitBoth) {
        activePane_ = mode_ == kSplitLeftOnly ? 0 : 1;
    }
    UpdateLayout();
}

void Splitter::SetSplitterPos(int32_t pos) {
    fraction_ = 0.0;
    pos_ = pos < 0 ? 0 : pos;
    UpdateLayout();
}

void Splitter::SetSplitterFraction(double fraction) {
    fraction_ = fraction;
    pos_ = ProportionalSplitPos(Client().width(), fraction);
    UpdateLayout();
}

SplitRect Splitter::Client() const {
    RECT rc{};
    if (hwnd() != nullptr) {
        GetClientRect(hwnd(), &rc);
    }
    return {rc.left, rc.top, rc.right, rc.bottom};
}

void Splitter::UpdateLayout() {
    if (hwnd() == nullptr) {
        return;
    }
    SplitRect client = Client();
    if (fraction_ > 0.0) {
        pos_ = ProportionalSplitPos(client.width(), fraction_);
    }
    SplitPanes panes = LayoutSplit(client, mode_, pos_, barWidth_);
    auto place = [](HWND pane, bool visible, const SplitRect& r) {
        if (pane == nullptr) {
            return;
        }
        if (visible) {
            SetWindowPos(pane, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        } else {
            ShowWindow(pane, SW_HIDE);
        }
    };
    place(left_, panes.leftVisible, panes.left);
    place(right_, panes.rightVisible, panes.right);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void Splitter::OnPaint() {
    PaintDc dc(hwnd());
    if (mode_ != kSplitBoth) {
        return;
    }
    SplitPanes panes = LayoutSplit(Client(), mode_, pos_, barWidth_);
    RECT bar{panes.bar.left, panes.bar.top, panes.bar.right, panes.bar.bottom};
    FillRect(dc.get(), &bar, GetSysColorBrush(COLOR_BTNFACE));
}

bool Splitter::OnSetCursor() {
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(hwnd(), &pt);
    if (HitsSplitBar(pt.x, mode_, pos_, barWidth_)) {
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        return true;
    }
    return false;
}

void Splitter::OnLButtonDown(int x) {
    if (!HitsSplitBar(x, mode_, pos_, barWidth_)) {
        return;
    }
    dragging_ = true;
    dragOffset_ = x - pos_;
    SetCapture(hwnd());
}

void Splitter::OnMouseMove(int x) {
    if (!dragging_) {
        return;
    }
    SplitRect client = Client();
    int32_t pos = ClampSplitPos(x - dragOffset_, client.width(), barWidth_, 0);
    if (pos != pos_) {
        // A drag fixes the divider in pixels, as the user placed it.
        fraction_ = 0.0;
        pos_ = pos;
        UpdateLayout();
        UpdateWindow(hwnd());
    }
}

LRESULT Splitter::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE: UpdateLayout(); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wp) == hwnd() && OnSetCursor()) {
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN: OnLButtonDown(GET_X_LPARAM(lp)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(GET_X_LPARAM(lp)); return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (dragging_) {
            dragging_ = false;
            if (msg == WM_LBUTTONUP) {
                ReleaseCapture();
            }
        }
        return 0;
    case WM_SETFOCUS: {
        HWND pane = activePane_ == 0 ? left_ : right_;
        if (pane != nullptr && IsWindowVisible(pane)) {
            SetFocus(pane);
        }
        return 0;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
        // Panes talk to the frame; the splitter is only their container.
        return SendMessageW(GetParent(hwnd()), msg, wp, lp);
    default: break;
    }
    return Window::OnMessage(msg, wp, lp);
}

}  // namespace pv
