#include "base/DecodeLimits.h"

#include "base/CheckedMath.h"

namespace pv {

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
    if (!total || *total > kDecodeBudget) {
        return 0;
    }
    return *total;
}

Status CheckPictureSize(int64_t width, int64_t height, size_t stagingBytes) {
    if (width <= 0 || height <= 0) {
        return Status::BadHeader;
    }
    const size_t rows = Budgeted24BitSize(width, height);
    return rows != 0 && stagingBytes <= kDecodeBudget - rows ? Status::Ok : Status::TooLarge;
}

}  // namespace pv
