// In-process decode speed of the JPEG and GIF readers on the files decode_bench.sh makes
// (PV_BENCH_DIR): the full read of a 24-megapixel photo with its output buffer, the 1/2,
// 1/4 and 1/8 reads, and every frame of large animated GIFs decoded and composited
// (counter Mpx/s = frames x canvas pixels per second). Run through bench/decode_bench.sh,
// which measures the peers (djpeg, gif2rgb) on the same files in the same run.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imaging/GifToBmp.h"
#include "imaging/JpgToBmp.h"

namespace {

std::vector<uint8_t> Load(const char* name) {
    const char* dir = std::getenv("PV_BENCH_DIR");
    std::ifstream in(std::string(dir != nullptr ? dir : ".") + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void JpegFull(benchmark::State& state) {
    const std::vector<uint8_t> file = Load("photo24mp.jpg");
    for (auto _ : state) {
        // A new reader per picture, as the view makes one per file.
        pv::CJpgToBmp reader;
        if (reader.Read(file) != pv::Status::Ok) {
            state.SkipWithError("cannot read photo24mp.jpg");
            return;
        }
        benchmark::DoNotOptimize(reader.image().pixels);
    }
}

BENCHMARK(JpegFull)->Unit(benchmark::kMillisecond)->MinTime(3);

void JpegReduced(benchmark::State& state) {
    const std::vector<uint8_t> file = Load("photo24mp.jpg");
    const auto reduction = static_cast<int32_t>(state.range(0));
    // A box that asks for this reduction of a 6000 x 4000 picture.
    const int32_t box = reduction == 2 ? 3000 : reduction == 4 ? 1200 : 100;
    for (auto _ : state) {
        pv::CJpgToBmp reader;
        int32_t w = 0;
        int32_t h = 0;
        if (reader.ReadScaled(file, box, box, w, h) != pv::Status::Ok) {
            state.SkipWithError("cannot read photo24mp.jpg");
            return;
        }
        benchmark::DoNotOptimize(reader.image().pixels);
    }
}

BENCHMARK(JpegReduced)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->MinTime(2);

void GifComposite(benchmark::State& state, const char* name) {
    const std::vector<uint8_t> file = Load(name);
    double pixels = 0;
    for (auto _ : state) {
        pv::CGifToBmp gif;
        if (gif.Read(file) != pv::Status::Ok) {
            state.SkipWithError("cannot read the animation");
            return;
        }
        pixels += static_cast<double>(gif.FrameCount()) * gif.image().width * gif.image().height;
    }
    state.counters["Mpx/s"] = benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsRate);
}

BENCHMARK_CAPTURE(GifComposite, big_frames, "anim_big.gif")->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(GifComposite, many_frames, "anim_many.gif")->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace

BENCHMARK_MAIN();
