#include "framework/Dialog.h"

#include <algorithm>

#include "framework/CallbackGuard.h"

namespace pv {

Dialog::~Dialog() {
    if (hwnd_ != nullptr && !modal_) {
        SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        HWND h = hwnd_;
        hwnd_ = nullptr;
        DestroyWindow(h);
    }
}

INT_PTR Dialog::DoModal(HWND owner) {
    modal_ = true;
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, &Dialog::Thunk,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND owner) {
    modal_ = false;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, &Dialog::Thunk,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::End(INT_PTR code) {
    if (modal_) {
        EndDialog(hwnd_, code);
    } else {
        DestroyWindow(hwnd_);
    }
}

void Dialog::SetResult(LRESULT result) {
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
}

void Dialog::OnOk() {
    if (data_.Read(hwnd_)) {
        End(IDOK);
    }
}

void Dialog::OnCommand(UINT id, UINT /*code*/, HWND /*control*/) {
    if (id == IDOK) {
        OnOk();
    } else if (id == IDCANCEL) {
        OnCancel();
    }
}

void Dialog::CentreOnOwner() {
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    RECT self{};
    GetWindowRect(hwnd_, &self);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner != nullptr ? owner : hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT around = monitor.rcWork;
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &around);
    }
    int w = self.right - self.left;
    int h = self.bottom - self.top;
    int x = (around.left + around.right - w) / 2;
    int y = (around.top + around.bottom - h) / 2;
    const RECT& work = monitor.rcWork;
    x = std::max(static_cast<int>(work.left), std::min(x, static_cast<int>(work.right) - w));
    y = std::max(static_cast<int>(work.top), std::min(y, static_cast<int>(work.bottom) - h));
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Dialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) {
        OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        return true;
    }
    return false;
}

INT_PTR CALLBACK Dialog::Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lp);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        return GuardCallback(
                [self, hwnd]() -> INT_PTR {
                    bool focusDefault = self->OnInitDialog();
                    self->data_.Write(hwnd);
                    return focusDefault ? TRUE : FALSE;
                },
                []() -> INT_PTR { return FALSE; });
    }
    if (self == nullptr) {
        return FALSE;
    }
    const bool handled = GuardCallback([&] { return self->OnMessage(msg, wp, lp); }, [] { return false; });
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return handled ? TRUE : FALSE;
}

}  // namespace pv
