#include <gtest/gtest.h>

#include "imaging/ImageBuffer.h"
#include "view/Effects.h"

namespace pv {
namespace {

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

Bgr At(const DisplayBuffer& d, int32_t c, int32_t r) {
    const uint8_t* p = d.Row(r) + 3 * c;
    return {p[0], p[1], p[2]};
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
        DisplayBuffer g = Buffer(1, 1, {row.in});
        ApplyEffects(g, {.grayScale = true}, 216);
        EXPECT_EQ(At(g, 0, 0), (Bgr{row.gray, row.gray, row.gray}));
        DisplayBuffer l = Buffer(1, 1, {row.in});
        ApplyEffects(l, {.glass = true}, 216);
        EXPECT_EQ(At(l, 0, 0), row.glass);
    }
}

TEST(EffectsTest, FlipsMirrorAndLeaveSingleColumnsAndRowsAlone) {
    const Bgr a{1, 2, 3}, b{4, 5, 6}, c{7, 8, 9}, d{10, 11, 12};
    DisplayBuffer h = Buffer(3, 1, {a, b, c});
    ApplyEffects(h, {.horizontalFlip = true}, 216);
    EXPECT_EQ(At(h, 0, 0), c);
    EXPECT_EQ(At(h, 1, 0), b);
    EXPECT_EQ(At(h, 2, 0), a);
    EXPECT_EQ(h.Row(0)[9], 0) << "padding stays where it is";

    DisplayBuffer one = Buffer(1, 2, {a, b});
    ApplyEffects(one, {.horizontalFlip = true}, 216);
    EXPECT_EQ(At(one, 0, 0), a);
    ApplyEffects(one, {.verticalFlip = true}, 216);
    EXPECT_EQ(At(one, 0, 0), b);
    EXPECT_EQ(At(one, 0, 1), a);

    DisplayBuffer row = Buffer(2, 1, {c, d});
    ApplyEffects(row, {.verticalFlip = true}, 216);
    EXPECT_EQ(At(row, 0, 0), c);
    EXPECT_EQ(At(row, 1, 0), d);
}

TEST(EffectsTest, NegativeCoversPaddingAndStippleAlternatesPerRow) {
    DisplayBuffer n = Buffer(1, 1, {{10, 20, 30}});
    ApplyEffects(n, {.negative = true}, 216);
    EXPECT_EQ(At(n, 0, 0), (Bgr{245, 235, 225}));
    EXPECT_EQ(n.bytes[3], 255) << "padding is inverted too";

    DisplayBuffer s = Buffer(2, 2, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}});
    ApplyEffects(s, {.stippledGlass = true}, 99);
    const uint8_t row0[8] = {99, 2, 99, 4, 99, 6, 99, 0};
    const uint8_t row1[8] = {7, 99, 9, 99, 11, 99, 0, 99};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(s.Row(0)[i], row0[i]) << i;
        EXPECT_EQ(s.Row(1)[i], row1[i]) << i;
    }
}

TEST(EffectsTest, AllSixRunInTheirOrder) {
    // Gray, mirrored both ways, inverted, lightened, then stippled (never inverted).
    DisplayBuffer d = Buffer(2, 2, {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 255, 255}});
    ApplyEffects(d,
                 {.grayScale = true,
                  .horizontalFlip = true,
                  .verticalFlip = true,
                  .negative = true,
                  .glass = true,
                  .stippledGlass = true},
                 216);
    auto v = [](int g) { return static_cast<uint8_t>((255 - g + 255) / 2); };
    // After both flips: row 0 = white, blue; row 1 = green, red.
    const uint8_t row0[8] = {216, v(255), 216, v(28), 216, v(28), 216, 255};
    const uint8_t row1[8] = {v(150), 216, v(150), 216, v(76), 216, 255, 216};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(d.Row(0)[i], row0[i]) << i;
        EXPECT_EQ(d.Row(1)[i], row1[i]) << i;
    }
}

}  // namespace
}  // namespace pv
