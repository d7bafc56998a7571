#include <gtest/gtest.h>
#include <string>

#include "TestPaths.h"
#include "cli/RunCli.h"
#include "imaging/BmpWriter.h"
#include "view/ReferenceRender.h"
#include "view/TestImage.h"
#include "view/ViewTypes.h"

namespace pv {
namespace {

// Top-down pixel rows of a 24-bit BMP the CLI wrote.
std::vector<uint8_t> TopDownRows(const std::vector<uint8_t>& bmp, int32_t w, int32_t h) {
    const size_t stride = RowStride(24, w);
    std::vector<uint8_t> rows(stride * static_cast<size_t>(h));
    for (int32_t r = 0; r < h; ++r) {
        std::copy_n(bmp.begin() + 54 + static_cast<std::ptrdiff_t>(stride * static_cast<size_t>(h - 1 - r)), stride,
                    rows.begin() + static_cast<std::ptrdiff_t>(stride * static_cast<size_t>(r)));
    }
    return rows;
}

// The CLI opens, zooms about the centre, scrolls and renders like the view: its output is
// the plain per-pixel reading of the same steps.
TEST(CliRenderTest, ZoomedAndScrolledRendersMatchThePerPixelReading) {
    const std::string dir = test::MakeScratchDir("render");
    const test::TestImage t = test::MakeRandomImage(300, 200, 24, 5);
    test::WriteHostFile(dir + "/in.bmp", Encode24BitBmp(t.image));

    struct Row {
        std::string args;
        int32_t permille, zoomedW, zoomedH, filter;
        ClientSize client;
    };

    const Row rows[] = {
            {"--client 120 90 --zoom-in 1 --scroll 30 40 --filter 2", 1049, 314, 209, 2, {103, 73}},
            {"--client 120 90 --zoom-in 1 --scroll 30 40 --filter 1", 1049, 314, 209, 1, {103, 73}},
            {"--client 500 400 --zoom-out 3", 863, 259, 172, 2, {500, 400}},
            {"--client 120 90", 1000, 300, 200, 2, {103, 73}},
            {"--client 500 400 --resize 640 100 --scroll 7 0", 2000, 640, 100, 2, {500, 383}},
    };
    for (const Row& row : rows) {
        const test::CliRun r = test::RunCli("render " + dir + "/in.bmp " + dir + "/out.bmp " + row.args);
        ASSERT_EQ(r.exitCode, 0) << row.args;
        int permille = 0, zw = 0, zh = 0, vw = 0, vh = 0, ox = 0, oy = 0, hs = 0, vs = 0;
        ASSERT_EQ(std::sscanf(r.out.c_str(), "zoom=%d zoomed=%dx%d visible=%dx%d offset=%d,%d scroll=%d,%d", &permille,
                              &zw, &zh, &vw, &vh, &ox, &oy, &hs, &vs),
                  9)
                << r.out;
        EXPECT_EQ(permille, row.permille) << row.args;
        EXPECT_EQ(zw, row.zoomedW) << row.args;
        EXPECT_EQ(zh, row.zoomedH) << row.args;
        const test::ReferenceFrame ref = test::ReferenceRender(t.image, zw, zh, permille, row.filter, row.client.width,
                                                               row.client.height, hs, vs);
        ASSERT_EQ(vw, ref.width) << row.args;
        ASSERT_EQ(vh, ref.height) << row.args;
        EXPECT_EQ(TopDownRows(test::ReadHostFile(dir + "/out.bmp"), vw, vh), ref.bytes) << row.args;
    }
}

// Usage errors exit 2, before any file is read.
TEST(CliRenderTest, RefusesBadArguments) {
    for (const char* args :
         {"", " a.bmp b.bmp", " a.bmp b.bmp --client 10 10 --filter 3", " a.bmp b.bmp --client 10 10 --effects sepia",
          " a.bmp b.bmp --client 10 10 --resize 0 5"}) {
        EXPECT_EQ(test::RunCli(std::string("render") + args).exitCode, 2) << args;
    }
}

}  // namespace
}  // namespace pv
