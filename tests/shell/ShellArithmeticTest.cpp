// The arithmetic behind wallpaper, printing, the clipboard and window capture.
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

#include "base/DecodeLimits.h"
#include "shell/CaptureRules.h"
#include "shell/ClipboardPixels.h"
#include "shell/PrintCopy.h"
#include "shell/Wallpaper.h"
#include "view/TestImage.h"
#include "view/ViewRenderer.h"

namespace pv {
namespace {

auto Tie(const Rect& r) {
    return std::tuple(r.left, r.top, r.right, r.bottom);
}

// The dialog's preview box is 304 x 232 pixels; the screen 1024 x 768.
constexpr ClientSize kBox{304, 232};
constexpr ClientSize kScreen{1024, 768};

TEST(WallpaperTest, PreviewSelectionAndCutOfTheWorkedExamples) {
    struct Row {
        int32_t w, h;
        int32_t pw, ph;  // preview picture
        Rect selection;  // in box pixels
        Rect cut;        // in source pixels
    };

    const Row rows[] = {
            // Same proportions as the screen: the selection covers all, the cut is the picture.
            {1600, 1200, 300, 225, {2, 3, 302, 228}, {0, 0, 1600, 1200}},
            // Wide: as high as the preview, four thirds of that wide, centred.
            {2000, 500, 300, 75, {102, 78, 202, 153}, {666, 0, 1332, 500}},
            // Smaller than the box less 2: shown at its own size.
            {100, 50, 100, 50, {119, 91, 185, 141}, {17, 0, 83, 50}},
            // A 1 x 1 picture: the selection rounds to no height, the cut still to 1 x 1.
            {1, 1, 1, 1, {151, 115, 152, 115}, {0, 0, 1, 1}},
    };
    for (const Row& row : rows) {
        const test::TestImage t = test::MakeRandomImage(row.w, row.h, 24, 3);
        WallpaperPreview p;
        ASSERT_EQ(MakeWallpaperPreview(t.image, kBox, p), Status::Ok) << row.w;
        EXPECT_EQ(std::tuple(p.width, p.height), std::tuple(row.pw, row.ph)) << row.w;
        const Point off = PreviewOffset(kBox, p.width, p.height);
        const Rect sel = InitialSelection(kScreen, off, p.width, p.height);
        EXPECT_EQ(Tie(sel), Tie(row.selection)) << row.w;
        EXPECT_EQ(Tie(WallpaperCut(sel, off, p.width, p.height, row.w, row.h)), Tie(row.cut)) << row.w;
    }
}

TEST(WallpaperTest, PreviewSamplesNearestAndReadsPalettePictures) {
    test::TestImage t = test::MakeRandomImage(640, 400, 8, 5);
    WallpaperPreview p;
    ASSERT_EQ(MakeWallpaperPreview(t.image, kBox, p), Status::Ok);
    // f = 300 / 640 = 0.46875: preview pixel (10, 7) takes source (21, 14).
    ASSERT_EQ(std::tuple(p.width, p.height), std::tuple(300, 187));
    const Bgr want = PixelAt(t.image, 21, 14);
    const uint8_t* got = p.pixels.data() + RowStride(24, 300) * 7 + 30;
    EXPECT_EQ(std::tuple(got[0], got[1], got[2]), std::tuple(want.b, want.g, want.r));
    EXPECT_EQ(MakeWallpaperPreview(ImageBuffer{}, kBox, p), Status::BadHeader);
    EXPECT_EQ(MakeWallpaperPreview(t.image, {4, 100}, p), Status::BadHeader);
}

TEST(WallpaperTest, SelectionSlidesAlongAnEdgeAndKeepsItsSize) {
    const Point off{2, 78};  // the 300 x 75 preview of a 2000 x 500 picture
    const Rect at{102, 78, 202, 153};

    struct Row {
        int32_t dx, dy;
        Rect want;
    };

    const Row rows[] = {
            {50, 30, {152, 78, 252, 153}},  // sideways only: it is as high as the picture
            {-100, -5, {2, 78, 102, 153}},  // to the left edge exactly
            {-101, 0, at},                  // past it: stays
            {101, 0, at},                   // past the right edge: stays
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Tie(SlideSelection(at, r.dx, r.dy, off, 300, 75)), Tie(r.want)) << r.dx;
    }
    // A tall picture's selection slides up and down only.
    EXPECT_EQ(Tie(SlideSelection({10, 20, 60, 57}, 5, 7, {10, 10}, 50, 100)), Tie(Rect{10, 27, 60, 64}));
}

// The file's bytes for a 5-pixel-wide cut: rows padded to 16 bytes, bottom row first.
TEST(WallpaperTest, BmpBytesOfAFivePixelWideCut) {
    std::vector<uint8_t> pixels(RowStride(24, 6) * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<uint8_t>(i);
    }
    const ImageBuffer src{.width = 6, .height = 3, .stride = RowStride(24, 6), .pixels = pixels.data()};
    std::vector<uint8_t> file;
    const ByteSink sink = [&file](std::span<const uint8_t> b) {
        file.insert(file.end(), b.begin(), b.end());
        return true;
    };
    ASSERT_EQ(WriteWallpaperBmp(src, {1, 1, 6, 3}, sink), Status::Ok);
    std::vector<uint8_t> want = {'B', 'M', 86, 0, 0, 0, 0, 0, 0, 0,  54, 0, 0, 0, 40, 0,  0, 0, 5,
                                 0,   0,   0,  2, 0, 0, 0, 1, 0, 24, 0,  0, 0, 0, 0,  32, 0, 0, 0};
    want.resize(54, 0);
    // First stored row: source row 2, columns 1..5 (bytes 40 + 3 .. 40 + 17), then a zero.
    for (const int row : {2, 1}) {
        for (int i = 0; i < 15; ++i) {
            want.push_back(static_cast<uint8_t>(row * 20 + 3 + i));
        }
        want.push_back(0);
    }
    EXPECT_EQ(file, want);

    // A cut outside the source and a sink that fails are refused, not half written.
    EXPECT_EQ(WriteWallpaperBmp(src, {0, 0, 7, 3}, sink), Status::BadHeader);
    EXPECT_EQ(WriteWallpaperBmp(src, {0, 0, 6, 3}, [](std::span<const uint8_t>) { return false; }), Status::IoError);
}

//--- Printing ---------------------------------------------------------------------------

TEST(PrintCopyTest, SixPointTwoFiveTimesTheScreenPrintsFiveThousandPixelsCentred) {
    // 25 printer pixels a millimetre over 4 screen pixels a millimetre.
    EXPECT_EQ(PrintScale(2500, 100, 400, 100), 6.25f);
    EXPECT_EQ(PrintScale(5100, 0, 1280, 339), 0.0f);

    const test::TestImage t = test::MakeRandomImage(1600, 1200, 24, 9);
    PrintSource s{.image = &t.image, .zoomedWidth = 1600, .zoomedHeight = 1200, .client = {799, 599}};
    s.hPos = 400;
    s.vPos = 300;
    DisplayBuffer copy;
    ASSERT_EQ(RenderPrintCopy(s, 6.25f, copy), Status::Ok);
    EXPECT_EQ(std::tuple(copy.width, copy.height), std::tuple(5000, 3750));
    // Scrolled to the middle: the first printed pixel is source pixel (400, 300).
    EXPECT_EQ(std::vector<uint8_t>(copy.bytes.begin(), copy.bytes.begin() + 3),
              std::vector<uint8_t>(t.image.pixels + t.image.stride * 300 + 1200,
                                   t.image.pixels + t.image.stride * 300 + 1203));

    struct Row {
        ClientSize printable;
        int32_t w, h;
        PagePlacement want;
    };

    const Row rows[] = {
            {{5100, 6600}, 5000, 3750, {50, 1425, 5000, 3750}},  // centred
            {{4800, 6600}, 5000, 3750, {0, 1425, 4800, 3750}},   // wider than the page: squeezed across only
            {{4800, 3000}, 0, 0, {2399, 1499, 0, 0}},            // an empty copy counts as 1 x 1
    };
    for (const Row& r : rows) {
        const PagePlacement p = PlaceOnPage(r.printable, r.w, r.h);
        EXPECT_EQ(std::tuple(p.x, p.y, p.width, p.height), std::tuple(r.want.x, r.want.y, r.want.width, r.want.height))
                << r.printable.width;
    }
}

// At f = 1 the print copy is the view's own pixels, wherever the view also samples or
// copies; of the effects only Gray Scale and Horizontal Flip are printed.
TEST(PrintCopyTest, AtScaleOneItIsTheViewsPicture) {
    struct Row {
        int32_t bits;
        float factor;
        int32_t filter;
        int32_t hPos, vPos;
    };

    const Row rows[] = {
            {24, 1.0f, 2, 0, 0},       {24, 1.0f, 2, 37, 11}, {24, 2.5f, 2, 90, 33},
            {24, 1.1576250f, 2, 5, 0}, {24, 0.5f, 1, 20, 10}, {8, 1.7f, 2, 12, 3},
            {4, 3.0f, 1, 0, 40},       {1, 1.0f, 2, 3, 3},    {32, 1.3f, 2, 0, 0},
    };
    EffectFlags all{true, true, true, true, true, true};
    EffectFlags printed{.grayScale = true, .horizontalFlip = true};
    for (const Row& r : rows) {
        const test::TestImage t = test::MakeRandomImage(210, 130, r.bits, 11);
        RenderRequest rq;
        rq.image = &t.image;
        rq.zoomedWidth = static_cast<int32_t>(210.0 * static_cast<double>(r.factor));
        rq.zoomedHeight = static_cast<int32_t>(130.0 * static_cast<double>(r.factor));
        rq.zoomPermille = static_cast<int32_t>(1000.0 * static_cast<double>(r.factor));
        rq.filter = r.filter;
        rq.client = {150, 90};
        rq.hPos = r.hPos;
        rq.vPos = r.vPos;
        for (bool effects : {false, true}) {
            rq.effects = effects ? printed : EffectFlags{};
            ViewRenderer view;
            ASSERT_TRUE(view.Render(rq));
            const PrintSource s{&t.image, rq.zoomedWidth, rq.zoomedHeight, rq.client,
                                r.hPos,   r.vPos,         r.filter,        effects ? all : EffectFlags{}};
            DisplayBuffer copy;
            ASSERT_EQ(RenderPrintCopy(s, 1.0f, copy), Status::Ok);
            EXPECT_EQ(std::tuple(copy.width, copy.height), std::tuple(view.display().width, view.display().height));
            EXPECT_TRUE(copy.bytes == view.display().bytes) << r.bits << " " << r.factor << " effects " << effects;
        }
    }
}

TEST(PrintCopyTest, NothingToPrintAndCopiesBeyondTheBudgetAreRefused) {
    const test::TestImage t = test::MakeRandomImage(64, 64, 24, 1);
    const PrintSource s{.image = &t.image, .zoomedWidth = 64, .zoomedHeight = 64, .client = {63, 63}};
    DisplayBuffer copy;
    EXPECT_EQ(RenderPrintCopy(PrintSource{}, 1.0f, copy), Status::NotFound);
    ScopedDecodeBudget small(1 << 20);
    EXPECT_EQ(RenderPrintCopy(s, 10.0f, copy), Status::TooLarge);  // 640 x 640 x 3 > 1 MiB
    EXPECT_EQ(RenderPrintCopy(s, 0.0f, copy), Status::TooLarge);
    EXPECT_EQ(RenderPrintCopy(s, 1e30f, copy), Status::TooLarge);
    EXPECT_EQ(RenderPrintCopy(s, 2.0f, copy), Status::Ok);
}

//--- Clipboard ----------------------------------------------------------------------------

TEST(ClipboardPixelsTest, CopyPacksFourBytesAPixelAndPasteKeepsThree) {
    DisplayBuffer shown{
            .width = 2, .height = 2, .stride = 8, .bytes = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}};
    const std::vector<uint8_t> packed = PackForClipboard(shown);
    EXPECT_EQ(packed, (std::vector<uint8_t>{1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0}));
    EXPECT_TRUE(PackForClipboard(DisplayBuffer{}).empty());

    HeldPicture p;
    ASSERT_EQ(UnpackClipboardBits(2, 2, 8, 32, packed, p), Status::Ok);
    EXPECT_EQ(std::tuple(p.width, p.height), std::tuple(2, 2));
    EXPECT_EQ(p.pixels, shown.bytes);
    // 24-bit rows with their own padding (a 1-pixel-wide bitmap's rows are 4 bytes).
    ASSERT_EQ(UnpackClipboardBits(1, 2, 4, 24, std::vector<uint8_t>{9, 8, 7, 6, 5, 4, 3, 2}, p), Status::Ok);
    EXPECT_EQ(p.pixels, (std::vector<uint8_t>{9, 8, 7, 0, 5, 4, 3, 0}));

    struct Bad {
        int32_t w, h, widthBytes, bits;
        size_t size;
        Status want;
    };

    const Bad bad[] = {
            {2, 2, 4, 16, 8, Status::Unsupported},  // 16- and 8-bit bitmaps leave the picture
            {2, 2, 4, 8, 8, Status::Unsupported},  {2, 2, 4, 32, 16, Status::BadHeader},  // rows too short
            {2, 2, 8, 32, 15, Status::BadHeader},                                         // bits too short
            {0, 2, 8, 32, 16, Status::BadHeader},  {2, -1, 8, 32, 16, Status::BadHeader},
    };
    for (const Bad& b : bad) {
        EXPECT_EQ(UnpackClipboardBits(b.w, b.h, b.widthBytes, b.bits, std::vector<uint8_t>(b.size), p), b.want)
                << b.w << "x" << b.h << " " << b.bits;
    }
    ScopedDecodeBudget small(1000);
    EXPECT_EQ(UnpackClipboardBits(20, 20, 80, 32, std::vector<uint8_t>(1600), p), Status::TooLarge);
}

//--- Capture ----------------------------------------------------------------------------

TEST(CaptureRulesTest, ListedWindowsAndTheGrabbedPart) {
    struct Row {
        CaptureCandidate w;
        size_t listed;
        bool taken;
    };

    const Row rows[] = {
            {{true, false, {5, 5}, 1}, 0, true},     {{false, false, {50, 50}, 4}, 0, false},
            {{true, true, {50, 50}, 4}, 0, false},   {{true, false, {4, 50}, 4}, 0, false},
            {{true, false, {50, 4}, 4}, 0, false},   {{true, false, {50, 50}, 0}, 0, false},
            {{true, false, {50, 50}, 4}, 253, true}, {{true, false, {50, 50}, 4}, 254, false},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(TakeForCapture(rows[i].w, rows[i].listed), rows[i].taken) << i;
    }
    EXPECT_EQ(Tie(*ClipToScreen({-10, 20, 300, 900}, 1024, 768)), Tie(Rect{0, 20, 300, 768}));
    EXPECT_EQ(Tie(*ClipToScreen({0, 0, 1024, 768}, 1024, 768)), Tie(Rect{0, 0, 1024, 768}));
    EXPECT_FALSE(ClipToScreen({1024, 0, 1200, 100}, 1024, 768).has_value());  // entirely off the screen
    EXPECT_FALSE(ClipToScreen({-50, -50, 0, 10}, 1024, 768).has_value());
}

}  // namespace
}  // namespace pv
