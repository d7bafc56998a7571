#include "platform/CancelPoll.h"

#include <atomic>

namespace pv {

EscapeKeySample PlatformEscapeSample();

namespace {
std::atomic<EscapeSampleFn> gTestSampler{nullptr};
}  // namespace

EscapeKeySample SampleEscapeKey() {
    EscapeSampleFn sampler = gTestSampler.load();
    return sampler != nullptr ? sampler() : PlatformEscapeSample();
}

void SetEscapeSampleForTests(EscapeSampleFn sampler) {
    gTestSampler.store(sampler);
}

bool EscapePoll::Pressed(EscapeKeySample now) {
    if (heldFromBefore_) {
        // Still the press from before the start; its key repeats may have set the second
        // bit too, so the sample that sees it let go counts for nothing either.
        heldFromBefore_ = now.down;
        return false;
    }
    return now.down || now.pressedSinceLastSample;
}

}  // namespace pv
