// The animation worker: one thread per image view that shows the frames of a multi-frame
// picture in turn, and the handshake by which the view's thread starts and stops it.
//
// Everything the worker and the window thread share (the view's zoom, scroll positions,
// display buffer and shown frame) is read and written only while holding the view's
// ViewLock. The window thread may hold that lock while it stops the worker (a new file is
// opened inside a locked call), so the worker never blocks on it without also listening
// for a stop request.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

namespace pv {

class GifAnimation;
class ImageView;

// The handshake's state word, with the values the rest of the program knows them by.
enum class AnimationState : int32_t {
    Idle = 0,           // never started
    StopRequested = 1,  // written by the stopper
    Stopped = 2,        // written by the worker as it leaves
    Running = 5,        // written by the starter before the thread exists
};

// A recursive lock whose waiters can give up: a worker waiting for it wakes when the
// lock is released or when whatever it listens for (a stop request) turns true.
class ViewLock {
public:
    void lock();
    void unlock();
    // Takes the lock unless `giveUp` answers true first; false when it gave up.
    template <typename GiveUp>
    bool LockUnless(GiveUp giveUp);
    // Wakes waiters so they look at their give-up condition again.
    void Wake();

private:
    std::mutex m_;
    std::condition_variable released_;
    std::thread::id owner_;
    int depth_ = 0;
};

template <typename GiveUp>
bool ViewLock::LockUnless(GiveUp giveUp) {
    std::unique_lock hold(m_);
    const std::thread::id me = std::this_thread::get_id();
    if (depth_ > 0 && owner_ == me) {
        ++depth_;
        return true;
    }
    released_.wait(hold, [&] { return depth_ == 0 || giveUp(); });
    if (depth_ != 0 || giveUp()) {
        return false;
    }
    owner_ = me;
    depth_ = 1;
    return true;
}

// What the worker asks of the window it draws in. Both are called on the worker's thread
// with the view's lock held; neither may wait for the window's thread.
class AnimationSurface {
public:
    AnimationSurface() = default;
    AnimationSurface(const AnimationSurface&) = delete;
    AnimationSurface& operator=(const AnimationSurface&) = delete;
    virtual ~AnimationSurface() = default;

    // The display buffer holds frame `frame`, rendered: put it on the screen.
    virtual void DrawFrame(size_t frame) = 0;
    // A pass begins while the zoomed size is not the zoom factor's (a resize): the window
    // thread is to recompute it, update its scroll bars and call RequestRedraw, which the
    // worker waits for. False when the request could not be sent (the pass goes on).
    virtual bool PostPassStart() = 0;
};

class AnimationWorker {
public:
    AnimationWorker(ImageView& view, AnimationSurface& surface) : view_(view), surface_(surface) {}

    AnimationWorker(const AnimationWorker&) = delete;
    AnimationWorker& operator=(const AnimationWorker&) = delete;

    ~AnimationWorker() { Stop(); }

    [[nodiscard]] ViewLock& lock() { return lock_; }

    // Starts playing `frames` (they must outlive the worker's run) unless a worker runs.
    // False when none was started.
    bool Start(const GifAnimation& frames);
    // Asks the worker to stop and joins it; returns at once when none runs. The caller may
    // hold the view's lock.
    void Stop();
    // Restart at frame 0 with the view's current state (scroll, filter, effects, zoom).
    void RequestRedraw();

    [[nodiscard]] AnimationState State() const { return state_.load(); }

private:
    void Main(const GifAnimation& frames) noexcept;
    void Play(const GifAnimation& frames);
    // Waits up to `ms` milliseconds (without limit when none) or until a stop or redraw
    // request.
    void Pause(std::optional<int32_t> ms);

    [[nodiscard]] bool StopRequested() const { return state_.load() == AnimationState::StopRequested; }

    ImageView& view_;
    AnimationSurface& surface_;
    ViewLock lock_;
    std::atomic<AnimationState> state_{AnimationState::Idle};
    std::atomic<bool> redrawRequest_{false};
    std::mutex pauseMutex_;
    std::condition_variable wake_;
    std::thread thread_;
};

}  // namespace pv
