// Thumbnails of single files: one cache slot, the per-file decode that fills it (a reader
// per extension group, reduced where the format allows), and the fit of the decoded
// picture into the 104 x 105 box with its sunken one-pixel frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "base/Status.h"
#include "imaging/ClassHeap.h"
#include "imaging/ImageBuffer.h"

namespace pv {

enum class ThumbStatus : uint16_t {
    Picture = 0,  // a picture, or nothing drawn (an empty grey box)
    Video = 1,
    Audio = 2,
    Unreadable = 3,
};

inline constexpr int32_t kThumbWidth = 104;
inline constexpr int32_t kThumbHeight = 105;
inline constexpr int32_t kThumbStride = 312;
inline constexpr size_t kThumbBytes = 32760;
// What every byte of a thumbnail holds before the picture and its frame are drawn.
inline constexpr uint8_t kThumbFill = 216;
// The box a picture is fitted into, inside the frame.
inline constexpr int32_t kThumbBoxWidth = kThumbWidth - 4;
inline constexpr int32_t kThumbBoxHeight = kThumbHeight - 4;

// How a file is made into a thumbnail, chosen by its extension (without case).
enum class ThumbGroup {
    Gif,
    Jpeg,
    Bmp,
    Icon,
    Cursor,
    Pcx,
    Tga,
    Psd,
    Video,
    Audio,
    PictureObject,  // everything else: DIB, EMF, WMF, ...
};

// `extension` with its dot (".jpg"), as ExtensionOf gives it.
[[nodiscard]] ThumbGroup ThumbGroupFor(std::string_view extension);

// One cache slot. Its pixels are allocated on first use and rewritten by every decode;
// a slot that never decoded has none.
struct ThumbSlot {
    HeapBlock pixels;  // kThumbBytes: 104 x 105 blue-green-red, top-down, stride 312
    ThumbStatus status = ThumbStatus::Picture;
    int32_t fullWidth = 0;  // the picture's size in the file, before any reduced read
    int32_t fullHeight = 0;
    int32_t sourceWidth = 0;  // the decoded (maybe reduced) picture that was fitted
    int32_t sourceHeight = 0;
    uint32_t listCount = 0;  // entries in the shown list when the decode began
    std::string path;        // the file the slot was last decoded from
    std::string extension;
};

// Readers and buffers one decoding thread keeps from file to file: touching freshly
// allocated memory costs more here than decoding into memory already touched.
class ThumbScratch {
public:
    ThumbScratch();
    ~ThumbScratch();
    ThumbScratch(const ThumbScratch&) = delete;
    ThumbScratch& operator=(const ThumbScratch&) = delete;

    struct Parts;

    [[nodiscard]] Parts& parts() { return *parts_; }

private:
    std::unique_ptr<Parts> parts_;
};

// Makes the thumbnail of the file at `fullPath` into `slot` (path, extension, status, sizes
// and pixels). False only when the slot's pixels cannot be allocated; a file that cannot be
// read is a success with status Unreadable.
bool DecodeThumbnail(ThumbSlot& slot, const std::string& fullPath, ThumbScratch& scratch);

// The same from the file's bytes (tests, fuzzing); `fullPath` only names the slot's file and
// gives the extension.
bool DecodeThumbnailBytes(ThumbSlot& slot,
                          const std::string& fullPath,
                          std::span<const uint8_t> bytes,
                          ThumbScratch& scratch);

// Fits a decoded picture (8-bit with palette, 24 or 32 bits) into a thumbnail already
// filled with kThumbFill and draws its frame: copied as it is when it is smaller than the
// frame, otherwise reduced by nearest neighbour.
void FitAndFrame(const ImageBuffer& source, uint8_t* thumb);

// The thumbnail side's BMP read: the picture reduced or enlarged to fit the box while it is
// read, one file row per output row, so a large bitmap is never held whole. Ok with the
// result in `out` (24-bit, top-down, rows in `rows`); Unsupported for the files the picture
// object renders (below 8 bits, 16 bits, compressed, old headers); anything else refuses the
// file.
[[nodiscard]] Status ReadBmpScaled(std::span<const uint8_t> file,
                                   HeapBlock& rows,
                                   ImageBuffer& out,
                                   int32_t& fullWidth,
                                   int32_t& fullHeight);

}  // namespace pv
