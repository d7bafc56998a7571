// Small GIF files built in code: literal-only LZW (a clear code before the table would
// widen the codes), so any index sequence can be written, plus raw code streams for the
// corrupt cases.
#pragma once

#include <algorithm>
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
};

struct GifSpec {
    int width = 1;
    int height = 1;
    std::vector<uint8_t> globalPalette;  // rgb triples, a power of two entries (2 to 256)
    int background = 0;
    std::vector<GifFrameSpec> frames;
    bool trailer = true;
};

inline GifFrameSpec MakeFrame(int left,
                              int top,
                              int width,
                              int height,
                              std::vector<uint8_t> indices,
                              std::optional<int> disposal = std::nullopt) {
    GifFrameSpec f;
    f.left = left;
    f.top = top;
    f.width = width;
    f.height = height;
    f.indices = std::move(indices);
    f.disposal = disposal;
    return f;
}

// Codes all of minCodeSize + 1 bits: a clear before the decoder's table would reach the
// next code size. Raw codes are written at that width too (tests keep them short).
inline std::vector<uint8_t> EncodeLiterals(const GifFrameSpec& f) {
    const uint32_t clear = 1u << f.minCodeSize;
    std::vector<uint16_t> codes;
    if (f.codes) {
        codes = *f.codes;
    } else {
        const size_t perClear = clear > 2 ? clear - 2 : 1;
        for (size_t i = 0; i < f.indices.size(); ++i) {
            if (i % perClear == 0) {
                codes.push_back(static_cast<uint16_t>(clear));
            }
            codes.push_back(f.indices[i]);
        }
        codes.push_back(static_cast<uint16_t>(clear + 1));
    }
    std::vector<uint8_t> out;
    uint64_t acc = 0;
    int bits = 0;
    for (uint16_t code : codes) {
        acc |= uint64_t{code} << bits;
        for (bits += f.minCodeSize + 1; bits >= 8; bits -= 8, acc >>= 8) {
            out.push_back(static_cast<uint8_t>(acc));
        }
    }
    if (bits > 0) {
        out.push_back(static_cast<uint8_t>(acc));
    }
    return out;
}

inline void Put16(std::vector<uint8_t>& b, int v) {
    b.insert(b.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)});
}

inline uint8_t TableBits(size_t bytes) {
    uint8_t bits = 0;
    while ((size_t{2} << bits) < bytes / 3) {
        ++bits;
    }
    return static_cast<uint8_t>(0x80 | bits);
}

inline std::vector<uint8_t> BuildGif(const GifSpec& s) {
    std::vector<uint8_t> b = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(b, s.width);
    Put16(b, s.height);
    b.push_back(s.globalPalette.empty() ? 0 : TableBits(s.globalPalette.size()));
    b.insert(b.end(), {static_cast<uint8_t>(s.background), 0});
    b.insert(b.end(), s.globalPalette.begin(), s.globalPalette.end());
    for (const GifFrameSpec& f : s.frames) {
        if (f.disposal) {
            b.insert(b.end(), {0x21, 0xF9, 4, static_cast<uint8_t>((*f.disposal << 2) | (f.transparent ? 1 : 0))});
            Put16(b, f.delay);
            b.insert(b.end(), {static_cast<uint8_t>(f.transparent.value_or(0)), 0});
        }
        b.push_back(0x2C);
        for (int v : {f.left, f.top, f.width, f.height}) {
            Put16(b, v);
        }
        b.push_back(static_cast<uint8_t>((f.localPalette.empty() ? 0 : TableBits(f.localPalette.size())) |
                                         (f.interlaced ? 0x40 : 0)));
        b.insert(b.end(), f.localPalette.begin(), f.localPalette.end());
        b.push_back(static_cast<uint8_t>(f.minCodeSize));
        const std::vector<uint8_t> data = EncodeLiterals(f);
        for (size_t at = 0; at < data.size(); at += 255) {
            const size_t n = std::min<size_t>(data.size() - at, 255);
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
