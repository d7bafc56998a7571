// CCurToBmp: Windows cursor files shown as a strip of 64 x 64 cells, one per image, each
// image upright against the top of its cell and clipped to it.
#pragma once

#include "imaging/ClassHeap.h"
#include "imaging/IconCells.h"
#include "imaging/PictureReader.h"

namespace pv {

class CCurToBmp final : public PictureReader {
public:
    // The cells' background is the thumbnail view's shade (216 unless it was changed).
    explicit CCurToBmp(uint8_t background = kIconBackground) : background_(background) {}

    // Ok; BadHeader for a file without images or of more than 32; Truncated when the directory or an image
    // lies outside the file; TooLarge, OutOfMemory. PNG images leave their cell in the
    // background shade; depths other than 1, 4, 8, 24 and 32 bits fill the image's
    // rectangle with palette entry 0.
    [[nodiscard]] Status Read(std::span<const uint8_t> file) override;

private:
    HeapBlock rows_;
    uint8_t background_;
};

}  // namespace pv
