// Small in-memory BMP, PCX, TGA, PSD, ICO and CUR files, so each test states the bytes it
// feeds, and a table runner for the readers.
#pragma once

#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

#include "base/Status.h"
#include "imaging/ImageBuffer.h"

namespace pv::test {

using Bytes = std::vector<uint8_t>;

// Values of n bytes each, little- or big-endian.
inline void Put(Bytes& v, int n, std::initializer_list<uint64_t> values, bool bigEndian = false) {
    for (const uint64_t x : values) {
        for (int i = 0; i < n; ++i) {
            v.push_back(static_cast<uint8_t>(x >> (8 * (bigEndian ? n - 1 - i : i))));
        }
    }
}

// Every pixel, rows top-down.
inline std::vector<Bgr> Pixels(const ImageBuffer& img) {
    std::vector<Bgr> out;
    for (int32_t y = 0; y < img.height; ++y) {
        for (int32_t x = 0; x < img.width; ++x) {
            out.push_back(PixelAt(img, x, y));
        }
    }
    return out;
}

struct ReadCase {
    const char* what;
    Bytes file;
    std::vector<Bgr> pixels;  // rows top-down, when shown
    Status status = Status::Ok;
};

// Each case with a fresh reader: Ok shows exactly its pixels, any other status nothing.
template <class Reader>
void ExpectReads(const std::vector<ReadCase>& cases) {
    for (const ReadCase& c : cases) {
        Reader reader;
        EXPECT_EQ(reader.Read(c.file), c.status) << c.what;
        if (c.status == Status::Ok) {
            EXPECT_EQ(Pixels(reader.image()), c.pixels) << c.what;
        } else {
            EXPECT_FALSE(reader.image().HasPicture()) << c.what;
        }
    }
}

// --- BMP ---------------------------------------------------------------------------
struct BmpSpec {
    int32_t width = 2, height = 2;  // negative height: top-down
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0, coloursUsed = 0, headerSize = 40;
    uint32_t paletteEntries = 0;  // entries actually written after the header
    // Rows as stored in the file (file order), each already padded to the stride.
    std::vector<std::vector<uint8_t>> fileRows;
};

// Palette entry i is (b, g, r) = (i, 255 - i, i ^ 0x55).
inline Bytes BuildBmp(const BmpSpec& s) {
    Bytes v{'B', 'M'};
    Put(v, 4,
        {0, 0, 14 + s.headerSize + 4 * s.paletteEntries, s.headerSize, static_cast<uint32_t>(s.width),
         static_cast<uint32_t>(s.height)});
    Put(v, 2, {1, s.bitsPerPixel});
    Put(v, 4, {s.compression, 0, 2835, 2835, s.coloursUsed});
    v.resize(14 + s.headerSize, 0);
    for (uint32_t i = 0; i < s.paletteEntries; ++i) {
        v.insert(v.end(), {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i ^ 0x55), 0});
    }
    for (const auto& row : s.fileRows) {
        v.insert(v.end(), row.begin(), row.end());
    }
    for (size_t i = 0; i < 4; ++i) {
        v[2 + i] = static_cast<uint8_t>(v.size() >> (8 * i));
    }
    return v;
}

// --- PCX ---------------------------------------------------------------------------
struct PcxSpec {
    uint16_t width = 2, height = 1;
    uint8_t planes = 1, bitsPerPlane = 8;
    uint16_t bytesPerLine = 2;
    Bytes data;           // encoded plane lines
    bool palette = true;  // marker 12 and 256 entries after the data; entry i: (r, g, b) = (i ^ 0x55, 255 - i, i)
};

inline Bytes BuildPcx(const PcxSpec& s) {
    Bytes v{10, 5, 1, s.bitsPerPlane};
    Put(v, 2, {0, 0, s.width - 1u, s.height - 1u});
    v.resize(65, 0);
    v.push_back(s.planes);
    Put(v, 2, {s.bytesPerLine});
    v.resize(128, 0);
    v.insert(v.end(), s.data.begin(), s.data.end());
    if (s.palette) {
        v.push_back(12);
        for (unsigned i = 0; i < 256; ++i) {
            v.insert(v.end(), {static_cast<uint8_t>(i ^ 0x55), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i)});
        }
    }
    return v;
}

// --- TGA ---------------------------------------------------------------------------
struct TgaSpec {
    uint8_t imageType = 2;
    uint16_t width = 2, height = 1;
    uint8_t bitsPerPixel = 24, descriptor = 0x20;  // top-to-bottom unless a test says otherwise
    Bytes id;
    uint8_t mapType = 0;
    uint16_t mapFirst = 0, mapLength = 0;
    uint8_t mapEntryBits = 24;
    Bytes map, data;
};

inline Bytes BuildTga(const TgaSpec& s) {
    Bytes v{static_cast<uint8_t>(s.id.size()), s.mapType, s.imageType};
    Put(v, 2, {s.mapFirst, s.mapLength});
    v.push_back(s.mapEntryBits);
    Put(v, 2, {0, 0, s.width, s.height});
    v.insert(v.end(), {s.bitsPerPixel, s.descriptor});
    for (const Bytes* part : {&s.id, &s.map, &s.data}) {
        v.insert(v.end(), part->begin(), part->end());
    }
    return v;
}

// --- PSD ---------------------------------------------------------------------------
struct PsdSpec {
    uint16_t channels = 3;
    uint32_t width = 2, height = 1;
    uint16_t depth = 8, mode = 3;
    Bytes colourModeData, resources, layers;
    uint16_t compression = 0;
    Bytes data;  // for PackBits: the byte-count table is written here as channels x height zeros
    char signature[5] = "8BPS";
    uint16_t version = 1;
};

inline Bytes BuildPsd(const PsdSpec& s) {
    Bytes v(s.signature, s.signature + 4);
    Put(v, 2, {s.version, 0, 0, 0, s.channels}, true);
    Put(v, 4, {s.height, s.width}, true);
    Put(v, 2, {s.depth, s.mode}, true);
    for (const Bytes* section : {&s.colourModeData, &s.resources, &s.layers}) {
        Put(v, 4, {section->size()}, true);
        v.insert(v.end(), section->begin(), section->end());
    }
    Put(v, 2, {s.compression}, true);
    if (s.compression == 1) {
        v.resize(v.size() + 2u * s.channels * s.height, 0);
    }
    v.insert(v.end(), s.data.begin(), s.data.end());
    return v;
}

// --- ICO and CUR ---------------------------------------------------------------------
struct IconEntrySpec {
    uint8_t width = 16, height = 16, colourCount = 0;  // directory bytes
    int32_t headerWidth = 16, headerHeight = 32;       // information header: colour and mask rows
    uint16_t bitCount = 4;
    uint32_t compression = 0;
    std::vector<Bgr> palette;
    std::vector<Bytes> rows;  // stored order (bottom row first), each padded as the file has it
    Bytes raw;                // replaces header, palette and rows when not empty (PNG data)
};

inline Bytes BuildIconFile(uint16_t type, const std::vector<IconEntrySpec>& entries) {
    Bytes v;
    Put(v, 2, {0, type, entries.size()});
    std::vector<Bytes> images;
    for (const auto& e : entries) {
        Bytes img = e.raw;
        if (img.empty()) {
            Put(img, 4, {40, static_cast<uint32_t>(e.headerWidth), static_cast<uint32_t>(e.headerHeight)});
            Put(img, 2, {1, e.bitCount});
            Put(img, 4, {e.compression});
            img.resize(40, 0);
            for (Bgr p : e.palette) {
                img.insert(img.end(), {p.b, p.g, p.r, 0});
            }
            for (const auto& row : e.rows) {
                img.insert(img.end(), row.begin(), row.end());
            }
        }
        images.push_back(img);
    }
    size_t offset = 6 + 16 * entries.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        v.insert(v.end(), {entries[i].width, entries[i].height, entries[i].colourCount, 0});
        Put(v, 2, {1, entries[i].bitCount});
        Put(v, 4, {images[i].size(), offset});
        offset += images[i].size();
    }
    for (const auto& img : images) {
        v.insert(v.end(), img.begin(), img.end());
    }
    return v;
}

}  // namespace pv::test
