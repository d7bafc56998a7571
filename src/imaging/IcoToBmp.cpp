#include "imaging/IcoToBmp.h"

#include "base/ByteReader.h"
#include "base/CheckedMath.h"
#include "imaging/IconCells.h"

namespace pv {

namespace {

constexpr uint32_t kMaxImageBytes = 1000000;

// Palette entries before the colour rows, or -1 for depths the icon reader leaves grey.
int64_t PaletteEntriesFor(uint16_t bitCount) {
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    case 24:
    case 32: return 0;
    default: return -1;
    }
}

// Draws entry i; a refusal of the whole file otherwise Ok (a cell may stay grey).
Status DrawEntry(std::span<const uint8_t> file, size_t i, const ImageBuffer& strip) {
    const size_t entry = kIconDirectoryStart + kIconEntrySize * i;
    const uint32_t size = LoadU32LE(file, entry + 8);
    const uint32_t offset = LoadU32LE(file, entry + 12);
    if (size >= kMaxImageBytes) {
        return Status::BadHeader;
    }
    if (!FitsIn(offset, size, file.size())) {
        return Status::Truncated;
    }
    // Writers often understate the size; the image may use the file up to its end.
    const std::span<const uint8_t> data = file.subspan(offset);
    if (IsPngIconImage(data)) {
        return Status::Ok;
    }
    // Only the low byte of the width counts; the stored height covers colour and mask rows.
    const uint32_t width = LoadU32LE(data, 4) & 0xFFu;
    const int32_t height = static_cast<int32_t>(LoadU32LE(data, 8)) / 2;
    if (width > kIconCellSize || height > static_cast<int32_t>(kIconCellSize)) {
        return Status::BadHeader;
    }
    const uint16_t bitCount = LoadU16LE(data, 14);
    const int64_t entries = PaletteEntriesFor(bitCount);
    if (LoadU32LE(data, 16) != 0 || entries < 0 || height <= 0) {
        return Status::Ok;
    }
    IconImage image{data, width, static_cast<size_t>(height), bitCount, static_cast<size_t>(entries)};
    DrawIconImage(image, strip, i, CellAlign::Bottom);
    return Status::Ok;
}

}  // namespace

Status CIcoToBmp::Read(std::span<const uint8_t> file) {
    image_ = {};
    rows_.Reset();

    return ReadIconStrip(file, kMaxIconImages, rows_, HeapId::Ico, kIconBackground, &DrawEntry, image_);
}

}  // namespace pv
