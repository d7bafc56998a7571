// The GIF reader with every frame composited, as the image view opens a file, plus the
// frame reader's non-sequential walk as the thumbnail producer and callers may use it.
#include <cstddef>
#include <cstdint>
#include <span>

#include "imaging/GifToBmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> file(data, size);
    pv::CGifToBmp gif;
    if (gif.Read(file) == pv::Status::Ok) {
        unsigned sum = 0;
        for (size_t i = 0; i < gif.animation().FrameCount(); ++i) {
            const pv::ImageBuffer canvas = gif.animation().CanvasImage(i);
            sum += canvas.pixels[0] + canvas.pixels[size_t{canvas.stride} * static_cast<size_t>(canvas.height) - 1];
        }
        (void)sum;
    }
    pv::CGifToBmp frames;
    (void)frames.ReadFrame(file, 3);
    return 0;
}
