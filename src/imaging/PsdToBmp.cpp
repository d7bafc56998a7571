#include "imaging/PsdToBmp.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "base/ByteReader.h"
#include "base/CheckedMath.h"
#include "base/DecodeLimits.h"
#include "imaging/JpgToBmp.h"
#include "imaging/ReaderBuffers.h"

namespace pv {

namespace {

enum ColourMode : uint16_t {
    kBitmap = 0,
    kGreyscale = 1,
    kIndexed = 2,
    kCmyk = 4,
    kMultichannel = 7,
    kDuotone = 8,
    kLab = 9
};

enum Compression : uint16_t {
    kRaw = 0,
    kPackBits = 1
};

// The largest side a file of version 1 may declare.
constexpr uint32_t kMaxSide = 30000;
constexpr size_t kPaletteBytes = 768;

// How the planes become a picture; further channels (alpha, spot colours) are not shown.
enum class Kind {
    Grey,     // plane 0 as grey: greyscale, duotone (its tint curves are not applied)
    Bits,     // plane 0 one bit a pixel, 1 black
    Indexed,  // plane 0 through the colour-mode data: 256 reds, 256 greens, 256 blues
    Rgb,      // planes 0, 1, 2
    Cmyk      // planes 0 to 3, inverted as Photoshop stores them
};

struct PsdHeader {
    bool signature = false;
    uint16_t version = 0;
    uint16_t channels = 0;
    uint32_t height = 0;
    uint32_t width = 0;
    uint16_t depth = 0;
    uint16_t mode = 0;
};

bool ParseHeader(ByteReader& r, PsdHeader& h) {
    std::span<const uint8_t> sig = r.Bytes(4);
    h.signature = sig.size() == 4 && sig[0] == '8' && sig[1] == 'B' && sig[2] == 'P' && sig[3] == 'S';
    h.version = r.U16BE();
    r.Skip(6);
    h.channels = r.U16BE();
    h.height = r.U32BE();
    h.width = r.U32BE();
    h.depth = r.U16BE();
    h.mode = r.U16BE();
    return r.ok();
}

// PackBits as one stream over all rows of all channels: n < 128 copies n + 1 bytes,
// n > 128 repeats the next byte 257 - n times, 128 is nothing. A packet may run on into
// the next row; Fill stops at the end of the span it is given and resumes there.
class PackBitsStream {
public:
    explicit PackBitsStream(std::span<const uint8_t> data) : data_(data) {}

    // Bytes written to dst; fewer than dst.size() only when the data has ended. The bytes
    // of dst past the count returned may have been changed.
    size_t Fill(std::span<uint8_t> dst) {
        const size_t want = dst.size();
        uint8_t* out = dst.data();
        size_t done = 0;
        while (done < want) {
            // Whole packets while a longest one (128 bytes out, 129 in) fits both in the
            // output left and in the data left: checked once per packet, not per byte.
            while (literal_ == 0 && run_ == 0 && want - done >= kWideSpan && data_.size() - pos_ > kWideSpan) {
                const std::span<const uint8_t> in = data_.subspan(pos_, kWideSpan + 1);
                const uint8_t header = in[0];
                if (header < 128) {
                    const size_t n = size_t{header} + 1;
                    if (n <= 16) {
                        // Short literals: one fixed-size copy; the bytes past n are in
                        // the output left and are written again after.
                        std::memcpy(out + done, in.subspan(1, 16).data(), 16);
                    } else {
                        std::memcpy(out + done, in.subspan(1, n).data(), n);
                    }
                    pos_ += 1 + n;
                    done += n;
                } else if (header > 128) {
                    const size_t n = 257 - size_t{header};
                    if (n <= 16) {
                        std::memset(out + done, in[1], 16);
                    } else {
                        std::memset(out + done, in[1], n);
                    }
                    pos_ += 2;
                    done += n;
                } else {
                    pos_ += 1;
                }
            }
            if (done >= want) {
                break;
            }
            if (literal_ > 0) {
                const size_t n = std::min({literal_, want - done, data_.size() - pos_});
                if (n > 0) {
                    std::memcpy(out + done, data_.subspan(pos_, n).data(), n);
                }
                pos_ += n;
                done += n;
                literal_ -= n;
                if (literal_ > 0 && done < want) {
                    return done;  // the data ended inside the packet
                }
            } else if (run_ > 0) {
                const size_t n = std::min(run_, want - done);
                std::memset(out + done, runValue_, n);
                done += n;
                run_ -= n;
            } else {
                if (pos_ >= data_.size()) {
                    return done;
                }
                const uint8_t header = data_[pos_++];
                if (header < 128) {
                    literal_ = size_t{header} + 1;
                } else if (header > 128) {
                    if (pos_ >= data_.size()) {
                        return done;
                    }
                    runValue_ = data_[pos_++];
                    run_ = 257 - size_t{header};
                }
            }
        }
        return done;
    }

private:
    static constexpr size_t kWideSpan = 128;

    std::span<const uint8_t> data_;
    size_t pos_ = 0;
    size_t literal_ = 0;
    size_t run_ = 0;
    uint8_t runValue_ = 0;
};

// Where one channel lands in a blue, green, red pixel.
struct Target {
    uint8_t* rows = nullptr;
    size_t stride = 0;
    size_t width = 0;
    size_t sampleBytes = 1;  // 2 for 16-bit channels, big-endian: the high byte comes first
    Kind kind = Kind::Rgb;
    std::array<Bgr, 256> palette{};

    // Puts one decoded row of channel `plane` into output row y.
    void Put(size_t plane, size_t y, const uint8_t* samples) const {
        uint8_t* row = rows + y * stride;
        const size_t step = sampleBytes;
        switch (kind) {
        case Kind::Grey:
            for (size_t x = 0; x < width; ++x) {
                row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = samples[x * step];
            }
            return;
        case Kind::Bits:
            for (size_t x = 0; x < width; ++x) {
                const bool black = ((samples[x >> 3] >> (7 - (x & 7))) & 1) != 0;
                row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = black ? 0 : 255;
            }
            return;
        case Kind::Indexed:
            for (size_t x = 0; x < width; ++x) {
                const Bgr p = palette[samples[x * step]];
                row[3 * x] = p.b;
                row[3 * x + 1] = p.g;
                row[3 * x + 2] = p.r;
            }
            return;
        case Kind::Cmyk:
            if (plane == 3) {
                // Cyan, magenta and yellow wait in the red, green and blue bytes for black.
                for (size_t x = 0; x < width; ++x) {
                    uint8_t* p = row + 3 * x;
                    const Bgr c = InvertedCmykToBgr(p[2], p[1], p[0], samples[x * step]);
                    p[0] = c.b;
                    p[1] = c.g;
                    p[2] = c.r;
                }
                return;
            }
            [[fallthrough]];
        case Kind::Rgb:
            for (size_t x = 0; x < width; ++x) {
                row[3 * x + 2 - plane] = samples[x * step];
            }
            return;
        }
    }
};

// How a header's planes are shown, or why they cannot be.
Status KindOf(const PsdHeader& h, Kind& kind) {
    if (h.version != 1 || (h.depth != 1 && h.depth != 8 && h.depth != 16) || h.mode == kMultichannel ||
        h.mode == kLab || (h.depth == 1) != (h.mode == kBitmap)) {
        return Status::Unsupported;
    }
    switch (h.mode) {
    case kBitmap: kind = Kind::Bits; break;
    case kGreyscale:
    case kDuotone: kind = Kind::Grey; break;
    case kIndexed: kind = Kind::Indexed; break;
    case kCmyk: kind = Kind::Cmyk; break;
    default: kind = h.channels >= 3 ? Kind::Rgb : Kind::Grey; break;
    }
    if (h.channels == 0 || (kind == Kind::Cmyk && h.channels < 4)) {
        return Status::BadHeader;
    }
    return Status::Ok;
}

size_t PlanesOf(Kind kind) {
    return kind == Kind::Cmyk ? 4 : kind == Kind::Rgb ? 3 : 1;
}

}  // namespace

Status CPsdToBmp::Read(std::span<const uint8_t> file) {
    image_ = {};

    ByteReader r(file);
    PsdHeader h;
    if (!ParseHeader(r, h)) {
        return file.size() >= 4 && !h.signature ? Status::NotThisFormat : Status::Truncated;
    }
    if (!h.signature) {
        return Status::NotThisFormat;
    }
    Kind kind = Kind::Rgb;
    if (Status s = KindOf(h, kind); s != Status::Ok) {
        return s;
    }
    if (h.width > kMaxSide || h.height > kMaxSide) {
        return Status::BadHeader;
    }
    const size_t sampleBytes = h.depth == 16 ? 2 : 1;
    // The decoded row of one channel is staged beside the output.
    const size_t rowBytes = h.depth == 1 ? (size_t{h.width} + 7) / 8 : h.width * sampleBytes;
    if (Status s = CheckPictureSize(h.width, h.height, rowBytes); s != Status::Ok) {
        return s;
    }
    // A PackBits run gives at most 128 bytes of a channel, eight pixels each at one bit.
    if (Status s = CheckPictureInput(h.width, h.height, file.size(), kRunPixelsPerByte * (h.depth == 1 ? 8 : 1));
        s != Status::Ok) {
        return s;
    }
    Target out;
    out.kind = kind;
    // Colour-mode data (an indexed file's palette), image resources, layers and masks:
    // each skipped by its length.
    for (int section = 0; section < 3; ++section) {
        const uint32_t length = r.U32BE();
        if (section == 0 && kind == Kind::Indexed) {
            ByteReader pal(r.Rest().first(std::min<size_t>(std::min<size_t>(length, kPaletteBytes), r.remaining())));
            for (size_t c = 0; c < 3; ++c) {
                for (Bgr& p : out.palette) {
                    (c == 0 ? p.r : c == 1 ? p.g : p.b) = pal.U8();
                }
            }
        }
        if (!r.Skip(length)) {
            return Status::Truncated;
        }
    }
    const uint16_t compression = r.U16BE();
    if (!r.ok()) {
        return Status::Truncated;
    }
    if (compression != kRaw && compression != kPackBits) {
        return Status::Unsupported;
    }
    const size_t width = h.width;
    const size_t height = h.height;
    const size_t channels = h.channels;
    if (compression == kPackBits && !r.Skip(channels * height * 2)) {
        return Status::Truncated;
    }

    const size_t stride = RowStride(24, static_cast<int32_t>(width));
    if (!ReuseOrAllocate(rows_, HeapId::Psd, stride * height) || !ReuseOrAllocate(line_, HeapId::Psd, rowBytes)) {
        rows_.Reset();
        line_.Reset();
        return Status::OutOfMemory;
    }
    out.rows = rows_.data();
    out.stride = stride;
    out.width = width;
    out.sampleBytes = sampleBytes;
    ZeroRowPadding(out.rows, stride, 3 * width, height);
    const std::span<uint8_t> line(line_.data(), rowBytes);
    const size_t planes = PlanesOf(kind);

    const std::span<const uint8_t> data = r.Rest();
    PackBitsStream packBits(data);
    ByteReader raw(data);
    bool ended = false;
    for (size_t plane = 0; plane < planes; ++plane) {
        for (size_t y = 0; y < height; ++y) {
            size_t got = 0;
            if (!ended) {
                got = compression == kPackBits ? packBits.Fill(line) : raw.CopyTo(line);
                ended = got < rowBytes;
            }
            // Where the data has ended the rest of the picture is black.
            if (got < rowBytes) {
                std::memset(line.data() + got, 0, rowBytes - got);
            }
            out.Put(plane, y, line.data());
        }
    }

    image_.width = static_cast<int32_t>(width);
    image_.height = static_cast<int32_t>(height);
    image_.bitsPerPixel = 24;
    image_.stride = static_cast<uint32_t>(stride);
    image_.pixels = out.rows;
    return Status::Ok;
}

}  // namespace pv
