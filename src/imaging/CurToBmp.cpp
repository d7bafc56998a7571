#include "imaging/CurToBmp.h"

#include "base/ByteReader.h"
#include "base/CheckedMath.h"

namespace pv {

namespace {

// The directory gives the size; the image's own header the depth. The palette holds 2
// entries for 1 bit, 16 for 4 bits, otherwise the directory's colour count (0 meaning 256
// for 8 bits).
Status DrawEntry(std::span<const uint8_t> file, size_t i, const ImageBuffer& strip) {
    const size_t entry = kIconDirectoryStart + kIconEntrySize * i;
    const uint32_t size = LoadU32LE(file, entry + 8);
    const uint32_t offset = LoadU32LE(file, entry + 12);
    if (!FitsIn(offset, size, file.size())) {
        return Status::Truncated;
    }
    // Writers often understate the size; the image may use the file up to its end.
    const std::span<const uint8_t> data = file.subspan(offset);
    if (IsPngIconImage(data)) {
        return Status::Ok;
    }
    ByteReader e(file);
    e.Seek(entry);
    const uint8_t width = e.U8();
    const uint8_t height = e.U8();
    const uint8_t colourCount = e.U8();
    const uint16_t bitCount = LoadU16LE(data, 14);
    size_t entries = colourCount;
    if (bitCount == 1) {
        entries = 2;
    } else if (bitCount == 4) {
        entries = 16;
    } else if (bitCount == 8 && colourCount == 0) {
        entries = 256;
    }
    IconImage image{data, width, height, bitCount, entries};
    if (!DrawIconImage(image, strip, i, CellAlign::Top)) {
        FillIconImage(image, strip, i, CellAlign::Top, IconPaletteEntry(image, 0));
    }
    return Status::Ok;
}

}  // namespace

Status CCurToBmp::Read(std::span<const uint8_t> file) {
    image_ = {};
    rows_.Reset();

    return ReadIconStrip(file, kMaxIconImages, rows_, HeapId::Cur, background_, &DrawEntry, image_);
}

}  // namespace pv
