// pictavo-cli as its users see it: decode's output line, file and exit code; render's zoom,
// scroll and pixels against the per-pixel reading; usage errors.
#include <gtest/gtest.h>
#include <string>

#include "TestPaths.h"
#include "cli/RunCli.h"
#include "imaging/BmpBuilder.h"
#include "imaging/BmpWriter.h"
#include "imaging/GifBuilder.h"
#include "view/ReferenceRender.h"
#include "view/TestImage.h"

namespace pv {
namespace {

// The first stored row of the 24-bit bottom-up output is the picture's bottom row; FRAMES
// is the count, --frame N picks frame N's canvas.
TEST(CliDecodeTest, WritesBottomUpBmpAndReportsSizeDepthAndFrames) {
    const std::string dir = test::MakeScratchDir("decode");
    // 3 x 2, 8 bits: palette entry i is (i, 255 - i, i ^ 0x55) in b, g, r order.
    test::BmpSpec in{.width = 3, .height = 2, .bitsPerPixel = 8, .paletteEntries = 256};
    in.fileRows = {{1, 2, 3, 0}, {4, 5, 6, 0}};
    test::WriteHostFile(dir + "/in.BMP", test::BuildBmp(in));
    // Three 2 x 1 frames in colours 1, 2 and 3 of four.
    test::GifSpec gif{.width = 2, .globalPalette = test::FourColours()};
    for (uint8_t i = 1; i <= 3; ++i) {
        gif.frames.push_back({.width = 2, .indices = {i, i}});
    }
    test::WriteHostFile(dir + "/anim.gif", test::BuildGif(gif));
    test::WriteHostFile(dir + "/bad.bmp", {'B', 'M', 1, 2, 3});

    const struct {
        std::string args;
        int exitCode;
        const char* line;
        size_t fileSize;                  // 0: no file written
        std::vector<uint8_t> firstPixel;  // b, g, r
    } rows[] = {
            {"in.BMP", 0, "3x2 8 1\n", 54 + 2 * 12, {1, 254, 1 ^ 0x55}},
            {"anim.gif", 0, "2x1 24 3\n", 54 + 8, {0, 0, 255}},
            {"--frame 1 anim.gif", 0, "2x1 24 3\n", 54 + 8, {0, 0, 255}},
            {"--frame 3 anim.gif", 0, "2x1 24 3\n", 54 + 8, {255, 0, 0}},
            {"--frame 4 anim.gif", 1, "", 0, {}},
            {"--frame 0 anim.gif", 2, "", 0, {}},
            {"--frame x anim.gif", 2, "", 0, {}},
            {"bad.bmp", 1, "", 0, {}},
            {"missing.bmp", 1, "", 0, {}},
    };

    for (const auto& row : rows) {
        const std::string out = dir + "/out.bmp";
        std::remove(out.c_str());
        const size_t space = row.args.rfind(' ') + 1;
        const test::CliRun r =
                test::RunCli("decode " + row.args.substr(0, space) + dir + "/" + row.args.substr(space) + " " + out);
        EXPECT_EQ(std::pair(r.exitCode, r.out), std::pair(row.exitCode, std::string(row.line))) << row.args;
        const std::vector<uint8_t> bmp = test::ReadHostFile(out);
        ASSERT_EQ(bmp.size(), row.fileSize) << row.args;
        if (!bmp.empty()) {
            EXPECT_EQ(bmp[28], 24) << row.args;
            EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 54, bmp.begin() + 57), row.firstPixel) << row.args;
        }
    }
}

// The CLI opens, zooms about the centre, scrolls and renders like the view: its output is
// the plain per-pixel reading of the same steps.
TEST(CliRenderTest, ZoomedAndScrolledRendersMatchThePerPixelReading) {
    const std::string dir = test::MakeScratchDir("render");
    const test::TestImage t = test::MakeRandomImage(300, 200, 24, 5);
    test::WriteHostFile(dir + "/in.bmp", Encode24BitBmp(t.image));

    const struct {
        std::string args;
        int permille, zoomedW, zoomedH, filter, clientW, clientH;
    } rows[] = {
            {"--client 120 90 --zoom-in 1 --scroll 30 40 --filter 2", 1049, 314, 209, 2, 103, 73},
            {"--client 120 90 --zoom-in 1 --scroll 30 40 --filter 1", 1049, 314, 209, 1, 103, 73},
            {"--client 500 400 --zoom-out 3", 863, 259, 172, 2, 500, 400},
            {"--client 120 90", 1000, 300, 200, 2, 103, 73},
            {"--client 500 400 --resize 640 100 --scroll 7 0", 2000, 640, 100, 2, 500, 383},
    };

    for (const auto& row : rows) {
        const test::CliRun r = test::RunCli("render " + dir + "/in.bmp " + dir + "/out.bmp " + row.args);
        ASSERT_EQ(r.exitCode, 0) << row.args;  // zoom, zoomed size, visible size, offset and scroll
        int permille = 0, zw = 0, zh = 0, vw = 0, vh = 0, hs = 0, vs = 0;
        ASSERT_EQ(std::sscanf(r.out.c_str(), "zoom=%d zoomed=%dx%d visible=%dx%d offset=%*d,%*d scroll=%d,%d",
                              &permille, &zw, &zh, &vw, &vh, &hs, &vs),
                  7)
                << r.out;
        EXPECT_EQ(std::tuple(permille, zw, zh), std::tuple(row.permille, row.zoomedW, row.zoomedH)) << row.args;
        const test::ReferenceFrame ref =
                test::ReferenceRender(t.image, zw, zh, permille, row.filter, row.clientW, row.clientH, hs, vs);
        ASSERT_EQ(std::pair(vw, vh), std::pair(ref.width, ref.height)) << row.args;
        // The output's rows are stored bottom-up.
        const std::vector<uint8_t> bmp = test::ReadHostFile(dir + "/out.bmp");
        const auto stride = static_cast<std::ptrdiff_t>(RowStride(24, vw));
        ASSERT_EQ(bmp.size(), 54 + static_cast<size_t>(stride * vh)) << row.args;
        std::vector<uint8_t> topDown;
        for (auto end = bmp.end(); end - stride >= bmp.begin() + 54; end -= stride) {
            topDown.insert(topDown.end(), end - stride, end);
        }
        EXPECT_EQ(topDown, ref.bytes) << row.args;
    }
    // Usage errors exit 2, before any file is read.
    for (const char* args : {"render", "render a.bmp b.bmp", "render a.bmp b.bmp --client 10 10 --filter 3",
                             "decode-nothing", "render a.bmp b.bmp --client 10 10 --effects sepia",
                             "render a.bmp b.bmp --client 10 10 --resize 0 5", "decode onlyone"}) {
        EXPECT_EQ(test::RunCli(args).exitCode, 2) << args;
    }
}

}  // namespace
}  // namespace pv
