// The JPEG road of a ".jpg" file: the content check, the full read, and the reduced read
// the thumbnail producer makes for its box.
#include <cstddef>
#include <cstdint>
#include <span>

#include "imaging/JpgToBmp.h"
#include "imaging/OpenPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> file(data, size);
    pv::OpenedPicture picture;
    (void)pv::OpenPictureBytes("\\fuzz\\input.jpg", file, picture);
    if (picture.HasPicture()) {
        const pv::ImageBuffer& img = picture.reader->image();
        volatile uint8_t last = img.pixels[size_t{img.stride} * static_cast<size_t>(img.height) - 1];
        (void)last;
    }
    pv::CJpgToBmp scaled;
    int32_t fullWidth = 0;
    int32_t fullHeight = 0;
    (void)scaled.ReadScaled(file, 100, 101, fullWidth, fullHeight);
    return 0;
}
