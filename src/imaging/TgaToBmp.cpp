#include "imaging/TgaToBmp.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "base/ByteReader.h"
#include "base/CheckedMath.h"
#include "base/DecodeLimits.h"
#include "imaging/ReaderBuffers.h"

namespace pv {

namespace {

constexpr size_t kHeaderSize = 18;
constexpr uint32_t kMaxMapLength = 1024;
constexpr uint8_t kRightToLeft = 0x10;
constexpr uint8_t kTopToBottom = 0x20;
constexpr uint8_t kRunPacket = 0x80;

struct TgaHeader {
    uint8_t idLength = 0;
    uint8_t mapType = 0;
    uint8_t imageType = 0;
    uint16_t mapFirst = 0;
    uint16_t mapLength = 0;
    uint8_t mapEntryBits = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint8_t bitsPerPixel = 0;
    uint8_t descriptor = 0;
};

bool ParseHeader(std::span<const uint8_t> file, TgaHeader& h) {
    ByteReader r(file);
    h.idLength = r.U8();
    h.mapType = r.U8();
    h.imageType = r.U8();
    h.mapFirst = r.U16LE();
    h.mapLength = r.U16LE();
    h.mapEntryBits = r.U8();
    r.Skip(4);  // x and y origin
    h.width = r.U16LE();
    h.height = r.U16LE();
    h.bitsPerPixel = r.U8();
    h.descriptor = r.U8();
    return r.ok();
}

// How the bytes of one stored pixel become blue, green, red.
enum class PixelKind {
    Indexed,
    Rgb555,
    Bgr,
    Bgra,
    GreyAlpha
};

constexpr size_t BytesOf(PixelKind k) {
    switch (k) {
    case PixelKind::Indexed: return 1;
    case PixelKind::Rgb555:
    case PixelKind::GreyAlpha: return 2;
    case PixelKind::Bgr: return 3;
    case PixelKind::Bgra: return 4;
    }
    return 1;
}

using Palette = std::array<uint8_t, 4 * 256>;

// 5 bits a channel, red highest; the top bit is not colour.
inline void Put555(uint8_t* dst, unsigned v) {
    dst[0] = static_cast<uint8_t>((v << 3) & 0xF8);
    dst[1] = static_cast<uint8_t>((v >> 2) & 0xF8);
    dst[2] = static_cast<uint8_t>((v >> 7) & 0xF8);
}

template <PixelKind K>
inline void PutPixel(const uint8_t* src, uint8_t* dst, const Palette& pal) {
    if constexpr (K == PixelKind::Indexed) {
        std::memcpy(dst, pal.data() + 4 * size_t{src[0]}, 3);
    } else if constexpr (K == PixelKind::Rgb555) {
        Put555(dst, unsigned{src[0]} | unsigned{src[1]} << 8);
    } else if constexpr (K == PixelKind::GreyAlpha) {
        dst[0] = dst[1] = dst[2] = src[0];
    } else {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
    }
}

// Output placement of the stored pixels: rows bottom-up unless the top-to-bottom bit is
// set, columns mirrored when the right-to-left bit is set.
struct Layout {
    uint8_t* rows = nullptr;
    size_t stride = 0;
    size_t width = 0;
    size_t height = 0;
    bool topDown = false;
    bool rightToLeft = false;

    [[nodiscard]] uint8_t* Row(size_t y) const { return rows + stride * (topDown ? y : height - 1 - y); }

    [[nodiscard]] uint8_t* At(size_t y, size_t x) const { return Row(y) + 3 * (rightToLeft ? width - 1 - x : x); }

    [[nodiscard]] ptrdiff_t Step() const { return rightToLeft ? -3 : 3; }

    // Black from stored pixel (y, x) to the end of the picture.
    void ZeroFrom(size_t y, size_t x) const {
        if (y >= height) {
            return;
        }
        uint8_t* row = Row(y);
        std::memset(rightToLeft ? row : row + 3 * x, 0, 3 * (width - x));
        for (size_t yy = y + 1; yy < height; ++yy) {
            std::memset(Row(yy), 0, 3 * width);
        }
    }
};

// Converts `count` stored pixels starting at src[0] into the output from dst on. Kept out
// of line: inlined where the count is known to be small, GCC turns the bulk copy into a
// `rep movs` that is several times slower than the library's copy at these sizes.
template <PixelKind K>
[[gnu::noinline]] void ConvertPixels(std::span<const uint8_t> src,
                                     size_t count,
                                     uint8_t* dst,
                                     ptrdiff_t step,
                                     const Palette& pal) {
    constexpr size_t kBytes = BytesOf(K);
    if constexpr (K == PixelKind::Bgr) {
        if (step == 3 && count > 4) {
            std::memcpy(dst, src.data(), 3 * count);
            return;
        }
    }
    for (size_t i = 0; i < count; ++i) {
        PutPixel<K>(&src[i * kBytes], dst, pal);
        dst += step;
    }
}

template <PixelKind K>
[[gnu::noinline]] void FillPixels(const uint8_t* pixel, size_t count, uint8_t* dst, ptrdiff_t step) {
    if (step == 3 && count > 8) {
        // Copy the pixel, then double the filled part: long runs cost a few memcpy calls.
        std::memcpy(dst, pixel, 3);
        size_t done = 1;
        while (done < count) {
            const size_t n = std::min(done, count - done);
            std::memcpy(dst + 3 * done, dst, 3 * n);
            done += n;
        }
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        std::memcpy(dst, pixel, 3);
        dst += step;
    }
}

template <PixelKind K>
void DecodeUncompressed(std::span<const uint8_t> data, const Layout& out, const Palette& pal) {
    constexpr size_t kBytes = BytesOf(K);
    ByteReader r(data);
    for (size_t y = 0; y < out.height; ++y) {
        const size_t count = std::min(out.width, r.remaining() / kBytes);
        ConvertPixels<K>(r.Bytes(count * kBytes), count, out.At(y, 0), out.Step(), pal);
        if (count < out.width) {
            out.ZeroFrom(y, count);
            return;
        }
    }
}

// One packet at data[pos] that may run on across rows or be cut short by the end of the
// data, pixel (y, x) being the next to write. Pixels run on across rows; whatever would
// pass the end of the picture is dropped. False when the data ended inside the packet.
template <PixelKind K>
bool DecodeLongPacket(std::span<const uint8_t> data,
                      size_t& pos,
                      const Layout& out,
                      size_t& y,
                      size_t& x,
                      const Palette& pal) {
    constexpr size_t kBytes = BytesOf(K);
    ByteReader r(data);
    r.Seek(pos);
    const uint8_t header = r.U8();
    size_t n = size_t{header & 0x7Fu} + 1;
    if ((header & kRunPacket) != 0) {
        if (r.remaining() < kBytes) {
            pos = data.size();
            return false;
        }
        uint8_t pixel[3];
        PutPixel<K>(r.Bytes(kBytes).data(), pixel, pal);
        while (n > 0 && y < out.height) {
            const size_t k = std::min(n, out.width - x);
            FillPixels<K>(pixel, k, out.At(y, x), out.Step());
            n -= k;
            x += k;
            if (x == out.width) {
                x = 0;
                ++y;
            }
        }
    } else {
        while (n > 0 && y < out.height) {
            const size_t k = std::min({n, out.width - x, r.remaining() / kBytes});
            ConvertPixels<K>(r.Bytes(k * kBytes), k, out.At(y, x), out.Step(), pal);
            n -= k;
            x += k;
            if (x == out.width) {
                x = 0;
                ++y;
            } else if (n > 0) {
                break;  // the data ended inside the packet
            }
        }
        if (n > 0 && y < out.height) {
            pos = data.size();
            return false;
        }
    }
    pos = r.position();
    return true;
}

// Packets of h < 128: h + 1 stored pixels; h >= 128: h - 127 copies of one pixel. The
// packets that end inside the current row (nearly all) are charged against what is left
// of the row and against the remaining data once each, then written in bulk; a packet
// that crosses a row or is cut short by the end of the data takes the general road.
template <PixelKind K, bool RightToLeft>
void DecodeRunLength(std::span<const uint8_t> data, const Layout& out, const Palette& pal) {
    constexpr size_t kBytes = BytesOf(K);
    constexpr ptrdiff_t kStep = RightToLeft ? -3 : 3;
    // Packets up to this many pixels are written pixel by pixel, inline.
    constexpr size_t kShort = 8;
    const size_t size = data.size();
    size_t pos = 0;
    size_t y = 0;
    size_t x = 0;
    while (y < out.height && pos < size) {
        uint8_t* dst = out.At(y, x);
        size_t rowLeft = out.width - x;
        while (pos < size) {
            const uint8_t header = data[pos];
            const size_t n = size_t{header & 0x7Fu} + 1;
            const size_t avail = size - pos - 1;
            if (n > rowLeft) {
                break;
            }
            if ((header & kRunPacket) != 0) {
                if (avail < kBytes) {
                    break;
                }
                uint8_t pixel[3];
                PutPixel<K>(data.subspan(pos + 1, kBytes).data(), pixel, pal);
                if (n <= kShort) {
                    for (size_t i = 0; i < n; ++i) {
                        std::memcpy(dst + kStep * static_cast<ptrdiff_t>(i), pixel, 3);
                    }
                } else {
                    FillPixels<K>(pixel, n, dst, kStep);
                }
                pos += 1 + kBytes;
            } else {
                if (avail / kBytes < n) {
                    break;
                }
                const std::span<const uint8_t> src = data.subspan(pos + 1, n * kBytes);
                if (n <= kShort) {
                    for (size_t i = 0; i < n; ++i) {
                        PutPixel<K>(&src[i * kBytes], dst + kStep * static_cast<ptrdiff_t>(i), pal);
                    }
                } else {
                    ConvertPixels<K>(src, n, dst, kStep, pal);
                }
                pos += 1 + n * kBytes;
            }
            rowLeft -= n;
            if (rowLeft == 0) {
                break;
            }
            dst += kStep * static_cast<ptrdiff_t>(n);
        }
        x = out.width - rowLeft;
        if (x == out.width) {
            x = 0;
            ++y;
            continue;
        }
        if (pos >= size || !DecodeLongPacket<K>(data, pos, out, y, x, pal)) {
            break;
        }
    }
    out.ZeroFrom(y, x);
}

template <PixelKind K>
void Decode(bool runLength, std::span<const uint8_t> data, const Layout& out, const Palette& pal) {
    if (runLength && out.rightToLeft) {
        DecodeRunLength<K, true>(data, out, pal);
    } else if (runLength) {
        DecodeRunLength<K, false>(data, out, pal);
    } else {
        DecodeUncompressed<K>(data, out, pal);
    }
}

// Colour-map entry `bytes` wide at the front of `e`: 15/16 bits as 5-5-5, 24/32 bits as
// blue, green, red (and alpha), one byte as a grey level.
void PutMapEntry(std::span<const uint8_t> e, size_t bytes, uint8_t* dst) {
    if (bytes >= 3) {
        dst[0] = e[0];
        dst[1] = e[1];
        dst[2] = e[2];
    } else if (bytes == 2) {
        Put555(dst, unsigned{e[0]} | unsigned{e[1]} << 8);
    } else if (bytes == 1) {
        dst[0] = dst[1] = dst[2] = e[0];
    }
}

}  // namespace

Status CTgaToBmp::Read(std::span<const uint8_t> file) {
    image_ = {};

    TgaHeader h;
    if (!ParseHeader(file, h)) {
        return Status::Truncated;
    }
    if (h.mapLength >= kMaxMapLength) {
        return Status::BadHeader;
    }
    const bool grey = h.imageType == 3 || h.imageType == 11;
    const bool runLength = h.imageType >= 9;
    if (h.imageType != 1 && h.imageType != 2 && h.imageType != 3 && h.imageType != 9 && h.imageType != 10 &&
        h.imageType != 11) {
        return Status::Unsupported;
    }
    PixelKind kind = PixelKind::Indexed;
    switch (h.bitsPerPixel) {
    case 8: kind = PixelKind::Indexed; break;
    case 15:
    case 16: kind = grey ? PixelKind::GreyAlpha : PixelKind::Rgb555; break;
    case 24: kind = PixelKind::Bgr; break;
    case 32: kind = PixelKind::Bgra; break;
    default: return Status::Unsupported;
    }
    if (grey && kind != PixelKind::Indexed && kind != PixelKind::GreyAlpha) {
        return Status::Unsupported;
    }
    if (Status s = CheckPictureSize(h.width, h.height); s != Status::Ok) {
        return s;
    }
    if (Status s = CheckPictureInput(h.width, h.height, file.size(), kRunPixelsPerByte); s != Status::Ok) {
        return s;
    }

    // The image ID comes first, then the colour map, then the pixels.
    Palette pal{};
    const size_t mapStart = kHeaderSize + h.idLength;
    size_t dataStart = mapStart;
    if (grey) {
        for (size_t i = 0; i < 256; ++i) {
            pal[4 * i] = pal[4 * i + 1] = pal[4 * i + 2] = static_cast<uint8_t>(i);
        }
    }
    if (h.mapType != 0) {
        const size_t entryBytes = (size_t{h.mapEntryBits} + 7) / 8;
        const size_t mapBytes = entryBytes * h.mapLength;
        if (!FitsIn(mapStart, mapBytes, file.size())) {
            return Status::Truncated;
        }
        ByteReader r(file);
        r.Seek(mapStart);
        // The first stored entry is palette index `mapFirst`; indices past 255 have no use.
        const size_t first = h.mapFirst % kMaxMapLength;
        for (size_t k = 0; k < h.mapLength; ++k) {
            std::span<const uint8_t> e = r.Bytes(entryBytes);
            if (!grey && first + k < 256) {
                PutMapEntry(e, entryBytes, &pal[4 * (first + k)]);
            }
        }
        dataStart = mapStart + mapBytes;
    }

    const auto width = static_cast<size_t>(h.width);
    const auto height = static_cast<size_t>(h.height);
    const size_t stride = RowStride(24, h.width);
    if (!ReuseOrAllocate(rows_, HeapId::Tga, stride * height)) {
        rows_.Reset();
        return Status::OutOfMemory;
    }
    Layout out{rows_.data(),
               stride,
               width,
               height,
               (h.descriptor & kTopToBottom) != 0,
               (h.descriptor & kRightToLeft) != 0};
    ZeroRowPadding(out.rows, stride, 3 * width, height);
    ByteReader r(file);
    r.Seek(std::min(dataStart, file.size()));
    const std::span<const uint8_t> data = r.Rest();
    switch (kind) {
    case PixelKind::Indexed: Decode<PixelKind::Indexed>(runLength, data, out, pal); break;
    case PixelKind::Rgb555: Decode<PixelKind::Rgb555>(runLength, data, out, pal); break;
    case PixelKind::GreyAlpha: Decode<PixelKind::GreyAlpha>(runLength, data, out, pal); break;
    case PixelKind::Bgr: Decode<PixelKind::Bgr>(runLength, data, out, pal); break;
    case PixelKind::Bgra: Decode<PixelKind::Bgra>(runLength, data, out, pal); break;
    }

    image_.width = h.width;
    image_.height = h.height;
    image_.bitsPerPixel = 24;
    image_.stride = static_cast<uint32_t>(stride);
    image_.pixels = out.rows;
    return Status::Ok;
}

}  // namespace pv
