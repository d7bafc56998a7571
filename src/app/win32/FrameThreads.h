// The process as a host of frame threads: the main thread owns no window, starts one
// thread per frame and waits for them all.
#pragma once

#include <cstdint>
#include <string>

#include "base/win32/Handles.h"
#include "framework/WinInclude.h"
#include "search/SharedLists.h"

namespace pv {

inline constexpr uint32_t kMaxFrameThreads = 63;  // one wait slot stays for the message queue

inline constexpr const char* kTooManyThreadsText = "ERROR: Cannot create ANY MORE threads!!!";
inline constexpr const char* kCannotCreateThreadText = "Cannot create thread!!!";
inline constexpr const char* kWaitFailedText = "Wait for multiple objects failed!!!";
inline constexpr const char* kThreadsCaption = "RUDor";

struct FrameStartArgs {
    std::string commandTail;  // copied: the thread may start after the caller's text is gone
    int showCommand = 0;
    SharedLists& lists;  // the process's lists, shared by every frame; they outlive the thread
};

class CFrameThreads {
public:
    using ThreadEntry = DWORD(WINAPI*)(void* frameStartArgs);
    using Reporter = void (*)(const char* text, const char* caption);

    // The defaults run real frames and report in message boxes; tests swap either. Every
    // frame started shares `lists`.
    explicit CFrameThreads(SharedLists& lists, ThreadEntry entry = nullptr, Reporter reporter = nullptr);
    CFrameThreads(const CFrameThreads&) = delete;
    CFrameThreads& operator=(const CFrameThreads&) = delete;
    ~CFrameThreads();

    void StartFrameThread(const std::string& commandTail, int showCommand);

    // Waits until every frame thread has ended, serving the main thread's queue meanwhile.
    void WaitForAll();

    [[nodiscard]] uint32_t count() const { return count_; }

private:
    SharedLists& lists_;
    ThreadEntry entry_;
    Reporter reporter_;
    uint32_t count_ = 0;
    UniqueKernelHandle threads_[kMaxFrameThreads];
    HANDLE waitList_[kMaxFrameThreads] = {};  // the same handles, as the wait takes them
};

// A frame thread's entry: takes ownership of the FrameStartArgs.
DWORD WINAPI FrameThreadMain(void* frameStartArgs);

// The main thread's whole life; returns the process exit code.
int RunMainThread(const std::string& commandTail, int showCommand);

// The message the main thread answers by opening another, empty frame.
inline constexpr UINT kStartFrameRequest = WM_USER;

}  // namespace pv
