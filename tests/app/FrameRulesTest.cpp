// The frame's rules that need no window: view modes with Toggle and full screen, the
// command table, the command states of the UI-update table, and the thread-entry guard.
#include <gtest/gtest.h>
#include <stdexcept>

#include "app/CommandStates.h"
#include "app/CommandTable.h"
#include "app/EntryGuard.h"
#include "app/ViewMode.h"
#include "base/ResourceIds.h"

namespace pv {
namespace {

TEST(FrameRulesTest, ViewModesKeepTheirStoredNumbersAndCycle) {
    EXPECT_EQ(StoredViewMode(ViewMode::Both), -1);
    EXPECT_EQ(StoredViewMode(ViewMode::ImageOnly), 0);
    EXPECT_EQ(StoredViewMode(ViewMode::ThumbsOnly), 1);
    for (int32_t stored : {-1, 0, 1}) {
        EXPECT_EQ(StoredViewMode(ViewModeFromStored(stored)), stored);
    }
    for (int32_t junk : {2, -2, 0x7FFFFFFF}) {
        EXPECT_EQ(ViewModeFromStored(junk), ViewMode::ImageOnly) << junk;
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
    EXPECT_FALSE(m.Escape(3));
    EXPECT_EQ(m.Mode(), ViewMode::ImageOnly);
    EXPECT_TRUE(m.ToggleFullScreen(3));
    EXPECT_TRUE(m.FullScreen());
    EXPECT_EQ(m.Mode(), ViewMode::ThumbsOnly);
    EXPECT_TRUE(m.Escape(3));
    EXPECT_FALSE(m.FullScreen());
    EXPECT_EQ(m.Mode(), ViewMode::Both);

    EXPECT_FALSE(m.ToggleFullScreen(0));
    EXPECT_TRUE(m.FullScreen());
    EXPECT_EQ(m.Mode(), ViewMode::Both);
    m.LeaveFullScreenForClose();
    EXPECT_FALSE(m.FullScreen());
    EXPECT_EQ(m.Mode(), ViewMode::Both) << "closing stores the mode in use";

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

CommandUi StateOf(const FrameUiState& s, uint32_t id) {
    for (const CommandUi& c : FrameCommandStates(s)) {
        if (c.id == id) {
            return c;
        }
    }
    ADD_FAILURE() << "no state for " << id;
    return {};
}

TEST(FrameRulesTest, CommandStatesFollowTheFramesState) {
    FrameUiState s;
    s.effects.negative = true;
    s.toolBarVisible = false;

    struct Row {
        uint32_t id;
        bool enabled;
        bool checked;
    };

    const Row rows[] = {
            {ID_VIEW_BILINEAR, true, true}, {ID_VIEW_NEAREST, true, false},   {ID_VIEW_FITTOWINDOW, true, false},
            {ID_VIEW_TOOLBAR, true, false}, {ID_VIEW_STATUS_BAR, true, true}, {ID_EFFECT_NEGATIVE, true, true},
            {ID_EFFECT_GLASS, true, false}, {ID_SORT_FIRST, true, false},     {ID_SORT_LAST, true, false},
            {ID_EDIT_PASTE, false, false},  {ID_FILE_PRINT, false, false},    {ID_VIEW_THUMBNAILS, false, false},
    };
    for (const Row& r : rows) {
        const CommandUi c = StateOf(s, r.id);
        EXPECT_EQ(c.enabled, r.enabled) << r.id;
        EXPECT_EQ(c.checked, r.checked) << r.id;
    }
    s.nearestFilter = true;
    s.fitToWindow = true;
    EXPECT_TRUE(StateOf(s, ID_VIEW_NEAREST).checked);
    EXPECT_FALSE(StateOf(s, ID_VIEW_BILINEAR).checked);
    EXPECT_TRUE(StateOf(s, ID_VIEW_FITTOWINDOW).checked);
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

}  // namespace
}  // namespace pv
