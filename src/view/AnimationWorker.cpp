#include "view/AnimationWorker.h"

#include <chrono>
#include <system_error>

#include "imaging/GifAnimation.h"
#include "view/ImageView.h"

namespace pv {

void ViewLock::lock() {
    LockUnless([] { return false; });
}

void ViewLock::unlock() {
    {
        std::lock_guard hold(m_);
        if (--depth_ > 0) {
            return;
        }
        owner_ = {};
    }
    released_.notify_all();
}

void ViewLock::Wake() {
    { std::lock_guard hold(m_); }
    released_.notify_all();
}

bool AnimationWorker::Start(const GifAnimation& frames) {
    if (state_.load() == AnimationState::Running) {
        return false;
    }
    if (thread_.joinable()) {
        thread_.join();  // a worker that ended on its own
    }
    redrawRequest_ = false;
    state_ = AnimationState::Running;
    try {
        thread_ = std::thread([this, &frames] { Main(frames); });
    } catch (const std::system_error&) {
        state_ = AnimationState::Idle;
        return false;
    }
    return true;
}

void AnimationWorker::Stop() {
    AnimationState expected = AnimationState::Running;
    if (state_.compare_exchange_strong(expected, AnimationState::StopRequested)) {
        // Under each waiter's mutex, so a worker about to wait cannot miss the request.
        lock_.Wake();
        { std::lock_guard hold(pauseMutex_); }
        wake_.notify_all();
    }
    if (thread_.joinable()) {
        thread_.join();
    }
}

void AnimationWorker::RequestRedraw() {
    {
        std::lock_guard hold(pauseMutex_);
        redrawRequest_ = true;
    }
    wake_.notify_all();
}

void AnimationWorker::Pause(std::optional<int32_t> ms) {
    std::unique_lock hold(pauseMutex_);
    auto woken = [this] { return StopRequested() || redrawRequest_.load(); };
    if (ms) {
        wake_.wait_for(hold, std::chrono::milliseconds(*ms), woken);
    } else {
        wake_.wait(hold, woken);
    }
}

void AnimationWorker::Main(const GifAnimation& frames) noexcept {
    try {
        Play(frames);
    } catch (...) {
        // Nothing to report to: the pane simply stops changing.
    }
    state_ = AnimationState::Stopped;
}

void AnimationWorker::Play(const GifAnimation& frames) {
    const size_t count = frames.FrameCount();
    int32_t seenPermille = kZoomBase;
    bool passStart = true;
    size_t i = 0;
    while (count > 0 && !StopRequested()) {
        if (!lock_.LockUnless([this] { return StopRequested(); })) {
            break;
        }
        std::unique_lock hold(lock_, std::adopt_lock);
        const int32_t permille = view_.zoom().Permille();
        const bool redraw = redrawRequest_.exchange(false);
        if (permille != seenPermille || redraw) {
            // A change restarts the pass without ending a resize: the change is the resize.
            seenPermille = permille;
            i = 0;
        } else if (i == 0 && passStart && !view_.zoom().FollowsFactor()) {
            // Every pass starts from the zoom factor; that is the window thread's to set.
            passStart = false;
            if (surface_.PostPassStart()) {
                hold.unlock();
                Pause(std::nullopt);
                continue;
            }
        }
        passStart = false;
        view_.ShowAnimationFrame(frames.CanvasImage(i));
        view_.RenderVisible();
        surface_.DrawFrame(i);
        const int32_t delay = GifAnimation::PlaybackDelayMs(frames.Frame(i).delay);
        hold.unlock();
        Pause(delay);
        i = (i + 1) % count;
        passStart = i == 0;
    }
}

}  // namespace pv
