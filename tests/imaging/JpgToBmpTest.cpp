// JPEG through libjpeg-turbo (pixels against djpeg's: ReaderConformanceTest): the reduction
// a thumbnail box calls for, the content check of JPEG-named files, broken files, the bound
// on progressive scans, and Save As (subsampling, bottom-up BMP, names).
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <string>
#include <tuple>
#include <vector>

#include "TestPaths.h"
#include "imaging/JpegWriter.h"
#include "imaging/JpgToBmp.h"
#include "imaging/OpenPicture.h"
#include "platform/FileSystem.h"
#include "view/TestImage.h"

namespace pv {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Jpeg(int width, int height) {
    Bytes out;
    EXPECT_EQ(EncodeJpeg(test::MakeRandomImage(width, height, 24, 1).image, out), Status::Ok);
    return out;
}

// Where a marker starts in a JPEG file.
Bytes::const_iterator FindMarker(const Bytes& file, uint8_t marker) {
    const Bytes m{0xFF, marker};
    return std::search(file.begin(), file.end(), m.begin(), m.end());
}

TEST(JpgToBmpTest, ReductionByRatioToTheThumbnailBox) {
    struct Case {
        int width, height, reduction, deliveredWidth, deliveredHeight;
    } cases[] = {
            {100, 101, 1, 100, 101},  // no larger than the box: full size
            {101, 50, 2, 51, 25},    {300, 10, 2, 150, 5},    {301, 10, 4, 76, 3},
            {400, 300, 4, 100, 75},  {600, 606, 4, 150, 152}, {601, 10, 8, 76, 2},
    };

    for (const Case& c : cases) {
        EXPECT_EQ(CJpgToBmp::ReductionFor(c.width, c.height, 100, 101), c.reduction) << c.width << "x" << c.height;
        CJpgToBmp reader;
        int32_t fullWidth = 0, fullHeight = 0;
        ASSERT_EQ(reader.ReadScaled(Jpeg(c.width, c.height), 100, 101, fullWidth, fullHeight), Status::Ok);
        EXPECT_EQ(std::tuple(reader.image().width, reader.image().height, fullWidth, fullHeight),
                  std::tuple(c.deliveredWidth, c.deliveredHeight, c.width, c.height));
    }
}

TEST(JpgToBmpTest, JpegNamedFilesAreCheckedByContent) {
    const Bytes jpeg = Jpeg(8, 8);

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        Status status;
        bool shown;
        bool unknownContent;
    } cases[] = {
            {"a JPEG", jpeg, Status::Ok, true, false},
            // A GIF or BMP named .jpg goes to the picture object, which natively is absent.
            {"a GIF", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, Status::Unsupported, false, false},
            {"a BMP", {'B', 'M', 0, 0, 0, 0}, Status::Unsupported, false, false},
            // Opened, nothing shown, no error.
            {"starts 0xFF 0xD9", {0xFF, 0xD9, 0, 0}, Status::Ok, false, true},
            {"text", {'h', 'e', 'l', 'l', 'o'}, Status::Ok, false, true},
            {"empty", {}, Status::Ok, false, true},
    };

    for (const Case& c : cases) {
        for (const char* name : {"\\p\\a.jpg", "\\p\\a.JPEG", "\\p\\a.jfif"}) {
            OpenedPicture pic;
            const Status s = OpenPictureBytes(name, c.bytes, pic);
            EXPECT_EQ(std::tuple(s, pic.HasPicture(), pic.namedJpegWithUnknownContent),
                      std::tuple(c.status, c.shown, c.unknownContent))
                    << c.what << " " << name;
        }
    }
}

TEST(JpgToBmpTest, TruncatedFilesAreShownPartlyOrRefused) {
    const Bytes jpeg = Jpeg(64, 48);
    int shown = 0, refused = 0;
    for (size_t cut = 2; cut < jpeg.size(); cut += 37) {
        CJpgToBmp reader;
        std::vector<uint8_t> part(jpeg.begin(), jpeg.begin() + static_cast<long>(cut));
        if (reader.Read(part) == Status::Ok) {
            EXPECT_EQ(std::pair(reader.image().width, reader.image().height), std::pair(64, 48));
            ++shown;
        } else {
            EXPECT_FALSE(reader.image().HasPicture());
            ++refused;
        }
    }
    EXPECT_GT(shown, 0);  // once the header is complete, what was read is shown
    EXPECT_GT(refused, 0);
}

// A grey progressive JPEG of side x side: libjpeg-turbo's usual scans, or the most a valid
// script allows (each coefficient alone, refined one bit at a time: 704 scans).
std::vector<uint8_t> ProgressiveGrey(JDIMENSION side, bool everyBit) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = c.image_height = side;
    c.input_components = 1;
    c.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&c);
    jpeg_simple_progression(&c);
    std::vector<jpeg_scan_info> scans;
    for (int k = 0; everyBit && k < 64; ++k) {
        for (int bit = 10; bit >= 0; --bit) {
            scans.push_back({1, {0}, k, k, bit == 10 ? 0 : bit + 1, bit});
        }
    }
    if (everyBit) {
        c.scan_info = scans.data();
        c.num_scans = static_cast<int>(scans.size());
    }
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(side);
    for (JSAMPROW rows[1] = {row.data()}; c.next_scanline < side; jpeg_write_scanlines(&c, rows, 1)) {
        for (JDIMENSION x = 0; x < side; ++x) {
            row[x] = static_cast<uint8_t>((x + c.next_scanline) / 8);
        }
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> file(out, out + size);
    std::free(out);
    return file;
}

TEST(JpgToBmpTest, ScansTimesBlocksAreBounded) {
    // 704 scans of 16 384 blocks: far past what the picture justifies, refused early.
    CJpgToBmp reader;
    EXPECT_EQ(reader.Read(ProgressiveGrey(1024, true)), Status::TooLarge);
    EXPECT_FALSE(reader.image().HasPicture());
    // The usual progression of the same picture, and every scan over a small one, are shown.
    ASSERT_EQ(reader.Read(ProgressiveGrey(1024, false)), Status::Ok);
    EXPECT_NEAR(PixelAt(reader.image(), 1023, 1023).g, 255, 2);
    EXPECT_EQ(reader.Read(ProgressiveGrey(32, true)), Status::Ok);
}

TEST(JpgToBmpTest, APictureFarLargerThanItsBytesIsRefused) {
    // An 8 x 8 file declaring 60 000 x 60 000: the thumbnail's 1/8 read would decode 84
    // million blocks of data made up past the file's end.
    Bytes file = Jpeg(8, 8);
    const auto sof = file.begin() + (FindMarker(file, 0xC0) - file.cbegin());
    ASSERT_NE(sof, file.end());
    std::copy_n(Bytes{0xEA, 0x60, 0xEA, 0x60}.begin(), 4, sof + 5);
    CJpgToBmp reader;
    int32_t fullWidth = 0, fullHeight = 0;
    EXPECT_EQ(reader.ReadScaled(file, 100, 101, fullWidth, fullHeight), Status::TooLarge);
    EXPECT_FALSE(reader.image().HasPicture());
}

TEST(JpgToBmpTest, SaveAsWritesSubsampledJpegAndBottomUpBmp) {
    std::string dir = test::MakeScratchDir("jpeg-save");
    const test::TestImage p = test::MakeRandomImage(5, 3, 24, 2);
    const std::string bmpPath = ProgramPathFromHost(dir + "/out.bmp");
    ASSERT_EQ(SavePicture(bmpPath, p.image, SaveFormat::Bmp), Status::Ok);
    const auto bmp = test::ReadHostFile(dir + "/out.bmp");
    // Offset, header size and a positive height (bottom-up); the first stored row is the bottom one.
    ASSERT_EQ(bmp.size(), 54u + 3 * 16);
    EXPECT_EQ(std::tuple(bmp[10], bmp[14], bmp[22]), std::tuple(54, 40, 3));
    EXPECT_TRUE(std::equal(bmp.begin() + 54, bmp.begin() + 54 + 15, p.pixels.begin() + 2 * p.image.stride));

    const std::string jpgPath = ProgramPathFromHost(dir + "/out.jpg");
    ASSERT_EQ(SavePicture(jpgPath, p.image, SaveFormat::Jpeg), Status::Ok);
    const auto jpg = test::ReadHostFile(dir + "/out.jpg");
    // The baseline frame header: three components, luminance 2 x 2, chroma 1 x 1.
    const auto sof = FindMarker(jpg, 0xC0);
    ASSERT_LT(sof + 18, jpg.end());
    EXPECT_EQ(Bytes({sof[9], sof[11], sof[14], sof[17]}), Bytes({3, 0x22, 0x11, 0x11}));
    CJpgToBmp back;
    ASSERT_EQ(back.Read(jpg), Status::Ok);
    EXPECT_EQ(std::pair(back.image().width, back.image().height), std::pair(5, 3));
}

TEST(JpgToBmpTest, SaveNames) {
    struct Case {
        const char* chosen;
        SaveFormat format;
        const char* saved;
    } cases[] = {
            {"C:\\pics\\beach", SaveFormat::Jpeg, "C:\\pics\\beach.jpg"},
            {"C:\\pics\\beach", SaveFormat::Bmp, "C:\\pics\\beach.bmp"},
            {"C:\\pics\\beach.png", SaveFormat::Jpeg, "C:\\pics\\beach.jpg"},
            {"C:\\pics\\beach.old.jpg", SaveFormat::Bmp, "C:\\pics\\beach.old.bmp"},
            {"C:\\my.pics\\beach", SaveFormat::Bmp, "C:\\my.pics\\beach.bmp"},
            {"beach.", SaveFormat::Jpeg, "beach.jpg"},
    };

    for (const Case& c : cases) {
        EXPECT_EQ(SaveNameFor(c.chosen, c.format), c.saved) << c.chosen;
    }
    EXPECT_EQ(DefaultSaveName("C:\\pics\\beach.old.jpg"), "beach.old");
    EXPECT_EQ(DefaultSaveName("C:\\pics\\noext"), "noext");
}

}  // namespace
}  // namespace pv
