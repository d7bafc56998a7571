// CPsdToBmp: the merged picture of Photoshop files (signature "8BPS", version 1), raw or
// PackBits, 8 or 16 bits a channel. One channel (greyscale, indexed, duotone) shows as
// grey; two channels as red = blue = plane 0, green = plane 1; three or more as red,
// green, blue from planes 0, 1, 2. CMYK, multichannel and Lab files are refused.
#pragma once

#include "imaging/ClassHeap.h"
#include "imaging/PictureReader.h"

namespace pv {

class CPsdToBmp final : public PictureReader {
public:
    // Ok (compressed or raw data that ends early leaves the rest black), NotThisFormat
    // without the signature, Truncated when a section length points past the end,
    // Unsupported for other versions, depths, colour modes and compressions, BadHeader,
    // TooLarge, OutOfMemory.
    [[nodiscard]] Status Read(std::span<const uint8_t> file) override;

private:
    HeapBlock rows_;
    HeapBlock line_;  // one decoded row of one channel
};

}  // namespace pv
