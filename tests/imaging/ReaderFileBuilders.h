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

inline void PutLE(Bytes& v, uint32_t x, int n) {
    for (int i = 0; i < n; ++i) {
        v.push_back(static_cast<uint8_t>(x >> (8 * i)));
    }
}

inline void PutBE(Bytes& v, uint64_t x, int n) {
    for (int i = n - 1; i >= 0; --i) {
        v.push_back(static_cast<uint8_t>(x >> (8 * i)));
    }
}

inline void Append(Bytes& v, const Bytes& more) {
    v.insert(v.end(), more.begin(), more.end());
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

// Palette entry i is (b, g, r) = (i, 255 - i, i ^ 0x55).
inline Bytes BuildBmp(const BmpSpec& s) {
    Bytes v{'B', 'M'};
    PutLE(v, 0, 4);
    PutLE(v, 0, 4);
    PutLE(v, 14 + s.headerSize + 4 * s.paletteEntries, 4);
    PutLE(v, s.headerSize, 4);
    PutLE(v, static_cast<uint32_t>(s.width), 4);
    PutLE(v, static_cast<uint32_t>(s.height), 4);
    PutLE(v, 1, 2);
    PutLE(v, s.bitsPerPixel, 2);
    PutLE(v, s.compression, 4);
    PutLE(v, 0, 4);
    PutLE(v, 2835, 4);
    PutLE(v, 2835, 4);
    PutLE(v, s.coloursUsed, 4);
    v.resize(14 + s.headerSize, 0);
    for (uint32_t i = 0; i < s.paletteEntries; ++i) {
        v.insert(v.end(), {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i ^ 0x55), 0});
    }
    for (const auto& row : s.fileRows) {
        Append(v, row);
    }
    for (size_t i = 0; i < 4; ++i) {
        v[2 + i] = static_cast<uint8_t>(v.size() >> (8 * i));
    }
    return v;
}

// --- PCX ---------------------------------------------------------------------------
struct PcxSpec {
    uint16_t width = 2;
    uint16_t height = 1;
    uint8_t planes = 1;
    uint8_t bitsPerPlane = 8;
    uint16_t bytesPerLine = 2;
    Bytes data;           // encoded plane lines
    bool palette = true;  // marker 12 and 256 entries after the data; entry i = (i, 255 - i, i ^ 0x55)
};

inline Bytes BuildPcx(const PcxSpec& s) {
    Bytes v{10, 5, 1, s.bitsPerPlane};
    PutLE(v, 0, 2);
    PutLE(v, 0, 2);
    PutLE(v, s.width - 1u, 2);
    PutLE(v, s.height - 1u, 2);
    v.resize(65, 0);
    v.push_back(s.planes);
    PutLE(v, s.bytesPerLine, 2);
    v.resize(128, 0);
    Append(v, s.data);
    if (s.palette) {
        v.push_back(12);
        for (unsigned i = 0; i < 256; ++i) {
            v.push_back(static_cast<uint8_t>(i));
            v.push_back(static_cast<uint8_t>(255 - i));
            v.push_back(static_cast<uint8_t>(i ^ 0x55));
        }
    }
    return v;
}

// --- TGA ---------------------------------------------------------------------------
struct TgaSpec {
    uint8_t imageType = 2;
    uint16_t width = 2;
    uint16_t height = 1;
    uint8_t bitsPerPixel = 24;
    uint8_t descriptor = 0x20;  // top-to-bottom unless a test says otherwise
    Bytes id;
    uint8_t mapType = 0;
    uint16_t mapFirst = 0;
    uint16_t mapLength = 0;
    uint8_t mapEntryBits = 24;
    Bytes map;
    Bytes data;
};

inline Bytes BuildTga(const TgaSpec& s) {
    Bytes v{static_cast<uint8_t>(s.id.size()), s.mapType, s.imageType};
    PutLE(v, s.mapFirst, 2);
    PutLE(v, s.mapLength, 2);
    v.push_back(s.mapEntryBits);
    PutLE(v, 0, 4);
    PutLE(v, s.width, 2);
    PutLE(v, s.height, 2);
    v.push_back(s.bitsPerPixel);
    v.push_back(s.descriptor);
    Append(v, s.id);
    Append(v, s.map);
    Append(v, s.data);
    return v;
}

// --- PSD ---------------------------------------------------------------------------
struct PsdSpec {
    uint16_t channels = 3;
    uint32_t width = 2;
    uint32_t height = 1;
    uint16_t depth = 8;
    uint16_t mode = 3;
    Bytes colourModeData;
    Bytes resources;
    Bytes layers;
    uint16_t compression = 0;
    Bytes data;  // for PackBits: the byte-count table is written here as channels x height zeros
    char signature[5] = "8BPS";
    uint16_t version = 1;
};

inline Bytes BuildPsd(const PsdSpec& s) {
    Bytes v(s.signature, s.signature + 4);
    PutBE(v, s.version, 2);
    PutBE(v, 0, 6);
    PutBE(v, s.channels, 2);
    PutBE(v, s.height, 4);
    PutBE(v, s.width, 4);
    PutBE(v, s.depth, 2);
    PutBE(v, s.mode, 2);
    for (const Bytes* section : {&s.colourModeData, &s.resources, &s.layers}) {
        PutBE(v, static_cast<uint32_t>(section->size()), 4);
        Append(v, *section);
    }
    PutBE(v, s.compression, 2);
    if (s.compression == 1) {
        v.resize(v.size() + 2u * s.channels * s.height, 0);
    }
    Append(v, s.data);
    return v;
}

// --- ICO and CUR ---------------------------------------------------------------------
struct IconEntrySpec {
    uint8_t width = 16;  // directory bytes
    uint8_t height = 16;
    uint8_t colourCount = 0;
    int32_t headerWidth = 16;   // information header
    int32_t headerHeight = 32;  // colour and mask rows
    uint16_t bitCount = 4;
    uint32_t compression = 0;
    std::vector<Bgr> palette;
    std::vector<Bytes> rows;  // stored order (bottom row first), each padded as the file has it
    Bytes raw;                // replaces header, palette and rows when not empty (PNG data)
};

inline Bytes BuildIconFile(uint16_t type, const std::vector<IconEntrySpec>& entries) {
    Bytes v;
    PutLE(v, 0, 2);
    PutLE(v, type, 2);
    PutLE(v, static_cast<uint32_t>(entries.size()), 2);
    std::vector<Bytes> images;
    for (const auto& e : entries) {
        Bytes img = e.raw;
        if (img.empty()) {
            PutLE(img, 40, 4);
            PutLE(img, static_cast<uint32_t>(e.headerWidth), 4);
            PutLE(img, static_cast<uint32_t>(e.headerHeight), 4);
            PutLE(img, 1, 2);
            PutLE(img, e.bitCount, 2);
            PutLE(img, e.compression, 4);
            img.resize(40, 0);
            for (Bgr p : e.palette) {
                img.insert(img.end(), {p.b, p.g, p.r, 0});
            }
            for (const auto& row : e.rows) {
                Append(img, row);
            }
        }
        images.push_back(img);
    }
    size_t offset = 6 + 16 * entries.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        v.insert(v.end(), {entries[i].width, entries[i].height, entries[i].colourCount, 0});
        PutLE(v, 1, 2);
        PutLE(v, entries[i].bitCount, 2);
        PutLE(v, static_cast<uint32_t>(images[i].size()), 4);
        PutLE(v, static_cast<uint32_t>(offset), 4);
        offset += images[i].size();
    }
    for (const auto& img : images) {
        Append(v, img);
    }
    return v;
}

}  // namespace pv::test
