// The decode budget: what any reader may hold for one picture.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Status.h"

namespace pv {

// A picture is refused before anything large is allocated when the buffers its reader
// holds at once (the decoded 24-bit rows and any staging beside them) would exceed the
// budget. A GIF animation counts all of its rasters and canvases together.
inline constexpr size_t kDecodeBudget = size_t{1} << 30;

// The budget in force: kDecodeBudget unless a fuzz target or a test set a smaller one.
[[nodiscard]] size_t DecodeBudget();

// Replaces the budget for the whole process and returns the previous one. Only the fuzz
// targets (which must not spend each execution filling a gigabyte) and tests call it.
size_t SetDecodeBudget(size_t bytes);

// Sets a budget for one scope and restores the previous one after it.
class ScopedDecodeBudget {
public:
    explicit ScopedDecodeBudget(size_t bytes) : previous_(SetDecodeBudget(bytes)) {}

    ~ScopedDecodeBudget() { SetDecodeBudget(previous_); }

    ScopedDecodeBudget(const ScopedDecodeBudget&) = delete;
    ScopedDecodeBudget& operator=(const ScopedDecodeBudget&) = delete;

private:
    size_t previous_;
};

// Ok when width and height are positive and a 24-bit top-down buffer of that size (rows
// padded to 4 bytes) plus `stagingBytes` fits the budget; BadHeader for non-positive
// sizes, TooLarge otherwise.
[[nodiscard]] Status CheckPictureSize(int64_t width, int64_t height, size_t stagingBytes = 0);

// No file of a format holds a picture of more pixels than its bytes times the format's best
// ratio (its longest run per packet, its longest LZW chain per code): a header declaring
// more is forged or belongs to a sliver of a file, and filling that picture would cost
// seconds and gigabytes for a few kilobytes. The ratios below are those bounds rounded up,
// and at least 64 for the raw layouts, so a file merely cut short still opens with its
// missing rows blank; pictures of at most kAlwaysReadBytes of 24-bit pixels always open.
inline constexpr uint64_t kAlwaysReadBytes = uint64_t{16} << 20;
inline constexpr uint64_t kPcxPixelsPerByte = 32;    // a run of 63 in two bytes
inline constexpr uint64_t kRunPixelsPerByte = 64;    // TGA, PSD: 128 in two bytes; BMP too
inline constexpr uint64_t kGifPixelsPerByte = 2731;  // 4096 from a 12-bit code

// inputBytes x pixelsPerByte, or the largest value when that overflows.
[[nodiscard]] uint64_t PixelsHeldBy(size_t inputBytes, uint64_t pixelsPerByte);

// Ok unless a picture of width x height pixels is larger than kAlwaysReadBytes in 24 bits
// and more than `pixelsPerByte` times `inputBytes` pixels; BadHeader then.
[[nodiscard]] Status CheckPictureInput(int64_t width, int64_t height, size_t inputBytes, uint64_t pixelsPerByte);

// Bytes of a 24-bit buffer of the given size, or 0 when it is not within the budget.
[[nodiscard]] size_t Budgeted24BitSize(int64_t width, int64_t height);

}  // namespace pv
