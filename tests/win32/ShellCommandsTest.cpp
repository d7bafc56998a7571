// Taking pictures out and in under Wine: the clipboard, window capture, the wallpaper file,
// printing without a printer and the media window, each driven through the frame's commands.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "Harness.h"
#include "TestPaths.h"
#include "shell/win32/WallpaperFile.h"

namespace pv {
namespace {

using test::FrameUnderTest;
using test::Send;

std::string BoxText(HWND box) {
    return test::TextOf(GetDlgItem(box, 0xFFFF));  // a message box's text
}

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    const auto n = static_cast<int>(Send(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t text[300] = {};
        Send(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(Narrow(text));
    }
    return items;
}

bool ClipboardHasBitmap() {
    return IsClipboardFormatAvailable(CF_BITMAP) != FALSE;
}

class ShellCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::MakeScratchDir("shell") + "\\";
        test::WritePicture(folder_ + "a.bmp", 40, 30);
    }

    [[nodiscard]] std::string Tail(const char* name) const { return "\"" + folder_ + name + "\""; }

    test::RegistrySandbox sandbox_;
    std::string folder_;
};

// One test holds every use of the process-wide clipboard, so no other case races it.
TEST_F(ShellCommandsTest, CopyThenPasteRoundTripsTheShownPixelsAndTheClipboardIsLeftAlone) {
    FrameUnderTest f(Tail("a.bmp"));
    ASSERT_NE(f.frame(), nullptr);
    const test::Capture before = test::CaptureClient(f.view());
    f.Command(ID_EDIT_COPY);
    ASSERT_TRUE(ClipboardHasBitmap());
    EXPECT_EQ(GetClipboardOwner(), f.frame());

    f.Command(ID_VIEW_ZOOMIN);
    f.Command(ID_EDIT_PASTE);
    EXPECT_EQ(f.Title(), "(Clipboard): src: 40 x 30 pixels zoom: 100 %");
    EXPECT_EQ(f.StatusPane(), "(Clipboard)");
    const test::Capture after = test::CaptureClient(f.view());
    ASSERT_EQ(std::tuple(before.width, before.height), std::tuple(after.width, after.height));
    EXPECT_TRUE(before.pixels == after.pixels);

    // A device bitmap of 8 bits is copied at the display's depth, so it pastes as a picture.
    f.Command(ID_LIST_FORWARD);  // the folder's only picture again
    {
        const uint8_t bits[16] = {};
        HBITMAP eight = CreateBitmap(4, 4, 1, 8, bits);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(CF_BITMAP, eight);
        CloseClipboard();
    }
    f.Command(ID_EDIT_PASTE);
    EXPECT_EQ(f.Title(), "(Clipboard): src: 4 x 4 pixels zoom: 100 %");

    // Another program's clipboard survives the frame's end; the frame's own is emptied.
    f.Command(ID_EDIT_COPY);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, CreateBitmap(2, 2, 1, 32, nullptr));
    CloseClipboard();
    f.Close();
    EXPECT_TRUE(ClipboardHasBitmap());

    FrameUnderTest g(Tail("a.bmp"));
    g.Command(ID_EDIT_COPY);
    ASSERT_TRUE(ClipboardHasBitmap());
    g.Close();
    EXPECT_FALSE(ClipboardHasBitmap());

    // With nothing on the clipboard Paste is not offered: the command changes nothing.
    FrameUnderTest h(Tail("a.bmp"));
    h.Command(ID_EDIT_PASTE);
    EXPECT_EQ(h.Title(), "Pictavo");
}

LRESULT CALLBACK PaintRed(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND || msg == WM_PRINTCLIENT) {
        RECT r{};
        GetClientRect(hwnd, &r);
        HBRUSH red = CreateSolidBrush(RGB(200, 30, 60));
        FillRect(reinterpret_cast<HDC>(wp), &r, red);
        DeleteObject(red);
        return 1;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST_F(ShellCommandsTest, CaptureListsTheRightWindowsAndShowsTheChosenOnesPixels) {
    const std::wstring tag = std::to_wstring(GetCurrentProcessId());
    const std::wstring red = L"pv-capture-red-" + tag;
    const std::wstring minimised = L"pv-capture-min-" + tag;
    HWND untitled = nullptr;
    test::UiThread windows(10, 10, [&](HWND) {
        WNDCLASSW wc{.lpfnWndProc = &PaintRed, .hInstance = GetModuleHandleW(nullptr), .lpszClassName = L"PvRed"};
        RegisterClassW(&wc);
        HWND target = CreateWindowW(L"PvRed", red.c_str(), WS_POPUP | WS_VISIBLE, 30, 40, 120, 90, nullptr, nullptr,
                                    wc.hInstance, nullptr);
        CreateWindowW(L"PvRed", minimised.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE, 0, 0, 200, 200,
                      nullptr, nullptr, wc.hInstance, nullptr);
        untitled = CreateWindowW(L"PvRed", L"", WS_POPUP | WS_VISIBLE, 300, 40, 50, 50, nullptr, nullptr, wc.hInstance,
                                 nullptr);
        UpdateWindow(target);
        return target;
    });
    FrameUnderTest f(Tail("a.bmp"));
    ASSERT_NE(f.frame(), nullptr);
    HWND dialog = f.PostForDialog(WM_COMMAND, ID_FILE_CAPTURE, 0);
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, IDC_CAPTURE_LIST);
    const std::vector<std::string> items = ListItems(list);
    auto listed = [&](const std::wstring& title) {
        return std::find(items.begin(), items.end(), Narrow(title)) != items.end();
    };
    EXPECT_TRUE(listed(L"Desktop"));
    EXPECT_TRUE(listed(red));
    EXPECT_FALSE(listed(minimised));
    EXPECT_FALSE(listed(L""));
    for (const std::string& item : items) {
        auto* h = reinterpret_cast<HWND>(Send(list, LB_GETITEMDATA, static_cast<WPARAM>(&item - items.data()), 0));
        EXPECT_NE(h, untitled);
    }
    const LRESULT at = Send(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(red.c_str()));
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(f.WaitDialogGone());
    EXPECT_EQ(f.Title(), "(Capture): src: 120 x 90 pixels zoom: 100 %");
    const test::Capture shown = test::CaptureClient(f.view());
    EXPECT_EQ(shown.At(shown.width / 2, shown.height / 2), RGB(200, 30, 60));
}

TEST_F(ShellCommandsTest, WallpaperIsWrittenWhereItCanBeAndNamedAsTheDesktops) {
    FrameUnderTest f(Tail("a.bmp"));
    ASSERT_NE(f.frame(), nullptr);
    HWND dialog = f.PostForDialog(WM_COMMAND, ID_WALLPAPER_SET, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_WALLPAPER_SOURCE), BST_CHECKED);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(f.WaitDialogGone());
    wchar_t named[MAX_PATH] = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, named, 0));
    const std::string path = Narrow(named);
    EXPECT_NE(path.find("NorelWallpaper.bmp"), std::string::npos) << path;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(ReadWholeFile(path, bytes), Status::Ok) << path;
    ASSERT_GE(bytes.size(), 54u);
    const int32_t w = bytes[18] | bytes[19] << 8;
    const int32_t h = bytes[22] | bytes[23] << 8;
    EXPECT_TRUE(w > 0 && w <= 40 && h > 0 && h <= 30 && (w == 40 || h == 30)) << w << " x " << h;
    EXPECT_EQ(bytes.size(), 54 + RowStride(24, w) * static_cast<size_t>(h));

    // The first folder that takes it; none: nothing written, the desktop left alone.
    std::vector<uint8_t> px(RowStride(24, 5) * 2, 7);
    const ImageBuffer src{.width = 5, .height = 2, .stride = RowStride(24, 5), .pixels = px.data()};
    const std::wstring second = Widen(test::MakeScratchDir("wallpaper-second"));
    const std::wstring written = WriteWallpaperFile(src, {0, 0, 5, 2}, {L"Q:\\no\\such\\folder", second});
    EXPECT_EQ(written, second + L"\\NorelWallpaper.bmp");
    EXPECT_EQ(WriteWallpaperFile(src, {0, 0, 9, 2}, {second + L"\\bad"}), L"");
    EXPECT_EQ(GetFileAttributesW((second + L"\\bad\\NorelWallpaper.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(SetDesktopWallpaper(L""));
}

TEST_F(ShellCommandsTest, PrintWithoutAPrinterSaysSo) {
    FrameUnderTest f(Tail("a.bmp"));
    ASSERT_NE(f.frame(), nullptr);
    HWND box = f.PostForDialog(WM_COMMAND, ID_FILE_PRINT, 0);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), "Unable to print. Check printer");
    EXPECT_EQ(test::TextOf(box), "Printer");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(f.WaitDialogGone());
}

// The preview takes the panes' place (a Letter sheet without a printer) until it is closed.
TEST_F(ShellCommandsTest, PrintPreviewTakesTheClientAreaUntilItIsClosed) {
    FrameUnderTest f(Tail("a.bmp"));
    ASSERT_NE(f.frame(), nullptr);
    HWND splitter = f.Child(IDC_SPLITTER);
    f.Command(ID_FILE_PRINT_PREVIEW);
    HWND preview = FindWindowExW(f.frame(), nullptr, L"PictavoPrintPreview", nullptr);
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(IsWindowVisible(splitter));
    RECT r{};
    GetClientRect(preview, &r);
    EXPECT_TRUE(r.right > 100 && r.bottom > 100);
    f.Command(ID_FILE_PRINT_PREVIEW_CLOSE);
    EXPECT_EQ(FindWindowExW(f.frame(), nullptr, L"PictavoPrintPreview", nullptr), nullptr);
    EXPECT_TRUE(IsWindowVisible(splitter));
}

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Little-endian 32-bit words; Cc makes a four-character code one of them.
std::vector<uint8_t> Words(std::initializer_list<uint32_t> words) {
    std::vector<uint8_t> b;
    for (uint32_t v : words) {
        b.insert(b.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                           static_cast<uint8_t>(v >> 24)});
    }
    return b;
}

constexpr uint32_t Cc(const char (&t)[5]) {
    return static_cast<uint32_t>(t[0] | t[1] << 8 | t[2] << 16 | t[3] << 24);
}

// A chunk around `body`; a list (RIFF, LIST) names its type first.
std::vector<uint8_t> Chunk(const char (&tag)[5], const std::vector<uint8_t>& body) {
    return Words({Cc(tag), static_cast<uint32_t>(body.size())}) + body;
}

std::vector<uint8_t> List(const char (&tag)[5], const char (&type)[5], const std::vector<uint8_t>& body) {
    return Chunk(tag, Words({Cc(type)}) + body);
}

// A WAV file: 8 kHz, 8 bits, mono, a tenth of a second of silence.
std::vector<uint8_t> Wave() {
    return List(
            "RIFF", "WAVE",
            Chunk("fmt ", Words({0x00010001, 8000, 8000, 0x00080001})) + Chunk("data", std::vector<uint8_t>(800, 128)));
}

// An AVI of one uncompressed 8 x 8 frame.
std::vector<uint8_t> Video() {
    const auto strl = List(
            "LIST", "strl",
            Chunk("strh", Words({Cc("vids"), Cc("DIB "), 0, 0, 0, 1, 10, 0, 1, 192, 0xFFFFFFFF, 0, 0, 8 | (8 << 16)})) +
                    Chunk("strf", Words({40, 8, 8, 1 | (24 << 16), 0, 192, 0, 0, 0, 0})));
    const auto hdrl =
            List("LIST", "hdrl", Chunk("avih", Words({100000, 0, 0, 0x10, 1, 0, 1, 192, 8, 8, 0, 0, 0, 0})) + strl);
    const auto movi = List("LIST", "movi", Chunk("00db", std::vector<uint8_t>(192, 0x80)));
    return List("RIFF", "AVI ", hdrl + movi + Chunk("idx1", Words({Cc("00db"), 0x10, 4, 192})));
}

HWND MediaChild(HWND view) {
    return FindWindowExW(view, nullptr, L"MCIWndClass", nullptr);
}

TEST_F(ShellCommandsTest, MediaPlaysInTheViewAndAPictureAfterItClosesTheWindow) {
    ASSERT_EQ(WriteWholeFile(folder_ + "b.wav", Wave()), Status::Ok);
    ASSERT_EQ(WriteWholeFile(folder_ + "c.avi", Video()), Status::Ok);
    FrameUnderTest f(Tail("b.wav"));
    ASSERT_NE(f.frame(), nullptr);
    HWND media = MediaChild(f.view());
    ASSERT_NE(media, nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(media, GWL_STYLE) & WS_CHILD);
    f.Command(ID_LIST_FORWARD);  // the next medium, a video, reuses the window
    EXPECT_EQ(f.Title(), folder_ + "c.avi");
    EXPECT_EQ(MediaChild(f.view()), media);
    f.Command(ID_LIST_BEGIN);  // a picture closes it
    EXPECT_EQ(MediaChild(f.view()), nullptr);
}

}  // namespace
}  // namespace pv
