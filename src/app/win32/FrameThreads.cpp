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

CFrameThreads::CFrameThreads(SharedLists& lists, ThreadEntry entry, Reporter reporter)
    : lists_(lists),
      entry_(entry != nullptr ? entry : &FrameThreadMain),
      reporter_(reporter != nullptr ? reporter : &MessageBoxReporter) {}

CFrameThreads::~CFrameThreads() = default;

void CFrameThreads::StartFrameThread(const std::string& commandTail, int showCommand) {
    if (count_ == kMaxFrameThreads) {
        reporter_(kTooManyThreadsText, kThreadsCaption);
        return;
    }
    auto args = std::make_unique<FrameStartArgs>(FrameStartArgs{commandTail, showCommand, lists_});
    UniqueKernelHandle thread(CreateThread(nullptr, 0, entry_, args.get(), 0, nullptr));
    if (!thread) {
        reporter_(kCannotCreateThreadText, kThreadsCaption);
        return;
    }
    args.release();  // the thread owns it now
    waitList_[count_] = thread.get();
    threads_[count_++] = std::move(thread);
}

void CFrameThreads::WaitForAll() {
    while (count_ > 0) {
        DWORD r = MsgWaitForMultipleObjects(count_, waitList_, FALSE, INFINITE, QS_ALLINPUT);
        if (r < WAIT_OBJECT_0 + count_) {
            uint32_t i = r - WAIT_OBJECT_0;
            --count_;
            threads_[i].Reset();  // the ended thread's handle
            threads_[i] = std::move(threads_[count_]);
            waitList_[i] = waitList_[count_];
            waitList_[count_] = nullptr;
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
                auto loop = std::make_unique<CMTNorelMsgLoop>(args->lists);
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

    // The lists every frame shares live as long as the last frame thread, and no longer.
    SharedLists lists;
    CFrameThreads threads(lists);
    threads.StartFrameThread(commandTail, showCommand);
    const int exitCode = static_cast<int>(threads.count());
    threads.WaitForAll();

    if (HWND leftover = Module::FirstWindow(); leftover != nullptr) {
        DestroyWindow(leftover);
    }
    return exitCode;
}

}  // namespace pv
