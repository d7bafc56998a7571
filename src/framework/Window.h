// One window base class with one message routine per class. The object is found through
// GWLP_USERDATA, set on WM_NCCREATE and cleared on WM_NCDESTROY, so no message reaches an
// object that is gone.
#pragma once

#include <string>

#include "framework/WinInclude.h"

namespace pv {

struct WindowCreateArgs {
    const wchar_t* className = nullptr;
    std::wstring title;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    RECT rect{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};  // left, top, right, bottom
    HWND parent = nullptr;
    HMENU menuOrId = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    HICON icon = nullptr;
};

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    [[nodiscard]] HWND hwnd() const { return hwnd_; }

    // Registers the class on first use and creates the window; false on failure.
    bool Create(const WindowCreateArgs& args);

protected:
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);

    // Called after WM_NCDESTROY; hwnd() is already null.
    virtual void OnDestroyed() {}

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HWND hwnd_ = nullptr;
};

}  // namespace pv
