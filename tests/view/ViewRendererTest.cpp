#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <tuple>

#include "imaging/ImageBuffer.h"
#include "view/Effects.h"
#include "view/ReferenceRender.h"
#include "view/TestImage.h"
#include "view/ViewRenderer.h"

namespace pv {
namespace {

RenderRequest RequestFor(const test::TestImage& t, float factor, int32_t filter, ClientSize client) {
    RenderRequest rq;
    rq.image = &t.image;
    rq.zoomedWidth = static_cast<int32_t>(static_cast<double>(t.image.width) * factor);
    rq.zoomedHeight = static_cast<int32_t>(static_cast<double>(t.image.height) * factor);
    rq.zoomPermille = static_cast<int32_t>(1000.0 * static_cast<double>(factor));
    rq.filter = filter;
    rq.client = client;
    return rq;
}

void ExpectSameAsReference(const test::TestImage& t, const RenderRequest& rq, const std::string& what) {
    ViewRenderer renderer;
    ASSERT_TRUE(renderer.Render(rq)) << what;
    const test::ReferenceFrame ref =
            test::ReferenceRender(t.image, rq.zoomedWidth, rq.zoomedHeight, rq.zoomPermille, rq.filter, rq.client.width,
                                  rq.client.height, rq.hPos, rq.vPos);
    const DisplayBuffer& d = renderer.display();
    ASSERT_EQ(std::tuple(d.width, d.height, d.stride), std::tuple(ref.width, ref.height, ref.stride)) << what;
    ASSERT_EQ(d.bytes, ref.bytes) << what;
}

// Every depth through every path, at random zooms and scroll positions, byte for byte
// against the plain per-pixel reading of the same arithmetic (padding included).
TEST(ViewRendererTest, MatchesReferenceAtEveryDepthPathAndScrollPosition) {
    std::mt19937 rng(7);
    const int32_t depths[] = {1, 4, 8, 24, 32};
    for (int i = 0; i < 400; ++i) {
        const int32_t bits = depths[i % 5];
        const int32_t w = 1 + static_cast<int32_t>(rng() % 97);
        const int32_t h = 1 + static_cast<int32_t>(rng() % 61);
        const test::TestImage t = test::MakeRandomImage(w, h, bits, static_cast<uint32_t>(i));
        const int kind = static_cast<int>(rng() % 4);
        const float factor = kind == 0   ? 1.0f
                             : kind == 1 ? std::pow(1.05f, static_cast<float>(rng() % 60))
                             : kind == 2 ? std::pow(1.05f, -static_cast<float>(rng() % 40))
                                         : 0.3f + static_cast<float>(rng() % 1000) / 97.0f;
        const int32_t filter = 1 + static_cast<int32_t>(rng() % 2);
        const ClientSize client{static_cast<int32_t>(rng() % 80), static_cast<int32_t>(rng() % 60)};
        RenderRequest rq = RequestFor(t, factor, filter, client);
        if (rq.zoomedWidth < 1 || rq.zoomedHeight < 1) {
            continue;
        }
        rq.hPos = static_cast<int32_t>(rng() % static_cast<uint32_t>(std::max(1, rq.zoomedWidth - client.width)));
        rq.vPos = static_cast<int32_t>(rng() % static_cast<uint32_t>(std::max(1, rq.zoomedHeight - client.height)));
        if (rq.zoomPermille == 1000) {
            rq.zoomedWidth = w;
            rq.zoomedHeight = h;
            rq.hPos = std::min(rq.hPos, std::max(0, w - client.width - 1));
            rq.vPos = std::min(rq.vPos, std::max(0, h - client.height - 1));
        }
        ExpectSameAsReference(t, rq, "case " + std::to_string(i) + " factor " + std::to_string(factor));
    }
}

TEST(ViewRendererTest, VisibleSizeAndOffsetFollowTheClientArea) {
    EXPECT_EQ(VisibleSize(671, 200, {400, 300}), (ClientSize{401, 200}));
    EXPECT_EQ(ImageOffset(671, 200, {400, 300}), (ClientSize{0, 50}));
    EXPECT_EQ(ImageOffset(399, 301, {400, 300}), (ClientSize{0, 0}));
    EXPECT_EQ(ImageOffset(401, 299, {400, 300}), (ClientSize{0, 0}));
}

// A resize to the picture's own width still scales (per mille 2000), and bilinear scaling to
// the picture's own size reproduces it: the same bytes as a plain copy.
TEST(ViewRendererTest, ResizeToOwnSizeWithBilinearReproducesTheSource) {
    const test::TestImage t = test::MakeRandomImage(37, 23, 24, 3);
    RenderRequest rq = RequestFor(t, 1.0f, kFilterBilinear, {100, 100});
    rq.zoomPermille = 2000;
    ViewRenderer renderer;
    ASSERT_TRUE(renderer.Render(rq));
    EXPECT_EQ(renderer.display().bytes, test::ReferenceRender(t.image, 37, 23, 1000, 2, 100, 100, 0, 0).bytes);
}

// A drag can leave a factor just above 1.0 that still reads 1000 per mille while the
// zoomed picture is a few pixels wider than the source: the copy must stay inside it.
TEST(ViewRendererTest, DirectCopyNeverReadsPastThePicture) {
    const test::TestImage t = test::MakeRandomImage(2000, 3, 24, 9);
    RenderRequest rq = RequestFor(t, 1.0f, kFilterBilinear, {3000, 10});
    rq.zoomedWidth = 2002;
    rq.zoomedHeight = 4;
    ViewRenderer renderer;
    ASSERT_TRUE(renderer.Render(rq));
    const DisplayBuffer& d = renderer.display();
    ASSERT_EQ(d.width, 2002);
    for (int32_t r = 0; r < d.height; ++r) {
        const Bgr last = PixelAt(t.image, 1999, std::min(r, 2));
        const uint8_t* p = d.Row(r) + 3 * 2001;
        EXPECT_EQ((Bgr{p[0], p[1], p[2]}), last);
    }
}

TEST(ViewRendererTest, DrawsNothingWithoutPictureOrSize) {
    ViewRenderer renderer;
    EXPECT_FALSE(renderer.Render({}));
    EXPECT_FALSE(renderer.Render(RequestFor(test::MakeRandomImage(10, 10, 16, 1), 1.0f, 2, {10, 10}))) << "16 bits";
    EXPECT_FALSE(renderer.Render(RequestFor(test::MakeRandomImage(10, 10, 24, 1), 0.05f, 2, {10, 10}))) << "too small";
    EXPECT_TRUE(renderer.display().IsEmpty());
}

// Keeping the buffer between renders must not leak one picture's pixels into the next.
TEST(ViewRendererTest, ReusedBufferIsFullyRewritten) {
    const test::TestImage a = test::MakeRandomImage(50, 40, 24, 1);
    const test::TestImage b = test::MakeRandomImage(50, 40, 8, 2);
    ViewRenderer renderer;
    RenderRequest rq = RequestFor(a, 1.0f, 2, {60, 60});
    rq.effects.negative = true;
    ASSERT_TRUE(renderer.Render(rq));
    ASSERT_TRUE(renderer.Render(RequestFor(b, 1.0f, 2, {60, 60})));
    EXPECT_EQ(renderer.display().bytes, test::ReferenceRender(b.image, 50, 40, 1000, 2, 60, 60, 0, 0).bytes);
}

// Rows of 24-bit pixels, each row padded to four bytes with zeros.
DisplayBuffer Buffer(int32_t w, int32_t h, std::initializer_list<Bgr> pixels) {
    DisplayBuffer d{.width = w, .height = h, .stride = RowStride(24, w)};
    d.bytes.assign(static_cast<size_t>(d.stride) * static_cast<size_t>(h), 0);
    int32_t i = 0;
    for (const Bgr& px : pixels) {
        uint8_t* p = d.Row(i / w) + 3 * (i % w);
        std::tie(p[0], p[1], p[2]) = std::tie(px.b, px.g, px.r);
        ++i;
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
    const EffectFlags all{true, true, true, true, true, true};
    EXPECT_EQ(After(Buffer(2, 2, {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 255, 255}}), all),
              (std::vector<uint8_t>{216, 127, 216, 241, 216, 241, 216, 255, 180, 216, 180, 216, 217, 216, 255, 216}));
}

}  // namespace
}  // namespace pv
