// A frame thread started as the process starts one, watched through hooks on that thread:
// the frame and every dialog box it shows are found as they become active, and posted input
// is followed by a fence message whose retrieval says that the input before it was handled.
// Every wait is on an event, and bounded.
#pragma once

#include <atomic>
#include <string>
#include <utility>

#include "app/win32/FrameThreads.h"
#include "base/ResourceIds.h"
#include "base/win32/Wide.h"
#include "search/SharedLists.h"

namespace pv::test {

class FrameUnderTest {
public:
    explicit FrameUnderTest(const std::string& tail = std::string()) {
        current_ = this;
        thread_ = CreateThread(nullptr, 0, &FrameThreadMain, new FrameStartArgs{tail, SW_SHOWNORMAL, lists_}, CREATE_SUSPENDED,
                               &threadId_);
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

    // A sent message is handled when the frame's thread next reads its queue: after the road
    // it is on has ended (unless that road runs a modal loop).
    void Fence() const { Send(frame_, WM_NULL, 0, 0); }

    void Command(UINT id) const { Send(frame_, WM_COMMAND, id, 0); }

    // A message handled on the frame's thread, waited for within a bound: a road that stops
    // in a message box the test did not expect fails the test instead of hanging it.
    static LRESULT Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, 10000, &result);
        return static_cast<LRESULT>(result);
    }

    // A key press as the thread's loop receives it, through the frame's filter; returns once
    // a fence posted behind it has been read.
    void PressKey(HWND target, WPARAM key) {
        ResetEvent(events_[kFence]);
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, kFenceMessage, 0, 0);
        Wait(kFence);
    }

    // Posts a message that shows a dialog box; the box once it is active, or null.
    HWND PostForDialog(UINT msg, WPARAM wp, LPARAM lp) {
        dialog_ = nullptr;
        ResetEvent(events_[kDialogUp]);
        ResetEvent(events_[kDialogGone]);
        PostMessageW(frame_, msg, wp, lp);
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

    static std::string TextOf(HWND hwnd) {
        wchar_t text[1024] = {};
        Send(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
        return Narrow(text);
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

    static bool IsClass(HWND hwnd, const wchar_t* name) {
        wchar_t cls[32] = {};
        return GetClassNameW(hwnd, cls, 32) > 0 && wcscmp(cls, name) == 0;
    }

    static LRESULT CALLBACK Cbt(int code, WPARAM wp, LPARAM lp) {
        auto* hwnd = reinterpret_cast<HWND>(wp);
        if (FrameUnderTest* t = current_; t != nullptr) {
            if (code == HCBT_ACTIVATE && t->frameWindow_ == nullptr && IsClass(hwnd, L"PictavoMainFrame")) {
                t->frameWindow_ = hwnd;
                SetEvent(t->events_[kFrameUp]);
            } else if (code == HCBT_ACTIVATE && t->dialog_ == nullptr && IsClass(hwnd, L"#32770")) {
                t->dialog_ = hwnd;
                SetEvent(t->events_[kDialogUp]);
            } else if (code == HCBT_DESTROYWND && hwnd == t->dialog_) {
                SetEvent(t->events_[kDialogGone]);
            }
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    static LRESULT CALLBACK GetMessageHook(int code, WPARAM wp, LPARAM lp) {
        const auto* m = reinterpret_cast<const MSG*>(lp);
        if (FrameUnderTest* t = current_; t != nullptr && code == HC_ACTION && wp == PM_REMOVE) {
            if (m->message == kFenceMessage) {
                SetEvent(t->events_[kFence]);
            }
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
    HWND frame_ = nullptr;
};

}  // namespace pv::test
