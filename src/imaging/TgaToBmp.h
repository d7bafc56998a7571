// CTgaToBmp: Truevision TGA files, uncompressed (types 1, 2, 3) and run-length encoded
// (types 9, 10, 11), colour-mapped, true-colour and greyscale, at 8, 15, 16, 24 and 32
// bits per pixel. Always a 24-bit top-down picture.
#pragma once

#include "imaging/ClassHeap.h"
#include "imaging/PictureReader.h"

namespace pv {

class CTgaToBmp final : public PictureReader {
public:
    // Ok (data that ends early leaves the rest of the picture black), Truncated for a
    // header or colour map cut short, BadHeader for a colour map of 1024 entries or more
    // and empty sizes, Unsupported for other image types and bit depths, TooLarge,
    // OutOfMemory.
    [[nodiscard]] Status Read(std::span<const uint8_t> file) override;

private:
    HeapBlock rows_;
};

}  // namespace pv
