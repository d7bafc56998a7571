#include "framework/CallbackGuard.h"

#include <atomic>

namespace pv {

namespace {

std::atomic<CallbackFailureReporter> gReporter{nullptr};
thread_local bool tReporting = false;

std::string WhatOf(std::exception_ptr failure) {
    try {
        std::rethrow_exception(std::move(failure));
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown exception";
    }
}

void MessageBoxReporter(const std::string& what) {
    std::wstring text = L"Pictavo met an error it cannot recover from and closes this window.\n\n";
    // The text of an exception is plain ASCII in this program; anything else shows as '?'.
    for (char c : what) {
        text += static_cast<unsigned char>(c) < 0x80 ? static_cast<wchar_t>(c) : L'?';
    }
    MessageBoxW(nullptr, text.c_str(), kCallbackFailureCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace

void SetCallbackFailureReporter(CallbackFailureReporter reporter) {
    gReporter.store(reporter);
}

void OnCallbackFailure() noexcept {
    try {
        // The message box runs a loop of its own: a second failure while it is up is not
        // reported again.
        if (!tReporting) {
            tReporting = true;
            const std::string what = WhatOf(std::current_exception());
            CallbackFailureReporter reporter = gReporter.load();
            (reporter != nullptr ? reporter : &MessageBoxReporter)(what);
            tReporting = false;
        }
    } catch (...) {
        tReporting = false;
    }
    PostQuitMessage(kCallbackFailureExitCode);
}

}  // namespace pv
