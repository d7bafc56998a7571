// libFuzzer target for the thumbnails' scaling BMP read: any bytes must be read or refused
// without a sanitizer report, and whatever the header claims, the result fits the box.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzTouch.h"
#include "imaging/ThumbSlot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pv::HeapBlock rows;
    pv::ImageBuffer out;
    int32_t fullWidth = 0;
    int32_t fullHeight = 0;
    if (pv::ReadBmpScaled({data, size}, rows, out, fullWidth, fullHeight) == pv::Status::Ok) {
        if (out.width > pv::kThumbBoxWidth || out.height > pv::kThumbBoxHeight) {
            std::abort();
        }
        pv::fuzz::TouchPicture(out);
    }
    return 0;
}
