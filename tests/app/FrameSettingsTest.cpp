#include "app/FrameSettings.h"

#include <gtest/gtest.h>

#include "platform/Settings.h"

namespace pv {
namespace {

class FrameSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetMemorySettingsForTests(); }
    void TearDown() override { ResetMemorySettingsForTests(); }
};

TEST_F(FrameSettingsTest, DefaultsWithoutKey) {
    FrameStartSettings s = ReadFrameStartSettings();
    EXPECT_EQ(s.windowRect, (StoredRect{0, 0, 800, 640}));
    EXPECT_EQ(s.thumbsMode, 0);
    EXPECT_EQ(s.fitToWindow, 0);
}

TEST_F(FrameSettingsTest, CloseWritesAndStartReadsBack) {
    WriteFrameCloseSettings({10, 20, 1010, 770}, -1, 1);
    FrameStartSettings s = ReadFrameStartSettings();
    EXPECT_EQ(s.windowRect, (StoredRect{10, 20, 1010, 770}));
    EXPECT_EQ(s.thumbsMode, -1);
    EXPECT_EQ(s.fitToWindow, 1);
}

TEST_F(FrameSettingsTest, WindowRectOfWrongShapeIsIgnored) {
    auto key = CreateSettingsKey(kProgramKey);
    std::vector<uint8_t> twenty(20, 1);
    key->WriteBinary("WindowRect", twenty);
    key->WriteDword("ThumbsMode", 1);
    EXPECT_EQ(ReadFrameStartSettings().windowRect, (StoredRect{}));
    EXPECT_EQ(ReadFrameStartSettings().thumbsMode, 1);  // independent of the bad rectangle

    key->WriteString("WindowRect", "0123456789abcde");  // 16 bytes with its zero, but a string
    EXPECT_EQ(ReadFrameStartSettings().windowRect, (StoredRect{}));

    std::vector<uint8_t> empty(16, 0);
    key->WriteBinary("WindowRect", empty);
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
