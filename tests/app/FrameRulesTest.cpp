// The frame's rules that need no window: view modes with Toggle and full screen, the
// command table, the command states, the thread-entry guard, the stored window settings and
// the command-line argument.
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <tuple>

#include "TestPaths.h"
#include "app/CommandStates.h"
#include "app/CommandTable.h"
#include "app/CommandTail.h"
#include "app/EntryGuard.h"
#include "app/FrameSettings.h"
#include "app/ViewMode.h"
#include "base/ResourceIds.h"
#include "platform/FileSystem.h"
#include "platform/Settings.h"

namespace pv {
namespace {

TEST(FrameRulesTest, ViewModesKeepTheirStoredNumbersAndCycle) {
    // Stored ThumbsMode numbers, the junk ones read as the image view alone.
    const std::pair<int32_t, ViewMode> stored[] = {{-1, ViewMode::Both},      {0, ViewMode::ImageOnly},
                                                   {1, ViewMode::ThumbsOnly}, {2, ViewMode::ImageOnly},
                                                   {-2, ViewMode::ImageOnly}, {0x7FFFFFFF, ViewMode::ImageOnly}};
    for (const auto& [number, mode] : stored) {
        EXPECT_EQ(ViewModeFromStored(number), mode) << number;
        EXPECT_EQ(StoredViewMode(mode), mode == ViewMode::ImageOnly ? 0 : number) << number;
    }
    // Toggle: 0 -> 1 -> -1 -> 0; with an empty list nothing moves.
    FrameModes m;
    EXPECT_FALSE(m.Toggle(0));
    EXPECT_EQ(m.Mode(), ViewMode::ImageOnly);
    const ViewMode cycle[] = {ViewMode::ThumbsOnly, ViewMode::Both, ViewMode::ImageOnly};
    for (ViewMode expected : cycle) {
        EXPECT_TRUE(m.Toggle(3));
        EXPECT_EQ(m.Mode(), expected);
    }
}

// Entering and leaving full screen each take one Toggle step with a list, none without;
// Escape leaves only when full screen is on; a road brings the image view back from
// thumbnails only.
TEST(FrameRulesTest, FullScreenStepsTheModeBothWays) {
    FrameModes m;
    const auto state = [&m] { return std::pair(m.FullScreen(), m.Mode()); };
    EXPECT_FALSE(m.Escape(3));
    EXPECT_EQ(state(), std::pair(false, ViewMode::ImageOnly));
    EXPECT_TRUE(m.ToggleFullScreen(3));
    EXPECT_EQ(state(), std::pair(true, ViewMode::ThumbsOnly));
    EXPECT_TRUE(m.Escape(3));
    EXPECT_EQ(state(), std::pair(false, ViewMode::Both));
    EXPECT_FALSE(m.ToggleFullScreen(0));
    EXPECT_EQ(state(), std::pair(true, ViewMode::Both));
    m.LeaveFullScreenForClose();
    EXPECT_EQ(state(), std::pair(false, ViewMode::Both)) << "closing stores the mode in use";
    m.SetMode(ViewMode::ThumbsOnly);
    EXPECT_TRUE(m.BringImageBack());
    EXPECT_EQ(m.Mode(), ViewMode::Both);
    m.SetMode(ViewMode::ImageOnly);
    EXPECT_FALSE(m.BringImageBack());
    EXPECT_EQ(m.Mode(), ViewMode::ImageOnly);
}

TEST(FrameRulesTest, CommandTableRunsTheRegisteredHandlerAndRefusesASecondClaim) {
    CommandTable table;
    std::vector<uint32_t> ran;
    EXPECT_TRUE(table.Add(137, [&](uint32_t id) { ran.push_back(id); }));
    EXPECT_FALSE(table.Add(137, [&](uint32_t) { ran.push_back(0); })) << "the first feature keeps its command";
    EXPECT_FALSE(table.Add(138, nullptr));
    EXPECT_TRUE(table.AddRange(32821, 32829, [&](uint32_t id) { ran.push_back(id); }));
    EXPECT_FALSE(table.AddRange(32829, 32830, [&](uint32_t) {})) << "overlaps the sort keys";
    EXPECT_FALSE(table.Has(32830)) << "a refused range adds nothing";

    EXPECT_TRUE(table.Run(137));
    EXPECT_TRUE(table.Run(32825));
    EXPECT_FALSE(table.Run(138));
    EXPECT_EQ(ran, (std::vector<uint32_t>{137, 32825}));
}

// Each row: the command, whether it is enabled, its check in a default state and in one with
// the nearest filter, fit to window, Negative and the tool bar hidden.
TEST(FrameRulesTest, CommandStatesFollowTheFramesState) {
    FrameUiState changed;
    changed.nearestFilter = changed.fitToWindow = changed.effects.negative = true;
    changed.toolBarVisible = false;
    const std::vector<CommandUi> states[] = {FrameCommandStates({}), FrameCommandStates(changed)};
    const uint32_t rows[][4] = {
            {ID_VIEW_BILINEAR, 1, 1, 0}, {ID_VIEW_NEAREST, 1, 0, 1},     {ID_VIEW_FITTOWINDOW, 1, 0, 1},
            {ID_VIEW_TOOLBAR, 1, 1, 0},  {ID_VIEW_STATUS_BAR, 1, 1, 1},  {ID_EFFECT_NEGATIVE, 1, 0, 1},
            {ID_EFFECT_GLASS, 1, 0, 0},  {ID_SORT_FIRST, 1, 0, 0},       {ID_SORT_LAST, 1, 0, 0},
            {ID_EDIT_PASTE, 0, 0, 0},    {ID_FILE_PRINT, 0, 0, 0},       {ID_VIEW_THUMBNAILS, 1, 0, 0},
            {ID_VIEW_REPORT, 1, 0, 0},   {ID_LIST_SORT_DIALOG, 1, 0, 0}, {ID_SELECT_ALL, 1, 0, 0},
            {ID_SELECT_CLEAR, 1, 0, 0},  {ID_SELECT_COPY, 1, 0, 0},      {ID_EDIT_CUT, 0, 0, 0},
    };
    for (const auto& r : rows) {
        for (size_t k = 0; k < 2; ++k) {
            const CommandUi want{r[0], r[1] != 0, r[2 + k] != 0};
            EXPECT_EQ(std::count(states[k].begin(), states[k].end(), want), 1) << r[0] << " in state " << k;
        }
    }
}

// Pictures in and out: offered only with a picture (no division by a width of 0 at start-up
// or while a medium plays), Paste only with a bitmap on the clipboard, and the preview's
// own states. Each row: command, then enabled and checked with nothing, with a picture and
// a clipboard bitmap, and while a preview runs.
TEST(FrameRulesTest, PictureCommandsNeedAPictureAndThePreviewHasItsStates) {
    const std::vector<CommandUi> states[] = {
            FrameCommandStates({}),
            FrameCommandStates({.hasPicture = true, .clipboardHasBitmap = true}),
            FrameCommandStates({.hasPicture = true, .clipboardHasBitmap = true, .previewRunning = true}),
    };
    const uint32_t rows[][7] = {
            {ID_FILE_PRINT, 0, 0, 1, 0, 1, 0},         {ID_EDIT_COPY, 0, 0, 1, 0, 1, 0},
            {ID_WALLPAPER_SET, 0, 0, 1, 0, 0, 0},      {ID_EDIT_PASTE, 0, 0, 1, 0, 0, 0},
            {ID_FILE_PRINT_PREVIEW, 0, 0, 1, 0, 1, 1}, {ID_FILE_PRINT_PREVIEW_CLOSE, 1, 0, 1, 0, 1, 0},
            {ID_FILE_CAPTURE, 1, 0, 1, 0, 0, 0},       {ID_FILE_PAGE_SETUP, 1, 0, 1, 0, 1, 0},
            {ID_EDIT_CUT, 0, 0, 0, 0, 0, 0},
    };
    for (const auto& r : rows) {
        for (size_t k = 0; k < 3; ++k) {
            const CommandUi want{r[0], r[1 + 2 * k] != 0, r[2 + 2 * k] != 0};
            EXPECT_EQ(std::count(states[k].begin(), states[k].end(), want), 1) << r[0] << " in state " << k;
        }
    }
    const CommandUi recentOff{ID_FILE_MRU_FIRST, false, false};
    EXPECT_EQ(std::count(states[2].begin(), states[2].end(), recentOff), 1);
    EXPECT_EQ(std::count(states[1].begin(), states[1].end(), recentOff), 0);
}

TEST(FrameRulesTest, EachEffectCommandFlipsItsOwnFlag) {
    const std::pair<uint32_t, bool EffectFlags::*> effects[] = {
            {ID_EFFECT_GRAYSCALE, &EffectFlags::grayScale}, {ID_EFFECT_HFLIP, &EffectFlags::horizontalFlip},
            {ID_EFFECT_VFLIP, &EffectFlags::verticalFlip},  {ID_EFFECT_NEGATIVE, &EffectFlags::negative},
            {ID_EFFECT_GLASS, &EffectFlags::glass},         {ID_EFFECT_STIPPLEDGLASS, &EffectFlags::stippledGlass},
    };
    for (const auto& [id, flag] : effects) {
        EffectFlags f;
        ASSERT_TRUE(ToggleEffect(f, id));
        EXPECT_TRUE(f.*flag) << id;
        EXPECT_EQ(f.grayScale + f.horizontalFlip + f.verticalFlip + f.negative + f.glass + f.stippledGlass, 1) << id;
        ToggleEffect(f, id);
        EXPECT_FALSE(f.Any()) << id;
    }
    EffectFlags f;
    EXPECT_FALSE(ToggleEffect(f, ID_VIEW_ZOOMIN));
    EXPECT_FALSE(f.Any());
}

TEST(FrameRulesTest, AnExceptionLeavingAThreadBodyIsReportedAndEndsItCleanly) {
    std::vector<std::string> reports;
    const auto report = [&](const std::string& text) { reports.push_back(text); };
    EXPECT_EQ(RunCatching([] { return 7; }, report), 7);
    EXPECT_EQ(RunCatching([]() -> int { throw std::runtime_error("disk gone"); }, report), 0);
    EXPECT_EQ(RunCatching([]() -> int { throw 42; }, report, -1), -1);
    EXPECT_EQ(RunCatching([]() -> int { throw 1; }, [](const std::string&) { throw 2; }), 0);
    EXPECT_EQ(reports, (std::vector<std::string>{std::string(kUnexpectedErrorText) + "disk gone",
                                                 std::string(kUnexpectedErrorText) + "unknown exception"}));
}

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

TEST(CommandTailTest, SkipsProgramNameAndBlanksThenTakesThePath) {
    const std::pair<std::string, std::string> tails[] = {
            {R"("C:\Program Files\Pictavo\Pictavo.exe"  "D:\a b.jpg")", R"("D:\a b.jpg")"},
            {"pictavo.exe\t\t C:\\x.jpg", "C:\\x.jpg"},
            {"\"pictavo.exe\"", ""},
            {"pictavo.exe", ""},
            {"\"unterminated name", ""},
    };
    for (const auto& [line, tail] : tails) {
        EXPECT_EQ(CommandTailFrom(line), tail) << line;
    }
    EXPECT_EQ(ArgumentPath(R"("C:\my pics\a.jpg" more words)"), R"(C:\my pics\a.jpg)");
    EXPECT_EQ(ArgumentPath(R"("C:\open quote)"), R"(C:\open quote)");
    EXPECT_EQ(ArgumentPath(R"(C:\my pics\a.jpg)"), R"(C:\my pics\a.jpg)");
}

// Unquoted with blanks is taken whole; an existing empty folder goes down the file road;
// relative paths resolve against the current folder.
TEST(DecideArgumentTest, FileOrFolder) {
    const std::string root = test::MakeScratchDir("decide");
    std::filesystem::create_directories(root + "/empty");
    std::filesystem::create_directories(root + "/full folder");
    test::WriteHostFile(root + "/full folder/a.jpg", {1});
    test::WriteHostFile(root + "/pic.jpg", {1});
    const auto prog = [&root](const std::string& host) { return ProgramPathFromHost(root + host); };
    const std::filesystem::path oldCwd = std::filesystem::current_path();
    std::filesystem::current_path(root);
    const std::pair<std::string, ArgumentKind> rows[] = {
            {"\"" + prog("/full folder") + "\" extra", ArgumentKind::Folder},
            {prog("/full folder"), ArgumentKind::Folder},
            {prog("/empty"), ArgumentKind::File},
            {prog("/pic.jpg"), ArgumentKind::File},
            {prog("/nothing here"), ArgumentKind::File},
            {"full folder", ArgumentKind::Folder},
            {"Q:\\", ArgumentKind::Folder},  // a drive root that cannot be listed is still a folder
    };
    for (const auto& [argument, kind] : rows) {
        EXPECT_EQ(DecideArgument(argument).kind, kind) << argument;
    }
    EXPECT_EQ(DecideArgument("\"" + prog("/full folder") + "\" extra").fullPath, prog("/full folder"));
    EXPECT_EQ(DecideArgument("\"full folder\\..\\pic.jpg\"").fullPath, prog("/pic.jpg"));
    std::filesystem::current_path(oldCwd);
}

TEST(DriveRootTest, OnlyLetterColonBackslash) {
    EXPECT_EQ(std::tuple(IsDriveRoot("Q:\\"), IsDriveRoot("Q:"), IsDriveRoot("Q:\\x")), std::tuple(true, false, false));
}

}  // namespace
}  // namespace pv
