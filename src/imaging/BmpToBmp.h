// CBmpToBmp: the view's reader for uncompressed 8- and 24-bit BMP files. Every other BMP
// (1, 4, 16, 32 bits, compressed, old-style headers) is left to the picture-object reader.
#pragma once

#include "imaging/ClassHeap.h"
#include "imaging/PictureReader.h"

namespace pv {

class CBmpToBmp final : public PictureReader {
public:
    // Ok, Unsupported (hand to the picture-object reader), or a refusal: BadHeader for
    // non-positive or inconsistent sizes and palettes, TooLarge beyond the decode budget,
    // OutOfMemory. A file that ends early keeps zero in the rows it does not reach.
    [[nodiscard]] Status Read(std::span<const uint8_t> file) override;

private:
    HeapBlock rows_;
    HeapBlock palette_;
};

}  // namespace pv
