// Rendering the visible window of a 6000 x 4000 24-bit picture into a 1920 x 1080 pane, one
// thread: nearest-neighbour reduction, the 100 % copy and bilinear enlargement, beside a
// plain per-pixel reading of the same arithmetic. Every case first checks that both give
// the same bytes. Run: build/<dir>/bench/pv-render-bench
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>

#include "view/ReferenceRender.h"
#include "view/TestImage.h"
#include "view/ViewRenderer.h"

namespace {

constexpr int32_t kSourceWidth = 6000;
constexpr int32_t kSourceHeight = 4000;
constexpr pv::ClientSize kClient{1920, 1080};

const pv::test::TestImage& Source() {
    static const pv::test::TestImage image = pv::test::MakeRandomImage(kSourceWidth, kSourceHeight, 24, 42);
    return image;
}

// The view's own arithmetic: zoomed size and per mille from a float factor, positions in
// the middle of the scroll ranges.
pv::RenderRequest Request(float factor, int32_t filter, bool resizeOverride = false) {
    pv::RenderRequest rq;
    rq.image = &Source().image;
    rq.zoomedWidth = static_cast<int32_t>(kSourceWidth * static_cast<double>(factor));
    rq.zoomedHeight = static_cast<int32_t>(kSourceHeight * static_cast<double>(factor));
    rq.zoomPermille = resizeOverride ? 2000 : static_cast<int32_t>(1000 * static_cast<double>(factor));
    rq.filter = filter;
    rq.client = kClient;
    rq.hPos = std::max(0, rq.zoomedWidth - kClient.width - 1) / 2;
    rq.vPos = std::max(0, rq.zoomedHeight - kClient.height - 1) / 2;
    return rq;
}

pv::test::ReferenceFrame Reference(const pv::RenderRequest& rq) {
    return pv::test::ReferenceRender(*rq.image, rq.zoomedWidth, rq.zoomedHeight, rq.zoomPermille, rq.filter,
                                     rq.client.width, rq.client.height, rq.hPos, rq.vPos);
}

void SetPixels(benchmark::State& state, const pv::RenderRequest& rq) {
    const pv::ClientSize v = pv::VisibleSize(rq.zoomedWidth, rq.zoomedHeight, rq.client);
    const double pixels = static_cast<double>(v.width) * v.height;
    state.counters["Mpix/s"] =
            benchmark::Counter(pixels * 1e-6 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["visible"] = pixels;
}

void Renderer(benchmark::State& state, float factor, int32_t filter, bool resizeOverride) {
    const pv::RenderRequest rq = Request(factor, filter, resizeOverride);
    pv::ViewRenderer renderer;
    renderer.Render(rq);
    if (renderer.display().bytes != Reference(rq).bytes) {
        state.SkipWithError("output differs from the per-pixel reference");
        return;
    }
    for (auto _ : state) {
        renderer.Render(rq);
        benchmark::DoNotOptimize(renderer.display().bytes.data());
        benchmark::ClobberMemory();
    }
    SetPixels(state, rq);
}

void PerPixel(benchmark::State& state, float factor, int32_t filter, bool resizeOverride) {
    const pv::RenderRequest rq = Request(factor, filter, resizeOverride);
    for (auto _ : state) {
        pv::test::ReferenceFrame f = Reference(rq);
        benchmark::DoNotOptimize(f.bytes.data());
    }
    SetPixels(state, rq);
}

const float kFit = std::min(1919.0f / kSourceWidth, 1079.0f / kSourceHeight);

}  // namespace

BENCHMARK_CAPTURE(Renderer, NearestFitReduction, kFit, 1, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Renderer, NearestFitReductionFilter2, kFit, 2, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Renderer, DirectCopy100, 1.0f, 2, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Renderer, Nearest4x, 4.0f, 1, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Renderer, Nearest16x, 16.0f, 1, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Renderer, Bilinear1xResize, 1.0f, 2, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Renderer, Bilinear105, 1.05f, 2, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Renderer, Bilinear4x, 4.0f, 2, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Renderer, Bilinear16x, 16.0f, 2, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PerPixel, NearestFitReduction, kFit, 1, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PerPixel, DirectCopy100, 1.0f, 2, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PerPixel, Bilinear1xResize, 1.0f, 2, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PerPixel, Bilinear105, 1.05f, 2, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PerPixel, Bilinear4x, 4.0f, 2, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PerPixel, Bilinear16x, 16.0f, 2, false)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
