#include "imaging/PsdToBmp.h"

#include <algorithm>
#include <cstring>

#include "base/ByteReader.h"
#include "base/CheckedMath.h"
#include "base/DecodeLimits.h"
#include "imaging/ReaderBuffers.h"

namespace pv {

namespace {

enum ColourMode : uint16_t {
    kCmyk = 4,
    kMultichannel = 7,
    kLab = 9
};

enum Compression : uint16_t {
    kRaw = 0,
    kPackBits = 1
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
    size_t channels = 3;

    // Puts one decoded row of channel `plane` into output row y.
    void Put(size_t plane, size_t y, const uint8_t* samples) const {
        uint8_t* row = rows + y * stride;
        const size_t step = sampleBytes;
        if (channels == 1) {
            for (size_t x = 0; x < width; ++x) {
                row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = samples[x * step];
            }
            return;
        }
        // Red is byte 2; with two channels blue repeats plane 0, there being no plane 2.
        const size_t at = 2 - plane;
        for (size_t x = 0; x < width; ++x) {
            row[3 * x + at] = samples[x * step];
        }
        if (channels == 2 && plane == 0) {
            for (size_t x = 0; x < width; ++x) {
                row[3 * x] = samples[x * step];
            }
        }
    }
};

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
    if (h.version != 1 || (h.depth != 8 && h.depth != 16) || h.mode == kCmyk || h.mode == kMultichannel ||
        h.mode == kLab) {
        return Status::Unsupported;
    }
    if (h.channels == 0) {
        return Status::BadHeader;
    }
    if (Status s = CheckPictureSize(h.width, h.height); s != Status::Ok) {
        return s;
    }
    // Colour-mode data, image resources, layers and masks: each skipped by its length.
    for (int section = 0; section < 3; ++section) {
        if (!r.Skip(r.U32BE())) {
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
    const size_t sampleBytes = h.depth / 8u;
    // Within the decode budget: none of these products can overflow.
    const size_t rowBytes = width * sampleBytes;
    if (compression == kPackBits && !r.Skip(channels * height * 2)) {
        return Status::Truncated;
    }

    const size_t stride = RowStride(24, static_cast<int32_t>(width));
    if (!ReuseOrAllocate(rows_, HeapId::Psd, stride * height) || !ReuseOrAllocate(line_, HeapId::Psd, rowBytes)) {
        rows_.Reset();
        line_.Reset();
        return Status::OutOfMemory;
    }
    const Target out{rows_.data(), stride, width, sampleBytes, channels};
    ZeroRowPadding(out.rows, stride, 3 * width, height);
    const std::span<uint8_t> line(line_.data(), rowBytes);
    const size_t planes = std::min<size_t>(channels, 3);

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
