// The TGA reader on hand-made files: orientation, pixel formats, packets, colour maps.
#include <gtest/gtest.h>

#include "ReaderFileBuilders.h"
#include "imaging/TgaToBmp.h"

namespace pv {
namespace {

using test::Bytes;

std::vector<Bgr> Pixels(const ImageBuffer& img) {
    std::vector<Bgr> out;
    for (int32_t y = 0; y < img.height; ++y) {
        for (int32_t x = 0; x < img.width; ++x) {
            out.push_back(PixelAt(img, x, y));
        }
    }
    return out;
}

constexpr Bgr kA{1, 2, 3};
constexpr Bgr kB{4, 5, 6};
constexpr Bgr kC{7, 8, 9};
constexpr Bgr kD{10, 11, 12};

TEST(TgaToBmpTest, DecodesEachVariantToTheSamePixels) {
    // A 2 x 2 picture A B / C D (top row first) stored in every way the reader knows.
    struct Case {
        const char* what;
        test::TgaSpec fields;
        std::vector<Bgr> expected;
    };

    std::vector<Case> cases;
    auto add = [&](const char* what, test::TgaSpec s, std::vector<Bgr> expected = {kA, kB, kC, kD}) {
        s.width = 2;
        s.height = 2;
        cases.push_back({what, s, expected});
    };
    test::TgaSpec s;
    s.data = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    add("24-bit top-down", s);
    s.descriptor = 0x00;
    s.data = {7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6};
    add("bit 5 clear: the first stored row is the bottom row", s);
    s.descriptor = 0x30;
    s.data = {4, 5, 6, 1, 2, 3, 10, 11, 12, 7, 8, 9};
    add("right-to-left columns", s);
    s.descriptor = 0x20;
    s.bitsPerPixel = 32;
    s.data = {1, 2, 3, 255, 4, 5, 6, 0, 7, 8, 9, 128, 10, 11, 12, 1};
    add("32-bit drops the fourth byte", s);
    s.bitsPerPixel = 24;
    s.imageType = 10;
    s.data = {0x81, 1, 2, 3, 0x01, 7, 8, 9, 10, 11, 12};
    add("run-length: 0x81 gives two equal pixels, a raw packet follows", s, {kA, kA, kC, kD});
    s.data = {0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0x80, 10, 11, 12};
    add("run-length: a packet crosses the end of a row", s);
    s.descriptor = 0x30;
    s.data = {0x01, 4, 5, 6, 1, 2, 3, 0x81, 7, 8, 9};
    add("run-length honours right-to-left", s, {kA, kB, kC, kC});
    s.descriptor = 0x20;
    s.id = {'h', 'e', 'l', 'l', 'o'};
    s.mapType = 1;
    s.mapLength = 3;
    s.map = Bytes(9, 0xEE);
    s.data = {0x03, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    add("the image ID and a colour map before true-colour packets are skipped", s);
    for (const auto& c : cases) {
        CTgaToBmp reader;
        ASSERT_EQ(reader.Read(test::BuildTga(c.fields)), Status::Ok) << c.what;
        EXPECT_EQ(reader.image().width, 2) << c.what;
        EXPECT_EQ(Pixels(reader.image()), c.expected) << c.what;
    }
}

TEST(TgaToBmpTest, SixteenBitPixelsAndMapEntriesAreFiveBitsAChannel) {
    struct Case {
        const char* what;
        uint16_t value;
        Bgr expected;
    } cases[] = {
            {"bits 10 to 14 are red", 0x7C00, {0, 0, 248}},
            {"bits 5 to 9 are green", 0x03E0, {0, 248, 0}},
            {"bits 0 to 4 are blue", 0x001F, {248, 0, 0}},
            {"the top bit is not colour", 0x8000, {0, 0, 0}},
    };

    for (const auto& c : cases) {
        const auto lo = static_cast<uint8_t>(c.value);
        const auto hi = static_cast<uint8_t>(c.value >> 8);
        for (uint8_t bits : {uint8_t{15}, uint8_t{16}}) {
            test::TgaSpec s;
            s.width = 1;
            s.bitsPerPixel = bits;
            s.data = {lo, hi};
            CTgaToBmp reader;
            ASSERT_EQ(reader.Read(test::BuildTga(s)), Status::Ok) << c.what;
            EXPECT_EQ(PixelAt(reader.image(), 0, 0), c.expected) << c.what << " pixel " << int{bits};
            // The same value as a 16-bit colour-map entry.
            test::TgaSpec m;
            m.imageType = 1;
            m.width = 1;
            m.bitsPerPixel = 8;
            m.mapType = 1;
            m.mapLength = 1;
            m.mapEntryBits = bits;
            m.map = {lo, hi};
            m.data = {0};
            ASSERT_EQ(reader.Read(test::BuildTga(m)), Status::Ok) << c.what;
            EXPECT_EQ(PixelAt(reader.image(), 0, 0), c.expected) << c.what << " map entry " << int{bits};
        }
    }
}

TEST(TgaToBmpTest, ColourMapsAndGreyRamps) {
    struct Case {
        const char* what;
        test::TgaSpec fields;
        std::vector<Bgr> expected;
    };

    std::vector<Case> cases;
    test::TgaSpec grey;
    grey.imageType = 3;
    grey.bitsPerPixel = 8;
    grey.width = 3;
    grey.data = {0, 77, 255};
    cases.push_back({"type 3 shows index i as grey", grey, {{0, 0, 0}, {77, 77, 77}, {255, 255, 255}}});
    grey.imageType = 11;
    grey.data = {0x81, 77, 0x00, 200};
    cases.push_back({"type 11 uses the same ramp", grey, {{77, 77, 77}, {77, 77, 77}, {200, 200, 200}}});
    test::TgaSpec mapped;
    mapped.imageType = 9;
    mapped.bitsPerPixel = 8;
    mapped.width = 3;
    mapped.mapType = 1;
    mapped.mapLength = 2;
    mapped.map = {10, 20, 30, 40, 50, 60};
    // A raw header of 0 is one stored pixel, not an escape.
    mapped.data = {0x00, 1, 0x81, 0};
    cases.push_back({"8-bit run-length packets are plain", mapped, {{40, 50, 60}, {10, 20, 30}, {10, 20, 30}}});
    mapped.imageType = 1;
    mapped.mapFirst = 5;
    mapped.data = {5, 6, 0};
    cases.push_back({"the first stored entry is index mapFirst", mapped, {{10, 20, 30}, {40, 50, 60}, {0, 0, 0}}});
    for (const auto& c : cases) {
        CTgaToBmp reader;
        ASSERT_EQ(reader.Read(test::BuildTga(c.fields)), Status::Ok) << c.what;
        EXPECT_EQ(Pixels(reader.image()), c.expected) << c.what;
    }
}

TEST(TgaToBmpTest, ShortDataLeavesTheRestBlack) {
    struct Case {
        const char* what;
        uint8_t type;
        Bytes data;
    } cases[] = {
            {"uncompressed", 2, {1, 2, 3, 4}},
            {"run-length raw packet", 10, {0x03, 1, 2, 3, 4, 5}},
            {"run-length without a run value", 10, {0x00, 1, 2, 3, 0x83, 4}},
    };

    for (const auto& c : cases) {
        test::TgaSpec s;
        s.imageType = c.type;
        s.data = c.data;
        s.height = 2;
        CTgaToBmp reader;
        ASSERT_EQ(reader.Read(test::BuildTga(s)), Status::Ok) << c.what;
        EXPECT_EQ(Pixels(reader.image()), (std::vector<Bgr>{kA, {}, {}, {}})) << c.what;
    }
}

TEST(TgaToBmpTest, RefusesBadHeaders) {
    struct Case {
        const char* what;
        test::TgaSpec fields;
        Status expected;
    };

    std::vector<Case> cases;
    test::TgaSpec s;
    s.data = Bytes(6, 1);
    s.mapType = 1;
    s.mapLength = 1024;
    s.map = Bytes(3 * 1024, 0);
    cases.push_back({"colour-map length 1024", s, Status::BadHeader});
    s.mapLength = 1023;
    s.map = Bytes(10, 0);
    cases.push_back({"colour map past the end of the file", s, Status::Truncated});
    s = {};
    s.bitsPerPixel = 12;
    cases.push_back({"12 bits per pixel", s, Status::Unsupported});
    s = {};
    s.imageType = 32;
    cases.push_back({"image type 32", s, Status::Unsupported});
    s = {};
    s.width = 0;
    cases.push_back({"width 0", s, Status::BadHeader});
    s = {};
    s.width = 65535;
    s.height = 65535;
    cases.push_back({"beyond the decode budget", s, Status::TooLarge});
    for (const auto& c : cases) {
        CTgaToBmp reader;
        EXPECT_EQ(reader.Read(test::BuildTga(c.fields)), c.expected) << c.what;
        EXPECT_FALSE(reader.image().HasPicture()) << c.what;
    }
    CTgaToBmp reader;
    EXPECT_EQ(reader.Read(Bytes(17, 0)), Status::Truncated);
}

}  // namespace
}  // namespace pv
