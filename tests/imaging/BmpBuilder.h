// Builds small BMP files in memory so each test states exactly the bytes it feeds.
#pragma once

#include <cstdint>
#include <vector>

namespace pv::test {

struct BmpSpec {
    int32_t width = 2;
    int32_t height = 2;  // negative: top-down
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    uint32_t headerSize = 40;
    uint32_t paletteEntries = 0;  // entries actually written after the header
    // Rows as stored in the file (file order), each already padded to the stride.
    std::vector<std::vector<uint8_t>> fileRows;
};

inline void Put32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) {
        v.push_back(static_cast<uint8_t>(x >> (8 * i)));
    }
}

inline void Put16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}

// Palette entry i is (b, g, r) = (i, 255 - i, i ^ 0x55).
inline std::vector<uint8_t> BuildBmp(const BmpSpec& s) {
    std::vector<uint8_t> v{'B', 'M'};
    uint32_t pixelOffset = 14 + s.headerSize + 4 * s.paletteEntries;
    Put32(v, 0);
    Put32(v, 0);
    Put32(v, pixelOffset);
    Put32(v, s.headerSize);
    Put32(v, static_cast<uint32_t>(s.width));
    Put32(v, static_cast<uint32_t>(s.height));
    Put16(v, 1);
    Put16(v, s.bitsPerPixel);
    Put32(v, s.compression);
    Put32(v, 0);
    Put32(v, 2835);
    Put32(v, 2835);
    Put32(v, s.coloursUsed);
    Put32(v, 0);
    v.resize(14 + s.headerSize, 0);
    for (uint32_t i = 0; i < s.paletteEntries; ++i) {
        v.push_back(static_cast<uint8_t>(i));
        v.push_back(static_cast<uint8_t>(255 - i));
        v.push_back(static_cast<uint8_t>(i ^ 0x55));
        v.push_back(0);
    }
    for (const auto& row : s.fileRows) {
        v.insert(v.end(), row.begin(), row.end());
    }
    uint32_t size = static_cast<uint32_t>(v.size());
    for (int i = 0; i < 4; ++i) {
        v[2 + static_cast<size_t>(i)] = static_cast<uint8_t>(size >> (8 * i));
    }
    return v;
}

}  // namespace pv::test
