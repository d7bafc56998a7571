#include "imaging/IconCells.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "base/ByteReader.h"
#include "base/CheckedMath.h"
#include "base/DecodeLimits.h"

namespace pv {

namespace {

// Strip row of stored row r (0 = the bottom row of the image), or -1 when clipped.
int64_t StripRow(const IconImage& image, size_t r, CellAlign align) {
    if (align == CellAlign::Bottom) {
        return r < kIconCellSize ? static_cast<int64_t>(kIconCellSize - 1 - r) : -1;
    }
    const size_t fromTop = image.height - 1 - r;
    return fromTop < kIconCellSize ? static_cast<int64_t>(fromTop) : -1;
}

uint8_t* CellRow(const ImageBuffer& strip, size_t cell, size_t row) {
    return strip.pixels + row * strip.stride + 3 * kIconCellSize * cell;
}

void ReadPalette(const IconImage& image, std::array<Bgr, 256>& pal) {
    ByteReader r(image.data);
    r.Seek(kIconHeaderSize);
    const size_t n = std::min<size_t>(image.paletteEntries, pal.size());
    for (size_t i = 0; i < n && r.remaining() >= 4; ++i) {
        pal[i].b = r.U8();
        pal[i].g = r.U8();
        pal[i].r = r.U8();
        r.Skip(1);
    }
}

}  // namespace

bool IsPngIconImage(std::span<const uint8_t> image) {
    return image.size() >= 4 && image[0] == 0x89 && image[1] == 'P' && image[2] == 'N' && image[3] == 'G';
}

Status MakeIconStrip(HeapBlock& rows, HeapId heap, size_t count, uint8_t shade, ImageBuffer& image) {
    const auto count64 = static_cast<int64_t>(count);
    if (Status s = CheckPictureSize(count64 * int64_t{kIconCellSize}, kIconCellSize); s != Status::Ok) {
        return s;
    }
    const size_t stride = 3 * kIconCellSize * count;
    if (!rows.Allocate(heap, stride * kIconCellSize, false)) {
        return Status::OutOfMemory;
    }
    std::memset(rows.data(), shade, rows.size());
    image = {};
    image.width = static_cast<int32_t>(kIconCellSize * count);
    image.height = kIconCellSize;
    image.bitsPerPixel = 24;
    image.stride = static_cast<uint32_t>(stride);
    image.pixels = rows.data();
    return Status::Ok;
}

Bgr IconPaletteEntry(const IconImage& image, size_t index) {
    std::array<Bgr, 256> pal{};
    ReadPalette(image, pal);
    return index < pal.size() ? pal[index] : Bgr{};
}

bool DrawIconImage(const IconImage& image, const ImageBuffer& strip, size_t cell, CellAlign align) {
    const uint16_t bits = image.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        return false;
    }
    std::array<Bgr, 256> pal{};
    if (bits <= 8) {
        ReadPalette(image, pal);
    }
    // Rows are padded to 4 bytes as in any bitmap; the last one need not carry its padding.
    const size_t rowStride = RowStride(bits, static_cast<int32_t>(image.width));
    const size_t rowBytes = (image.width * bits + 7) / 8;
    const size_t columns = std::min(image.width, kIconCellSize);
    const auto first = CheckedAdd(kIconHeaderSize, CheckedMul(image.paletteEntries, 4).value_or(SIZE_MAX));
    if (!first) {
        return true;
    }
    for (size_t r = 0; r < image.height; ++r) {
        const int64_t row = StripRow(image, r, align);
        if (row < 0) {
            continue;
        }
        const auto offset = CheckedAdd(*first, r * rowStride);
        if (!offset || !FitsIn(*offset, rowBytes, image.data.size())) {
            break;
        }
        const std::span<const uint8_t> src = image.data.subspan(*offset, rowBytes);
        uint8_t* dst = CellRow(strip, cell, static_cast<size_t>(row));
        for (size_t x = 0; x < columns; ++x) {
            Bgr p;
            switch (bits) {
            case 1: p = pal[(static_cast<unsigned>(src[x >> 3]) >> (7 - (x & 7))) & 1u]; break;
            case 4: p = pal[(x & 1) != 0 ? src[x >> 1] & 0x0Fu : static_cast<unsigned>(src[x >> 1]) >> 4]; break;
            case 8: p = pal[src[x]]; break;
            default: {
                const size_t at = x * (bits / 8u);
                p = {src[at], src[at + 1], src[at + 2]};
            }
            }
            dst[3 * x] = p.b;
            dst[3 * x + 1] = p.g;
            dst[3 * x + 2] = p.r;
        }
    }
    return true;
}

void FillIconImage(const IconImage& image, const ImageBuffer& strip, size_t cell, CellAlign align, Bgr colour) {
    const size_t columns = std::min(image.width, kIconCellSize);
    for (size_t r = 0; r < image.height; ++r) {
        const int64_t row = StripRow(image, r, align);
        if (row < 0) {
            continue;
        }
        uint8_t* dst = CellRow(strip, cell, static_cast<size_t>(row));
        for (size_t x = 0; x < columns; ++x) {
            dst[3 * x] = colour.b;
            dst[3 * x + 1] = colour.g;
            dst[3 * x + 2] = colour.r;
        }
    }
}

Status ReadIconStrip(std::span<const uint8_t> file,
                     size_t maxImages,
                     HeapBlock& rows,
                     HeapId heap,
                     uint8_t shade,
                     DrawIconEntry draw,
                     ImageBuffer& image) {
    ByteReader r(file);
    r.Skip(4);
    const uint16_t count = r.U16LE();
    if (!r.ok()) {
        return Status::Truncated;
    }
    if (count == 0 || (maxImages != 0 && count > maxImages)) {
        return Status::BadHeader;
    }
    // A directory that does not fit in the file cannot describe a picture; checking it
    // first keeps a bogus count from allocating a huge strip.
    if (!FitsIn(kIconDirectoryStart, kIconEntrySize * count, file.size())) {
        return Status::Truncated;
    }
    ImageBuffer strip;
    if (Status s = MakeIconStrip(rows, heap, count, shade, strip); s != Status::Ok) {
        return s;
    }
    for (size_t i = 0; i < count; ++i) {
        if (Status s = draw(file, i, strip); s != Status::Ok) {
            rows.Reset();
            return s;
        }
    }
    image = strip;
    return Status::Ok;
}

}  // namespace pv
