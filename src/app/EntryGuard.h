// No exception may leave a thread entry (the system would end the process without a word):
// the entry runs its body through RunCatching, which reports what escaped and ends the
// thread with a failure code instead.
#pragma once

#include <functional>
#include <string>

namespace pv {

inline constexpr const char* kUnexpectedErrorText = "Pictavo closed this window after an unexpected error: ";

// The body's result, or `failureCode` after reporting the escaped exception's text (the
// report itself must not throw; if it does, that is swallowed).
int RunCatching(const std::function<int()>& body,
                const std::function<void(const std::string&)>& report,
                int failureCode = 0) noexcept;

}  // namespace pv
