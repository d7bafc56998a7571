// The GIF reader with every frame composited, as the image view opens a file, against
// compositing on demand, plus the frame reader's non-sequential walk as the thumbnail
// producer and callers may use it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "imaging/GifToBmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> file(data, size);
    pv::CGifToBmp gif;
    const pv::Status status = gif.Read(file);
    // The command-line decoder's road keeps frame 2's canvas only: same result, same frame
    // count, same pixels.
    pv::CGifToBmp one;
    if (one.ReadForFrame(file, 1) != status) {
        __builtin_trap();
    }
    if (status == pv::Status::Ok) {
        const pv::ImageBuffer mine = one.image();
        const pv::ImageBuffer theirs =
                gif.animation().CanvasImage(std::min<size_t>(1, gif.animation().FrameCount() - 1));
        const size_t bytes = size_t{mine.stride} * static_cast<size_t>(mine.height);
        if (one.FrameCount() != gif.FrameCount() || mine.stride != theirs.stride || mine.height != theirs.height ||
            std::memcmp(mine.pixels, theirs.pixels, bytes) != 0) {
            __builtin_trap();
        }
    }
    if (status == pv::Status::Ok) {
        // Every canvas touched in playing order (as the view asks for them), then the last
        // frame composited on demand from frame 1 matches the view's.
        unsigned sum = 0;
        for (size_t i = 0; i < gif.animation().FrameCount(); ++i) {
            const pv::ImageBuffer canvas = gif.animation().CanvasImage(i);
            sum += canvas.pixels[0] + canvas.pixels[size_t{canvas.stride} * static_cast<size_t>(canvas.height) - 1];
        }
        (void)sum;
        const size_t last = gif.animation().FrameCount() - 1;
        const pv::ImageBuffer mine = one.animation().CanvasImage(last);
        const pv::ImageBuffer theirs = gif.animation().CanvasImage(last);
        if (std::memcmp(mine.pixels, theirs.pixels, size_t{mine.stride} * static_cast<size_t>(mine.height)) != 0) {
            __builtin_trap();
        }
    }
    pv::CGifToBmp frames;
    (void)frames.ReadFrame(file, 3);
    return 0;
}
