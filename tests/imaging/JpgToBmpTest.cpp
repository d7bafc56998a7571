// JPEG through libjpeg-turbo: pixels equal to its own djpeg's at every reduction, the
// reduction a thumbnail box calls for, the content check of JPEG-named files, broken
// files, the bound on progressive scans, and Save As (subsampling, bottom-up BMP, names).
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <string>
#include <vector>

#include "ReferenceDecode.h"
#include "TestPaths.h"
#include "imaging/JpegWriter.h"
#include "imaging/JpgToBmp.h"
#include "imaging/OpenPicture.h"
#include "platform/FileSystem.h"

namespace pv {
namespace {

using Bytes = std::vector<uint8_t>;

// A 24-bit test picture with smooth and sharp parts.
struct Picture {
    Bytes pixels;
    ImageBuffer image;
};

Picture MakePicture(int width, int height) {
    Picture p;
    p.image.width = width;
    p.image.height = height;
    p.image.stride = RowStride(24, width);
    p.pixels.assign(size_t{p.image.stride} * static_cast<size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* px =
                    p.pixels.data() + size_t{p.image.stride} * static_cast<size_t>(y) + 3 * static_cast<size_t>(x);
            px[0] = static_cast<uint8_t>(x * 255 / width);
            px[1] = static_cast<uint8_t>(y * 255 / height);
            px[2] = static_cast<uint8_t>(((x / 8 + y / 8) & 1) != 0 ? 220 : 30);
        }
    }
    p.image.pixels = p.pixels.data();
    return p;
}

Bytes Jpeg(int width, int height) {
    Bytes out;
    EXPECT_EQ(EncodeJpeg(MakePicture(width, height).image, out), Status::Ok);
    return out;
}

TEST(JpgToBmpTest, FullAndReducedReadsEqualDjpegByteForByte) {
    const std::string dir = test::MakeScratchDir("jpeg-djpeg");
    test::WriteHostFile(dir + "/ours.jpg", Jpeg(173, 91));
    std::vector<std::string> files = {dir + "/ours.jpg"};
    // ImageMagick's colour and greyscale JPEGs (the grey one comes out as three equal channels).
    for (const std::string made : {"-size 120x77 plasma:fractal -seed 3 -quality 85 im.jpg",
                                   "-size 37x21 gradient:black-white -colorspace Gray -type Grayscale grey.jpg"}) {
        if (std::system(("cd '" + dir + "' && convert " + made + " 2>/dev/null").c_str()) == 0) {
            files.push_back(dir + "/" + made.substr(made.rfind(' ') + 1));
        }
    }
    if (!test::TestDataDir().empty()) {
        for (const char* name : {"ljt__testorig.jpg", "ljt__testimgari.jpg", "pillow__pil_sample_cmyk.jpg",
                                 "pillow__truncated_jpeg.jpg"}) {
            files.push_back(test::TestDataDir() + "/jpeg/" + name);
        }
    }
    for (const std::string& path : files) {
        const Bytes bytes = test::ReadHostFile(path);
        test::RgbPicture ref;
        if (!test::DecodeWith("djpeg -ppm '" + path + "'", ref)) {
            GTEST_SKIP() << "djpeg not available (package libjpeg-turbo-progs)";
        }
        CJpgToBmp full;
        ASSERT_EQ(full.Read(bytes), Status::Ok) << path;
        EXPECT_EQ(full.image().bitsPerPixel, 24);
        EXPECT_EQ(full.image().stride, RowStride(24, full.image().width));
        EXPECT_EQ(test::Mismatches(full.image(), ref), 0) << path;
        for (int reduction : {2, 4, 8}) {
            const int box = (ref.width * 2 + reduction - 1) / reduction;  // ratio reduction / 2
            CJpgToBmp scaled;
            int32_t fullWidth = 0;
            int32_t fullHeight = 0;
            ASSERT_EQ(scaled.ReadScaled(bytes, box, box, fullWidth, fullHeight), Status::Ok) << path;
            EXPECT_EQ(fullWidth, ref.width);
            EXPECT_EQ(fullHeight, ref.height);
            test::RgbPicture refScaled;
            const int32_t chosen = CJpgToBmp::ReductionFor(ref.width, ref.height, box, box);
            ASSERT_TRUE(
                    test::DecodeWith("djpeg -ppm -scale 1/" + std::to_string(chosen) + " '" + path + "'", refScaled));
            EXPECT_EQ(test::Mismatches(scaled.image(), refScaled), 0) << path << " box " << box;
        }
    }
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
        int32_t fullWidth = 0;
        int32_t fullHeight = 0;
        ASSERT_EQ(reader.ReadScaled(Jpeg(c.width, c.height), 100, 101, fullWidth, fullHeight), Status::Ok);
        EXPECT_EQ(reader.image().width, c.deliveredWidth) << c.width << "x" << c.height;
        EXPECT_EQ(reader.image().height, c.deliveredHeight) << c.width << "x" << c.height;
        EXPECT_EQ(fullWidth, c.width);
        EXPECT_EQ(fullHeight, c.height);
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
            EXPECT_EQ(OpenPictureBytes(name, c.bytes, pic), c.status) << c.what << " " << name;
            EXPECT_EQ(pic.HasPicture(), c.shown) << c.what;
            EXPECT_EQ(pic.namedJpegWithUnknownContent, c.unknownContent) << c.what;
        }
    }
}

TEST(JpgToBmpTest, TruncatedFilesAreShownPartlyOrRefused) {
    const Bytes jpeg = Jpeg(64, 48);
    int shown = 0;
    int refused = 0;
    for (size_t cut = 2; cut < jpeg.size(); cut += 37) {
        CJpgToBmp reader;
        std::vector<uint8_t> part(jpeg.begin(), jpeg.begin() + static_cast<long>(cut));
        if (reader.Read(part) == Status::Ok) {
            EXPECT_EQ(reader.image().width, 64);
            EXPECT_EQ(reader.image().height, 48);
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
    std::vector<jpeg_scan_info> scans;
    for (int k = 0; k < 64; ++k) {
        for (int bit = 10; bit >= 0; --bit) {
            scans.push_back({1, {0}, k, k, bit == 10 ? 0 : bit + 1, bit});
        }
    }
    c.scan_info = everyBit ? scans.data() : nullptr;
    c.num_scans = everyBit ? static_cast<int>(scans.size()) : 0;
    if (!everyBit) {
        jpeg_simple_progression(&c);
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
    const Bytes marker{0xFF, 0xC0};
    const auto sof = std::search(file.begin(), file.end(), marker.begin(), marker.end());
    ASSERT_NE(sof, file.end());
    std::copy_n(Bytes{0xEA, 0x60, 0xEA, 0x60}.begin(), 4, sof + 5);
    CJpgToBmp reader;
    int32_t fullWidth = 0;
    int32_t fullHeight = 0;
    EXPECT_EQ(reader.ReadScaled(file, 100, 101, fullWidth, fullHeight), Status::TooLarge);
    EXPECT_FALSE(reader.image().HasPicture());
}

TEST(JpgToBmpTest, SaveAsWritesSubsampledJpegAndBottomUpBmp) {
    std::string dir = test::MakeScratchDir("jpeg-save");
    Picture p = MakePicture(5, 3);
    const std::string bmpPath = ProgramPathFromHost(dir + "/out.bmp");
    ASSERT_EQ(SavePicture(bmpPath, p.image, SaveFormat::Bmp), Status::Ok);
    const auto bmp = test::ReadHostFile(dir + "/out.bmp");
    ASSERT_EQ(bmp.size(), 54u + 3 * 16);
    EXPECT_EQ(bmp[10], 54);
    EXPECT_EQ(bmp[14], 40);
    EXPECT_EQ(bmp[22], 3);  // positive height: bottom-up
    // The first stored row is the display's bottom row.
    EXPECT_TRUE(std::equal(bmp.begin() + 54, bmp.begin() + 54 + 15, p.pixels.begin() + 2 * p.image.stride));

    const std::string jpgPath = ProgramPathFromHost(dir + "/out.jpg");
    ASSERT_EQ(SavePicture(jpgPath, p.image, SaveFormat::Jpeg), Status::Ok);
    const auto jpg = test::ReadHostFile(dir + "/out.jpg");
    // The baseline frame header: three components, luminance 2 x 2, chroma 1 x 1.
    bool found = false;
    for (size_t i = 0; i + 18 < jpg.size(); ++i) {
        if (jpg[i] == 0xFF && jpg[i + 1] == 0xC0) {
            found = true;
            EXPECT_EQ(jpg[i + 9], 3);
            EXPECT_EQ(jpg[i + 11], 0x22);
            EXPECT_EQ(jpg[i + 14], 0x11);
            EXPECT_EQ(jpg[i + 17], 0x11);
            break;
        }
    }
    EXPECT_TRUE(found);
    CJpgToBmp back;
    ASSERT_EQ(back.Read(jpg), Status::Ok);
    EXPECT_EQ(back.image().width, 5);
    EXPECT_EQ(back.image().height, 3);
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
