// CJpgToBmp: JPEG through libjpeg-turbo, into 24-bit blue-green-red rows, top row first,
// rows padded to 4 bytes. Greyscale comes out as three equal channels and CMYK (Adobe's
// inverted form included) is converted to three. The full read serves the view; the
// reduced read serves thumbnails through libjpeg-turbo's 1/2, 1/4 and 1/8 scaled decoding.
#pragma once

#include <cstdint>
#include <span>

#include "imaging/ClassHeap.h"
#include "imaging/PictureReader.h"

namespace pv {

// CMYK in Adobe's inverted form (255 is no ink), as Photoshop stores it in JPEG and PSD
// files, to blue, green, red: each colour is c * k / 255, rounded.
[[nodiscard]] constexpr Bgr InvertedCmykToBgr(unsigned c, unsigned m, unsigned y, unsigned k) {
    return {static_cast<uint8_t>((2 * y * k + 255) / 510), static_cast<uint8_t>((2 * m * k + 255) / 510),
            static_cast<uint8_t>((2 * c * k + 255) / 510)};
}

class CJpgToBmp final : public PictureReader {
public:
    // The full picture. Corrupt data that ends the decode part-way keeps the rows decoded so
    // far (the others are black); a file that yields no row at all is refused.
    [[nodiscard]] Status Read(std::span<const uint8_t> file) override;

    // A picture no more than about 8 times larger than the box (at least 1 x 1), read at the
    // reduction its size calls for; fullWidth and fullHeight receive the picture's own size.
    [[nodiscard]] Status ReadScaled(std::span<const uint8_t> file,
                                    int32_t boxWidth,
                                    int32_t boxHeight,
                                    int32_t& fullWidth,
                                    int32_t& fullHeight);

    // The reduction for a picture of width x height in a box: 1 (none), 2, 4 or 8, from the
    // larger of the two ratios in single precision: up to 1, up to 3, up to 6, above.
    [[nodiscard]] static int32_t ReductionFor(int32_t width, int32_t height, int32_t boxWidth, int32_t boxHeight);

    // A reader that reads file after file (the thumbnail workers) keeps its rows when the
    // next picture fits them, instead of touching fresh memory for every file.
    void KeepRowsBetweenReads() { keepRows_ = true; }

private:
    Status Decode(std::span<const uint8_t> file,
                  int32_t boxWidth,
                  int32_t boxHeight,
                  int32_t* fullWidth,
                  int32_t* fullHeight);

    HeapBlock rows_;
    bool keepRows_ = false;
};

}  // namespace pv
