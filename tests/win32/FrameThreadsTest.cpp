// Frame threads under Wine: a real frame per thread, its settings, and the thread limit.
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

#include "Harness.h"
#include "app/FrameSettings.h"

namespace pv {
namespace {

using test::FrameUnderTest;

void ExpectCentred(HWND hwnd, int width, int height) {
    RECT r{};
    RECT work{};
    GetWindowRect(hwnd, &r);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(std::tuple(r.left, r.top, r.right - r.left, r.bottom - r.top),
              std::tuple(work.left + (work.right - work.left) / 2 - width / 2,
                         work.top + (work.bottom - work.top) / 2 - height / 2, width, height));
}

// Closed while minimised, the frame stores the normal rectangle it was shown in, not the
// minimised one.
TEST(FrameThreadTest, FirstStartIsCentredAtDefaultSizeAndCloseStoresSettings) {
    test::RegistrySandbox sandbox;
    FrameUnderTest frame;
    ASSERT_NE(frame.frame(), nullptr);
    EXPECT_EQ(frame.Title(), "Pictavo");
    ExpectCentred(frame.frame(), 800, 640);
    RECT shown{};
    GetWindowRect(frame.frame(), &shown);
    ShowWindow(frame.frame(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(frame.frame()));

    EXPECT_EQ(frame.Close(), 1u);  // the frame's destruction quits its loop with 1

    const FrameStartSettings stored = ReadFrameStartSettings();
    EXPECT_EQ(std::tuple(stored.windowRect.left, stored.windowRect.top, stored.windowRect.right,
                         stored.windowRect.bottom),
              std::tuple(shown.left, shown.top, shown.right, shown.bottom));
    auto key = OpenSettingsKey(kProgramKey);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadDword("ThumbsMode"), 0u);
    EXPECT_EQ(key->ReadDword("FitToWindow"), 0u);
}

TEST(FrameThreadTest, StoredSizeIsKeptButBadShapesAreIgnored) {
    test::RegistrySandbox sandbox;
    test::StoreWindowRect(5, 7, 905, 707);
    {
        FrameUnderTest frame;
        ASSERT_NE(frame.frame(), nullptr);
        ExpectCentred(frame.frame(), 900, 700);
    }
    for (int shape = 0; shape < 2; ++shape) {
        auto key = CreateSettingsKey(kProgramKey);
        if (shape == 0) {
            key->WriteString("WindowRect", "0123456789abcde");
        } else {
            key->WriteBinary("WindowRect", std::vector<uint8_t>(20, 1));
        }
        FrameUnderTest frame;
        ASSERT_NE(frame.frame(), nullptr);
        ExpectCentred(frame.frame(), 800, 640);
    }
}

std::vector<std::string> gReports;  // "caption: text", reported on the starting thread
HANDLE gRelease = nullptr;

void RecordReport(const char* text, const char* caption) {
    gReports.push_back(std::string(caption) + ": " + text);
}

DWORD WINAPI WaitForRelease(void*) {
    WaitForSingleObject(gRelease, 10000);
    return 0;
}

TEST(FrameThreadsTest, SixtyFourthFrameIsRefusedWithItsMessage) {
    gRelease = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    gReports.clear();
    {
        SharedLists lists;
        CFrameThreads threads(lists, &WaitForRelease, &RecordReport);
        for (uint32_t i = 0; i < kMaxFrameThreads; ++i) {
            threads.StartFrameThread(std::string(), SW_SHOW);
        }
        EXPECT_EQ(threads.count(), 63u);
        EXPECT_TRUE(gReports.empty());
        threads.StartFrameThread(std::string(), SW_SHOW);
        EXPECT_EQ(threads.count(), 63u);
        EXPECT_EQ(gReports, std::vector<std::string>{"RUDor: ERROR: Cannot create ANY MORE threads!!!"});

        SetEvent(gRelease);
        threads.WaitForAll();
        EXPECT_EQ(threads.count(), 0u);
        // With the slots free again, a new frame thread starts.
        ResetEvent(gRelease);
        threads.StartFrameThread(std::string(), SW_SHOW);
        EXPECT_EQ(threads.count(), 1u);
        SetEvent(gRelease);
        threads.WaitForAll();
    }
    CloseHandle(gRelease);
}

}  // namespace
}  // namespace pv
