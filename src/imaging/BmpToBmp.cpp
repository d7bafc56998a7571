#include "imaging/BmpToBmp.h"

#include "base/ByteReader.h"
#include "base/CheckedMath.h"
#include "base/DecodeLimits.h"

namespace pv {

Status ReadBmpHeader(std::span<const uint8_t> file, BmpHeader& h) {
    // Old OS/2 headers lay their fields out differently.
    if (file.size() >= kBmpFileHeaderSize + 4 && LoadU32LE(file, kBmpFileHeaderSize) < kBmpInfoHeaderSize) {
        return Status::Unsupported;
    }
    if (file.size() < kBmpFileHeaderSize + kBmpInfoHeaderSize) {
        return Status::Truncated;
    }
    ByteReader r(file);
    r.Skip(10);
    h.pixelOffset = r.U32LE();
    h.headerSize = r.U32LE();
    h.width = r.I32LE();
    h.height = r.I32LE();
    r.Skip(2);  // planes
    h.bitsPerPixel = r.U16LE();
    h.compression = r.U32LE();
    r.Skip(12);  // image size and resolution
    h.coloursUsed = r.U32LE();
    return r.ok() ? Status::Ok : Status::Truncated;
}

Status CBmpToBmp::Read(std::span<const uint8_t> file) {
    image_ = {};
    rows_.Reset();
    palette_.Reset();

    BmpHeader h;
    if (Status header = ReadBmpHeader(file, h); header != Status::Ok) {
        return header;
    }
    if (h.compression != 0 || (h.bitsPerPixel != 8 && h.bitsPerPixel != 24)) {
        return Status::Unsupported;
    }
    if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN) {
        return Status::BadHeader;
    }
    // A negative height means the rows are stored top-down.
    const bool topDown = h.height < 0;
    const int32_t height = topDown ? -h.height : h.height;
    if (Status s = CheckPictureSize(h.width, height); s != Status::Ok) {
        return s;
    }
    if (Status s = CheckPictureInput(h.width, height, file.size(), kRunPixelsPerByte); s != Status::Ok) {
        return s;
    }

    const int32_t bpp = h.bitsPerPixel;
    const uint32_t entries = h.coloursUsed == 0 ? 256 : h.coloursUsed;
    if (bpp == 8 && entries > 256) {
        return Status::BadHeader;
    }
    // The rows first: the block a previous picture released is only reused by the first
    // allocation after it.
    const uint32_t stride = RowStride(bpp, h.width);
    const size_t rowsSize = size_t{stride} * static_cast<size_t>(height);
    if (!rows_.Allocate(HeapId::Bmp, rowsSize, true)) {
        return Status::OutOfMemory;
    }
    if (bpp == 8) {
        // Always 256 entries: indices beyond the stored palette then read black rather than
        // whatever follows the block.
        if (!palette_.Allocate(HeapId::Bmp, 256 * 4, true)) {
            rows_.Reset();
            return Status::OutOfMemory;
        }
        // The palette follows the information header, whatever its length.
        size_t paletteOffset = kBmpFileHeaderSize + h.headerSize;
        if (paletteOffset < file.size()) {
            ByteReader r(file);
            r.Seek(paletteOffset);
            r.CopyTo({palette_.data(), size_t{entries} * 4});
        }
        for (size_t i = 0; i < 256; ++i) {
            palette_.data()[4 * i + 3] = 0;
        }
    }

    // Rows the file does not reach stay zero; a file whose rows start beyond its end has
    // nothing to show at all.
    if (h.pixelOffset >= file.size()) {
        rows_.Reset();
        palette_.Reset();
        return Status::Truncated;
    }
    ByteReader rows(file);
    for (int32_t i = 0; i < height && !rows.AtEnd(); ++i) {
        int32_t bufferRow = topDown ? i : height - 1 - i;
        rows.Seek(size_t{h.pixelOffset} + size_t{stride} * static_cast<size_t>(i));
        rows.CopyTo({rows_.data() + size_t{stride} * static_cast<size_t>(bufferRow), stride});
    }

    image_.width = h.width;
    image_.height = height;
    image_.bitsPerPixel = bpp;
    image_.stride = stride;
    image_.palette = bpp == 8 ? palette_.data() : nullptr;
    image_.pixels = rows_.data();
    image_.ownsPixels = false;
    return Status::Ok;
}

}  // namespace pv
