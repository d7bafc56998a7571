#include <gtest/gtest.h>
#include <tuple>

#include "app/FrameSettings.h"
#include "platform/Settings.h"

namespace pv {
namespace {

class FrameSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetMemorySettingsForTests(); }

    void TearDown() override { ResetMemorySettingsForTests(); }
};

TEST_F(FrameSettingsTest, DefaultsWithoutKeyThenWhatCloseWrote) {
    const auto read = [] {
        const FrameStartSettings s = ReadFrameStartSettings();
        return std::tuple(s.windowRect, s.thumbsMode, s.fitToWindow);
    };
    EXPECT_EQ(read(), std::tuple(StoredRect{0, 0, 800, 640}, 0, 0));
    WriteFrameCloseSettings({10, 20, 1010, 770}, -1, 1);
    EXPECT_EQ(read(), std::tuple(StoredRect{10, 20, 1010, 770}, -1, 1));
}

TEST_F(FrameSettingsTest, WindowRectOfWrongShapeIsIgnored) {
    auto key = CreateSettingsKey(kProgramKey);
    key->WriteBinary("WindowRect", std::vector<uint8_t>(20, 1));
    key->WriteDword("ThumbsMode", 1);
    EXPECT_EQ(ReadFrameStartSettings().windowRect, (StoredRect{}));
    EXPECT_EQ(ReadFrameStartSettings().thumbsMode, 1);  // independent of the bad rectangle

    key->WriteString("WindowRect", "0123456789abcde");  // 16 bytes with its zero, but a string
    EXPECT_EQ(ReadFrameStartSettings().windowRect, (StoredRect{}));

    key->WriteBinary("WindowRect", std::vector<uint8_t>(16, 0));
    EXPECT_EQ(ReadFrameStartSettings().windowRect, (StoredRect{}));

    key->WriteString("FitToWindow", "1");
    EXPECT_EQ(ReadFrameStartSettings().fitToWindow, 0);
}

TEST(CentreTest, CentresAndKeepsLargeWindowsInside) {
    EXPECT_EQ(CentreOnWorkArea({0, 0, 1280, 1024}, 800, 640), (StoredRect{240, 192, 1040, 832}));
    EXPECT_EQ(CentreOnWorkArea({0, 0, 1024, 768}, 801, 641), (StoredRect{112, 64, 913, 705}));
    EXPECT_EQ(CentreOnWorkArea({100, 50, 900, 650}, 1000, 700), (StoredRect{100, 50, 1100, 750}));
}

}  // namespace
}  // namespace pv
