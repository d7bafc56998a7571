// The PCX reader: run bytes, line padding, planes, palettes and refusals.
#include <gtest/gtest.h>

#include "ReaderFileBuilders.h"
#include "imaging/PcxToBmp.h"

namespace pv {
namespace {

using test::BuildPcx;
using test::Bytes;

// Palette entry i of the builder, as blue, green, red.
Bgr E(uint8_t i) {
    return {static_cast<uint8_t>(i ^ 0x55), static_cast<uint8_t>(255 - i), i};
}

Bgr G(uint8_t v) {
    return {v, v, v};
}

TEST(PcxToBmpTest, RunsPaddingPlanesAndPalettes) {
    const Bytes planes = {10,   11, 12, 99,   20, 21, 22, 99, 30,   31, 32, 99,  // row 0: R, G, B
                          0xC3, 40, 98, 0xC4, 50, 60, 61, 62, 0xC1, 97};         // row 1
    test::ExpectReads<CPcxToBmp>({
            {"literal bytes", BuildPcx({.width = 3, .bytesPerLine = 3, .data = {1, 2, 3}}), {E(1), E(2), E(3)}},
            {"0xC1 0x05 is one pixel of 5", BuildPcx({.data = {0xC1, 5, 7}}), {E(5), E(7)}},
            {"a lone 0xC0 is the value 192", BuildPcx({.data = {0xC0, 0xC0}}), {E(192), E(192)}},
            {"padding columns are dropped",
             BuildPcx({.width = 3, .bytesPerLine = 4, .data = {1, 2, 3, 99}}),
             {E(1), E(2), E(3)}},
            {"a run into the padding stops at the width",
             BuildPcx({.bytesPerLine = 4, .data = {0xC4, 6}}),
             {E(6), E(6)}},
            {"a run never continues into the next line",
             BuildPcx({.height = 2, .data = {0xC5, 4, 8, 9}}),
             {E(4), E(4), E(8), E(9)}},
            {"three planes are red, green, blue, their padding left out",
             BuildPcx({.width = 3, .height = 2, .planes = 3, .bytesPerLine = 4, .data = planes, .palette = false}),
             {{30, 20, 10}, {31, 21, 11}, {32, 22, 12}, {60, 50, 40}, {61, 50, 40}, {62, 50, 40}}},
            {"no palette marker: grey",
             BuildPcx({.height = 2, .data = {1, 2, 3, 4}, .palette = false}),
             {G(1), G(2), G(3), G(4)}},
            // 200 starts a run of 8 threes, cut at the end of line 0; line 1 is never reached.
            {"data that ends early leaves black",
             BuildPcx({.height = 2, .data = {1, 200, 3}, .palette = false}),
             {G(1), G(3), G(0), G(0)}},
    });
}

TEST(PcxToBmpTest, RefusesWhatItCannotShow) {
    const Bytes data(64, 1);
    test::ExpectReads<CPcxToBmp>({
            {"1 bit per plane",
             BuildPcx({.width = 8, .bitsPerPlane = 1, .bytesPerLine = 1, .data = data}),
             {},
             Status::Unsupported},
            {"4 bits per plane",
             BuildPcx({.width = 8, .bitsPerPlane = 4, .bytesPerLine = 4, .data = data}),
             {},
             Status::Unsupported},
            {"2 planes", BuildPcx({.planes = 2, .data = data}), {}, Status::Unsupported},
            {"4 planes", BuildPcx({.planes = 4, .data = data}), {}, Status::Unsupported},
            {"line shorter than the width",
             BuildPcx({.width = 8, .bytesPerLine = 4, .data = data}),
             {},
             Status::BadHeader},
            {"beyond the budget",
             BuildPcx({.width = 65535, .height = 65535, .bytesPerLine = 65535, .data = {1}}),
             {},
             Status::TooLarge},
            {"header only", Bytes(100, 0), {}, Status::Truncated},
    });
}

TEST(PcxToBmpTest, ReadingAgainReplacesThePicture) {
    // The reader keeps its rows between reads of one size: nothing of the first may show.
    CPcxToBmp reader;
    ASSERT_EQ(reader.Read(BuildPcx({.height = 2, .data = {5, 6, 7, 8}})), Status::Ok);
    ASSERT_EQ(reader.Read(BuildPcx({.height = 2, .data = {9}, .palette = false})), Status::Ok);
    EXPECT_EQ(test::Pixels(reader.image()), (std::vector<Bgr>{G(9), G(0), G(0), G(0)}));
}

}  // namespace
}  // namespace pv
