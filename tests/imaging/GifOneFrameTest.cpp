// The command-line decoder's GIF road keeps one frame's canvas only: for every frame of
// every file it must give the frame count and the pixels of the view's road, including
// files whose later frames are broken, fall outside the screen or change disposal.
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "GifBuilder.h"
#include "TestPaths.h"
#include "imaging/GifToBmp.h"

namespace pv {
namespace {

using test::GifFrameSpec;
using test::GifSpec;

GifFrameSpec Frame(int left, int top, int width, int height, std::vector<uint8_t> indices, int disposal) {
    GifFrameSpec f;
    f.left = left;
    f.top = top;
    f.width = width;
    f.height = height;
    f.indices = std::move(indices);
    f.disposal = disposal;
    return f;
}

std::vector<uint8_t> CanvasBytes(const ImageBuffer& image) {
    if (!image.HasPicture()) {
        return {};
    }
    return {image.pixels, image.pixels + size_t{image.stride} * static_cast<size_t>(image.height)};
}

// Every frame index (and one past the end) through ReadForFrame against Read.
void ExpectSameAsFullRoad(const std::string& name, const std::vector<uint8_t>& file) {
    CGifToBmp full;
    const Status fullStatus = full.Read(file);
    const auto frames = static_cast<size_t>(full.FrameCount());
    for (size_t index = 0; index <= frames; ++index) {
        CGifToBmp one;
        ASSERT_EQ(one.ReadForFrame(file, index), fullStatus) << name << " frame " << index;
        if (fullStatus != Status::Ok) {
            return;
        }
        EXPECT_EQ(one.FrameCount(), full.FrameCount()) << name << " frame " << index;
        const size_t shown = std::min(index, frames - 1);
        EXPECT_EQ(CanvasBytes(one.image()), CanvasBytes(full.animation().CanvasImage(shown)))
                << name << " frame " << index;
    }
}

TEST(GifOneFrameTest, BuiltAnimationsMatchTheViewsRoad) {
    GifSpec base;
    base.width = 4;
    base.height = 2;
    base.background = 3;
    base.globalPalette = test::FourColours();
    // Disposals 0, 1, 2 and transparency in turn, so each canvas depends on the one before.
    GifSpec chain = base;
    chain.frames = {Frame(0, 0, 4, 2, {1, 1, 1, 1, 2, 2, 2, 2}, 1), Frame(1, 0, 2, 1, {0, 2}, 1),
                    Frame(0, 1, 3, 1, {2, 0, 1}, 2), Frame(2, 0, 2, 2, {1, 0, 0, 1}, 0), Frame(3, 1, 1, 1, {2}, 1)};
    chain.frames[1].transparent = 0;
    chain.frames[3].transparent = 0;
    GifSpec noTrailer = chain;
    noTrailer.trailer = false;
    // A frame that starts off the screen is clipped; a broken code stream ends the list.
    GifSpec clipped = chain;
    clipped.frames[2].left = 6;
    GifSpec broken = chain;
    broken.frames[3].codes = std::vector<uint16_t>{256, 300};
    GifSpec single = base;
    single.frames = {Frame(1, 0, 2, 2, {1, 2, 3, 0}, 0)};

    const struct {
        const char* name;
        GifSpec fields;
    } cases[] = {
            {"chain", chain}, {"no trailer", noTrailer}, {"clipped", clipped}, {"broken", broken}, {"single", single}};

    for (const auto& c : cases) {
        ExpectSameAsFullRoad(c.name, test::BuildGif(c.fields));
    }
}

TEST(GifOneFrameTest, TestDataMatchesTheViewsRoad) {
    const std::filesystem::path folder = std::filesystem::path(test::TestDataDir()) / "gif";
    if (!std::filesystem::exists(folder)) {
        GTEST_SKIP() << "no test data";
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".gif" && entry.file_size() < (size_t{4} << 20)) {
            ExpectSameAsFullRoad(entry.path().filename().string(), test::ReadHostFile(entry.path().string()));
        }
    }
}

}  // namespace
}  // namespace pv
