// The harness every Windows test shares: a registry sandbox, a window on a UI thread of its
// own, a real frame thread watched through hooks, and the pictures and settings they open.
// Every wait is on an event or a message, and bounded.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/win32/FrameThreads.h"
#include "base/ResourceIds.h"
#include "base/win32/Wide.h"
#include "framework/WinInclude.h"
#include "imaging/BmpWriter.h"
#include "platform/FileSystem.h"
#include "platform/Settings.h"
#include "search/SharedLists.h"

namespace pv::test {

// A message handled on the window's thread, waited for within a bound: a road that stops in
// a message box the test did not expect fails the test instead of hanging it.
inline LRESULT Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

inline std::string TextOf(HWND hwnd) {
    wchar_t text[1024] = {};
    Send(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

inline bool IsClass(HWND hwnd, const wchar_t* name) {
    wchar_t cls[32] = {};
    return GetClassNameW(hwnd, cls, 32) > 0 && wcscmp(cls, name) == 0;
}

// A 24-bit picture whose pixel (x, y) has red x, green y, blue 99 (mod 256).
inline void WritePicture(const std::string& path, int w, int h) {
    std::vector<uint8_t> pixels(static_cast<size_t>(RowStride(24, w)) * static_cast<size_t>(h));
    ImageBuffer img{.width = w, .height = h, .stride = RowStride(24, w), .pixels = pixels.data()};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = img.pixels + static_cast<size_t>(y) * img.stride + 3 * static_cast<size_t>(x);
            p[0] = 99;
            p[1] = static_cast<uint8_t>(y);
            p[2] = static_cast<uint8_t>(x);
        }
    }
    EXPECT_EQ(WriteWholeFile(path, Encode24BitBmp(img)), Status::Ok);
}

// The frame's stored window rectangle, as it writes it on close.
inline void StoreWindowRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    std::vector<uint8_t> rect(16, 0);
    const int32_t values[4] = {left, top, right, bottom};
    memcpy(rect.data(), values, 16);
    CreateSettingsKey(kProgramKey)->WriteBinary("WindowRect", rect);
}

// Redirects HKEY_CURRENT_USER to a scratch key of this process for the life of a test.
class RegistrySandbox {
public:
    RegistrySandbox() : scratch_(L"Software\\PictavoTestSandbox-" + std::to_wstring(GetCurrentProcessId())) {
        RegDeleteTreeW(HKEY_CURRENT_USER, scratch_.c_str());
        RegCreateKeyExW(HKEY_CURRENT_USER, scratch_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, key_);
    }

    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    ~RegistrySandbox() {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, scratch_.c_str());
    }

private:
    std::wstring scratch_;
    HKEY key_ = nullptr;
};

// A thread with its own message loop, as the program runs its frames. Its host window, a
// popup of the given client size, answers Run and Fence; a dialog box the thread opens is
// handed to `onBox` inside the box's own loop, then closed with OK.
class UiThread {
public:
    // `create` runs on the new thread, given the host; it returns the window to drive.
    UiThread(int width, int height, std::function<HWND(HWND host)> create) {
        std::promise<void> ready;
        thread_ = std::thread([&ready, width, height, create = std::move(create), this] {
            WNDCLASSW wc{.lpfnWndProc = &Proc, .hInstance = GetModuleHandleW(nullptr), .lpszClassName = L"PvTestHost"};
            RegisterClassW(&wc);
            host_ = CreateWindowW(L"PvTestHost", L"host", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                                  wc.hInstance, nullptr);
            SetWindowLongPtrW(host_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            boxTarget = host_;
            HHOOK hook = SetWindowsHookExW(WH_CBT, &OnBoxCreated, nullptr, GetCurrentThreadId());
            window_ = create(host_);
            ready.set_value();
            MSG m;
            while (GetMessageW(&m, nullptr, 0, 0) > 0) {
                TranslateMessage(&m);
                DispatchMessageW(&m);
            }
            UnhookWindowsHookEx(hook);
            if (IsWindow(window_) != FALSE && window_ != host_) {
                DestroyWindow(window_);
            }
            DestroyWindow(host_);
        });
        ready.get_future().wait();
    }

    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    ~UiThread() {
        PostMessageW(host_, WM_QUIT, 0, 0);
        thread_.join();
    }

    [[nodiscard]] HWND hwnd() const { return window_; }

    [[nodiscard]] HWND host() const { return host_; }

    // Runs `work` on the thread and waits for it, within a bound.
    void Run(const std::function<void()>& work) const { Send(host_, kRun, 0, reinterpret_cast<LPARAM>(&work)); }

    // A sent message overtakes posted ones; this posted one returns once everything posted
    // before it has been handled (false after ten seconds; the work is then left to leak).
    bool Fence() const {
        auto done = std::make_shared<std::promise<void>>();
        auto* work = new std::function<void()>([done] { done->set_value(); });
        PostMessageW(host_, kRun, 1, reinterpret_cast<LPARAM>(work));
        return done->get_future().wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    }

    std::function<void(HWND box)> onBox;

private:
    static constexpr UINT kRun = WM_APP + 77;
    static constexpr UINT kBoxUp = WM_APP + 78;
    static inline thread_local HWND boxTarget = nullptr;

    static LRESULT CALLBACK OnBoxCreated(int code, WPARAM wp, LPARAM lp) {
        if (code == HCBT_CREATEWND && IsClass(reinterpret_cast<HWND>(wp), L"#32770")) {
            PostMessageW(boxTarget, kBoxUp, wp, 0);
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
        if (m == kRun) {
            auto* work = reinterpret_cast<const std::function<void()>*>(lp);
            (*work)();
            if (wp == 1) {  // posted by Fence
                delete work;
            }
            return 0;
        }
        if (m == kBoxUp) {
            if (const auto* self = reinterpret_cast<const UiThread*>(GetWindowLongPtrW(h, GWLP_USERDATA));
                self->onBox) {
                self->onBox(reinterpret_cast<HWND>(wp));
            }
            PostMessageW(reinterpret_cast<HWND>(wp), WM_COMMAND, IDOK, 0);
            return 0;
        }
        return DefWindowProcW(h, m, wp, lp);
    }

    std::thread thread_;
    HWND host_ = nullptr;
    HWND window_ = nullptr;
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
    Capture c{r.right, r.bottom, {}};
    BITMAPINFO info{{.biSize = sizeof(BITMAPINFOHEADER),
                     .biWidth = c.width,
                     .biHeight = -c.height,
                     .biPlanes = 1,
                     .biBitCount = 32,
                     .biCompression = BI_RGB}};
    void* bits = nullptr;
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    c.pixels.assign(p, p + static_cast<size_t>(c.width) * static_cast<size_t>(c.height));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    return c;
}

// A frame thread started as the process starts one; the frame and every dialog box it shows
// are found through hooks as they become active, and posted input is followed by a fence
// message whose retrieval says that the input before it was handled.
class FrameUnderTest {
public:
    explicit FrameUnderTest(const std::string& tail = std::string()) {
        current_ = this;
        thread_ = CreateThread(nullptr, 0, &FrameThreadMain, new FrameStartArgs{tail, SW_SHOWNORMAL, lists_},
                               CREATE_SUSPENDED, &threadId_);
        cbt_ = SetWindowsHookExW(WH_CBT, &Cbt, nullptr, threadId_);
        getMessage_ = SetWindowsHookExW(WH_GETMESSAGE, &GetMessageHook, nullptr, threadId_);
        ResumeThread(thread_);
        if (Wait(kFrameUp)) {
            frame_ = frameWindow_;
            Fence();  // past the show, in its message loop
        }
    }

    FrameUnderTest(const FrameUnderTest&) = delete;
    FrameUnderTest& operator=(const FrameUnderTest&) = delete;

    ~FrameUnderTest() {
        Close();
        UnhookWindowsHookEx(cbt_);
        UnhookWindowsHookEx(getMessage_);
        current_ = nullptr;
        CloseHandle(thread_);
        for (HANDLE h : events_) {
            CloseHandle(h);
        }
    }

    [[nodiscard]] HWND frame() const { return frame_; }

    // Closes the frame and waits for its thread; the thread's exit code.
    DWORD Close() {
        if (frame_ != nullptr) {
            PostMessageW(std::exchange(frame_, nullptr), WM_CLOSE, 0, 0);
        }
        DWORD code = 0;
        return WaitForSingleObject(thread_, 10000) == WAIT_OBJECT_0 && GetExitCodeThread(thread_, &code) ? code : 0;
    }

    // True once the frame's thread has ended on its own (the frame closed itself).
    [[nodiscard]] bool WaitThreadEnd() const { return WaitForSingleObject(thread_, 10000) == WAIT_OBJECT_0; }

    // A sent message is handled when the frame's thread next reads its queue: after the road
    // it is on has ended (unless that road runs a modal loop).
    void Fence() const { Send(frame_, WM_NULL, 0, 0); }

    // A fence in the posted queue: it returns once everything posted to the thread before it
    // (a dialog's closing message, say) has been read, which a sent fence can overtake.
    void PostedFence() {
        ResetEvent(events_[kFence]);
        PostMessageW(frame_, kFenceMessage, 0, 0);
        Wait(kFence);
    }

    void Command(UINT id) const { Send(frame_, WM_COMMAND, id, 0); }

    // A key press as the thread's loop receives it, through the frame's filter; returns once
    // a fence posted behind it has been read.
    void PressKey(HWND target, WPARAM key) {
        ResetEvent(events_[kFence]);
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, kFenceMessage, 0, 0);
        Wait(kFence);
    }

    // Posts a message that shows a dialog box; the box once it is active, or null.
    HWND PostForDialog(UINT msg, WPARAM wp, LPARAM lp) { return PostForDialog(frame_, msg, wp, lp); }

    // The same for a message to `target` (a box that opens the next one as it closes; its
    // own activations do not count).
    HWND PostForDialog(HWND target, UINT msg, WPARAM wp, LPARAM lp) {
        skip_ = target;
        dialog_ = nullptr;
        ResetEvent(events_[kDialogUp]);
        ResetEvent(events_[kDialogGone]);
        PostMessageW(target, msg, wp, lp);
        return Wait(kDialogUp) ? dialog_.load() : nullptr;
    }

    // Waits until that box is gone and the road that showed it has ended.
    bool WaitDialogGone() {
        const bool gone = Wait(kDialogGone);
        Fence();
        return gone;
    }

    [[nodiscard]] HWND Child(int id) const {
        std::pair<int, HWND> s{id, nullptr};
        auto match = [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* p = reinterpret_cast<std::pair<int, HWND>*>(lp);
            p->second = GetDlgCtrlID(hwnd) == p->first ? hwnd : nullptr;
            return p->second == nullptr;
        };
        EnumChildWindows(frame_, match, reinterpret_cast<LPARAM>(&s));
        return s.second;
    }

    [[nodiscard]] HWND view() const { return Child(IDC_IMAGE_VIEW); }

    [[nodiscard]] SharedLists& lists() { return lists_; }

    [[nodiscard]] std::string Title() const { return TextOf(frame_); }

    [[nodiscard]] std::string Counter() const { return TextOf(Child(IDC_POSITION_COUNTER)); }

    [[nodiscard]] std::string StatusPane() const {
        wchar_t text[1024] = {};
        Send(Child(IDC_STATUS_BAR), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return Narrow(text);
    }

    // 0 image view only, -1 both, 1 thumbnails only, read from what is shown.
    [[nodiscard]] int Mode() const {
        const bool v = IsWindowVisible(view()) != FALSE;
        return v && IsWindowVisible(Child(IDC_THUMB_VIEW)) != FALSE ? -1 : (v ? 0 : 1);
    }

private:
    SharedLists lists_;  // each frame under test has lists of its own

    enum Event {
        kFrameUp,
        kDialogUp,
        kDialogGone,
        kFence,
        kEventCount
    };

    static constexpr UINT kFenceMessage = WM_APP + 0x3F0;

    bool Wait(Event e) const { return WaitForSingleObject(events_[e], 10000) == WAIT_OBJECT_0; }

    static LRESULT CALLBACK Cbt(int code, WPARAM wp, LPARAM lp) {
        auto* hwnd = reinterpret_cast<HWND>(wp);
        if (FrameUnderTest* t = current_; t != nullptr) {
            if (code == HCBT_ACTIVATE && t->frameWindow_ == nullptr && IsClass(hwnd, L"PictavoMainFrame")) {
                t->frameWindow_ = hwnd;
                SetEvent(t->events_[kFrameUp]);
            } else if (code == HCBT_ACTIVATE && t->dialog_ == nullptr && hwnd != t->skip_ && IsClass(hwnd, L"#32770")) {
                t->dialog_ = hwnd;
                SetEvent(t->events_[kDialogUp]);
            } else if (code == HCBT_DESTROYWND && hwnd == t->dialog_) {
                SetEvent(t->events_[kDialogGone]);
            }
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    static LRESULT CALLBACK GetMessageHook(int code, WPARAM wp, LPARAM lp) {
        FrameUnderTest* t = current_;
        if (t != nullptr && code == HC_ACTION && wp == PM_REMOVE &&
            reinterpret_cast<MSG*>(lp)->message == kFenceMessage) {
            SetEvent(t->events_[kFence]);
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    static inline std::atomic<FrameUnderTest*> current_{nullptr};
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HHOOK cbt_ = nullptr;
    HHOOK getMessage_ = nullptr;
    HANDLE events_[kEventCount] = {
            CreateEventW(nullptr, TRUE, FALSE, nullptr), CreateEventW(nullptr, TRUE, FALSE, nullptr),
            CreateEventW(nullptr, TRUE, FALSE, nullptr), CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<HWND> frameWindow_{nullptr};
    std::atomic<HWND> dialog_{nullptr};
    std::atomic<HWND> skip_{nullptr};
    HWND frame_ = nullptr;
};

}  // namespace pv::test
