// CBmpToBmp: the view's reader for uncompressed 8- and 24-bit BMP files. Every other BMP
// (1, 4, 16, 32 bits, compressed, old-style headers) is left to the picture-object reader.
#pragma once

#include "imaging/ClassHeap.h"
#include "imaging/PictureReader.h"

namespace pv {

inline constexpr size_t kBmpFileHeaderSize = 14;
inline constexpr uint32_t kBmpInfoHeaderSize = 40;

// The fields of a BMP file header and its 40-byte information header that the readers use.
struct BmpHeader {
    uint32_t pixelOffset = 0;
    uint32_t headerSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitsPerPixel = 0;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
};

// Ok; Unsupported for the old OS/2 header (only the picture object reads it); Truncated
// when the file is shorter than the two headers.
[[nodiscard]] Status ReadBmpHeader(std::span<const uint8_t> file, BmpHeader& h);

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
