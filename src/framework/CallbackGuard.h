// No exception may leave through Windows: a window procedure, dialog procedure, subclass
// procedure or hook is called by system code that has no idea of C++ unwinding.
//
// What Pictavo does when one arrives there anyway: the message that raised it gets the
// answer it would have had without us (DefWindowProc, FALSE, CallNextHookEx), the user sees
// one fatal message, and the thread's message loop is asked to end (WM_QUIT), so the frame
// closes through its ordinary road and its destructors release what it holds. A half-done
// handler leaves the frame in a state nobody can vouch for: carrying on is not an option.
#pragma once

#include <exception>
#include <string>

#include "framework/WinInclude.h"

namespace pv {

inline constexpr const wchar_t* kCallbackFailureCaption = L"Pictavo";
inline constexpr int kCallbackFailureExitCode = 3;

using CallbackFailureReporter = void (*)(const std::string& what);

// The default shows a message box once per thread; tests install their own (null restores).
void SetCallbackFailureReporter(CallbackFailureReporter reporter);

// Reports the exception in flight (call from a catch block) and ends the thread's loop.
void OnCallbackFailure() noexcept;

// Runs `body`; when it throws, reports and returns `fallback()` instead.
template <typename Body, typename Fallback>
auto GuardCallback(Body&& body, Fallback&& fallback) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (...) {
        OnCallbackFailure();
    }
    try {
        return fallback();
    } catch (...) {
        return {};
    }
}

}  // namespace pv
