#include "app/EntryGuard.h"

#include <exception>

namespace pv {

int RunCatching(const std::function<int()>& body,
                const std::function<void(const std::string&)>& report,
                int failureCode) noexcept {
    std::string what;
    try {
        return body();
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
        what = "unknown exception";
    }
    try {
        report(kUnexpectedErrorText + what);
    } catch (...) {
        // Nothing more can be said.
    }
    return failureCode;
}

}  // namespace pv
