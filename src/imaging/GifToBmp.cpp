#include "imaging/GifToBmp.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

#include "base/CheckedMath.h"
#include "base/DecodeLimits.h"

namespace pv {

namespace {

constexpr uint32_t kTableSize = 4096;
constexpr uint32_t kMaxChain = 8191;
// Code sizes grow to 12 bits at most, so a minimum above 11 would give clear codes beyond
// the tables: such images are refused.
constexpr uint8_t kMaxMinCodeSize = 11;
constexpr uint8_t kTrailer = 0x3B;
constexpr uint8_t kExtension = 0x21;
constexpr uint8_t kImage = 0x2C;
constexpr uint8_t kGraphicControl = 0xF9;

constexpr std::array<int32_t, 4> kPassStart = {0, 4, 2, 1};
constexpr std::array<int32_t, 4> kPassStep = {8, 8, 4, 2};

// The LZW decoder over one image's joined sub-blocks. Well-formed streams take a fast road
// that writes each code's string straight into the output (every table entry then points
// at an older one, so string lengths are known). A stream that uses a code beyond the next
// free one, or starts with a non-literal, goes on the slow road for the rest of that table:
// strings are walked through the tables as they stand, with the chain length bounded, so a
// circular chain is detected instead of looping.
class LzwDecoder {
public:
    enum class End {
        Full,
        EndCode,
        RanOut,
        Corrupt
    };

    void Reset(std::span<const uint8_t> data, uint32_t minCodeSize) {
        data_ = data;
        pos_ = 0;
        acc_ = 0;
        bits_ = 0;
        minCodeSize_ = minCodeSize;
        clear_ = 1u << minCodeSize;
        end_ = clear_ + 1;
        for (uint32_t i = 0; i < clear_; ++i) {
            table_[i] = {0, static_cast<uint16_t>(i), static_cast<uint16_t>(i), 1};
        }
        nextFree_ = kTableSize;  // every entry above the literals is cleared
        ResetTable();
        fresh_ = true;
    }

    // Decodes up to `want` pixels into `out`; with `out` null, runs the stream to its end
    // without writing (skipping an image still has to notice a corrupt one).
    End Decode(uint8_t* out, size_t want, size_t& produced) {
        produced = 0;
        const bool skip = out == nullptr;
        while (skip || produced < want) {
            if (!skip && !fresh_ && !irregular_ && want - produced > kTableSize) {
                FastRun(out, want - kTableSize, produced);
            }
            uint32_t code = 0;
            if (!ReadCode(code)) {
                return End::RanOut;
            }
            if (code == clear_) {
                // Repeated clear codes are no-ops; the next real code starts the new table.
                ResetTable();
                fresh_ = true;
                continue;
            }
            if (code == end_) {
                return End::EndCode;
            }
            if (fresh_) {
                fresh_ = false;
                old_ = code;
                firstCode_ = code;
                irregular_ = code >= clear_;
                if (!skip) {
                    out[produced] = static_cast<uint8_t>(code);
                }
                ++produced;
                continue;
            }
            if (!irregular_ && code <= nextFree_) {
                Regular(code, out, want, produced);
            } else {
                irregular_ = true;
                if (!Irregular(code, out, want, produced)) {
                    return End::Corrupt;
                }
            }
        }
        return End::Full;
    }

private:
    struct Entry {
        uint16_t prefix;
        uint16_t suffix;
        uint16_t first;   // first byte of the string (well-formed tables only)
        uint16_t length;  // length of the string (well-formed tables only)
    };

    void ResetTable() {
        // Entries at and above the clear code read as prefix 0, suffix 0 until they are
        // made; only those below the next free code were ever written.
        if (nextFree_ > clear_) {
            std::memset(&table_[clear_], 0, (std::min(nextFree_, kTableSize) - clear_) * sizeof(Entry));
        }
        codeSize_ = minCodeSize_ + 1;
        limit_ = 2 * clear_;
        nextFree_ = clear_ + 2;
        irregular_ = false;
    }

    bool ReadCode(uint32_t& code) {
        if (bits_ < codeSize_) {
            Refill();
            if (bits_ < codeSize_) {
                return false;  // a partial code at the end is no code
            }
        }
        code = static_cast<uint32_t>(acc_) & ((1u << codeSize_) - 1);
        acc_ >>= codeSize_;
        bits_ -= codeSize_;
        return true;
    }

    void Refill() {
        if (data_.size() - pos_ >= 8) {
            // Loads 8 bytes but claims only the whole bytes that fit; the bits above are the
            // same stream bytes the next load puts there again.
            uint64_t v = 0;
            std::memcpy(&v, data_.data() + pos_, 8);
            if constexpr (std::endian::native == std::endian::big) {
                v = __builtin_bswap64(v);
            }
            acc_ |= v << bits_;
            const uint32_t take = (63 - bits_) >> 3;
            pos_ += take;
            bits_ += take * 8;
            return;
        }
        while (bits_ <= 56 && pos_ < data_.size()) {
            acc_ |= uint64_t{data_[pos_++]} << bits_;
            bits_ += 8;
        }
    }

    void AddEntry(uint32_t prefix, uint16_t suffix, uint16_t first, uint16_t length) {
        if (nextFree_ >= kTableSize) {
            return;
        }
        table_[nextFree_] = {static_cast<uint16_t>(prefix), suffix, first, length};
        ++nextFree_;
        if (nextFree_ >= limit_ && limit_ < kTableSize) {
            limit_ *= 2;
            ++codeSize_;
        }
    }

    // Writes the string of `code` (an entry of the well-formed table) ending at `last`.
    void WriteString(uint32_t code, uint8_t* last) const {
        while (code >= clear_) {
            const Entry& e = table_[code];
            *last-- = static_cast<uint8_t>(e.suffix);
            code = e.prefix;
        }
        *last = static_cast<uint8_t>(code);
    }

    // The well-formed stream in bulk, while at least a whole string of room remains before
    // `stop`: leaves at the first code that needs the careful road, without taking it.
    void FastRun(uint8_t* out, size_t stop, size_t& produced) {
        uint8_t* dst = out + produced;
        uint8_t* const end = out + stop;
        uint32_t old = old_;
        while (dst < end) {
            if (bits_ < codeSize_) {
                Refill();
                if (bits_ < codeSize_) {
                    break;
                }
            }
            const uint32_t code = static_cast<uint32_t>(acc_) & ((1u << codeSize_) - 1);
            if (code >= clear_ && (code <= end_ || code > nextFree_)) {
                break;
            }
            acc_ >>= codeSize_;
            bits_ -= codeSize_;
            const Entry oldEntry = table_[old];
            uint32_t length = 1;
            uint16_t head = 0;
            if (code < clear_) {
                *dst = static_cast<uint8_t>(code);
                head = static_cast<uint16_t>(code);
            } else if (code < nextFree_) {
                const Entry& e = table_[code];
                length = e.length;
                head = e.first;
                WriteString(code, dst + length - 1);
            } else {
                length = oldEntry.length + 1u;
                head = oldEntry.first;
                WriteString(old, dst + length - 2);
                dst[length - 1] = static_cast<uint8_t>(head);
            }
            dst += length;
            AddEntry(old, head, oldEntry.first, static_cast<uint16_t>(oldEntry.length + 1u));
            old = code;
        }
        old_ = old;
        firstCode_ = table_[old].first;
        produced = static_cast<size_t>(dst - out);
    }

    void Regular(uint32_t code, uint8_t* out, size_t want, size_t& produced) {
        const bool known = code < nextFree_;
        const Entry oldEntry = table_[old_];
        const uint32_t length = known ? table_[code].length : oldEntry.length + 1u;
        const uint16_t head = known ? table_[code].first : oldEntry.first;
        if (out != nullptr) {
            const size_t room = want - produced;
            uint8_t* dst = length <= room ? out + produced : scratch_.data();
            // Only the picture's last string can overrun it: that one is built aside.
            if (known) {
                WriteString(code, dst + length - 1);
            } else {
                WriteString(old_, dst + length - 2);
                dst[length - 1] = static_cast<uint8_t>(head);
            }
            if (length > room) {
                std::memcpy(out + produced, scratch_.data(), room);
            }
        }
        produced += length;
        if (out != nullptr && produced > want) {
            produced = want;
        }
        AddEntry(old_, head, oldEntry.first, static_cast<uint16_t>(oldEntry.length + 1u));
        old_ = code;
        firstCode_ = head;
    }

    bool Irregular(uint32_t code, uint8_t* out, size_t want, size_t& produced) {
        const uint32_t incoming = code;
        size_t sp = 0;
        if (code >= nextFree_) {
            stack_[sp++] = static_cast<uint16_t>(firstCode_);
            code = old_;
        }
        while (code >= clear_) {
            if (sp >= kMaxChain) {
                return false;
            }
            stack_[sp++] = table_[code].suffix;
            code = table_[code].prefix;
        }
        firstCode_ = table_[code].suffix;
        stack_[sp++] = static_cast<uint16_t>(firstCode_);
        // Lengths and heads are not kept on this road; the entry only needs its links.
        AddEntry(old_, static_cast<uint16_t>(firstCode_), 0, 0);
        old_ = incoming;
        while (sp > 0 && (out == nullptr || produced < want)) {
            --sp;
            if (out != nullptr) {
                out[produced] = static_cast<uint8_t>(stack_[sp]);
            }
            ++produced;
        }
        return true;
    }

    std::span<const uint8_t> data_;
    size_t pos_ = 0;
    uint64_t acc_ = 0;
    uint32_t bits_ = 0;

    uint32_t minCodeSize_ = 0;
    uint32_t codeSize_ = 0;
    uint32_t clear_ = 0;
    uint32_t end_ = 0;
    uint32_t nextFree_ = 0;
    uint32_t limit_ = 0;
    uint32_t old_ = 0;
    uint32_t firstCode_ = 0;
    bool fresh_ = true;
    bool irregular_ = false;

    std::array<Entry, kTableSize> table_{};
    std::array<uint16_t, kMaxChain + 1> stack_{};
    std::array<uint8_t, kTableSize + 1> scratch_{};
};

void LoadPalette(std::span<const uint8_t> rgb, std::array<uint8_t, 1024>& palette) {
    palette.fill(0);  // indices beyond the table read black
    const size_t entries = rgb.size() / 3;
    for (size_t i = 0; i < entries && i < 256; ++i) {
        palette[4 * i] = rgb[3 * i + 2];
        palette[4 * i + 1] = rgb[3 * i + 1];
        palette[4 * i + 2] = rgb[3 * i];
    }
}

// Skips data sub-blocks up to and including the zero-length terminator.
bool SkipSubBlocks(std::span<const uint8_t> file, size_t& pos) {
    for (;;) {
        if (pos >= file.size()) {
            return false;
        }
        const size_t length = file[pos++];
        if (length == 0) {
            return true;
        }
        if (length > file.size() - pos) {
            return false;
        }
        pos += length;
    }
}

uint16_t U16At(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

}  // namespace

// The decoder's tables are large; one per reader object, made once.
struct GifLzwHolder {
    LzwDecoder decoder;
};

namespace {

LzwDecoder& DecoderFor(std::unique_ptr<GifLzwHolder>& holder) {
    if (!holder) {
        holder = std::make_unique<GifLzwHolder>();
    }
    return holder->decoder;
}

}  // namespace

CGifToBmp::CGifToBmp() = default;

CGifToBmp::~CGifToBmp() = default;

Status CGifToBmp::Read(std::span<const uint8_t> file) {
    image_ = {};
    Status s = animation_.CompositeAll(*this, file);
    if (s != Status::Ok) {
        return s;
    }
    image_ = animation_.CanvasImage(0);
    return Status::Ok;
}

Status CGifToBmp::ReadForFrame(std::span<const uint8_t> file, size_t index) {
    image_ = {};
    Status s = animation_.CompositeOnDemand(*this, file);
    if (s != Status::Ok) {
        return s;
    }
    image_ = animation_.CanvasImage(std::min(index, animation_.FrameCount() - 1));
    return Status::Ok;
}

int32_t CGifToBmp::FrameCount() const {
    return static_cast<int32_t>(animation_.FrameCount());
}

ImageBuffer CGifToBmp::FrameRaster() const {
    ImageBuffer raster;
    if (!frameDecoded_ || rasterWidth_ == 0 || rasterHeight_ == 0) {
        return raster;
    }
    raster.width = rasterWidth_;
    raster.height = rasterHeight_;
    raster.bitsPerPixel = 8;
    raster.stride = frameStride_;
    raster.palette = framePalette_;
    raster.pixels = raster_.data();
    return raster;
}

bool CGifToBmp::ReadHeader(std::span<const uint8_t> file, size_t& end) {
    if (file.size() < 13) {
        return false;
    }
    if (file[0] != 'G' || file[1] != 'I' || file[2] != 'F' || file[3] != '8' || (file[4] != '9' && file[4] != '7') ||
        file[5] != 'a') {
        return false;
    }
    screenWidth_ = U16At(file, 6);
    screenHeight_ = U16At(file, 8);
    // Every frame is drawn on the screen, so a screen the whole file could not fill is a
    // forgery, refused before any raster is cleared.
    if (CheckPictureInput(screenWidth_, screenHeight_, file.size(), kGifPixelsPerByte) != Status::Ok) {
        return false;
    }
    const uint8_t packed = file[10];
    backgroundIndex_ = file[11];
    end = 13;
    globalPalette_.fill(0);
    if ((packed & 0x80) != 0) {
        const size_t bytes = 3 * (size_t{2} << (packed & 7));
        if (bytes > file.size() - end) {
            return false;
        }
        LoadPalette(file.subspan(end, bytes), globalPalette_);
        end += bytes;
    }
    return true;
}

GifReadResult CGifToBmp::ReadFrame(std::span<const uint8_t> file, int32_t n) {
    frameDecoded_ = false;
    resumeFileSize_ = 0;
    control_ = {};
    size_t start = 0;
    if (!ReadHeader(file, start)) {
        return kGifFailed;
    }
    return Walk(file, start, 0, n);
}

GifReadResult CGifToBmp::ReadNextFrame(std::span<const uint8_t> file) {
    if (resumeFileSize_ == 0 || resumeFileSize_ != file.size()) {
        return ReadFrame(file, frameNumber_ + 1);
    }
    frameDecoded_ = false;
    resumeFileSize_ = 0;
    return Walk(file, resumeAt_, resumeCount_, resumeCount_ + 1);
}

GifReadResult CGifToBmp::Walk(std::span<const uint8_t> file, size_t pos, int32_t imageCount, int32_t n) {
    while (pos < file.size()) {
        const uint8_t introducer = file[pos++];
        if (introducer == kTrailer) {
            return kGifTrailer;
        }
        if (introducer == kExtension) {
            if (pos >= file.size()) {
                return EndOfData();
            }
            const uint8_t label = file[pos++];
            if (label == kGraphicControl && pos < file.size() && file[pos] != 0) {
                const size_t length = file[pos++];
                if (length > file.size() - pos) {
                    return EndOfData();
                }
                auto block = file.subspan(pos, length);
                pos += length;
                const uint8_t packed = block[0];
                control_.hasTransparency = (packed & 1) != 0;
                control_.userInput = (packed & 2) != 0;
                control_.disposal = static_cast<uint8_t>((packed >> 2) & 7);
                control_.delay = length >= 3 ? U16At(block, 1) : uint16_t{0};
                if (control_.hasTransparency) {
                    control_.transparentIndex = length >= 4 ? block[3] : uint8_t{0};
                }
            }
            if (!SkipSubBlocks(file, pos)) {
                return EndOfData();
            }
            continue;
        }
        if (introducer == kImage) {
            ++imageCount;
            if (imageCount > n) {
                resumeAt_ = pos - 1;
                resumeCount_ = imageCount - 1;
                resumeFileSize_ = file.size();
                return kGifMore;
            }
            if (imageCount == n) {
                frameNumber_ = n;
            }
            const ImageEnd end = ReadImage(file, pos, imageCount == n);
            // A graphic control block describes the one image that follows it.
            control_ = {};
            if (end == ImageEnd::Failed || (end == ImageEnd::Cut && !frameDecoded_)) {
                frameDecoded_ = false;
                return kGifFailed;
            }
            if (end == ImageEnd::Cut) {
                return kGifTrailer;
            }
            continue;
        }
        // Any other byte between blocks is ignored.
    }
    return EndOfData();
}

GifReadResult CGifToBmp::EndOfData() const {
    // Files cut after a complete picture are common and every viewer shows them: the frame
    // decoded counts as the last one.
    return frameDecoded_ ? kGifTrailer : kGifFailed;
}

bool CGifToBmp::GatherData(std::span<const uint8_t> file, size_t& pos) {
    lzwData_.clear();
    for (;;) {
        if (pos >= file.size()) {
            return false;
        }
        const size_t length = file[pos++];
        if (length == 0) {
            return true;
        }
        const size_t available = std::min(length, file.size() - pos);
        lzwData_.insert(lzwData_.end(), file.begin() + static_cast<std::ptrdiff_t>(pos),
                        file.begin() + static_cast<std::ptrdiff_t>(pos + available));
        pos += available;
        if (available < length) {
            return false;
        }
    }
}

CGifToBmp::ImageEnd CGifToBmp::ReadImage(std::span<const uint8_t> file, size_t& pos, bool decode) {
    if (file.size() - pos < 9) {
        return ImageEnd::Failed;
    }
    const auto left = static_cast<int16_t>(U16At(file, pos));
    const auto top = static_cast<int16_t>(U16At(file, pos + 2));
    const uint16_t width = U16At(file, pos + 4);
    const uint16_t height = U16At(file, pos + 6);
    const uint8_t packed = file[pos + 8];
    pos += 9;
    const bool hasLocal = (packed & 0x80) != 0;
    if (hasLocal) {
        const size_t bytes = 3 * (size_t{1} << ((packed & 7) + 1));
        if (bytes > file.size() - pos) {
            return ImageEnd::Failed;
        }
        if (decode) {
            LoadPalette(file.subspan(pos, bytes), localPalette_);
        }
        pos += bytes;
    }
    if (pos >= file.size()) {
        return ImageEnd::Failed;
    }
    const uint8_t minCodeSize = file[pos++];
    if (minCodeSize > kMaxMinCodeSize) {
        return ImageEnd::Failed;
    }
    const bool complete = GatherData(file, pos);
    if (!decode) {
        // Skipped images are run through the decoder only to catch corrupt ones.
        LzwDecoder& lzw = DecoderFor(lzw_);
        lzw.Reset(lzwData_, minCodeSize);
        size_t produced = 0;
        if (lzw.Decode(nullptr, 0, produced) == LzwDecoder::End::Corrupt) {
            return ImageEnd::Failed;
        }
        return complete ? ImageEnd::Done : ImageEnd::Cut;
    }
    frameLeft_ = left;
    frameTop_ = top;
    frameWidth_ = width;
    frameHeight_ = height;
    frameControl_ = control_;
    framePalette_ = hasLocal ? localPalette_.data() : globalPalette_.data();
    size_t produced = 0;
    if (!DecodeRaster(minCodeSize, (packed & 0x40) != 0, produced)) {
        return ImageEnd::Failed;
    }
    // A file that ends inside the image data still shows what it holds; only an image
    // whose data gave no pixel at all is missing.
    frameDecoded_ = complete || produced > 0;
    return complete ? ImageEnd::Done : ImageEnd::Cut;
}

namespace {

int32_t InterlacedRowsBefore(size_t pass, int32_t height) {
    int32_t rows = 0;
    for (size_t p = 0; p < pass; ++p) {
        rows += height > kPassStart[p] ? (height - kPassStart[p] + kPassStep[p] - 1) / kPassStep[p] : 0;
    }
    return rows;
}

}  // namespace

bool CGifToBmp::DecodeRaster(uint8_t minCodeSize, bool interlaced, size_t& produced) {
    // Only the part on the logical screen is kept: a frame far larger than its screen costs
    // no more than the screen does.
    const int32_t width = frameWidth_;
    const int32_t height = frameHeight_;
    rasterWidth_ = std::clamp(screenWidth_ - frameLeft_, 0, width);
    rasterHeight_ = std::clamp(screenHeight_ - frameTop_, 0, height);
    frameStride_ = RowStride(8, rasterWidth_);
    if (rasterWidth_ == 0 || rasterHeight_ == 0) {
        return true;
    }
    const size_t rasterSize = size_t{frameStride_} * static_cast<size_t>(rasterHeight_);
    if (CheckPictureSize(rasterWidth_, rasterHeight_) != Status::Ok ||
        (raster_.size() < rasterSize && !raster_.Allocate(HeapId::Gif, rasterSize, false))) {
        return false;
    }
    // Rows the data never reaches hold index 0.
    std::memset(raster_.data(), 0, rasterSize);

    // The data is decoded up to the last row kept, and never beyond what its codes can
    // give (each code yields at most one chain of the decoder's tables).
    const auto w = static_cast<size_t>(width);
    size_t rowsWanted = static_cast<size_t>(rasterHeight_);
    if (interlaced) {
        rowsWanted = 0;
        for (size_t pass = 0; pass < kPassStart.size(); ++pass) {
            if (kPassStart[pass] < rasterHeight_) {
                const int32_t inPass = (rasterHeight_ - kPassStart[pass] + kPassStep[pass] - 1) / kPassStep[pass];
                rowsWanted = std::max(rowsWanted, static_cast<size_t>(InterlacedRowsBefore(pass, height) + inPass));
            }
        }
    }
    const size_t codes = lzwData_.size() * 8 / (size_t{minCodeSize} + 1);
    const size_t want = std::min(rowsWanted * w, codes * (size_t{kMaxChain} + 2));
    if (linear_.size() < want && !linear_.Allocate(HeapId::Gif, want, false)) {
        return false;
    }
    LzwDecoder& lzw = DecoderFor(lzw_);
    lzw.Reset(lzwData_, minCodeSize);
    const LzwDecoder::End end = lzw.Decode(linear_.data(), want, produced);

    const auto kept = static_cast<size_t>(rasterWidth_);
    size_t at = 0;  // position in the data's pixel order
    auto copyRow = [&](int32_t y) {
        if (y < rasterHeight_ && at < produced) {
            std::memcpy(raster_.data() + size_t{frameStride_} * static_cast<size_t>(y), linear_.data() + at,
                        std::min(kept, produced - at));
        }
        at += w;
    };
    if (!interlaced) {
        for (int32_t y = 0; y < rasterHeight_ && at < produced; ++y) {
            copyRow(y);
        }
    } else {
        for (size_t pass = 0; pass < kPassStart.size(); ++pass) {
            for (int32_t y = kPassStart[pass]; y < height && at < produced; y += kPassStep[pass]) {
                copyRow(y);
            }
        }
    }
    return end != LzwDecoder::End::Corrupt;
}

}  // namespace pv
