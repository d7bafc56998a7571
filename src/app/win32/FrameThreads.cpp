#include "app/win32/FrameThreads.h"

#include <memory>

#include "app/EntryGuard.h"
#include "app/win32/MsgLoop.h"
#include "base/win32/Wide.h"
#include "framework/Module.h"

namespace pv {

namespace {

void MessageBoxReporter(const char* text, const char* caption) {
    MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(), MB_OK);
}

}  // namespace

CFrameThreads::CFrameThreads(ThreadEntry entry, Reporter reporter)
    : entry_(entry != nullptr ? entry : &FrameThreadMain),
      reporter_(reporter != nullptr ? reporter : &MessageBoxReporter) {}

CFrameThreads::~CFrameThreads() {
    for (uint32_t i = 0; i < count_; ++i) {
        CloseHandle(handles_[i]);
    }
}

void CFrameThreads::StartFrameThread(const std::string& commandTail, int showCommand) {
    if (count_ == kMaxFrameThreads) {
        reporter_(kTooManyThreadsText, kThreadsCaption);
        return;
    }
    auto args = std::make_unique<FrameStartArgs>(FrameStartArgs{commandTail, showCommand});
    HANDLE thread = CreateThread(nullptr, 0, entry_, args.get(), 0, nullptr);
    if (thread == nullptr) {
        reporter_(kCannotCreateThreadText, kThreadsCaption);
        return;
    }
    args.release();  // the thread owns it now
    handles_[count_++] = thread;
}

void CFrameThreads::WaitForAll() {
    while (count_ > 0) {
        DWORD r = MsgWaitForMultipleObjects(count_, handles_, FALSE, INFINITE, QS_ALLINPUT);
        if (r < WAIT_OBJECT_0 + count_) {
            uint32_t i = r - WAIT_OBJECT_0;
            CloseHandle(handles_[i]);
            handles_[i] = handles_[count_ - 1];
            handles_[count_ - 1] = nullptr;
            --count_;
        } else if (r == WAIT_OBJECT_0 + count_) {
            MSG msg{};
            if (GetMessageW(&msg, nullptr, 0, 0) > 0 && msg.message == kStartFrameRequest) {
                StartFrameThread(std::string(), SW_SHOWNORMAL);
            } else {
                MessageBeep(0xFFFFFFFF);
            }
        } else if (r == WAIT_FAILED) {
            reporter_(kWaitFailedText, kThreadsCaption);
        } else {
            MessageBeep(0xFFFFFFFF);
        }
    }
}

DWORD WINAPI FrameThreadMain(void* frameStartArgs) {
    std::unique_ptr<FrameStartArgs> args(static_cast<FrameStartArgs*>(frameStartArgs));
    const int code = RunCatching(
            [&args] {
                auto loop = std::make_unique<CMTNorelMsgLoop>();
                Module::AddMessageLoop(loop.get());
                // The loop leaves the module's table on every way out, a thrown one included.
                struct Unregister {
                    ~Unregister() { Module::RemoveMessageLoop(); }
                } unregister;
                return loop->RunFrame(args->commandTail, args->showCommand);
            },
            [](const std::string& text) {
                MessageBoxW(nullptr, Widen(text).c_str(), L"Pictavo", MB_OK | MB_ICONERROR);
            });
    return static_cast<DWORD>(code);
}

int RunMainThread(const std::string& commandTail, int showCommand) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    // A queue before the first wait, so a start request posted early is not lost.
    MSG msg{};
    PeekMessageW(&msg, nullptr, kStartFrameRequest, kStartFrameRequest, PM_NOREMOVE);

    CFrameThreads threads;
    threads.StartFrameThread(commandTail, showCommand);
    const int exitCode = static_cast<int>(threads.count());
    threads.WaitForAll();

    if (HWND leftover = Module::FirstWindow(); leftover != nullptr) {
        DestroyWindow(leftover);
    }
    return exitCode;
}

}  // namespace pv
