// The PSD reader on hand-made files: planes, PackBits, skipped sections, channel counts.
#include <gtest/gtest.h>

#include "ReaderFileBuilders.h"
#include "imaging/PsdToBmp.h"

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

TEST(PsdToBmpTest, PlanesBecomeRedGreenBlue) {
    struct Case {
        const char* what;
        test::PsdSpec fields;
        std::vector<Bgr> expected;
    };

    std::vector<Case> cases;
    test::PsdSpec s;  // 2 x 1, planes R = {1, 2}, G = {3, 4}, B = {5, 6}
    s.data = {1, 2, 3, 4, 5, 6};
    cases.push_back({"raw 3 channels", s, {{5, 3, 1}, {6, 4, 2}}});
    s.channels = 4;
    s.data = {1, 2, 3, 4, 5, 6, 7, 8};
    s.layers = Bytes(5000, 0xAB);
    s.resources = Bytes(7, 1);
    s.colourModeData = Bytes(3, 2);
    cases.push_back({"a fourth channel and every section skipped by its length", s, {{5, 3, 1}, {6, 4, 2}}});
    s = {};
    s.compression = 1;
    // 0xFE repeats the next byte 3 times (257 - 254); 0x80 is nothing; the first packet
    // crosses from plane R's only row into plane G.
    s.data = {0xFE, 0x10, 0x80, 0x02, 0x20, 0x30, 0x31, 0x00, 0x40};
    cases.push_back({"PackBits runs, literals and the no-op header", s, {{0x30, 0x10, 0x10}, {0x31, 0x20, 0x10}}});
    s = {};
    s.channels = 1;
    s.mode = 1;
    s.data = {9, 200};
    cases.push_back({"one channel is grey in all three bytes", s, {{9, 9, 9}, {200, 200, 200}}});
    s.channels = 2;
    s.data = {9, 200, 50, 60};
    cases.push_back({"greyscale with alpha shows plane 0 only", s, {{9, 9, 9}, {200, 200, 200}}});
    s.mode = 8;
    s.channels = 3;
    s.data = {9, 200, 50, 60, 70, 80};
    cases.push_back({"duotone shows plane 0 as grey", s, {{9, 9, 9}, {200, 200, 200}}});
    s.mode = 2;
    s.channels = 1;
    s.colourModeData = Bytes(768, 0);
    s.colourModeData[1] = 10;        // red of entry 1
    s.colourModeData[256 + 1] = 20;  // green
    s.colourModeData[512 + 1] = 30;  // blue
    s.colourModeData[255] = 0xFF;
    s.data = {1, 255};
    cases.push_back({"indexed through the colour-mode data", s, {{30, 20, 10}, {0, 0, 0xFF}}});
    s = {};
    s.mode = 4;
    s.channels = 5;
    // Stored inverted (255 no ink): pure cyan, then 50 % black over white; a fifth plane (alpha).
    s.data = {0, 255, 255, 255, 255, 255, 255, 127, 9, 9};
    cases.push_back({"CMYK is converted", s, {{255, 255, 0}, {127, 127, 127}}});
    s = {};
    s.mode = 0;
    s.depth = 1;
    s.channels = 1;
    s.width = 10;
    s.data = {0x81, 0x40};
    cases.push_back({"bitmap: 1 is black",
                     s,
                     {{0, 0, 0},
                      {255, 255, 255},
                      {255, 255, 255},
                      {255, 255, 255},
                      {255, 255, 255},
                      {255, 255, 255},
                      {255, 255, 255},
                      {0, 0, 0},
                      {255, 255, 255},
                      {0, 0, 0}}});
    s = {};
    s.depth = 16;
    s.data = {0x12, 0x34, 0xAB, 0xCD, 0x56, 0x78, 0xEF, 0x01, 0x9A, 0xBC, 0x00, 0xFF};
    cases.push_back({"16-bit channels keep their high byte", s, {{0x9A, 0x56, 0x12}, {0x00, 0xEF, 0xAB}}});
    s = {};
    s.height = 2;
    s.compression = 1;
    s.data = {0x03, 1, 2, 3, 4, 0xFD, 7};  // R rows {1, 2} {3, 4}, G rows {7, 7} {7, 7}, B missing
    cases.push_back({"compressed data that ends early leaves black", s, {{0, 7, 1}, {0, 7, 2}, {0, 7, 3}, {0, 7, 4}}});
    s = {};
    s.data = {1, 2, 3};
    cases.push_back({"raw data that ends early leaves black", s, {{0, 3, 1}, {0, 0, 2}}});
    s = {};
    s.compression = 1;
    s.data = {0x81, 0x55, 0x81, 0x66, 0x81, 0x77};  // the first run of 128 fills all three planes
    cases.push_back({"a run is cut where the planes end", s, {{0x55, 0x55, 0x55}, {0x55, 0x55, 0x55}}});
    for (const auto& c : cases) {
        CPsdToBmp reader;
        ASSERT_EQ(reader.Read(test::BuildPsd(c.fields)), Status::Ok) << c.what;
        EXPECT_EQ(Pixels(reader.image()), c.expected) << c.what;
    }
}

TEST(PsdToBmpTest, RefusesWhatItCannotShow) {
    struct Case {
        const char* what;
        test::PsdSpec fields;
        Status expected;
    };

    std::vector<Case> cases;
    test::PsdSpec s;
    s.data = Bytes(6, 1);
    auto with = [&](const char* what, auto change, Status expected) {
        test::PsdSpec t = s;
        change(t);
        cases.push_back({what, t, expected});
    };
    with(
            "signature", [](test::PsdSpec& t) { t.signature[0] = '7'; }, Status::NotThisFormat);
    with(
            "version 2", [](test::PsdSpec& t) { t.version = 2; }, Status::Unsupported);
    with(
            "CMYK without black", [](test::PsdSpec& t) { t.mode = 4; }, Status::BadHeader);
    with(
            "multichannel", [](test::PsdSpec& t) { t.mode = 7; }, Status::Unsupported);
    with(
            "Lab", [](test::PsdSpec& t) { t.mode = 9; }, Status::Unsupported);
    with(
            "32 bits a channel", [](test::PsdSpec& t) { t.depth = 32; }, Status::Unsupported);
    with(
            "1 bit a channel outside bitmap mode", [](test::PsdSpec& t) { t.depth = 1; }, Status::Unsupported);
    with(
            "width over 30 000", [](test::PsdSpec& t) { t.width = 30001; }, Status::BadHeader);
    with(
            "67 108 871 x 5", [](test::PsdSpec& t) { t.width = 67108871, t.height = 5; }, Status::BadHeader);
    // Its rows alone fit the budget, not with the 60 000-byte line staged beside them.
    with(
            "30 000 x 11 930, 16 bits",
            [](test::PsdSpec& t) {
                t.width = 30000;
                t.height = 11930;
                t.depth = 16;
            },
            Status::TooLarge);
    with(
            "ZIP compression", [](test::PsdSpec& t) { t.compression = 2; }, Status::Unsupported);
    with(
            "no channels", [](test::PsdSpec& t) { t.channels = 0; }, Status::BadHeader);
    with(
            "height 0", [](test::PsdSpec& t) { t.height = 0; }, Status::BadHeader);
    with(
            "beyond the budget",
            [](test::PsdSpec& t) {
                t.width = 30000;
                t.height = 30000;
            },
            Status::TooLarge);
    for (const auto& c : cases) {
        CPsdToBmp reader;
        EXPECT_EQ(reader.Read(test::BuildPsd(c.fields)), c.expected) << c.what;
        EXPECT_FALSE(reader.image().HasPicture()) << c.what;
    }
    // A section length that points past the end stops the reader.
    Bytes file = test::BuildPsd(s);
    file[26 + 3] = 0xFF;
    CPsdToBmp reader;
    EXPECT_EQ(reader.Read(file), Status::Truncated);
    EXPECT_EQ(reader.Read(Bytes(file.begin(), file.begin() + 20)), Status::Truncated);
}

}  // namespace
}  // namespace pv
