#include "framework/DialogResizer.h"

namespace pv {

namespace {

AnchorRect ChildRect(HWND dialog, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

void DialogResizer::Attach(HWND dialog, const std::vector<AnchoredControl>& controls, SIZE minimumTrackSize) {
    dialog_ = dialog;
    minimum_ = minimumTrackSize;
    RECT client{};
    GetClientRect(dialog, &client);
    templateClient_ = {client.right, client.bottom};
    for (const AnchoredControl& c : controls) {
        if (HWND child = GetDlgItem(dialog, c.id); child != nullptr) {
            items_.push_back({child, c.anchor, ChildRect(dialog, child)});
        }
    }
    // The frame first, so that the grip's place below is taken in the final client area.
    const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    SetWindowLongPtrW(dialog, GWL_STYLE, style | WS_THICKFRAME);
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    GetClientRect(dialog, &client);
    const int side = GetSystemMetrics(SM_CXVSCROLL);
    grip_ = CreateWindowExW(0, L"SCROLLBAR", nullptr,
                            WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN, client.right - side,
                            client.bottom - side, side, side, dialog, nullptr, GetModuleHandleW(nullptr), nullptr);
    // The frame took room from the client: lay the controls out for what is left.
    OnSize();
}

void DialogResizer::OnSize() {
    if (dialog_ == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(dialog_, &client);
    const int32_t dx = client.right - templateClient_.cx;
    const int32_t dy = client.bottom - templateClient_.cy;
    HDWP batch = BeginDeferWindowPos(static_cast<int>(items_.size()) + 1);
    for (const Item& item : items_) {
        const AnchorRect r = PlaceAnchored(item.anchor, item.original, dx, dy);
        if (batch != nullptr) {
            batch = DeferWindowPos(batch, item.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (grip_ != nullptr && batch != nullptr) {
        const int side = GetSystemMetrics(SM_CXVSCROLL);
        batch = DeferWindowPos(batch, grip_, nullptr, client.right - side, client.bottom - side, side, side,
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch != nullptr) {
        EndDeferWindowPos(batch);
    }
    // Moved controls and group boxes leave traces behind otherwise.
    InvalidateRect(dialog_, nullptr, TRUE);
}

bool DialogResizer::OnGetMinMaxInfo(MINMAXINFO* info) const {
    if (dialog_ == nullptr) {
        return false;
    }
    info->ptMinTrackSize = {minimum_.cx, minimum_.cy};
    return true;
}

}  // namespace pv
