// The PSD reader: planes by colour mode, PackBits, skipped sections, refusals.
#include <gtest/gtest.h>

#include "ReaderFileBuilders.h"
#include "imaging/PsdToBmp.h"

namespace pv {
namespace {

using test::BuildPsd;
using test::Bytes;

Bgr G(uint8_t v) {
    return {v, v, v};
}

// A colour table whose entry 1 is red 10, green 20, blue 30 and entry 255 is red 255.
Bytes ColourTable() {
    Bytes t(768, 0);
    t[1] = 10;
    t[256 + 1] = 20;
    t[512 + 1] = 30;
    t[255] = 0xFF;
    return t;
}

TEST(PsdToBmpTest, PlanesByColourMode) {
    // 2 x 1 unless said otherwise; planes R = {1, 2}, G = {3, 4}, B = {5, 6}.
    const Bytes rgb{1, 2, 3, 4, 5, 6};
    const std::vector<Bgr> rgbPixels{{5, 3, 1}, {6, 4, 2}};
    test::ExpectReads<CPsdToBmp>({
            {"raw RGB", BuildPsd({.data = rgb}), rgbPixels},
            {"a fourth channel, and every section skipped by its length",
             BuildPsd({.channels = 4,
                       .colourModeData = Bytes(3, 2),
                       .resources = Bytes(7, 1),
                       .layers = Bytes(5000, 0xAB),
                       .data = {1, 2, 3, 4, 5, 6, 7, 8}}),
             rgbPixels},
            // 0xFE repeats the next byte 3 times; 0x80 is nothing; the first packet crosses
            // from plane R's only row into plane G.
            {"PackBits runs, literals and the no-op header",
             BuildPsd({.compression = 1, .data = {0xFE, 0x10, 0x80, 0x02, 0x20, 0x30, 0x31, 0x00, 0x40}}),
             {{0x30, 0x10, 0x10}, {0x31, 0x20, 0x10}}},
            {"a run is cut where the planes end",
             BuildPsd({.compression = 1, .data = {0x81, 0x55, 0x81, 0x66}}),
             {G(0x55), G(0x55)}},
            {"16-bit channels keep their high byte",
             BuildPsd({.depth = 16, .data = {0x12, 0x34, 0xAB, 0xCD, 0x56, 0x78, 0xEF, 0x01, 0x9A, 0xBC, 0x00, 0xFF}}),
             {{0x9A, 0x56, 0x12}, {0x00, 0xEF, 0xAB}}},
            {"greyscale", BuildPsd({.channels = 1, .mode = 1, .data = {9, 200}}), {G(9), G(200)}},
            {"greyscale with alpha shows plane 0 only",
             BuildPsd({.channels = 2, .mode = 1, .data = {9, 200, 50, 60}}),
             {G(9), G(200)}},
            {"duotone shows plane 0 as grey", BuildPsd({.mode = 8, .data = rgb}), {G(1), G(2)}},
            {"indexed through the colour-mode data",
             BuildPsd({.channels = 1, .mode = 2, .colourModeData = ColourTable(), .data = {1, 255}}),
             {{30, 20, 10}, {0, 0, 255}}},
            // Stored inverted (255 no ink): pure cyan, then half black; the fifth plane unused.
            {"CMYK is converted",
             BuildPsd({.channels = 5, .mode = 4, .data = {0, 255, 255, 255, 255, 255, 255, 127, 9, 9}}),
             {{255, 255, 0}, G(127)}},
            {"bitmap: 1 is black",
             BuildPsd({.channels = 1, .width = 10, .depth = 1, .mode = 0, .data = {0x81, 0x40}}),
             {G(0), G(255), G(255), G(255), G(255), G(255), G(255), G(0), G(255), G(0)}},
            {"compressed data that ends early leaves black",
             BuildPsd({.height = 2, .compression = 1, .data = {0x03, 1, 2, 3, 4, 0xFD, 7}}),
             {{0, 7, 1}, {0, 7, 2}, {0, 7, 3}, {0, 7, 4}}},
            {"raw data that ends early leaves black", BuildPsd({.data = {1, 2, 3}}), {{0, 3, 1}, {0, 0, 2}}},
    });
}

TEST(PsdToBmpTest, RefusesWhatItCannotShow) {
    const Bytes data(6, 1);
    Bytes pastTheEnd = BuildPsd({.data = data});
    pastTheEnd[26 + 3] = 0xFF;  // colour-mode data longer than the file
    test::ExpectReads<CPsdToBmp>({
            {"signature", BuildPsd({.data = data, .signature = "7BPS"}), {}, Status::NotThisFormat},
            {"version 2", BuildPsd({.data = data, .version = 2}), {}, Status::Unsupported},
            {"multichannel", BuildPsd({.mode = 7, .data = data}), {}, Status::Unsupported},
            {"Lab", BuildPsd({.mode = 9, .data = data}), {}, Status::Unsupported},
            {"32 bits a channel", BuildPsd({.depth = 32, .data = data}), {}, Status::Unsupported},
            {"1 bit outside bitmap mode", BuildPsd({.depth = 1, .data = data}), {}, Status::Unsupported},
            {"ZIP compression", BuildPsd({.compression = 2, .data = data}), {}, Status::Unsupported},
            {"CMYK without black", BuildPsd({.mode = 4, .data = data}), {}, Status::BadHeader},
            {"no channels", BuildPsd({.channels = 0, .data = data}), {}, Status::BadHeader},
            {"height 0", BuildPsd({.height = 0, .data = data}), {}, Status::BadHeader},
            {"width 30 001", BuildPsd({.width = 30001, .data = data}), {}, Status::BadHeader},
            {"67 108 871 x 5", BuildPsd({.width = 67108871, .height = 5, .data = data}), {}, Status::BadHeader},
            {"30 000 x 30 000", BuildPsd({.width = 30000, .height = 30000, .data = data}), {}, Status::TooLarge},
            // The rows alone fit the budget, not with the 60 000-byte line staged beside them.
            {"30 000 x 11 930 at 16 bits",
             BuildPsd({.width = 30000, .height = 11930, .depth = 16, .data = data}),
             {},
             Status::TooLarge},
            {"a section past the end", pastTheEnd, {}, Status::Truncated},
            {"20 bytes", Bytes(pastTheEnd.begin(), pastTheEnd.begin() + 20), {}, Status::Truncated},
    });
}

}  // namespace
}  // namespace pv
