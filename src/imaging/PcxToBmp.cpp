#include "imaging/PcxToBmp.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "base/ByteReader.h"
#include "base/DecodeLimits.h"
#include "imaging/ReaderBuffers.h"

namespace pv {

namespace {

constexpr size_t kHeaderSize = 128;
constexpr uint8_t kPaletteMarker = 12;
constexpr size_t kPaletteEntries = 256;
// Bytes up to 192 are literal values (0xC0 included); above it the low six bits count a run.
constexpr uint8_t kLiteralMax = 192;

struct PcxHeader {
    uint8_t bitsPerPlane = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint8_t planes = 0;
    uint16_t bytesPerLine = 0;
};

bool ParseHeader(std::span<const uint8_t> file, PcxHeader& h) {
    if (file.size() < kHeaderSize) {
        return false;
    }
    ByteReader r(file);
    r.Skip(3);
    h.bitsPerPlane = r.U8();
    const int32_t xmin = r.U16LE();
    const int32_t ymin = r.U16LE();
    const int32_t xmax = r.U16LE();
    const int32_t ymax = r.U16LE();
    r.Seek(65);
    h.planes = r.U8();
    h.bytesPerLine = r.U16LE();
    h.width = xmax - xmin + 1;
    h.height = ymax - ymin + 1;
    return r.ok();
}

// Bit 7 of byte k set where byte k of the eight little-endian bytes in v is a run count
// (above 192): both top bits set and some of the low six.
inline uint64_t RunCountBytes(uint64_t v) {
    constexpr uint64_t kHigh = 0x8080808080808080u;
    constexpr uint64_t kLow6 = 0x3F3F3F3F3F3F3F3Fu;
    const uint64_t topTwo = v & (v << 1) & kHigh;
    const uint64_t lowNonZero = (((v & kLow6) + kLow6) << 1) & kHigh;
    return topTwo & lowNonZero;
}

// Copies the literal bytes from data[pos] on into dst until a run count, the end of the
// data or `limit` bytes; returns how many. Eight bytes at a time while all eight are
// literal (and fit below `limit`); the bytes written past a run count inside such a group
// are below `limit` and are overwritten by the decoding that follows.
inline size_t CopyLiterals(std::span<const uint8_t> data, size_t pos, uint8_t* dst, size_t limit) {
    size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        while (limit - i >= 8) {
            uint64_t v = 0;
            std::memcpy(&v, data.subspan(pos + i, 8).data(), 8);
            std::memcpy(dst + i, &v, 8);
            const uint64_t runs = RunCountBytes(v);
            if (runs != 0) {
                return i + static_cast<size_t>(std::countr_zero(runs)) / 8;
            }
            i += 8;
        }
    }
    while (i < limit && data[pos + i] <= kLiteralMax) {
        dst[i] = data[pos + i];
        ++i;
    }
    return i;
}

// Decodes one plane line of `bytesPerLine` values from data[pos...]; the values of the
// columns below `width` go to dst[0...width), the line padding after them is dropped. A
// run is charged against what is left of this line and never carried into the next.
// False when the data ends first; the columns not reached are then zero.
bool DecodePlaneLine(std::span<const uint8_t> data, size_t& pos, uint8_t* dst, size_t width, size_t bytesPerLine) {
    const size_t end = data.size();
    size_t x = 0;
    while (x < bytesPerLine) {
        // Literal bytes are the common case in photographs: copy them without the run logic.
        if (x < width) {
            const size_t n = CopyLiterals(data, pos, dst + x, std::min(width - x, end - pos));
            x += n;
            pos += n;
            if (x >= bytesPerLine) {
                break;
            }
        }
        if (pos >= end) {
            break;
        }
        uint8_t value = data[pos++];
        size_t count = 1;
        if (value > kLiteralMax) {
            if (pos >= end) {
                break;
            }
            count = size_t{value} - kLiteralMax;
            value = data[pos++];
        }
        count = std::min(count, bytesPerLine - x);
        if (x < width) {
            const size_t n = std::min(count, width - x);
            if (n <= 8 && width - x >= 8) {
                // Short runs, most of them in photographs: one wide store; the bytes past
                // the run are below `width` and are written again by what follows.
                const uint64_t pattern = value * uint64_t{0x0101010101010101u};
                std::memcpy(dst + x, &pattern, 8);
            } else {
                std::memset(dst + x, value, n);
            }
        }
        x += count;
    }
    if (x >= bytesPerLine) {
        return true;
    }
    if (x < width) {
        std::memset(dst + x, 0, width - x);
    }
    return false;
}

using Palette = std::array<uint8_t, 4 * kPaletteEntries>;

// The 256-colour palette when the marker byte follows the data and all 768 bytes are
// there; otherwise the grey ramp, so a file without one shows its indices as grey levels.
Palette PaletteAfter(std::span<const uint8_t> data, size_t pos, bool complete) {
    Palette pal{};
    ByteReader r(data);
    const bool marked = complete && r.Seek(pos) && r.U8() == kPaletteMarker && r.remaining() >= 3 * kPaletteEntries;
    for (size_t i = 0; i < kPaletteEntries; ++i) {
        uint8_t red = static_cast<uint8_t>(i);
        uint8_t green = red;
        uint8_t blue = red;
        if (marked) {
            red = r.U8();
            green = r.U8();
            blue = r.U8();
        }
        pal[4 * i] = blue;
        pal[4 * i + 1] = green;
        pal[4 * i + 2] = red;
    }
    return pal;
}

// Turns the indices at the start of each row into blue, green, red in place. The indices
// of a row are copied aside first so the wide stores can run forwards.
void ExpandIndices(uint8_t* rows, size_t stride, size_t width, size_t height, const Palette& pal, uint8_t* line) {
    for (size_t y = 0; y < height; ++y) {
        uint8_t* row = rows + y * stride;
        std::memcpy(line, row, width);
        for (size_t x = 0; x + 1 < width; ++x) {
            std::memcpy(row + 3 * x, pal.data() + 4 * size_t{line[x]}, 4);
        }
        std::memcpy(row + 3 * (width - 1), pal.data() + 4 * size_t{line[width - 1]}, 3);
    }
}

// Red, green and blue plane lines into blue, green, red pixels.
void WeavePlanes(const uint8_t* red, const uint8_t* green, const uint8_t* blue, uint8_t* row, size_t width) {
    for (size_t x = 0; x < width; ++x) {
        row[3 * x] = blue[x];
        row[3 * x + 1] = green[x];
        row[3 * x + 2] = red[x];
    }
}

}  // namespace

Status CPcxToBmp::Read(std::span<const uint8_t> file) {
    image_ = {};
    userMessage_ = nullptr;

    PcxHeader h;
    if (!ParseHeader(file, h)) {
        return Status::Truncated;
    }
    if (h.bitsPerPlane != 8 || (h.planes != 1 && h.planes != 3)) {
        return Status::Unsupported;
    }
    // One decoded line of every plane is staged beside the rows.
    const size_t lineBytes = h.width > 0 ? size_t{h.planes} * static_cast<size_t>(h.width) : 0;
    if (Status s = CheckPictureSize(h.width, h.height, lineBytes); s != Status::Ok) {
        return s;
    }
    // Each plane's values come in runs of at most 63 per two bytes.
    if (Status s = CheckPictureInput(h.width, h.height, file.size(), (kPcxPixelsPerByte + h.planes - 1) / h.planes);
        s != Status::Ok) {
        return s;
    }
    if (h.bytesPerLine < h.width) {
        return Status::BadHeader;
    }
    const auto width = static_cast<size_t>(h.width);
    const auto height = static_cast<size_t>(h.height);
    const size_t stride = RowStride(24, h.width);
    const size_t bytesPerLine = h.bytesPerLine;
    // Within the decode budget, so neither product can overflow.
    if (!ReuseOrAllocate(rows_, HeapId::Pcx, stride * height) || !ReuseOrAllocate(line_, HeapId::Pcx, lineBytes)) {
        rows_.Reset();
        line_.Reset();
        userMessage_ = kPcxNoMemoryMessage;
        return Status::OutOfMemory;
    }

    ByteReader r(file);
    r.Seek(kHeaderSize);
    const std::span<const uint8_t> data = r.Rest();
    uint8_t* rows = rows_.data();
    uint8_t* line = line_.data();
    size_t pos = 0;
    size_t rowsReached = height;
    bool complete = true;
    for (size_t y = 0; y < height && complete; ++y) {
        uint8_t* row = rows + y * stride;
        if (h.planes == 1) {
            complete = DecodePlaneLine(data, pos, row, width, bytesPerLine);
        } else {
            // The three plane lines side by side, then woven into blue, green, red; the
            // planes after one the data ends in stay black.
            for (size_t plane = 0; plane < 3; ++plane) {
                if (complete) {
                    complete = DecodePlaneLine(data, pos, line + plane * width, width, bytesPerLine);
                } else {
                    std::memset(line + plane * width, 0, width);
                }
            }
            WeavePlanes(line, line + width, line + 2 * width, row, width);
        }
        if (!complete) {
            rowsReached = y + 1;
        }
    }
    if (h.planes == 1) {
        ExpandIndices(rows, stride, width, rowsReached, PaletteAfter(data, pos, complete), line_.data());
    }
    std::memset(rows + rowsReached * stride, 0, (height - rowsReached) * stride);
    ZeroRowPadding(rows, stride, 3 * width, rowsReached);

    image_.width = h.width;
    image_.height = h.height;
    image_.bitsPerPixel = 24;
    image_.stride = static_cast<uint32_t>(stride);
    image_.pixels = rows;
    return Status::Ok;
}

}  // namespace pv
