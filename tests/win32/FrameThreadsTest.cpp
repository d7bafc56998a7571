// Frame threads under Wine: a real frame per thread, its settings, and the thread limit.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "RegistrySandbox.h"
#include "app/win32/FrameThreads.h"
#include "platform/Settings.h"

namespace pv {
namespace {

struct FoundWindow {
    HWND hwnd = nullptr;
};

BOOL CALLBACK TakeVisible(HWND hwnd, LPARAM lp) {
    if (IsWindowVisible(hwnd)) {
        reinterpret_cast<FoundWindow*>(lp)->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Starts a frame thread as the main thread does and waits for its frame to show.
class RunningFrame {
public:
    explicit RunningFrame(const std::string& tail = std::string()) {
        auto* args = new FrameStartArgs{tail, SW_SHOWNORMAL, lists_};
        thread_ = CreateThread(nullptr, 0, &FrameThreadMain, args, 0, &threadId_);
        for (int i = 0; i < 500 && hwnd_ == nullptr; ++i) {
            FoundWindow found;
            EnumThreadWindows(threadId_, &TakeVisible, reinterpret_cast<LPARAM>(&found));
            hwnd_ = found.hwnd;
            if (hwnd_ == nullptr) {
                Sleep(10);
            }
        }
    }
    RunningFrame(const RunningFrame&) = delete;
    RunningFrame& operator=(const RunningFrame&) = delete;
    ~RunningFrame() {
        Close();
        CloseHandle(thread_);
    }

    [[nodiscard]] HWND hwnd() const { return hwnd_; }

    DWORD Close() {
        if (hwnd_ != nullptr) {
            PostMessageW(hwnd_, WM_CLOSE, 0, 0);
            hwnd_ = nullptr;
        }
        WaitForSingleObject(thread_, 10000);
        DWORD code = 0;
        GetExitCodeThread(thread_, &code);
        return code;
    }

private:
    SharedLists lists_;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HWND hwnd_ = nullptr;
};

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

void ExpectCentred(HWND hwnd, int width, int height) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    RECT work = WorkArea();
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
    EXPECT_EQ(r.left, work.left + (work.right - work.left) / 2 - width / 2);
    EXPECT_EQ(r.top, work.top + (work.bottom - work.top) / 2 - height / 2);
}

TEST(FrameThreadTest, FirstStartIsCentredAtDefaultSizeAndCloseStoresSettings) {
    test::RegistrySandbox sandbox;
    RunningFrame frame;
    ASSERT_NE(frame.hwnd(), nullptr);
    wchar_t title[64] = {};
    GetWindowTextW(frame.hwnd(), title, 64);
    EXPECT_STREQ(title, L"Pictavo");
    ExpectCentred(frame.hwnd(), 800, 640);
    RECT shown{};
    GetWindowRect(frame.hwnd(), &shown);

    EXPECT_EQ(frame.Close(), 1u);  // the frame's destruction quits its loop with 1

    auto key = OpenSettingsKey(kProgramKey);
    ASSERT_NE(key, nullptr);
    auto rect = key->ReadRaw("WindowRect");
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(rect->type, ValueType::Binary);
    ASSERT_EQ(rect->data.size(), 16u);
    RECT stored{};
    memcpy(&stored, rect->data.data(), 16);
    EXPECT_EQ(stored.left, shown.left);
    EXPECT_EQ(stored.right, shown.right);
    EXPECT_EQ(key->ReadDword("ThumbsMode"), 0u);
    EXPECT_EQ(key->ReadDword("FitToWindow"), 0u);
}

TEST(FrameThreadTest, StoredSizeIsKeptButBadShapesAreIgnored) {
    test::RegistrySandbox sandbox;
    {
        auto key = CreateSettingsKey(kProgramKey);
        std::vector<uint8_t> rect(16, 0);
        int32_t values[4] = {5, 7, 905, 707};
        memcpy(rect.data(), values, 16);
        key->WriteBinary("WindowRect", rect);
    }
    {
        RunningFrame frame;
        ASSERT_NE(frame.hwnd(), nullptr);
        ExpectCentred(frame.hwnd(), 900, 700);
    }
    for (int shape = 0; shape < 2; ++shape) {
        auto key = CreateSettingsKey(kProgramKey);
        if (shape == 0) {
            key->WriteString("WindowRect", "0123456789abcde");
        } else {
            key->WriteBinary("WindowRect", std::vector<uint8_t>(20, 1));
        }
        RunningFrame frame;
        ASSERT_NE(frame.hwnd(), nullptr);
        ExpectCentred(frame.hwnd(), 800, 640);
    }
}

std::atomic<int> gReports{0};
std::string gLastText;
std::string gLastCaption;
HANDLE gRelease = nullptr;

void RecordReport(const char* text, const char* caption) {
    gLastText = text;
    gLastCaption = caption;
    ++gReports;
}

DWORD WINAPI WaitForRelease(void*) {
    WaitForSingleObject(gRelease, INFINITE);
    return 0;
}

TEST(FrameThreadsTest, SixtyFourthFrameIsRefusedWithItsMessage) {
    gRelease = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    gReports = 0;
    {
        SharedLists lists;
        CFrameThreads threads(lists, &WaitForRelease, &RecordReport);
        for (uint32_t i = 0; i < kMaxFrameThreads; ++i) {
            threads.StartFrameThread(std::string(), SW_SHOW);
        }
        EXPECT_EQ(threads.count(), 63u);
        EXPECT_EQ(gReports.load(), 0);
        threads.StartFrameThread(std::string(), SW_SHOW);
        EXPECT_EQ(threads.count(), 63u);
        EXPECT_EQ(gReports.load(), 1);
        EXPECT_EQ(gLastText, "ERROR: Cannot create ANY MORE threads!!!");
        EXPECT_EQ(gLastCaption, "RUDor");

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
