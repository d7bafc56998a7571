// pictavo-cli decode --frame N on an animated GIF: frame N's canvas, FRAMES the count.
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

#include "TestPaths.h"
#include "imaging/GifBuilder.h"

namespace pv {
namespace {

int RunCli(const std::string& args, std::string& out) {
    std::string cmd = std::string(PV_CLI_PATH) + " " + args + " 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    char buf[256];
    while (p != nullptr && std::fgets(buf, sizeof buf, p) != nullptr) {
        out += buf;
    }
    int status = p != nullptr ? pclose(p) : -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CliDecodeFrameTest, WritesTheChosenFramesCanvas) {
    std::string dir = test::MakeScratchDir("cli-decode-frame");
    test::GifSpec s;
    s.width = 2;
    s.height = 1;
    s.globalPalette = test::FourColours();
    test::GifFrameSpec f;
    f.width = 2;
    f.height = 1;
    for (uint8_t index : {1, 2, 3}) {
        f.indices = {index, index};
        s.frames.push_back(f);
    }
    test::WriteHostFile(dir + "/anim.gif", test::BuildGif(s));

    struct Case {
        const char* option;
        int exitCode;
        const char* line;
        uint8_t blue, red;  // of the stored pixels
    } cases[] = {
            {"", 0, "2x1 24 3\n", 0, 255},
            {"--frame 1 ", 0, "2x1 24 3\n", 0, 255},
            {"--frame 3 ", 0, "2x1 24 3\n", 255, 0},
            {"--frame 4 ", 1, "", 0, 0},
            {"--frame 0 ", 2, "", 0, 0},
            {"--frame x ", 2, "", 0, 0},
    };

    for (const Case& c : cases) {
        std::string out;
        std::remove((dir + "/out.bmp").c_str());
        EXPECT_EQ(RunCli(std::string("decode ") + c.option + dir + "/anim.gif " + dir + "/out.bmp", out), c.exitCode)
                << c.option;
        EXPECT_EQ(out, c.line) << c.option;
        if (c.exitCode == 0) {
            auto bmp = test::ReadHostFile(dir + "/out.bmp");
            ASSERT_GE(bmp.size(), 57u);
            EXPECT_EQ(bmp[54], c.blue) << c.option;
            EXPECT_EQ(bmp[56], c.red) << c.option;
        }
    }
}

}  // namespace
}  // namespace pv
