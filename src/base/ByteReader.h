// Bounded reader over untrusted bytes. Every reader of file data uses this instead of
// pointer arithmetic: a read past the end returns zero and sets a failure that sticks,
// so a parser can read a whole header and check ok() once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace pv {

class ByteReader {
public:
    ByteReader() = default;

    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    [[nodiscard]] bool ok() const { return ok_; }

    [[nodiscard]] size_t size() const { return bytes_.size(); }

    [[nodiscard]] size_t position() const { return pos_; }

    [[nodiscard]] size_t remaining() const { return bytes_.size() - pos_; }

    [[nodiscard]] bool AtEnd() const { return pos_ >= bytes_.size(); }

    // Moves to an absolute offset; an offset past the end fails (the end itself is allowed).
    bool Seek(size_t offset) {
        if (offset > bytes_.size()) {
            ok_ = false;
            pos_ = bytes_.size();
            return false;
        }
        pos_ = offset;
        return true;
    }

    bool Skip(size_t count) {
        if (count > remaining()) {
            ok_ = false;
            pos_ = bytes_.size();
            return false;
        }
        pos_ += count;
        return true;
    }

    uint8_t U8() {
        if (pos_ >= bytes_.size()) {
            ok_ = false;
            return 0;
        }
        return bytes_[pos_++];
    }

    uint16_t U16LE() { return static_cast<uint16_t>(Take(2, false)); }

    uint16_t U16BE() { return static_cast<uint16_t>(Take(2, true)); }

    uint32_t U32LE() { return static_cast<uint32_t>(Take(4, false)); }

    uint32_t U32BE() { return static_cast<uint32_t>(Take(4, true)); }

    int16_t I16LE() { return static_cast<int16_t>(U16LE()); }

    int16_t I16BE() { return static_cast<int16_t>(U16BE()); }

    int32_t I32LE() { return static_cast<int32_t>(U32LE()); }

    int32_t I32BE() { return static_cast<int32_t>(U32BE()); }

    // A view of the next `count` bytes (advancing past them); empty and failed when
    // fewer remain.
    std::span<const uint8_t> Bytes(size_t count) {
        if (count > remaining()) {
            ok_ = false;
            pos_ = bytes_.size();
            return {};
        }
        auto out = bytes_.subspan(pos_, count);
        pos_ += count;
        return out;
    }

    // Copies up to dst.size() bytes; returns how many were available. Fewer than asked
    // is a failure, but the bytes that were there are copied.
    size_t CopyTo(std::span<uint8_t> dst) {
        size_t n = dst.size() <= remaining() ? dst.size() : remaining();
        if (n != 0) {
            std::memcpy(dst.data(), bytes_.data() + pos_, n);
        }
        pos_ += n;
        if (n < dst.size()) {
            ok_ = false;
        }
        return n;
    }

    // The bytes from the current position to the end, without moving.
    [[nodiscard]] std::span<const uint8_t> Rest() const { return bytes_.subspan(pos_); }

    [[nodiscard]] std::span<const uint8_t> All() const { return bytes_; }

private:
    uint64_t Take(size_t count, bool bigEndian) {
        if (count > remaining()) {
            ok_ = false;
            pos_ = bytes_.size();
            return 0;
        }
        uint64_t v = 0;
        for (size_t i = 0; i < count; ++i) {
            uint64_t b = bytes_[pos_ + i];
            v |= bigEndian ? b << (8 * (count - 1 - i)) : b << (8 * i);
        }
        pos_ += count;
        return v;
    }

    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    bool ok_ = true;
};

// Little-endian reads at a fixed offset of a span, 0 when out of range; for headers read
// field by field where a ByteReader's sequential position is not wanted.
inline uint32_t LoadU32LE(std::span<const uint8_t> b, size_t off) {
    if (off > b.size() || b.size() - off < 4) {
        return 0;
    }
    return static_cast<uint32_t>(b[off]) | static_cast<uint32_t>(b[off + 1]) << 8 |
           static_cast<uint32_t>(b[off + 2]) << 16 | static_cast<uint32_t>(b[off + 3]) << 24;
}

inline uint16_t LoadU16LE(std::span<const uint8_t> b, size_t off) {
    if (off > b.size() || b.size() - off < 2) {
        return 0;
    }
    return static_cast<uint16_t>(b[off] | b[off + 1] << 8);
}

}  // namespace pv
