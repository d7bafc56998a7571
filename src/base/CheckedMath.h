// Overflow-checked size arithmetic: every size computed from file data goes through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace pv {

[[nodiscard]] inline std::optional<size_t> CheckedMul(size_t a, size_t b) {
    size_t r = 0;
    if (__builtin_mul_overflow(a, b, &r)) {
        return std::nullopt;
    }
    return r;
}

[[nodiscard]] inline std::optional<size_t> CheckedMul(size_t a, size_t b, size_t c) {
    auto ab = CheckedMul(a, b);
    return ab ? CheckedMul(*ab, c) : std::nullopt;
}

[[nodiscard]] inline std::optional<size_t> CheckedAdd(size_t a, size_t b) {
    size_t r = 0;
    if (__builtin_add_overflow(a, b, &r)) {
        return std::nullopt;
    }
    return r;
}

// True when [offset, offset + need) lies inside a buffer of `size` bytes.
[[nodiscard]] constexpr bool FitsIn(size_t offset, size_t need, size_t size) {
    return offset <= size && need <= size - offset;
}

}  // namespace pv
