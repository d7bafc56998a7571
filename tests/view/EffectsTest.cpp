#include <gtest/gtest.h>

#include "imaging/ImageBuffer.h"
#include "view/Effects.h"

namespace pv {
namespace {

// Rows of 24-bit pixels, each row padded to four bytes with zeros.
DisplayBuffer Buffer(int32_t w, int32_t h, std::initializer_list<Bgr> pixels) {
    DisplayBuffer d;
    d.width = w;
    d.height = h;
    d.stride = RowStride(24, w);
    d.bytes.assign(static_cast<size_t>(d.stride) * static_cast<size_t>(h), 0);
    auto it = pixels.begin();
    for (int32_t r = 0; r < h; ++r) {
        for (int32_t c = 0; c < w && it != pixels.end(); ++c, ++it) {
            d.Row(r)[3 * c] = it->b;
            d.Row(r)[3 * c + 1] = it->g;
            d.Row(r)[3 * c + 2] = it->r;
        }
    }
    return d;
}

std::vector<uint8_t> After(DisplayBuffer d, const EffectFlags& effects, uint8_t grey = 216) {
    ApplyEffects(d, effects, grey);
    return d.bytes;
}

TEST(EffectsTest, GrayScaleAndGlassValues) {
    struct Row {
        Bgr in;
        uint8_t gray;
        Bgr glass;
    };

    const Row rows[] = {
            {{0, 0, 255}, 76, {127, 127, 255}}, {{0, 255, 0}, 150, {127, 255, 127}},
            {{255, 0, 0}, 28, {255, 127, 127}}, {{255, 255, 255}, 255, {255, 255, 255}},
            {{0, 0, 0}, 0, {127, 127, 127}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(After(Buffer(1, 1, {row.in}), {.grayScale = true}),
                  Buffer(1, 1, {{row.gray, row.gray, row.gray}}).bytes);
        EXPECT_EQ(After(Buffer(1, 1, {row.in}), {.glass = true}), Buffer(1, 1, {row.glass}).bytes);
    }
}

// Mirrors leave the row padding where it is, and single columns and rows alone.
TEST(EffectsTest, FlipsMirrorAndLeaveSingleColumnsAndRowsAlone) {
    const Bgr a{1, 2, 3}, b{4, 5, 6}, c{7, 8, 9};
    EXPECT_EQ(After(Buffer(3, 1, {a, b, c}), {.horizontalFlip = true}), Buffer(3, 1, {c, b, a}).bytes);
    EXPECT_EQ(After(Buffer(1, 2, {a, b}), {.horizontalFlip = true}), Buffer(1, 2, {a, b}).bytes);
    EXPECT_EQ(After(Buffer(1, 2, {a, b}), {.verticalFlip = true}), Buffer(1, 2, {b, a}).bytes);
    EXPECT_EQ(After(Buffer(2, 1, {a, b}), {.verticalFlip = true}), Buffer(2, 1, {a, b}).bytes);
}

TEST(EffectsTest, NegativeCoversPaddingAndStippleAlternatesPerRow) {
    EXPECT_EQ(After(Buffer(1, 1, {{10, 20, 30}}), {.negative = true}), (std::vector<uint8_t>{245, 235, 225, 255}));
    EXPECT_EQ(After(Buffer(2, 2, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}), {.stippledGlass = true}, 99),
              (std::vector<uint8_t>{99, 2, 99, 4, 99, 6, 99, 0, 7, 99, 9, 99, 11, 99, 0, 99}));
}

TEST(EffectsTest, AllSixRunInTheirOrder) {
    // Gray, mirrored both ways, inverted, lightened, then stippled (never inverted). After
    // both flips: row 0 = white, blue; row 1 = green, red. Greys 255, 28, 150 and 76
    // inverted then lightened halfway to white: 127, 241, 180, 217.
    const EffectFlags all{.grayScale = true,
                          .horizontalFlip = true,
                          .verticalFlip = true,
                          .negative = true,
                          .glass = true,
                          .stippledGlass = true};
    EXPECT_EQ(After(Buffer(2, 2, {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 255, 255}}), all),
              (std::vector<uint8_t>{216, 127, 216, 241, 216, 241, 216, 255, 180, 216, 180, 216, 217, 216, 255, 216}));
}

}  // namespace
}  // namespace pv
