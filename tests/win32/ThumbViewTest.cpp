// The thumbnail and report view under Wine: where the grid paints pictures, captions,
// statuses and its framed background; how a click selects and tints; the report's columns,
// texts and empty message; and the frame's commands that show, select and sort.
#include <gtest/gtest.h>
#include <memory>
#include <utility>

#include "Harness.h"
#include "TestPaths.h"
#include "thumbs/win32/ThumbView.h"

namespace pv {
namespace {

using test::Send;

constexpr COLORREF kPicture = RGB(200, 100, 50);
constexpr COLORREF kPictureTinted = RGB(150, 75, 50);  // green and red g -> g/4 + g/2
constexpr COLORREF kGreyFill = RGB(216, 216, 216);
constexpr COLORREF kGreyTinted = RGB(162, 162, 216);
constexpr COLORREF kCaptionBox = RGB(232, 236, 233);
constexpr COLORREF kFrame = RGB(128, 131, 129);

void WriteSolidBmp(const std::string& path, int w, int h) {
    std::vector<uint8_t> pixels(static_cast<size_t>(RowStride(24, w)) * static_cast<size_t>(h));
    ImageBuffer img{.width = w, .height = h, .stride = RowStride(24, w), .pixels = pixels.data()};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = img.pixels + static_cast<size_t>(y) * img.stride + 3 * static_cast<size_t>(x);
            p[0] = GetBValue(kPicture);
            p[1] = GetGValue(kPicture);
            p[2] = GetRValue(kPicture);
        }
    }
    ASSERT_EQ(WriteWholeFile(path, Encode24BitBmp(img)), Status::Ok);
}

FileRecord Record(const std::string& relativePath, uint64_t size = 0, uint64_t time = 0) {
    FileRecord r;
    r.relativePath = relativePath;
    r.sizeLow = static_cast<uint32_t>(size);
    r.sizeHigh = static_cast<uint32_t>(size >> 32);
    r.lastWriteTime = r.creationTime = r.lastAccessTime = time;
    return r;
}

// The view filling a host window; the host records what the view tells the frame.
struct ThumbHost {
    ThumbHost(int w, int h)
        : ui(w, h, [this, w, h](HWND host) {
              view = std::make_unique<CThumbView>(lists);
              view->CreateView(host, IDC_THUMB_VIEW);
              MoveWindow(view->hwnd(), 0, 0, w, h, TRUE);
              SetWindowSubclass(host, &Record, 1, reinterpret_cast<DWORD_PTR>(this));
              return host;
          }) {}

    ~ThumbHost() {
        ui.Run([this] { view->StopProducer(); });
    }

    static LRESULT CALLBACK Record(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
        if (msg == UM_SHOWITEM || msg == UM_SHOWINDEX) {
            reinterpret_cast<ThumbHost*>(data)->told.emplace_back(msg, static_cast<int>(wp));
        }
        return DefSubclassProc(h, msg, wp, lp);
    }

    // The shown list: `records` under `root`.
    void Show(const std::string& root, std::vector<FileRecord> records) {
        ui.Run([&] {
            {
                SharedLists::Access state = lists.Lock();
                state->RootFolders = {root};
                state->ResultList.Clear();
                for (FileRecord& r : records) {
                    state->ResultList.Append(std::move(r));
                }
            }
            view->ShowAsThumbnails(0);
        });
    }

    void Click(int x, int y, WPARAM keys = 0) const { Send(view->hwnd(), WM_LBUTTONDOWN, keys, MAKELPARAM(x, y)); }

    [[nodiscard]] std::vector<int16_t> Marks() {
        std::vector<int16_t> marks;
        for (const FileRecord& r : lists.Lock()->ResultList.Records()) {
            marks.push_back(r.mark);
        }
        return marks;
    }

    SharedLists lists;
    std::unique_ptr<CThumbView> view;
    std::vector<std::pair<UINT, int>> told;
    test::UiThread ui;
};

int CellX(int column) {
    return 52 + 124 * column;
}

// Pixels darker than the caption and status text's surroundings inside a rectangle.
int DarkPixels(const test::Capture& c, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            n += GetRValue(c.At(x, y)) < 110 && GetGValue(c.At(x, y)) < 110 ? 1 : 0;
        }
    }
    return n;
}

class ThumbViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = test::MakeScratchDir("thumbs") + "\\";
        WriteSolidBmp(root_ + "solid.bmp", 60, 30);
        ASSERT_EQ(WriteWholeFile(root_ + "clip.avi", {}), Status::Ok);
        ASSERT_EQ(WriteWholeFile(root_ + "bad.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 'x'}), Status::Ok);
        ASSERT_EQ(WriteWholeFile(root_ + "tune.wav", {}), Status::Ok);
    }

    std::vector<FileRecord> Records() const {
        return {Record("solid.bmp"), Record("clip.avi"), Record("bad.jpg"), Record("tune.wav")};
    }

    std::string root_;
};

TEST_F(ThumbViewTest, GridPaintsPicturesCaptionsStatusesAndAFramedBackground) {
    ThumbHost host(600, 400);
    host.Show(root_, Records());
    ASSERT_EQ(host.view->Columns(), 4);  // (596 - 17 + 1) div 124
    const test::Capture c = test::CaptureClient(host.view->hwnd());
    // The 60 x 30 picture is enlarged to 100 x 50 and centred: the thumbnail's middle is it.
    EXPECT_EQ(c.At(CellX(0) + 52, 52), kPicture);
    for (int column = 0; column < 4; ++column) {
        const int x = CellX(column);
        SCOPED_TRACE(column);
        EXPECT_EQ(c.At(x + 3, 150), kCaptionBox);
        EXPECT_EQ(c.At(x - 1, 50), kFrame) << "the background's frame runs along the thumbnail";
        EXPECT_EQ(c.At(x + 104, 120), kFrame) << "and along the caption box";
        EXPECT_GT(DarkPixels(c, x, 108, x + 104, 124), 10) << "a caption at the top of its box";
        EXPECT_EQ(DarkPixels(c, x, 128, x + 104, 154), 0);
        if (column > 0) {  // status texts, centred on one line over the grey box
            EXPECT_EQ(c.At(x + 3, 3), kGreyFill);
            EXPECT_GT(DarkPixels(c, x + 5, 44, x + 99, 62), 10);
            EXPECT_EQ(DarkPixels(c, x, 0, x + 104, 40) + DarkPixels(c, x, 66, x + 104, 105), 0);
        }
    }
    // The three statuses have texts of different lengths: "Video file", "Can't read file",
    // "Audio file".
    const auto widthOf = [&c](int column) {
        int first = 200;
        int last = -1;
        for (int x = 0; x < 104; ++x) {
            if (DarkPixels(c, CellX(column) + x, 44, CellX(column) + x + 1, 62) > 0) {
                first = std::min(first, x);
                last = x;
            }
        }
        return std::pair(first, last);
    };
    const auto unreadable = widthOf(2);
    const auto video = widthOf(1);
    EXPECT_LT(unreadable.first, video.first);
    EXPECT_GT(unreadable.second, video.second);
    EXPECT_NEAR(unreadable.first + unreadable.second, 103, 4) << "centred";
    // Between the cells: the background fill or its hatch lines.
    const COLORREF between = c.At(20, 60);
    EXPECT_TRUE(between == RGB(208, 211, 209) || between == RGB(192, 195, 193)) << std::hex << between;

    host.Show(root_, {});
    const test::Capture empty = test::CaptureClient(host.view->hwnd());
    EXPECT_EQ(empty.At(0, 0), kGreyFill);
    EXPECT_EQ(empty.At(empty.width - 1, empty.height - 1), kGreyFill);
}

TEST_F(ThumbViewTest, ClicksSelectTintAndTellTheFrame) {
    ThumbHost host(600, 400);
    host.Show(root_, Records());
    host.Click(CellX(0) + 10, 60);
    host.Click(CellX(2) + 10, 130, MK_CONTROL);  // on the caption
    host.Click(CellX(4) + 10, 60);               // right of the last column: nothing
    EXPECT_EQ(host.Marks(), (std::vector<int16_t>{1, 0, 1, 0}));
    EXPECT_EQ(host.told, (std::vector<std::pair<UINT, int>>{{UM_SHOWITEM, 0}, {UM_SHOWITEM, 2}}));
    test::Capture c = test::CaptureClient(host.view->hwnd());
    EXPECT_EQ(c.At(CellX(0) + 52, 52), kPictureTinted);
    EXPECT_EQ(c.At(CellX(2) + 3, 3), kGreyTinted);
    EXPECT_EQ(c.At(CellX(1) + 3, 3), kGreyFill);

    // Select All tints every cell; a click then excludes one.
    host.ui.Run([&] { host.view->SelectAll(); });
    host.Click(CellX(3) + 10, 60, MK_SHIFT);
    c = test::CaptureClient(host.view->hwnd());
    EXPECT_EQ(c.At(CellX(1) + 3, 3), kGreyTinted);
    EXPECT_EQ(c.At(CellX(3) + 3, 3), kGreyFill);
    host.ui.Run([&] { host.view->ClearAllSelections(); });
    EXPECT_EQ(host.Marks(), (std::vector<int16_t>{0, 0, 0, 0}));
    c = test::CaptureClient(host.view->hwnd());
    EXPECT_EQ(c.At(CellX(0) + 52, 52), kPicture);
}

// One row in a client 100 high: the largest position is (1 + 1) x 168 - 100 - 1 = 235.
TEST_F(ThumbViewTest, ScrollingMovesByHalfRowsAndPagesWithinTheRange) {
    ThumbHost host(600, 104);
    host.Show(root_, Records());
    const std::pair<WPARAM, int> steps[] = {{SB_LINEDOWN, 84}, {SB_LINEDOWN, 168}, {SB_LINEDOWN, 235}, {SB_PAGEUP, 67},
                                            {SB_LINEUP, 0},    {SB_LINEUP, 0},     {SB_BOTTOM, 235},   {SB_TOP, 0}};
    for (const auto& [code, position] : steps) {
        Send(host.view->hwnd(), WM_VSCROLL, code, 0);
        EXPECT_EQ(host.view->ScrollPosition(), position) << code;
    }
    Send(host.view->hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(host.view->ScrollPosition(), 168) << "a notch towards the user moves a page down";
}

TEST_F(ThumbViewTest, ReportHasFiveColumnsItsTextsAndAMessageWhenEmpty) {
    ThumbHost host(900, 400);
    std::string box;
    host.ui.onBox = [&box](HWND b) {
        wchar_t text[128] = {};
        wchar_t caption[32] = {};
        GetDlgItemTextW(b, 0xFFFF, text, 128);
        GetWindowTextW(b, caption, 32);
        box = Narrow(caption) + ": " + Narrow(text);
    };
    host.Show(root_, {});
    host.ui.Run([&] { host.view->ShowAsReport(); });
    EXPECT_EQ(box, "Norel: No Folder(s) With Pictures");
    EXPECT_TRUE(host.told.empty());

    // A moment 10 seconds after midnight whose low 32 bits reach back over it.
    SYSTEMTIME midnight{.wYear = 2024, .wMonth = 3, .wDay = 10};
    FILETIME ft{};
    SystemTimeToFileTime(&midnight, &ft);
    const uint64_t atMidnight = (uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
    const uint64_t time = atMidnight + 100'000'000;
    ASSERT_GT(static_cast<uint32_t>(time) & 0xFFFF8000u, 100'000'000u);
    SYSTEMTIME dayBefore{.wYear = 2024, .wMonth = 3, .wDayOfWeek = 6, .wDay = 9};
    char expected[32] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &dayBefore, nullptr, expected, 32);

    host.Show(root_, {Record("a.jpg", 12), Record("sub\\big.avi", 5'000'000'000ULL, time)});
    box.clear();
    host.ui.Run([&] { host.view->ShowAsReport(); });
    EXPECT_EQ(box, "");
    HWND list = host.view->reportList();
    EXPECT_NE(IsWindowVisible(list), FALSE);
    const std::pair<std::string, int> columns[] = {{"File Name", 300},
                                                   {"File Size", 80},
                                                   {"Modification Time", 80},
                                                   {"Creation Time", 80},
                                                   {"Access Time", 896 - 542}};
    for (int i = 0; i < 5; ++i) {
        wchar_t title[64] = {};
        LVCOLUMNW col{.mask = LVCF_TEXT | LVCF_WIDTH, .pszText = title, .cchTextMax = 64};
        ASSERT_TRUE(Send(list, LVM_GETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col)));
        EXPECT_EQ(std::pair(Narrow(title), col.cx), columns[i]);
    }
    EXPECT_EQ(Send(list, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(host.told, (std::vector<std::pair<UINT, int>>{{UM_SHOWITEM, 0}}));
    const std::vector<std::string> row = {host.view->ReportText(1, 0), host.view->ReportText(1, 1),
                                          host.view->ReportText(1, 2), host.view->ReportText(1, 4)};
    EXPECT_EQ(row, (std::vector<std::string>{"sub\\big.avi", "5000000000", expected, expected}));
    EXPECT_EQ(host.view->ReportText(2, 0), "") << "a row past the list";
}

// The frame: Thumbnails and Report show the view; the report's texts come through the frame;
// the sort menu and the sort dialog reorder the shown list and show its first record.
TEST_F(ThumbViewTest, FrameShowsSortsAndFillsTheReport) {
    test::RegistrySandbox sandbox;
    WriteSolidBmp(root_ + "wide.bmp", 300, 20);
    test::FrameUnderTest f("\"" + root_ + "solid.bmp\"");
    ASSERT_NE(f.frame(), nullptr);
    f.Command(ID_VIEW_THUMBNAILS);
    EXPECT_EQ(f.Mode(), -1);
    HWND thumbs = f.Child(IDC_THUMB_VIEW);
    EXPECT_EQ(test::CaptureClient(thumbs).At(1, 1), kFrame) << "the grid is painted";

    f.Command(ID_VIEW_REPORT);
    HWND list = f.Child(IDC_REPORT_LIST);
    ASSERT_NE(list, nullptr);
    EXPECT_NE(IsWindowVisible(list), FALSE);
    const auto text = [list](int row, int column) {
        wchar_t buffer[64] = {};
        LVITEMW item{.iSubItem = column, .pszText = buffer, .cchTextMax = 64};
        Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return Narrow(buffer);
    };
    // The folder's list in name order: bad.jpg, clip.avi, solid.bmp, tune.wav, wide.bmp.
    EXPECT_EQ(text(2, 0), "solid.bmp");
    EXPECT_EQ(text(1, 1), "0");

    f.Command(32823);  // "Sort by Size (descending)"
    EXPECT_EQ(text(0, 0), "wide.bmp");
    EXPECT_EQ(f.Counter(), "1  /  5");
    EXPECT_EQ(f.StatusPane(), root_ + "wide.bmp");

    HWND dialog = f.PostForDialog(WM_COMMAND, ID_LIST_SORT_DIALOG, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Send(GetDlgItem(dialog, IDC_SORT_LIST), LB_GETCOUNT, 0, 0), 10);
    Send(GetDlgItem(dialog, IDC_SORT_LIST), LB_SETCURSEL, 0, 0);  // "Name"
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(f.WaitDialogGone());
    EXPECT_EQ(text(0, 0), "bad.jpg");
    EXPECT_EQ(f.StatusPane(), root_ + "bad.jpg");

    // The row the list control moves to becomes the frame's current record: Forward goes on
    // from tune.wav to wide.bmp.
    LVITEMW focus{.state = LVIS_FOCUSED | LVIS_SELECTED, .stateMask = LVIS_FOCUSED | LVIS_SELECTED};
    Send(list, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&focus));
    f.Command(ID_LIST_FORWARD);
    EXPECT_EQ(f.StatusPane(), root_ + "wide.bmp");
}

}  // namespace
}  // namespace pv
