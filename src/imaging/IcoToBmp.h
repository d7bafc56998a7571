// CIcoToBmp: Windows icon files shown as a strip of 64 x 64 cells on grey 216, one per
// image, each image upright against the bottom of its cell.
#pragma once

#include "imaging/ClassHeap.h"
#include "imaging/PictureReader.h"

namespace pv {

class CIcoToBmp final : public PictureReader {
public:
    // Ok; BadHeader for no images or 33 and more, an image of 1 000 000 bytes or more or
    // larger than 64 x 64; Truncated when the directory or an image lies outside the file;
    // OutOfMemory. Compressed (PNG among them) images and depths other than 1, 4, 8, 24
    // and 32 bits leave their cell grey.
    [[nodiscard]] Status Read(std::span<const uint8_t> file) override;

private:
    HeapBlock rows_;
};

}  // namespace pv
