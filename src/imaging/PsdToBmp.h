// CPsdToBmp: the merged picture of Photoshop files (signature "8BPS", version 1, at most
// 30 000 pixels a side), raw or PackBits, 1, 8 or 16 bits a channel (16-bit channels show
// their high byte). Greyscale and duotone files show plane 0 as grey, bitmap files plane 0
// in black and white, indexed files plane 0 through their colour table, CMYK files planes 0
// to 3 converted, RGB files planes 0, 1, 2; further channels (alpha) are not shown.
// Multichannel and Lab files are left to other readers.
#pragma once

#include "imaging/ClassHeap.h"
#include "imaging/PictureReader.h"

namespace pv {

class CPsdToBmp final : public PictureReader {
public:
    // Ok (compressed or raw data that ends early leaves the rest black), NotThisFormat
    // without the signature, Truncated when a section length points past the end,
    // Unsupported for other versions, depths, colour modes and compressions, BadHeader
    // (also for a side over 30 000 or too few channels for the mode), TooLarge,
    // OutOfMemory.
    [[nodiscard]] Status Read(std::span<const uint8_t> file) override;

private:
    HeapBlock rows_;
    HeapBlock line_;  // one decoded row of one channel
};

}  // namespace pv
