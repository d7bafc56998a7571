#include "platform/CancelPoll.h"

#include <atomic>

namespace pv {

bool PlatformEscapePressed();

namespace {
std::atomic<CancelPollFn> gTestPoll{nullptr};
}  // namespace

bool EscapePressed() {
    CancelPollFn poll = gTestPoll.load();
    return poll != nullptr ? poll() : PlatformEscapePressed();
}

void SetCancelPollForTests(CancelPollFn poll) {
    gTestPoll.store(poll);
}

}  // namespace pv
