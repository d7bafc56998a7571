// pictavo-cli decode as a user of the tool sees it: output line, files, exit codes.
#include <gtest/gtest.h>
#include <string>

#include "TestPaths.h"
#include "cli/RunCli.h"
#include "imaging/BmpBuilder.h"
#include "imaging/GifBuilder.h"

namespace pv {
namespace {

class CliDecodeTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = test::MakeScratchDir("decode");
        // 3 x 2, 8 bits: palette entry i is (i, 255 - i, i ^ 0x55) in b, g, r order.
        test::BmpSpec bmp;
        bmp.bitsPerPixel = 8;
        bmp.width = 3;
        bmp.height = 2;
        bmp.paletteEntries = 256;
        bmp.fileRows = {{1, 2, 3, 0}, {4, 5, 6, 0}};
        test::WriteHostFile(dir_ + "/in.BMP", test::BuildBmp(bmp));
        // Three 2 x 1 frames in colours 1, 2 and 3 of four.
        test::GifSpec gif;
        gif.width = 2;
        gif.height = 1;
        gif.globalPalette = test::FourColours();
        test::GifFrameSpec frame;
        frame.width = 2;
        frame.height = 1;
        for (uint8_t index = 1; index <= 3; ++index) {
            frame.indices = {index, index};
            gif.frames.push_back(frame);
        }
        test::WriteHostFile(dir_ + "/anim.gif", test::BuildGif(gif));
        test::WriteHostFile(dir_ + "/bad.bmp", {'B', 'M', 1, 2, 3});
    }

    std::string dir_;
};

// The first stored row of the 24-bit bottom-up output is the picture's bottom row; FRAMES
// is the count, --frame N picks frame N's canvas.
TEST_F(CliDecodeTest, WritesBottomUpBmpAndReportsSizeDepthAndFrames) {
    struct Row {
        std::string args;
        int exitCode;
        const char* line;
        size_t fileSize;                  // 0: no file written
        std::vector<uint8_t> firstPixel;  // b, g, r
    };

    const Row rows[] = {
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
    for (const Row& row : rows) {
        const std::string out = dir_ + "/out.bmp";
        std::remove(out.c_str());
        const size_t space = row.args.rfind(' ') + 1;
        const test::CliRun r =
                test::RunCli("decode " + row.args.substr(0, space) + dir_ + "/" + row.args.substr(space) + " " + out);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.args;
        EXPECT_EQ(r.out, row.line) << row.args;
        const std::vector<uint8_t> bmp = test::ReadHostFile(out);
        EXPECT_EQ(bmp.size(), row.fileSize) << row.args;
        if (row.fileSize != 0 && bmp.size() == row.fileSize) {
            EXPECT_EQ(bmp[28], 24) << row.args;
            EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 54, bmp.begin() + 57), row.firstPixel) << row.args;
        }
    }
    EXPECT_EQ(test::RunCli("decode-nothing").exitCode, 2);
    EXPECT_EQ(test::RunCli("decode onlyone").exitCode, 2);
}

}  // namespace
}  // namespace pv
