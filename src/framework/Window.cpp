#include "framework/Window.h"

#include "framework/CallbackGuard.h"

namespace pv {

Window::~Window() {
    if (hwnd_ != nullptr) {
        // Unhook first: DestroyWindow sends messages that must not reach a dying object.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        HWND h = hwnd_;
        hwnd_ = nullptr;
        DestroyWindow(h);
    }
}

bool Window::Create(const WindowCreateArgs& args) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, args.className, &wc)) {
        wc = {};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Window::Thunk;
        wc.hInstance = instance;
        wc.hCursor = args.cursor != nullptr ? args.cursor : LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = args.background;
        wc.hIcon = args.icon;
        wc.lpszClassName = args.className;
        if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            return false;
        }
    }
    const RECT& r = args.rect;
    int width = r.right == CW_USEDEFAULT ? CW_USEDEFAULT : r.right - r.left;
    int height = r.bottom == CW_USEDEFAULT ? CW_USEDEFAULT : r.bottom - r.top;
    HWND h = CreateWindowExW(args.exStyle, args.className, args.title.c_str(), args.style, r.left, r.top, width, height,
                             args.parent, args.menuOrId, instance, this);
    return h != nullptr;
}

LRESULT Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Window::Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        // WM_GETMINMAXINFO arrives before this, while self is still null.
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (self == nullptr) {
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    const LRESULT result = GuardCallback([&] { return self->OnMessage(msg, wp, lp); },
                                         [&] { return DefWindowProcW(hwnd, msg, wp, lp); });
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        GuardCallback(
                [self] {
                    self->OnDestroyed();
                    return 0;
                },
                [] { return 0; });
    }
    return result;
}

}  // namespace pv
