#include "base/DecodeLimits.h"

#include <atomic>

#include "base/CheckedMath.h"

namespace pv {

namespace {
std::atomic<size_t> budget{kDecodeBudget};
}  // namespace

size_t DecodeBudget() {
    return budget.load(std::memory_order_relaxed);
}

size_t SetDecodeBudget(size_t bytes) {
    return budget.exchange(bytes, std::memory_order_relaxed);
}

size_t Budgeted24BitSize(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) {
        return 0;
    }
    auto rowBytes = CheckedMul(static_cast<size_t>(width), 3);
    if (!rowBytes) {
        return 0;
    }
    auto stride = CheckedAdd(*rowBytes, 3);
    if (!stride) {
        return 0;
    }
    auto total = CheckedMul(*stride & ~size_t{3}, static_cast<size_t>(height));
    if (!total || *total > DecodeBudget()) {
        return 0;
    }
    return *total;
}

Status CheckPictureSize(int64_t width, int64_t height, size_t stagingBytes) {
    if (width <= 0 || height <= 0) {
        return Status::BadHeader;
    }
    const size_t rows = Budgeted24BitSize(width, height);
    return rows != 0 && stagingBytes <= DecodeBudget() - rows ? Status::Ok : Status::TooLarge;
}

uint64_t PixelsHeldBy(size_t inputBytes, uint64_t pixelsPerByte) {
    uint64_t held = 0;
    return __builtin_mul_overflow(uint64_t{inputBytes}, pixelsPerByte, &held) ? UINT64_MAX : held;
}

Status CheckPictureInput(int64_t width, int64_t height, size_t inputBytes, uint64_t pixelsPerByte) {
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) {
        return Status::Ok;  // CheckPictureSize refuses these
    }
    const auto pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);  // below 2^62
    if (pixels <= kAlwaysReadBytes / 3) {
        return Status::Ok;
    }
    return pixels <= PixelsHeldBy(inputBytes, pixelsPerByte) ? Status::Ok : Status::BadHeader;
}

}  // namespace pv
