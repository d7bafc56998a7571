#include "imaging/ThumbSlot.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include "base/ByteReader.h"
#include "base/CheckedMath.h"
#include "base/DecodeLimits.h"
#include "base/Text.h"
#include "imaging/BmpToBmp.h"
#include "imaging/CurToBmp.h"
#include "imaging/GifToBmp.h"
#include "imaging/IcoToBmp.h"
#include "imaging/JpgToBmp.h"
#include "imaging/PcxToBmp.h"
#include "imaging/PictureFactory.h"
#include "imaging/PsdToBmp.h"
#include "imaging/ReaderChoice.h"
#include "imaging/RowCopyLock.h"
#include "imaging/TgaToBmp.h"
#include "platform/FileSystem.h"

namespace pv {

namespace {

struct GroupRow {
    std::string_view extension;
    ThumbGroup group;
};

constexpr std::array<GroupRow, 37> kGroups = {{
        {".GIF", ThumbGroup::Gif},    {".JPG", ThumbGroup::Jpeg},   {".JPEG", ThumbGroup::Jpeg},
        {".JFIF", ThumbGroup::Jpeg},  {".BMP", ThumbGroup::Bmp},    {".ICO", ThumbGroup::Icon},
        {".CUR", ThumbGroup::Cursor}, {".PCX", ThumbGroup::Pcx},    {".TGA", ThumbGroup::Tga},
        {".PSD", ThumbGroup::Psd},    {".ASF", ThumbGroup::Video},  {".ASX", ThumbGroup::Video},
        {".AVI", ThumbGroup::Video},  {".MPG", ThumbGroup::Video},  {".M1V", ThumbGroup::Video},
        {".MP2", ThumbGroup::Video},  {".MPE", ThumbGroup::Video},  {".MPEG", ThumbGroup::Video},
        {".MOV", ThumbGroup::Video},  {".QT", ThumbGroup::Video},   {".M3U", ThumbGroup::Video},
        {".WM", ThumbGroup::Video},   {".WMV", ThumbGroup::Video},  {".MP3", ThumbGroup::Audio},
        {".WAX", ThumbGroup::Audio},  {".MPA", ThumbGroup::Audio},  {".AIF", ThumbGroup::Audio},
        {".AIFC", ThumbGroup::Audio}, {".MID", ThumbGroup::Audio},  {".MIDI", ThumbGroup::Audio},
        {".RMI", ThumbGroup::Audio},  {".AIFF", ThumbGroup::Audio}, {".AU", ThumbGroup::Audio},
        {".SND", ThumbGroup::Audio},  {".RA", ThumbGroup::Audio},   {".WAV", ThumbGroup::Audio},
        {".WMA", ThumbGroup::Audio},
}};

constexpr uint8_t kFrameShadow = 128;
constexpr uint8_t kFrameLight = 255;
// Buffers a worker keeps between files are given back past this size, so one huge file
// does not pin its memory for the rest of the worker's life.
constexpr size_t kKeptBytes = size_t{64} << 20;

void PutPixel(uint8_t* thumb, int32_t x, int32_t y, uint8_t b, uint8_t g, uint8_t r) {
    if (x < 0 || y < 0 || x >= kThumbWidth || y >= kThumbHeight) {
        return;
    }
    uint8_t* p = thumb + static_cast<size_t>(y) * kThumbStride + static_cast<size_t>(x) * 3;
    p[0] = b;
    p[1] = g;
    p[2] = r;
}

void PutGrey(uint8_t* thumb, int32_t x, int32_t y, uint8_t v) {
    PutPixel(thumb, x, y, v, v, v);
}

// Placement of one side of the picture in the box: where the frame starts and how much of
// the picture lies beyond the box on each side.
struct Placement {
    int32_t origin = 0;
    int32_t excess = 0;
};

Placement Place(int32_t size, int32_t thumbSize) {
    if (size > thumbSize - 4) {
        return {0, -((thumbSize - size - 4) / 2)};
    }
    return {(thumbSize - size - 4) / 2, 0};
}

// One source pixel to the thumbnail, for each kind of source row.
template <int Bytes>
inline void CopyPixel(const uint8_t* row, size_t x, const uint8_t*, uint8_t* out) {
    const uint8_t* p = row + x * Bytes;
    out[0] = p[0];
    out[1] = p[1];
    out[2] = p[2];
}

template <>
inline void CopyPixel<1>(const uint8_t* row, size_t x, const uint8_t* palette, uint8_t* out) {
    const uint8_t* p = palette + 4 * size_t{row[x]};
    out[0] = p[0];
    out[1] = p[1];
    out[2] = p[2];
}

template <int Bytes>
void CopyUnscaled(const ImageBuffer& src, uint8_t* thumb, int32_t x0, int32_t y0) {
    const int32_t w = std::min(src.width - 1, kThumbWidth - x0 - 2);
    const int32_t h = std::min(src.height - 1, kThumbHeight - y0 - 2);
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* row = src.pixels + size_t{src.stride} * static_cast<size_t>(y);
        uint8_t* out = thumb + static_cast<size_t>(y0 + 2 + y) * kThumbStride + static_cast<size_t>(x0 + 2) * 3;
        for (int32_t x = 0; x < w; ++x, out += 3) {
            CopyPixel<Bytes>(row, static_cast<size_t>(x), src.palette, out);
        }
    }
}

template <int Bytes>
void CopyScaled(const ImageBuffer& src, uint8_t* thumb) {
    const int32_t w = src.width;
    const int32_t h = src.height;
    const float s = std::min(static_cast<float>(kThumbBoxWidth) / static_cast<float>(w),
                             static_cast<float>(kThumbBoxHeight) / static_cast<float>(h));
    const int32_t nw =
            std::clamp(static_cast<int32_t>(static_cast<double>(w) * static_cast<double>(s)), 1, kThumbBoxWidth);
    const int32_t nh =
            std::clamp(static_cast<int32_t>(static_cast<double>(h) * static_cast<double>(s)), 1, kThumbBoxHeight);
    const float t = 1.0f / s;
    const int32_t x0 = (kThumbWidth - nw - 4) / 2;
    const int32_t y0 = (kThumbHeight - nh - 4) / 2;
    std::array<size_t, kThumbBoxWidth> columns{};
    for (int32_t c = 2; c < nw; ++c) {
        columns[static_cast<size_t>(c)] = static_cast<size_t>(
                std::min<double>(w - 1, static_cast<int32_t>(static_cast<double>(c) * static_cast<double>(t))));
    }
    for (int32_t r = 2; r < nh; ++r) {
        const auto sy = static_cast<size_t>(
                std::min<double>(h - 1, static_cast<int32_t>(static_cast<double>(r) * static_cast<double>(t))));
        const uint8_t* row = src.pixels + size_t{src.stride} * sy;
        uint8_t* out = thumb + static_cast<size_t>(y0 + r) * kThumbStride + static_cast<size_t>(x0 + 2) * 3;
        for (int32_t c = 2; c < nw; ++c, out += 3) {
            CopyPixel<Bytes>(row, columns[static_cast<size_t>(c)], src.palette, out);
        }
    }
}

template <int Bytes>
void FitPixels(const ImageBuffer& src, uint8_t* thumb, int32_t x0, int32_t y0) {
    if (src.width < kThumbWidth - 2 && src.height < kThumbHeight - 2) {
        CopyUnscaled<Bytes>(src, thumb, x0, y0);
    } else {
        CopyScaled<Bytes>(src, thumb);
    }
}

// ---- Pictures far larger than their bytes ---------------------------------------------

// The run-length and LZW formats read whole (PCX, TGA, PSD, GIF) can declare a picture of
// hundreds of megabytes in a few kilobytes of a cut or forged file. Their readers refuse a
// picture their format could not encode in the file's bytes; a thumbnail worker applies the
// same rule before reading, and for GIF a tighter ratio (what LZW encoders that clear a full
// table reach), since a thumbnail is not worth a file built to the limit.
constexpr uint64_t kThumbGifPixelsPerByte = 1365;

uint32_t LoadU32BEAt(std::span<const uint8_t> b, size_t off) {
    return off <= b.size() && b.size() - off >= 4
                   ? uint32_t{b[off]} << 24 | uint32_t{b[off + 1]} << 16 | uint32_t{b[off + 2]} << 8 | b[off + 3]
                   : 0;
}

// Pixels from `first` to `last`, both included (PCX's window).
uint64_t Extent(uint16_t first, uint16_t last) {
    return last >= first ? uint64_t{last} - first + 1 : 0;
}

// Width and height as the file's header declares them (0 when there is none to read); for
// a GIF the logical screen, which bounds every frame's raster.
std::pair<uint64_t, uint64_t> DeclaredSize(ThumbGroup group, std::span<const uint8_t> file) {
    switch (group) {
    case ThumbGroup::Pcx:
        return {Extent(LoadU16LE(file, 4), LoadU16LE(file, 8)), Extent(LoadU16LE(file, 6), LoadU16LE(file, 10))};
    case ThumbGroup::Tga: return {LoadU16LE(file, 12), LoadU16LE(file, 14)};
    case ThumbGroup::Psd: return {LoadU32BEAt(file, 18), LoadU32BEAt(file, 14)};
    case ThumbGroup::Gif: return {LoadU16LE(file, 6), LoadU16LE(file, 8)};
    default: return {0, 0};
    }
}

bool FarLargerThanItsBytes(ThumbGroup group, std::span<const uint8_t> file) {
    const auto [width, height] = DeclaredSize(group, file);
    const uint64_t ratio = group == ThumbGroup::Pcx   ? kPcxPixelsPerByte
                           : group == ThumbGroup::Psd ? 8 * kRunPixelsPerByte
                           : group == ThumbGroup::Gif ? kThumbGifPixelsPerByte
                                                      : kRunPixelsPerByte;
    return CheckPictureInput(static_cast<int64_t>(width), static_cast<int64_t>(height), file.size(), ratio) !=
           Status::Ok;
}

// ---- The scaling BMP read --------------------------------------------------------------

// ---- The decode entry ------------------------------------------------------------------

void CopyOrZero(std::span<const uint8_t> file, size_t offset, std::span<uint8_t> out) {
    ByteReader r(file);
    size_t got = 0;
    if (r.Seek(offset)) {
        got = r.CopyTo(out);
    }
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(got), out.end(), uint8_t{0});
}

}  // namespace

struct ThumbScratch::Parts {
    std::vector<uint8_t> file;
    std::unique_ptr<CJpgToBmp> jpeg;
    std::unique_ptr<CGifToBmp> gif;
    HeapBlock bmpRows;
    // Icon, cursor, PCX, TGA, PSD and the picture object, made on first use.
    std::array<std::unique_ptr<PictureReader>, 6> readers;
    bool pictureObjectTried = false;
};

ThumbScratch::ThumbScratch() : parts_(std::make_unique<Parts>()) {}

ThumbScratch::~ThumbScratch() = default;

ThumbGroup ThumbGroupFor(std::string_view extension) {
    for (const GroupRow& row : kGroups) {
        if (EqualsNoCase(extension, row.extension)) {
            return row.group;
        }
    }
    return ThumbGroup::PictureObject;
}

void FitAndFrame(const ImageBuffer& src, uint8_t* thumb) {
    if (!src.HasPicture()) {
        return;
    }
    const int32_t w = src.width;
    const int32_t h = src.height;
    const Placement px = Place(w, kThumbWidth);
    const Placement py = Place(h, kThumbHeight);
    const int32_t x0 = px.origin;
    const int32_t y0 = py.origin;
    const int32_t right = x0 + 1 + w - 2 * px.excess;
    const int32_t bottom = y0 + 1 + h - 2 * py.excess;
    for (int32_t y = y0 + 1; y <= bottom; ++y) {
        PutGrey(thumb, x0 + 1, y, kFrameShadow);
        PutGrey(thumb, right, y, kFrameLight);
    }
    for (int32_t x = x0 + 1; x <= x0 + w - 2 * px.excess; ++x) {
        PutGrey(thumb, x, y0 + 1, kFrameShadow);
        PutGrey(thumb, x, bottom, kFrameLight);
    }
    switch (src.bitsPerPixel) {
    case 8:
        if (src.palette != nullptr) {
            FitPixels<1>(src, thumb, x0, y0);
        }
        break;
    case 24: FitPixels<3>(src, thumb, x0, y0); break;
    case 32: FitPixels<4>(src, thumb, x0, y0); break;
    default: break;
    }
}

Status ReadBmpScaled(std::span<const uint8_t> file,
                     HeapBlock& rows,
                     ImageBuffer& out,
                     int32_t& fullWidth,
                     int32_t& fullHeight) {
    out = {};
    BmpHeader h;
    if (Status header = ReadBmpHeader(file, h); header != Status::Ok) {
        return header;
    }
    if (h.compression != 0 || (h.bitsPerPixel != 8 && h.bitsPerPixel != 24 && h.bitsPerPixel != 32)) {
        return Status::Unsupported;
    }
    if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN) {
        return Status::BadHeader;
    }
    // A negative height stores the rows top-down.
    const bool topDown = h.height < 0;
    const int32_t width = h.width;
    const int32_t height = topDown ? -h.height : h.height;
    // The whole picture is refused where the view's reader would refuse it, though only a
    // hundred of its rows are ever read.
    if (Status s = CheckPictureSize(width, height); s != Status::Ok) {
        return s;
    }
    const size_t pixelBytes = h.bitsPerPixel / 8u;
    const auto stride = CheckedMul(static_cast<size_t>(width), pixelBytes);
    if (!stride) {
        return Status::TooLarge;
    }
    const size_t paddedStride = (*stride + 3) & ~size_t{3};
    // A row the file cannot hold even once is no picture this file carries.
    if (h.pixelOffset >= file.size() || paddedStride > file.size() - h.pixelOffset) {
        return Status::Truncated;
    }
    const uint32_t entries = h.coloursUsed == 0 ? 256 : h.coloursUsed;
    if (h.bitsPerPixel == 8 && entries > 256) {
        return Status::BadHeader;
    }
    // Indices past the stored palette read black.
    std::array<uint8_t, 1024> palette{};
    if (h.bitsPerPixel == 8) {
        CopyOrZero(file, kBmpFileHeaderSize + size_t{h.headerSize}, {palette.data(), size_t{entries} * 4});
    }

    const float s = std::min(static_cast<float>(kThumbBoxWidth) / static_cast<float>(width),
                             static_cast<float>(kThumbBoxHeight) / static_cast<float>(height));
    const int32_t nw =
            std::clamp(static_cast<int32_t>(static_cast<double>(width) * static_cast<double>(s)), 1, kThumbBoxWidth);
    const int32_t nh =
            std::clamp(static_cast<int32_t>(static_cast<double>(height) * static_cast<double>(s)), 1, kThumbBoxHeight);
    const float t = 1.0f / s;
    const uint32_t outStride = RowStride(24, nw);
    if (!rows.Allocate(HeapId::Thumbs, size_t{outStride} * static_cast<size_t>(nh), true)) {
        return Status::OutOfMemory;
    }
    std::array<size_t, kThumbBoxWidth> columns{};
    for (int32_t c = 0; c < nw; ++c) {
        columns[static_cast<size_t>(c)] = static_cast<size_t>(
                std::min<double>(width - 1, static_cast<int32_t>(static_cast<double>(c) * static_cast<double>(t))));
    }
    // Only the bytes of the columns read are needed: a row is fetched up to the last one.
    const size_t rowBytes = (columns[static_cast<size_t>(nw - 1)] + 1) * pixelBytes;
    std::vector<uint8_t> row(rowBytes);
    for (int32_t r = 0; r < nh; ++r) {
        const auto fileRow = static_cast<size_t>(
                std::min<double>(height - 1, static_cast<int32_t>(static_cast<double>(r) * static_cast<double>(t))));
        // Rows are counted from the picture's bottom either way, so a top-down file and its
        // bottom-up twin make the same thumbnail. Rows a short file does not hold read black.
        const size_t storedRow = topDown ? static_cast<size_t>(height) - 1 - fileRow : fileRow;
        CopyOrZero(file, size_t{h.pixelOffset} + storedRow * paddedStride, row);
        const int32_t outRow = nh - 1 - r;
        uint8_t* dst = rows.data() + size_t{outStride} * static_cast<size_t>(outRow);
        for (int32_t c = 0; c < nw; ++c, dst += 3) {
            const uint8_t* p = row.data() + columns[static_cast<size_t>(c)] * pixelBytes;
            if (pixelBytes == 1) {
                p = palette.data() + 4 * size_t{*p};
            }
            dst[0] = p[0];
            dst[1] = p[1];
            dst[2] = p[2];
        }
    }
    out.width = nw;
    out.height = nh;
    out.bitsPerPixel = 24;
    out.stride = outStride;
    out.pixels = rows.data();
    fullWidth = width;
    fullHeight = height;
    return Status::Ok;
}

namespace {

PictureReader* ReaderFor(ThumbScratch::Parts& parts, ThumbGroup group) {
    auto make = [&](size_t i, auto factory) -> PictureReader* {
        if (!parts.readers[i]) {
            parts.readers[i] = factory();
        }
        return parts.readers[i].get();
    };
    switch (group) {
    case ThumbGroup::Icon: return make(0, [] { return std::make_unique<CIcoToBmp>(); });
    case ThumbGroup::Cursor: return make(1, [] { return std::make_unique<CCurToBmp>(kThumbFill); });
    case ThumbGroup::Pcx: return make(2, [] { return std::make_unique<CPcxToBmp>(); });
    case ThumbGroup::Tga: return make(3, [] { return std::make_unique<CTgaToBmp>(); });
    case ThumbGroup::Psd: return make(4, [] { return std::make_unique<CPsdToBmp>(); });
    default:
        // Natively there is none: such files are unreadable there.
        if (!parts.pictureObjectTried) {
            parts.pictureObjectTried = true;
            parts.readers[5] = MakePictureObjectReader();
        }
        return parts.readers[5].get();
    }
}

// What a reader made of the file: the picture to fit (or none) and the slot's status.
struct Decoded {
    ImageBuffer source;
    ThumbStatus status = ThumbStatus::Picture;
};

Decoded Unreadable() {
    return {{}, ThumbStatus::Unreadable};
}

Decoded ReadWithReader(ThumbScratch::Parts& parts, ThumbGroup group, std::span<const uint8_t> bytes, ThumbSlot& slot) {
    PictureReader* reader = ReaderFor(parts, group);
    if (reader == nullptr) {
        return Unreadable();
    }
    const Status s = reader->Read(bytes);
    if (s == Status::Unsupported && group != ThumbGroup::PictureObject) {
        return ReadWithReader(parts, ThumbGroup::PictureObject, bytes, slot);
    }
    if (s != Status::Ok || !reader->image().HasPicture()) {
        return Unreadable();
    }
    slot.fullWidth = reader->image().width;
    slot.fullHeight = reader->image().height;
    return {reader->image(), ThumbStatus::Picture};
}

Decoded ReadJpeg(ThumbScratch::Parts& parts, std::span<const uint8_t> bytes, ThumbSlot& slot) {
    switch (JpegContentKind(bytes.first(std::min<size_t>(bytes.size(), 4)))) {
    case JpegContent::Jpeg: break;
    case JpegContent::PictureObject: return ReadWithReader(parts, ThumbGroup::PictureObject, bytes, slot);
    case JpegContent::Nothing: return {};  // an empty grey box, no complaint
    }
    if (!parts.jpeg) {
        parts.jpeg = std::make_unique<CJpgToBmp>();
        parts.jpeg->KeepRowsBetweenReads();
    }
    if (parts.jpeg->ReadScaled(bytes, kThumbBoxWidth, kThumbBoxHeight, slot.fullWidth, slot.fullHeight) != Status::Ok) {
        return Unreadable();
    }
    return {parts.jpeg->image(), ThumbStatus::Picture};
}

Decoded ReadGif(ThumbScratch::Parts& parts, std::span<const uint8_t> bytes, ThumbSlot& slot) {
    if (!parts.gif) {
        parts.gif = std::make_unique<CGifToBmp>();
    }
    CGifToBmp& gif = *parts.gif;
    if (gif.ReadFrame(bytes, 1) == kGifFailed || !gif.FrameDecoded()) {
        return Unreadable();
    }
    slot.fullWidth = gif.FrameWidth();
    slot.fullHeight = gif.FrameHeight();
    // A frame wholly off the logical screen leaves nothing to draw.
    return {gif.FrameRaster(), ThumbStatus::Picture};
}

Decoded ReadBmp(ThumbScratch::Parts& parts, std::span<const uint8_t> bytes, ThumbSlot& slot) {
    ImageBuffer source;
    const Status s = ReadBmpScaled(bytes, parts.bmpRows, source, slot.fullWidth, slot.fullHeight);
    if (s == Status::Unsupported) {
        return ReadWithReader(parts, ThumbGroup::PictureObject, bytes, slot);
    }
    if (s != Status::Ok) {
        return Unreadable();
    }
    return {source, ThumbStatus::Picture};
}

Decoded ReadByGroup(ThumbScratch::Parts& parts, ThumbGroup group, std::span<const uint8_t> bytes, ThumbSlot& slot) {
    if (FarLargerThanItsBytes(group, bytes)) {
        return Unreadable();
    }
    switch (group) {
    case ThumbGroup::Jpeg: return ReadJpeg(parts, bytes, slot);
    case ThumbGroup::Gif: return ReadGif(parts, bytes, slot);
    case ThumbGroup::Bmp: return ReadBmp(parts, bytes, slot);
    case ThumbGroup::Video: return {{}, ThumbStatus::Video};
    case ThumbGroup::Audio: return {{}, ThumbStatus::Audio};
    default: return ReadWithReader(parts, group, bytes, slot);
    }
}

// Decode entry steps 1 to 3: the slot names the file, has pixels and holds the grey fill.
bool BeginSlot(ThumbSlot& slot, const std::string& fullPath) {
    slot.status = ThumbStatus::Picture;
    slot.fullWidth = slot.fullHeight = 0;
    slot.sourceWidth = slot.sourceHeight = 0;
    if (slot.pixels.empty() && !slot.pixels.Allocate(HeapId::Thumbs, kThumbBytes, false)) {
        return false;
    }
    {
        // The view's 100 % row copy and this fill have always been serialised.
        std::lock_guard lock(RowCopyLock());
        std::memset(slot.pixels.data(), kThumbFill, kThumbBytes);
    }
    slot.path = fullPath;
    slot.extension = std::string(ExtensionOf(fullPath));
    return true;
}

void FinishSlot(ThumbSlot& slot, const Decoded& decoded) {
    slot.status = decoded.status;
    if (decoded.status == ThumbStatus::Picture && decoded.source.HasPicture()) {
        slot.sourceWidth = decoded.source.width;
        slot.sourceHeight = decoded.source.height;
        FitAndFrame(decoded.source, slot.pixels.data());
    }
}

// Gives back what one unusually large file left in the worker's buffers.
void TrimScratch(ThumbScratch::Parts& parts) {
    if (parts.file.capacity() > kKeptBytes) {
        std::vector<uint8_t>().swap(parts.file);
    }
    if (parts.jpeg &&
        size_t{parts.jpeg->image().stride} * static_cast<size_t>(parts.jpeg->image().height) > kKeptBytes) {
        parts.jpeg.reset();
    }
    if (parts.gif &&
        size_t{parts.gif->FrameRaster().stride} * static_cast<size_t>(parts.gif->FrameRaster().height) > kKeptBytes) {
        parts.gif.reset();
    }
    for (auto& reader : parts.readers) {
        if (reader && size_t{reader->image().stride} * static_cast<size_t>(reader->image().height) > kKeptBytes) {
            reader.reset();
            parts.pictureObjectTried = false;
        }
    }
}

}  // namespace

bool DecodeThumbnailBytes(ThumbSlot& slot,
                          const std::string& fullPath,
                          std::span<const uint8_t> bytes,
                          ThumbScratch& scratch) {
    if (!BeginSlot(slot, fullPath)) {
        return false;
    }
    FinishSlot(slot, ReadByGroup(scratch.parts(), ThumbGroupFor(slot.extension), bytes, slot));
    TrimScratch(scratch.parts());
    return true;
}

bool DecodeThumbnail(ThumbSlot& slot, const std::string& fullPath, ThumbScratch& scratch) {
    if (!BeginSlot(slot, fullPath)) {
        return false;
    }
    ThumbScratch::Parts& parts = scratch.parts();
    const ThumbGroup group = ThumbGroupFor(slot.extension);
    if (group == ThumbGroup::Video || group == ThumbGroup::Audio) {
        FinishSlot(slot, ReadByGroup(parts, group, {}, slot));  // media files are not opened
        return true;
    }
    if (ReadWholeFile(fullPath, parts.file) != Status::Ok) {
        FinishSlot(slot, Unreadable());
        return true;
    }
    FinishSlot(slot, ReadByGroup(parts, group, parts.file, slot));
    TrimScratch(parts);
    return true;
}

}  // namespace pv
