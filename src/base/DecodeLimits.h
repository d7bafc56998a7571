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

// Bytes of a 24-bit buffer of the given size, or 0 when it is not within the budget.
[[nodiscard]] size_t Budgeted24BitSize(int64_t width, int64_t height);

}  // namespace pv
