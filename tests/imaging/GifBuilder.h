// Small GIF files built in code: literal-only LZW (a clear code before the table would
// widen the codes), so any index sequence can be written, plus raw code streams for the
// corrupt cases.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace pv::test {

struct GifFrameSpec {
    int left = 0;
    int top = 0;
    int width = 1;
    int height = 1;
    std::vector<uint8_t> indices;       // in the order the data delivers them
    std::vector<uint8_t> localPalette;  // rgb triples; empty: none
    bool interlaced = false;
    std::optional<int> disposal;  // with a graphic control extension when set
    int delay = 0;
    std::optional<int> transparent;
    int minCodeSize = 8;
    std::optional<std::vector<uint16_t>> codes;  // raw codes instead of the indices
    bool omitEndCode = false;
};

struct GifSpec {
    int width = 1;
    int height = 1;
    std::vector<uint8_t> globalPalette;  // rgb triples, a power of two entries (2 to 256)
    int background = 0;
    std::vector<GifFrameSpec> frames;
    bool trailer = true;
};

class BitWriter {
public:
    void Put(uint32_t code, int size) {
        acc_ |= uint64_t{code} << bits_;
        bits_ += size;
        while (bits_ >= 8) {
            out.push_back(static_cast<uint8_t>(acc_));
            acc_ >>= 8;
            bits_ -= 8;
        }
    }

    void Flush() {
        if (bits_ > 0) {
            out.push_back(static_cast<uint8_t>(acc_));
        }
        acc_ = 0;
        bits_ = 0;
    }

    std::vector<uint8_t> out;

private:
    uint64_t acc_ = 0;
    int bits_ = 0;
};

inline int PaletteBits(size_t entries) {
    int bits = 0;
    while ((size_t{2} << bits) < entries) {
        ++bits;
    }
    return bits;
}

// Codes all of minCodeSize + 1 bits: a clear before the decoder's table would reach the
// next code size.
inline std::vector<uint8_t> EncodeLiterals(const GifFrameSpec& f) {
    const int c = f.minCodeSize;
    const uint32_t clear = 1u << c;
    const int size = c + 1;
    BitWriter w;
    if (f.codes) {
        // Raw codes at a fixed width (tests keep them short enough not to widen).
        for (uint16_t code : *f.codes) {
            w.Put(code, size);
        }
        w.Flush();
        return w.out;
    }
    const size_t perClear = clear > 2 ? clear - 2 : 1;
    size_t sinceClear = perClear;
    for (uint8_t index : f.indices) {
        if (sinceClear == perClear) {
            w.Put(clear, size);
            sinceClear = 0;
        }
        w.Put(index, size);
        ++sinceClear;
    }
    if (!f.omitEndCode) {
        w.Put(clear + 1, size);
    }
    w.Flush();
    return w.out;
}

inline void Put16(std::vector<uint8_t>& b, int v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

inline std::vector<uint8_t> BuildGif(const GifSpec& s) {
    std::vector<uint8_t> b = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(b, s.width);
    Put16(b, s.height);
    const bool global = !s.globalPalette.empty();
    b.push_back(static_cast<uint8_t>(global ? 0x80 | PaletteBits(s.globalPalette.size() / 3) : 0));
    b.push_back(static_cast<uint8_t>(s.background));
    b.push_back(0);
    b.insert(b.end(), s.globalPalette.begin(), s.globalPalette.end());
    for (const GifFrameSpec& f : s.frames) {
        if (f.disposal) {
            const int packed = (*f.disposal << 2) | (f.transparent ? 1 : 0);
            b.insert(b.end(), {0x21, 0xF9, 4, static_cast<uint8_t>(packed)});
            Put16(b, f.delay);
            b.push_back(static_cast<uint8_t>(f.transparent.value_or(0)));
            b.push_back(0);
        }
        b.push_back(0x2C);
        Put16(b, f.left);
        Put16(b, f.top);
        Put16(b, f.width);
        Put16(b, f.height);
        const bool local = !f.localPalette.empty();
        b.push_back(static_cast<uint8_t>((local ? 0x80 | PaletteBits(f.localPalette.size() / 3) : 0) |
                                         (f.interlaced ? 0x40 : 0)));
        b.insert(b.end(), f.localPalette.begin(), f.localPalette.end());
        b.push_back(static_cast<uint8_t>(f.minCodeSize));
        std::vector<uint8_t> data = EncodeLiterals(f);
        for (size_t at = 0; at < data.size(); at += 255) {
            const size_t n = data.size() - at < 255 ? data.size() - at : 255;
            b.push_back(static_cast<uint8_t>(n));
            b.insert(b.end(), data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + n));
        }
        b.push_back(0);
    }
    if (s.trailer) {
        b.push_back(0x3B);
    }
    return b;
}

// Four colours: 0 black, 1 red, 2 green, 3 blue.
inline std::vector<uint8_t> FourColours() {
    return {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};
}

}  // namespace pv::test
