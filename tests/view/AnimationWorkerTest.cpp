// The animation worker against a windowless view: frames in turn, a stop that the view's
// lock cannot block, a resize that lasts until the pass ends, an exception that ends it.
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <stdexcept>
#include <tuple>

#include "TestPaths.h"
#include "imaging/GifBuilder.h"
#include "imaging/GifToBmp.h"
#include "platform/FileSystem.h"
#include "view/AnimationWorker.h"
#include "view/ImageView.h"
#include "view/SimulatedScrollHost.h"

namespace pv {
namespace {

using Draw = std::tuple<size_t, int32_t, int>;  // frame, zoomed width, red of the picture shown

// Stands in for the window on a two-frame animation (red then blue, 4 x 4, 100 ms each):
// records what the worker drew and lets the test wait for it (bounded: a fault cannot hang).
struct Window final : ImageViewEvents, AnimationSurface {
    explicit Window(bool throwing = false) : throwOnDraw(throwing) {
        const std::string dir = test::MakeScratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        test::GifSpec gif{.width = 4, .height = 4, .globalPalette = {255, 0, 0, 0, 0, 255}};
        gif.frames = {{.width = 4, .height = 4, .indices = std::vector<uint8_t>(16, 0), .disposal = 0},
                      {.width = 4, .height = 4, .indices = std::vector<uint8_t>(16, 1), .disposal = 0}};
        test::WriteHostFile(dir + "/a.gif", test::BuildGif(gif));
        std::lock_guard hold(worker.lock());
        opened = view.OpenInView(false, ProgramPathFromHost(dir + "/a.gif"));
    }

    ~Window() override { worker.Stop(); }

    void StopAnimation() override { worker.Stop(); }

    void StartAnimation() override { worker.Start(dynamic_cast<const CGifToBmp&>(*view.Reader()).animation()); }

    void FillBackground() override {}

    void ShowMessage(std::string_view, std::string_view) override {}

    void DrawFrame(size_t frame) override {
        std::lock_guard hold(m);
        draws.emplace_back(frame, view.zoom().ZoomedWidth(), view.Image()->pixels[2]);
        changed.notify_all();
        if (throwOnDraw) {
            throw std::runtime_error("drawing failed");
        }
    }

    bool PostPassStart() override {
        std::lock_guard hold(m);
        ++passStarts;
        changed.notify_all();
        return true;
    }

    std::vector<Draw> Draws() {
        std::lock_guard hold(m);
        return draws;
    }

    template <typename Done>
    bool WaitUntil(Done done) {
        std::unique_lock hold(m);
        return changed.wait_for(hold, std::chrono::seconds(20), done);
    }

    std::mutex m;
    std::condition_variable changed;
    std::vector<Draw> draws;
    int passStarts = 0;
    bool throwOnDraw = false;
    SimulatedScrollHost host{{50, 50}};
    ImageView view{host, this, nullptr};
    AnimationWorker worker{view, *this};
    int opened = 0;
};

TEST(AnimationWorkerTest, PlaysFramesInTurnAndStopsWhileTheViewIsLocked) {
    Window f;
    ASSERT_EQ(f.opened, 1);
    EXPECT_TRUE(f.view.ImageReady());  // zoom, fit, resize and save act on an animation
    EXPECT_EQ(f.worker.State(), AnimationState::Running);
    ASSERT_TRUE(f.WaitUntil([&] { return f.draws.size() >= 3; }));
    {
        std::lock_guard hold(f.worker.lock());  // as the window thread opening the next file
        f.worker.Stop();
    }
    EXPECT_EQ(f.worker.State(), AnimationState::Stopped);
    const std::vector<Draw> d = f.draws;
    EXPECT_EQ(std::vector<Draw>(d.begin(), d.begin() + 3), (std::vector<Draw>{{0, 4, 255}, {1, 4, 0}, {0, 4, 255}}));
    // The picture shown stays the frame last drawn.
    EXPECT_EQ(f.view.Image()->pixels[2], std::get<2>(d.back()));
}

TEST(AnimationWorkerTest, AResizeLastsUntilTheNextPassStartsFromTheZoomFactor) {
    Window f;
    ASSERT_TRUE(f.WaitUntil([&] { return !f.draws.empty(); }));
    size_t before = 0;
    {
        std::lock_guard hold(f.worker.lock());
        ASSERT_TRUE(f.view.zoom().Resize(9, 6, kFilterNearest));
        f.worker.RequestRedraw();
        before = f.draws.size();
    }
    ASSERT_TRUE(f.WaitUntil([&] { return f.passStarts > 0; }));
    std::vector<Draw> d = f.Draws();
    d.erase(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(before));
    // The restart keeps the stretched size for the whole pass.
    EXPECT_EQ(d, (std::vector<Draw>{{0, 9, 255}, {1, 9, 0}}));
    {
        std::lock_guard hold(f.worker.lock());  // the window thread answers the pass start
        f.view.zoom().RecomputeFromFactor();
        f.worker.RequestRedraw();
    }
    ASSERT_TRUE(f.WaitUntil([&] { return f.draws.size() > before + 2; }));
    EXPECT_EQ(f.Draws()[before + 2], (Draw{0, 4, 255}));
}

TEST(AnimationWorkerTest, AnExceptionEndsTheWorkerAndANewOneStarts) {
    Window f(true);
    ASSERT_TRUE(f.WaitUntil([&] { return !f.draws.empty(); }));
    f.worker.Stop();
    EXPECT_EQ(f.worker.State(), AnimationState::Stopped);
    EXPECT_EQ(f.Draws().size(), 1u);  // it left at the exception
    f.throwOnDraw = false;
    EXPECT_TRUE(f.worker.Start(dynamic_cast<const CGifToBmp&>(*f.view.Reader()).animation()));
    ASSERT_TRUE(f.WaitUntil([&] { return f.draws.size() >= 2; }));
}

}  // namespace
}  // namespace pv
