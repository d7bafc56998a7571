// Runs a test window on its own thread with its own message loop, as the program runs
// its frames; the test drives it with SendMessage and reads back what it painted.
#pragma once

#include <functional>
#include <future>
#include <thread>
#include <vector>

#include "framework/WinInclude.h"

namespace pv::test {

class UiThread {
public:
    // `create` runs on the new thread and returns the window to drive.
    explicit UiThread(std::function<HWND()> create) {
        std::promise<HWND> ready;
        auto future = ready.get_future();
        thread_ = std::thread([&ready, create = std::move(create), this] {
            threadId_ = GetCurrentThreadId();
            ready.set_value(create());
            MSG m;
            while (GetMessageW(&m, nullptr, 0, 0) > 0) {
                TranslateMessage(&m);
                DispatchMessageW(&m);
            }
        });
        hwnd_ = future.get();
    }
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;
    ~UiThread() {
        if (hwnd_ != nullptr) {
            SendMessageW(hwnd_, WM_CLOSE, 0, 0);
        }
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }

    [[nodiscard]] HWND hwnd() const { return hwnd_; }

    // Runs `work` on the window's thread and waits for it.
    void Run(const std::function<void()>& work) const {
        SendMessageW(hwnd_, kRunMessage, 0, reinterpret_cast<LPARAM>(&work));
    }

    // The message a test window must answer by calling the std::function in lParam.
    static constexpr UINT kRunMessage = WM_APP + 77;

private:
    std::thread thread_;
    DWORD threadId_ = 0;
    HWND hwnd_ = nullptr;
};

// The client area of `hwnd` as 32-bit top-down BGRX pixels, painted through WM_PRINTCLIENT.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    [[nodiscard]] COLORREF At(int x, int y) const {
        uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

inline Capture CaptureClient(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    Capture c;
    c.width = r.right;
    c.height = r.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = c.width;
    info.bmiHeader.biHeight = -c.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    c.pixels.assign(p, p + static_cast<size_t>(c.width) * static_cast<size_t>(c.height));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return c;
}

}  // namespace pv::test
