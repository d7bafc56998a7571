// pictavo-cli decode as a user of the tool sees it: output line, files, exit codes.
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

#include "TestPaths.h"
#include "imaging/BmpBuilder.h"

namespace pv {
namespace {

struct RunResult {
    int exitCode = -1;
    std::string out;
};

RunResult RunCli(const std::string& args) {
    RunResult r;
    std::string cmd = std::string(PV_CLI_PATH) + " " + args + " 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    char buf[256];
    while (p != nullptr && std::fgets(buf, sizeof buf, p) != nullptr) {
        r.out += buf;
    }
    int status = p != nullptr ? pclose(p) : -1;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

TEST(CliDecodeTest, WritesBottomUpBmpAndReportsSize) {
    std::string dir = test::MakeScratchDir("cli-decode");
    test::BmpSpec fields;
    fields.bitsPerPixel = 8;
    fields.width = 3;
    fields.height = 2;
    fields.paletteEntries = 256;
    fields.fileRows = {{1, 2, 3, 0}, {4, 5, 6, 0}};
    test::WriteHostFile(dir + "/in.BMP", test::BuildBmp(fields));

    RunResult r = RunCli("decode " + dir + "/in.BMP " + dir + "/out.bmp");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "3x2 8 1\n");
    auto out = test::ReadHostFile(dir + "/out.bmp");
    ASSERT_EQ(out.size(), 54u + 2 * 12);
    EXPECT_EQ(out[28], 24);
    // First stored row is the bottom row: palette entry 1 = (1, 254, 1^0x55) in b, g, r order.
    EXPECT_EQ(out[54], 1);
    EXPECT_EQ(out[55], 254);
    EXPECT_EQ(out[56], 1 ^ 0x55);
}

TEST(CliDecodeTest, ExitCodesForFailureAndUsage) {
    std::string dir = test::MakeScratchDir("cli-decode-fail");
    test::WriteHostFile(dir + "/bad.bmp", {'B', 'M', 1, 2, 3});
    EXPECT_EQ(RunCli("decode " + dir + "/bad.bmp " + dir + "/o.bmp").exitCode, 1);
    EXPECT_EQ(RunCli("decode " + dir + "/missing.bmp " + dir + "/o.bmp").exitCode, 1);
    EXPECT_EQ(RunCli("decode-nothing").exitCode, 2);
    EXPECT_EQ(RunCli("decode onlyone").exitCode, 2);
}

}  // namespace
}  // namespace pv
