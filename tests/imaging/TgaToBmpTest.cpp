// The TGA reader: orientation, pixel formats, packets, colour maps, short data, refusals.
#include <gtest/gtest.h>

#include "ReaderFileBuilders.h"
#include "imaging/TgaToBmp.h"

namespace pv {
namespace {

using test::BuildTga;
using test::Bytes;

constexpr Bgr kA{1, 2, 3};
constexpr Bgr kB{4, 5, 6};
constexpr Bgr kC{7, 8, 9};
constexpr Bgr kD{10, 11, 12};

TEST(TgaToBmpTest, EveryLayoutGivesItsPixels) {
    // A 2 x 2 picture A B / C D (top row first) stored in every way the reader knows.
    const std::vector<Bgr> abcd{kA, kB, kC, kD};
    test::ExpectReads<CTgaToBmp>({
            {"24-bit top-down", BuildTga({.height = 2, .data = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}), abcd},
            {"bit 5 clear: the first stored row is the bottom row",
             BuildTga({.height = 2, .descriptor = 0, .data = {7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}}), abcd},
            {"right-to-left columns",
             BuildTga({.height = 2, .descriptor = 0x30, .data = {4, 5, 6, 1, 2, 3, 10, 11, 12, 7, 8, 9}}), abcd},
            {"32-bit drops the fourth byte",
             BuildTga({.height = 2,
                       .bitsPerPixel = 32,
                       .data = {1, 2, 3, 255, 4, 5, 6, 0, 7, 8, 9, 128, 10, 11, 12, 1}}),
             abcd},
            {"run-length: 0x81 gives two equal pixels, a raw packet follows",
             BuildTga({.imageType = 10, .height = 2, .data = {0x81, 1, 2, 3, 0x01, 7, 8, 9, 10, 11, 12}}),
             {kA, kA, kC, kD}},
            {"run-length: a packet crosses the end of a row",
             BuildTga({.imageType = 10, .height = 2, .data = {0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0x80, 10, 11, 12}}),
             abcd},
            {"run-length honours right-to-left",
             BuildTga({.imageType = 10,
                       .height = 2,
                       .descriptor = 0x30,
                       .data = {0x01, 4, 5, 6, 1, 2, 3, 0x81, 7, 8, 9}}),
             {kA, kB, kC, kC}},
            {"the image ID and a colour map before true-colour pixels are skipped",
             BuildTga({.height = 2,
                       .id = {'h', 'i'},
                       .mapType = 1,
                       .mapLength = 3,
                       .map = Bytes(9, 0xEE),
                       .data = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}),
             abcd},
            // 16-bit pixels and map entries: five bits a channel, red highest, the top bit unused.
            {"16-bit pixels",
             BuildTga({.width = 4, .bitsPerPixel = 16, .data = {0, 0x7C, 0xE0, 3, 0x1F, 0, 0, 0x80}}),
             {{0, 0, 248}, {0, 248, 0}, {248, 0, 0}, {0, 0, 0}}},
            {"15-bit map entries",
             BuildTga({.imageType = 1,
                       .width = 4,
                       .bitsPerPixel = 8,
                       .mapType = 1,
                       .mapLength = 4,
                       .mapEntryBits = 15,
                       .map = {0, 0x7C, 0xE0, 3, 0x1F, 0, 0, 0x80},
                       .data = {0, 1, 2, 3}}),
             {{0, 0, 248}, {0, 248, 0}, {248, 0, 0}, {0, 0, 0}}},
            {"type 3 shows index i as grey",
             BuildTga({.imageType = 3, .width = 3, .bitsPerPixel = 8, .data = {0, 77, 255}}),
             {{0, 0, 0}, {77, 77, 77}, {255, 255, 255}}},
            {"type 11 uses the same ramp",
             BuildTga({.imageType = 11, .width = 3, .bitsPerPixel = 8, .data = {0x81, 77, 0x00, 200}}),
             {{77, 77, 77}, {77, 77, 77}, {200, 200, 200}}},
            // A raw header of 0 is one stored pixel, not an escape.
            {"8-bit run-length packets are plain",
             BuildTga({.imageType = 9,
                       .width = 3,
                       .bitsPerPixel = 8,
                       .mapType = 1,
                       .mapLength = 2,
                       .map = {10, 20, 30, 40, 50, 60},
                       .data = {0x00, 1, 0x81, 0}}),
             {{40, 50, 60}, {10, 20, 30}, {10, 20, 30}}},
            {"the first stored entry is index mapFirst",
             BuildTga({.imageType = 1,
                       .width = 3,
                       .bitsPerPixel = 8,
                       .mapType = 1,
                       .mapFirst = 5,
                       .mapLength = 2,
                       .map = {10, 20, 30, 40, 50, 60},
                       .data = {5, 6, 0}}),
             {{10, 20, 30}, {40, 50, 60}, {0, 0, 0}}},
            {"short data leaves the rest black", BuildTga({.height = 2, .data = {1, 2, 3, 4}}), {kA, {}, {}, {}}},
            {"run-length raw packet cut short",
             BuildTga({.imageType = 10, .height = 2, .data = {0x03, 1, 2, 3, 4, 5}}),
             {kA, {}, {}, {}}},
            {"run-length without its run value",
             BuildTga({.imageType = 10, .height = 2, .data = {0x00, 1, 2, 3, 0x83, 4}}),
             {kA, {}, {}, {}}},
    });
}

TEST(TgaToBmpTest, RefusesBadHeaders) {
    const Bytes data(6, 1);
    test::ExpectReads<CTgaToBmp>({
            {"colour-map length 1024",
             BuildTga({.mapType = 1, .mapLength = 1024, .map = Bytes(3 * 1024, 0), .data = data}),
             {},
             Status::BadHeader},
            {"colour map past the end",
             BuildTga({.mapType = 1, .mapLength = 1023, .map = Bytes(10, 0), .data = data}),
             {},
             Status::Truncated},
            {"12 bits per pixel", BuildTga({.bitsPerPixel = 12}), {}, Status::Unsupported},
            {"image type 32", BuildTga({.imageType = 32}), {}, Status::Unsupported},
            {"width 0", BuildTga({.width = 0}), {}, Status::BadHeader},
            {"beyond the budget", BuildTga({.width = 65535, .height = 65535}), {}, Status::TooLarge},
            {"17 bytes", Bytes(17, 0), {}, Status::Truncated},
    });
}

}  // namespace
}  // namespace pv
