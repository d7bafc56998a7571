// The main frame under Wine, on its own frame thread with its real message loop, driven by
// messages as a user's clicks and keys would drive it.
#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "RegistrySandbox.h"
#include "app/FrameSettings.h"
#include "app/win32/FrameThreads.h"
#include "base/ResourceIds.h"
#include "base/win32/Wide.h"
#include "framework/WinInclude.h"
#include "imaging/BmpWriter.h"
#include "platform/FileSystem.h"
#include "platform/Settings.h"
#include "search/SharedLists.h"

namespace pv {
namespace {

// The open dialog's file-name box (cmb13) and the message that fills it (CDM_SETCONTROLTEXT).
constexpr WPARAM kFileNameBox = 0x047C;
constexpr UINT kSetControlText = WM_USER + 104;

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<ChildSearch*>(lp);
    if (GetDlgCtrlID(hwnd) == s->id) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindChild(HWND root, int id) {
    ChildSearch s{id, nullptr};
    EnumChildWindows(root, &MatchId, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::string TextOf(HWND hwnd) {
    wchar_t text[1024] = {};
    GetWindowTextW(hwnd, text, 1024);
    return Narrow(text);
}

BOOL CALLBACK TakeVisible(HWND hwnd, LPARAM lp) {
    if (IsWindowVisible(hwnd) && GetWindow(hwnd, GW_OWNER) == nullptr) {
        *reinterpret_cast<HWND*>(lp) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A frame thread started with a command tail, as the process starts one.
class FrameUnderTest {
public:
    explicit FrameUnderTest(const std::string& tail) {
        auto* args = new FrameStartArgs{tail, SW_SHOWNORMAL};
        thread_ = CreateThread(nullptr, 0, &FrameThreadMain, args, 0, &threadId_);
        for (int i = 0; i < 500 && frame_ == nullptr; ++i) {
            EnumThreadWindows(threadId_, &TakeVisible, reinterpret_cast<LPARAM>(&frame_));
            if (frame_ == nullptr) {
                Sleep(10);
            }
        }
    }

    FrameUnderTest(const FrameUnderTest&) = delete;
    FrameUnderTest& operator=(const FrameUnderTest&) = delete;

    ~FrameUnderTest() {
        Close();
        CloseHandle(thread_);
    }

    [[nodiscard]] HWND frame() const { return frame_; }

    [[nodiscard]] DWORD threadId() const { return threadId_; }

    // Sent messages are handled when the frame's thread next reads its queue: after whatever
    // road it is on has ended (unless that road runs a modal loop).
    void Fence() const { SendMessageW(frame_, WM_NULL, 0, 0); }

    // Closes the frame and waits for its thread to end.
    void Close() {
        if (frame_ != nullptr) {
            PostMessageW(frame_, WM_CLOSE, 0, 0);
            frame_ = nullptr;
        }
        WaitForSingleObject(thread_, 10000);
    }

    [[nodiscard]] HWND view() const { return FindChild(frame_, IDC_IMAGE_VIEW); }

    [[nodiscard]] HWND thumbs() const { return FindChild(frame_, IDC_THUMB_VIEW); }

    [[nodiscard]] std::string Counter() const { return TextOf(FindChild(frame_, IDC_POSITION_COUNTER)); }

    [[nodiscard]] std::string Title() const { return TextOf(frame_); }

    [[nodiscard]] std::string StatusPane() const {
        HWND status = FindChild(frame_, IDC_STATUS_BAR);
        wchar_t text[1024] = {};
        SendMessageW(status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return Narrow(text);
    }

    void Command(UINT id) const { SendMessageW(frame_, WM_COMMAND, id, 0); }

    // A key press as the thread's loop receives it, through the frame's filter.
    void PressKey(HWND target, WPARAM key) const { PostMessageW(target, WM_KEYDOWN, key, 1); }

    // 0 image view only, -1 both, 1 thumbnails only, read from what is shown.
    [[nodiscard]] int Mode() const {
        bool v = IsWindowVisible(view()) != FALSE;
        bool t = IsWindowVisible(thumbs()) != FALSE;
        return v && t ? -1 : (v ? 0 : 1);
    }

private:
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HWND frame_ = nullptr;
};

// Tells when a dialog box (a message box, the open dialog) is up on the frame's thread and
// when it is gone, through a CBT hook on that thread: the test then drives the box, or drives
// the frame while the box's own loop runs.
class DialogWatch {
public:
    explicit DialogWatch(DWORD threadId) {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CBT, &Proc, nullptr, threadId);
    }

    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;

    ~DialogWatch() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
        CloseHandle(up_);
        CloseHandle(gone_);
    }

    // The box once it is active, or null when none came.
    [[nodiscard]] HWND WaitUp() const {
        return WaitForSingleObject(up_, 10000) == WAIT_OBJECT_0 ? box_.load() : nullptr;
    }

    [[nodiscard]] bool WaitGone() const { return WaitForSingleObject(gone_, 10000) == WAIT_OBJECT_0; }

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
        auto* hwnd = reinterpret_cast<HWND>(wp);
        if (DialogWatch* w = current_; w != nullptr) {
            wchar_t cls[16] = {};
            if (code == HCBT_ACTIVATE && w->box_ == nullptr && GetClassNameW(hwnd, cls, 16) > 0 &&
                wcscmp(cls, L"#32770") == 0) {
                w->box_ = hwnd;
                SetEvent(w->up_);
            } else if (code == HCBT_DESTROYWND && hwnd == w->box_) {
                SetEvent(w->gone_);
            }
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    static inline std::atomic<DialogWatch*> current_{nullptr};
    HHOOK hook_ = nullptr;
    HANDLE up_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE gone_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<HWND> box_{nullptr};
};

// Posted input is handled some time later on the frame's thread: wait for its effect.
template <typename Pred>
bool Eventually(Pred pred) {
    for (int i = 0; i < 200; ++i) {
        if (pred()) {
            return true;
        }
        Sleep(10);
    }
    return pred();
}

std::string TempFolder(const std::string& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::string folder = Narrow(temp) + name + "\\";
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
    return folder;
}

void WritePicture(const std::string& path, int w, int h) {
    std::vector<uint8_t> pixels(static_cast<size_t>(RowStride(24, w)) * static_cast<size_t>(h), 0x80);
    ImageBuffer img;
    img.width = w;
    img.height = h;
    img.stride = RowStride(24, w);
    img.pixels = pixels.data();
    ASSERT_EQ(WriteWholeFile(path, Encode24BitBmp(img)), Status::Ok);
}

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Per process: CTest runs the tests of this suite side by side.
        folder_ = TempFolder("pictavo-frame-" + std::to_string(GetCurrentProcessId()));
        WritePicture(folder_ + "a.bmp", 3, 2);
        WritePicture(folder_ + "b.bmp", 5, 4);
        ASSERT_EQ(WriteWholeFile(folder_ + "c.bmp", {'B', 'M', 1, 2}), Status::Ok);  // unreadable
        ASSERT_EQ(WriteWholeFile(folder_ + "d.bmp", {'n', 'o'}), Status::Ok);        // unreadable
        WritePicture(folder_ + "e.bmp", 2000, 1500);
    }

    test::RegistrySandbox sandbox_;
    std::string folder_;
};

TEST_F(MainFrameTest, OpeningAndSteppingWriteCounterTitleAndStatus) {
    FrameUnderTest f("\"" + folder_ + "a.bmp\"");
    ASSERT_NE(f.frame(), nullptr);
    // The command-line road writes counter and status, and leaves the title.
    EXPECT_EQ(f.Counter(), "1  /  5");
    EXPECT_EQ(f.StatusPane(), folder_ + "a.bmp");
    EXPECT_EQ(f.Title(), "Pictavo");

    f.Command(ID_LIST_FORWARD);
    EXPECT_EQ(f.Counter(), "2  /  5");
    EXPECT_EQ(f.Title(), folder_ + "b.bmp: src: 5 x 4 pixels zoom: 100 %");
    EXPECT_EQ(f.StatusPane(), folder_ + "b.bmp");

    // Two unreadable files are stepped over.
    f.Command(ID_LIST_FORWARD);
    EXPECT_EQ(f.Counter(), "5  /  5");
    EXPECT_EQ(f.Title(), folder_ + "e.bmp: src: 2000 x 1500 pixels zoom: 100 %");

    // Next at the last entry opens it again; no wrapping.
    f.Command(ID_LIST_FORWARD);
    EXPECT_EQ(f.Counter(), "5  /  5");
    f.Command(ID_LIST_BACK);
    EXPECT_EQ(f.Counter(), "2  /  5");
    f.Command(ID_LIST_BEGIN);
    EXPECT_EQ(f.Counter(), "1  /  5");
    f.Command(ID_VIEW_ZOOMIN);
    EXPECT_EQ(f.Title(), folder_ + "a.bmp: src: 3 x 2 pixels zoom: 104 %");
}

TEST_F(MainFrameTest, ToggleCyclesThroughTheThreeModes) {
    {
        ShownFileList().Clear();  // the lists are process-wide: start from none
        FrameUnderTest empty("");
        ASSERT_NE(empty.frame(), nullptr);
        EXPECT_EQ(empty.Mode(), 0);
        empty.Command(ID_VIEW_TOGGLE);
        EXPECT_EQ(empty.Mode(), 0);  // nothing to show in thumbnails: no change
        // A click on the empty view asks for the texts: there is nothing to write.
        SendMessageW(empty.frame(), UM_REFRESHTEXTS, 0, 0);
        EXPECT_EQ(empty.Title(), "Pictavo");
        EXPECT_EQ(empty.Counter(), "");
    }
    FrameUnderTest f("\"" + folder_ + "a.bmp\"");
    ASSERT_NE(f.frame(), nullptr);
    EXPECT_EQ(f.Mode(), 0);
    f.Command(ID_VIEW_TOGGLE);
    EXPECT_EQ(f.Mode(), 1);
    f.Command(ID_VIEW_TOGGLE);
    EXPECT_EQ(f.Mode(), -1);
    f.Command(ID_VIEW_TOGGLE);
    EXPECT_EQ(f.Mode(), 0);
}

TEST_F(MainFrameTest, FullScreenCoversTheScreenAndRestoresThePlacement) {
    {
        // A stored size above the minimum tracking size, so the placement can come back exactly.
        auto key = CreateSettingsKey(kProgramKey);
        std::vector<uint8_t> rect(16, 0);
        const int32_t values[4] = {0, 0, 900, 700};
        memcpy(rect.data(), values, 16);
        key->WriteBinary("WindowRect", rect);
    }
    FrameUnderTest f("\"" + folder_ + "a.bmp\"");
    ASSERT_NE(f.frame(), nullptr);
    RECT before{};
    GetWindowRect(f.frame(), &before);
    f.Command(ID_VIEW_FULLSCREEN);
    EXPECT_EQ(f.Mode(), 1);  // one Toggle step
    RECT full{};
    GetWindowRect(f.frame(), &full);
    RECT screen{};
    GetWindowRect(GetDesktopWindow(), &screen);
    EXPECT_LT(full.left, screen.left);
    EXPECT_LT(full.top, screen.top);
    EXPECT_GT(full.right, screen.right);
    EXPECT_GT(full.bottom, screen.bottom);
    EXPECT_FALSE(IsWindowVisible(FindChild(f.frame(), IDC_STATUS_BAR)));
    EXPECT_FALSE(IsWindowVisible(FindChild(f.frame(), IDC_REBAR)));

    f.PressKey(f.view(), VK_ESCAPE);  // Escape leaves full screen
    RECT after{};
    Eventually([&] {
        GetWindowRect(f.frame(), &after);
        return EqualRect(&before, &after) != FALSE;
    });
    EXPECT_TRUE(EqualRect(&before, &after))
            << before.left << "," << before.top << "," << before.right << "," << before.bottom << " vs " << after.left
            << "," << after.top << "," << after.right << "," << after.bottom;
    EXPECT_EQ(f.Mode(), -1);  // and takes one more step
    EXPECT_TRUE(IsWindowVisible(FindChild(f.frame(), IDC_STATUS_BAR)));
}

// File Open shows the chosen file and makes it the current path, so the texts and a later
// zoom's title name it.
TEST_F(MainFrameTest, FileOpenMakesTheChosenFileCurrent) {
    FrameUnderTest f("\"" + folder_ + "a.bmp\"");
    ASSERT_NE(f.frame(), nullptr);
    DialogWatch watch(f.threadId());
    PostMessageW(f.frame(), WM_COMMAND, ID_FILE_OPEN, 0);
    HWND dialog = watch.WaitUp();
    ASSERT_NE(dialog, nullptr);
    SendMessageW(dialog, kSetControlText, kFileNameBox, reinterpret_cast<LPARAM>(Widen(folder_ + "b.bmp").c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(watch.WaitGone());
    f.Fence();
    EXPECT_EQ(f.StatusPane(), folder_ + "b.bmp");
    EXPECT_EQ(f.Counter(), "2  /  5");
    EXPECT_EQ(f.Title(), "Pictavo - b.bmp");
    f.Command(ID_VIEW_ZOOMIN);
    EXPECT_EQ(f.Title(), folder_ + "b.bmp: src: 5 x 4 pixels zoom: 104 %");
}

// While a message box of one open is up, its loop still delivers messages to the frame: a
// second road arriving then is refused, not run inside the paused open.
TEST_F(MainFrameTest, ARoadArrivingWhileAnOpensMessageBoxIsUpIsRefused) {
    ASSERT_EQ(WriteWholeFile(folder_ + "f.gif", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, '!'}), Status::Ok);
    FrameUnderTest f("\"" + folder_ + "a.bmp\"");
    ASSERT_NE(f.frame(), nullptr);
    ASSERT_EQ(f.Counter(), "1  /  6");
    DialogWatch watch(f.threadId());
    PostMessageW(f.frame(), UM_SHOWITEM, 5, 0);  // the broken GIF: "Can't read image!"
    HWND box = watch.WaitUp();
    ASSERT_NE(box, nullptr);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(f.frame(), WM_COMMAND, ID_LIST_BACK, 0, SMTO_NORMAL, 10000, &ignored);
    SendMessageTimeoutW(f.frame(), UM_SHOWITEM, 1, 0, SMTO_NORMAL, 10000, &ignored);
    EXPECT_EQ(f.Counter(), "1  /  6");
    EXPECT_EQ(f.Title(), "Pictavo");
    SendMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(watch.WaitGone());
    f.Fence();
    EXPECT_EQ(f.Counter(), "6  /  6");
    EXPECT_EQ(f.StatusPane(), folder_ + "f.gif");
    f.Command(ID_LIST_BACK);  // after the open, roads run again
    EXPECT_EQ(f.Counter(), "5  /  6");
}

// A frame closed while minimised stores its normal rectangle, not the minimised one.
TEST_F(MainFrameTest, ClosingWhileMinimisedStoresTheNormalRectangle) {
    FrameUnderTest f("");
    ASSERT_NE(f.frame(), nullptr);
    RECT normal{};
    GetWindowRect(f.frame(), &normal);
    ShowWindow(f.frame(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(f.frame()));
    f.Close();
    const StoredRect stored = ReadFrameStartSettings().windowRect;
    EXPECT_EQ(stored.left, normal.left);
    EXPECT_EQ(stored.top, normal.top);
    EXPECT_EQ(stored.right, normal.right);
    EXPECT_EQ(stored.bottom, normal.bottom);
}

TEST_F(MainFrameTest, FrameCannotBeMadeSmallerThan800By660) {
    FrameUnderTest f("");
    ASSERT_NE(f.frame(), nullptr);
    MINMAXINFO info{};
    SendMessageW(f.frame(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 800);
    EXPECT_EQ(info.ptMinTrackSize.y, 660);
}

TEST_F(MainFrameTest, ArrowKeysScrollTheImageViewWhereverTheFocusIs) {
    FrameUnderTest f("\"" + folder_ + "e.bmp\"");
    ASSERT_NE(f.frame(), nullptr);
    const int h0 = GetScrollPos(f.view(), SB_HORZ);
    const int v0 = GetScrollPos(f.view(), SB_VERT);
    ASSERT_GT(h0, 0);  // a large picture opens scrolled to its middle

    HWND keyword = FindChild(f.frame(), IDC_KEYWORD_EDIT);
    f.PressKey(keyword, VK_RIGHT);
    EXPECT_TRUE(Eventually([&] { return GetScrollPos(f.view(), SB_HORZ) > h0; }));
    f.PressKey(f.view(), VK_NEXT);
    EXPECT_TRUE(Eventually([&] { return GetScrollPos(f.view(), SB_VERT) > v0; }));
    f.PressKey(f.view(), VK_UP);
    f.PressKey(f.view(), VK_PRIOR);
    EXPECT_TRUE(Eventually([&] { return GetScrollPos(f.view(), SB_VERT) < v0; }));
}

}  // namespace
}  // namespace pv
