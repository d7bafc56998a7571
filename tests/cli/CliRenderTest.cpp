#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>

#include "TestPaths.h"
#include "imaging/BmpBuilder.h"
#include "view/ReferenceRender.h"
#include "view/TestImage.h"
#include "view/ViewTypes.h"

namespace pv {
namespace {

std::string RunCli(const std::string& args, int& status) {
    const std::string cmd = std::string(PV_CLI_PATH) + " " + args + " 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    std::string out;
    char buf[256];
    while (p != nullptr && std::fgets(buf, sizeof buf, p) != nullptr) {
        out += buf;
    }
    status = p != nullptr ? pclose(p) : -1;
    return out;
}

// The picture as a bottom-up 24-bit BMP file.
std::vector<uint8_t> AsBmp(const ImageBuffer& img) {
    test::BmpSpec s;
    s.width = img.width;
    s.height = img.height;
    const size_t stride = RowStride(24, img.width);
    for (int32_t y = img.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int32_t x = 0; x < img.width; ++x) {
            const Bgr p = PixelAt(img, x, y);
            row[3 * static_cast<size_t>(x)] = p.b;
            row[3 * static_cast<size_t>(x) + 1] = p.g;
            row[3 * static_cast<size_t>(x) + 2] = p.r;
        }
        s.fileRows.push_back(row);
    }
    return test::BuildBmp(s);
}

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
    const std::string dir = test::MakeScratchDir("CliRenderTest");
    const test::TestImage t = test::MakeRandomImage(300, 200, 24, 5);
    test::WriteHostFile(dir + "/in.bmp", AsBmp(t.image));

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
        int status = 0;
        const std::string out = RunCli("render " + dir + "/in.bmp " + dir + "/out.bmp " + row.args, status);
        ASSERT_EQ(status, 0) << row.args;
        int permille = 0, zw = 0, zh = 0, vw = 0, vh = 0, ox = 0, oy = 0, hs = 0, vs = 0;
        ASSERT_EQ(std::sscanf(out.c_str(), "zoom=%d zoomed=%dx%d visible=%dx%d offset=%d,%d scroll=%d,%d", &permille,
                              &zw, &zh, &vw, &vh, &ox, &oy, &hs, &vs),
                  9)
                << out;
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

TEST(CliRenderTest, RefusesBadArguments) {
    int status = 0;
    RunCli("render", status);
    EXPECT_NE(status, 0);
    RunCli("render a.bmp b.bmp", status);
    EXPECT_NE(status, 0) << "--client is required";
    RunCli("render a.bmp b.bmp --client 10 10 --filter 3", status);
    EXPECT_NE(status, 0);
    RunCli("render a.bmp b.bmp --client 10 10 --effects sepia", status);
    EXPECT_NE(status, 0);
    RunCli("render a.bmp b.bmp --client 10 10 --resize 0 5", status);
    EXPECT_NE(status, 0);
}

}  // namespace
}  // namespace pv
