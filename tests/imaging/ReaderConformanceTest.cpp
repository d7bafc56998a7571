// The readers against independent decoders, which print the picture as 8-bit PPM or PGM:
// ImageMagick on files it writes itself and on the shared test files, the expected outputs
// that come with the synthetic files, libjpeg-turbo's djpeg at every JPEG reduction; and
// every shared file shown or refused cleanly.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

#include "ReaderFileBuilders.h"
#include "ReferenceDecode.h"
#include "TestPaths.h"
#include "imaging/JpegWriter.h"
#include "imaging/JpgToBmp.h"
#include "imaging/OpenPicture.h"
#include "platform/FileSystem.h"
#include "view/TestImage.h"

namespace pv {
namespace {

using test::Compare;
using test::DecodeWith;
using test::Mismatches;
using test::ReferenceDecode;
using test::RgbPicture;

void ExpectLike(const std::string& hostPath, const RgbPicture& ref, const Compare& how) {
    OpenedPicture pic;
    ASSERT_EQ(OpenPictureFile(ProgramPathFromHost(hostPath), pic), Status::Ok) << hostPath;
    ASSERT_TRUE(pic.HasPicture()) << hostPath;
    EXPECT_EQ(Mismatches(pic.reader->image(), ref, how), 0) << hostPath;
}

TEST(ReaderConformanceTest, FilesImageMagickWrites) {
    const std::string dir = test::MakeScratchDir("reader-conformance");
    const std::string base = dir + "/base.ppm";
    if (std::system(("convert -seed 7 -size 37x23 plasma: -depth 8 '" + base + "' 2>/dev/null").c_str()) != 0) {
        GTEST_SKIP() << "ImageMagick not available";
    }
    // Each "file options": an icon's image is compared with its cell; ImageMagick rounds
    // CMYK and 16-bit samples, the reader keeps the high byte.
    for (const std::string c :
         {"three-planes.pcx", "palette.pcx -type palette", "true-colour.tga -compress none",
          "run-length.tga -compress RLE", "mapped.tga -type palette -compress none",
          "mapped-run-length.tga -type palette -compress RLE", "grey.tga -type grayscale -compress none",
          "grey-run-length.tga -type grayscale -compress RLE", "packbits.psd -compress RLE", "raw.psd -compress none",
          "grey.psd -type grayscale", "grey-alpha.psd -type grayscalealpha", "bitmap.psd -monochrome",
          "cmyk.psd -colorspace cmyk", "cmyk-alpha.psd -colorspace cmyk -alpha set", "sixteen.psd -depth 16",
          "icon.ico -resize 32x32!", "palette-icon.ico -resize 16x16! -type palette"}) {
        const std::string name = c.substr(0, c.find(' '));
        const std::string file = dir + "/" + name;
        const std::string options = c.substr(name.size());
        ASSERT_EQ(std::system(("convert '" + base + "'" + options + " '" + file + "'").c_str()), 0) << c;
        RgbPicture ref;
        ASSERT_TRUE(ReferenceDecode(file, ref)) << c;
        ExpectLike(file, ref,
                   {.tolerance = name.starts_with("cmyk") || name.starts_with("sixteen") ? 1 : 0,
                    .region = name.ends_with(".ico") ? Compare::BottomCell : Compare::Whole});
    }
}

TEST(ReaderConformanceTest, SharedTestFilesAgreeWithTheirReferences) {
    const std::string dir = test::TestDataDir();
    if (dir.empty() || std::system("convert -version >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "shared test data or ImageMagick not available";
    }
    for (const std::string file : {"bmp/pillow__pal8.bmp",
                                   "bmp/pillow__pal8-0.bmp",
                                   "bmp/pillow__pal8w125.bmp",
                                   "bmp/pillow__rgb24.bmp",
                                   "bmp/pillow__pal8topdown.bmp",
                                   "bmp/pillow__pal8v5.bmp",
                                   "pcx/imagick__input.pcx",
                                   "pcx/pcxrs__marbles.pcx",
                                   "pcx/pcxrs__gmarbles.pcx",
                                   "pcx/pillow__odd_stride.pcx",
                                   "tga/imagers__ctc24.tga",
                                   "tga/imagers__ccm8.tga",
                                   "tga/imagers__utc16.tga",
                                   "tga/imagers__ubw8.tga",
                                   "tga/pillow__rgb32rle_top_right.tga",
                                   "tga/pillow__tga_id_field.tga",
                                   "psd/pillow__hopper.psd",
                                   "psd/pillow__rgba.psd",
                                   "psd/imagick__input.psd",
                                   "psd/psdtools__4x4_8bit_grayscale.psd",
                                   "psd/pillow__negative_layer_count.psd",
                                   "ico/pillow__hopper.ico",
                                   "ico/pillow__python.ico",
                                   "ico/imagers__bmp-24bpp-mask.ico",
                                   "ico/imagers__multiple_entries_with_different_bit_depth.ico",
                                   "cur/pillow__deerstalker.cur",
                                   "cur/pillow__mask_1.cur",
                                   "synthetic/pcx/rgb24_3plane_w5.pcx",
                                   "synthetic/pcx/pal8_raw_c0.pcx",
                                   "synthetic/tga/t1_cmap8_tl.tga",
                                   "synthetic/tga/t2_rgb16_br.tga",
                                   "synthetic/tga/t10_rle_rgb24_tr.tga",
                                   "synthetic/psd/ch1_raw.psd",
                                   "synthetic/psd/ch4_rle.psd",
                                   "synthetic/ico/multi_8_entries.ico",
                                   "synthetic/cur/multi_4_entries.cur"}) {
        const std::string path = dir + "/" + file;
        const bool synthetic = file.starts_with("synthetic/");
        RgbPicture ref;
        ASSERT_TRUE(synthetic ? DecodeWith("cat '" + path.substr(0, path.rfind('.')) + ".spec.ppm'", ref)
                              : ReferenceDecode(path, ref))
                << file;
        // ImageMagick shows an icon's first image alone, and 16-bit TGA colours with their low
        // bits set (the reader widens 5-bit channels by shifting). The synthetic files' expected
        // outputs show the whole strip and ignore the right-to-left bit, which the reader honours.
        Compare how{
                .mask = static_cast<uint8_t>(file.ends_with("ccm8.tga") || file.ends_with("utc16.tga") ? 0xF8 : 0xFF),
                .mirror = synthetic && (file.ends_with("_br.tga") || file.ends_with("_tr.tga"))};
        if (file.starts_with("ico/") || file.starts_with("cur/")) {
            how.region = file.starts_with("ico/") ? Compare::BottomCell : Compare::TopCell;
        }
        ExpectLike(path, ref, how);
    }
}

TEST(ReaderConformanceTest, JpegFullAndReducedReadsEqualDjpegByteForByte) {
    const std::string dir = test::MakeScratchDir("jpeg-djpeg");
    std::vector<uint8_t> ours;
    ASSERT_EQ(EncodeJpeg(test::MakeRandomImage(173, 91, 24, 1).image, ours), Status::Ok);
    test::WriteHostFile(dir + "/ours.jpg", ours);
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
        const std::vector<uint8_t> bytes = test::ReadHostFile(path);
        RgbPicture ref;
        if (!DecodeWith("djpeg -ppm '" + path + "'", ref)) {
            GTEST_SKIP() << "djpeg not available (package libjpeg-turbo-progs)";
        }
        CJpgToBmp full;
        ASSERT_EQ(full.Read(bytes), Status::Ok) << path;
        EXPECT_EQ(full.image().bitsPerPixel, 24);
        EXPECT_EQ(Mismatches(full.image(), ref), 0) << path;
        for (int reduction : {2, 4, 8}) {
            const int box = (ref.width * 2 + reduction - 1) / reduction;  // ratio reduction / 2
            CJpgToBmp scaled;
            int32_t fullWidth = 0;
            int32_t fullHeight = 0;
            ASSERT_EQ(scaled.ReadScaled(bytes, box, box, fullWidth, fullHeight), Status::Ok) << path;
            const int32_t chosen = CJpgToBmp::ReductionFor(ref.width, ref.height, box, box);
            RgbPicture refScaled;
            ASSERT_TRUE(DecodeWith("djpeg -ppm -scale 1/" + std::to_string(chosen) + " '" + path + "'", refScaled));
            EXPECT_EQ(Mismatches(scaled.image(), refScaled), 0) << path << " box " << box;
        }
    }
}

// Every shared file is shown or refused, never a crash or a sanitizer report (run it under
// the asan build); the malformed ones listed here are refused or shown partly, as marked.
TEST(ReaderConformanceTest, EveryFileIsShownOrRefusedCleanly) {
    const std::string dir = test::TestDataDir();
    if (dir.empty()) {
        GTEST_SKIP() << "shared test data not present";
    }
    std::map<std::string, bool> shownMalformed;  // 1-bit pillow__shortfile.bmp: only the picture object reads it
    for (const char* name :
         {"bmp/pillow__badpalettesize.bmp", "bmp/pillow__reallybig.bmp", "bmp/pillow__shortfile.bmp",
          "pcx/pcxrs__CGA_FSD.PCX", "pcx/pillow__ossfuzz-4836216264589312.pcx", "pcx/pillow__01r_00.pcx",
          "tga/gdkpixbuf__overflow.tga", "tga/imagers__bad-color-map.tga", "synthetic/tga/huge_dims.tga",
          "ico/gdkpixbuf__bug779012.ico", "synthetic/cur/count_65535.cur", "jpeg/gdkpixbuf__CVE-2017-2862.jpg"}) {
        shownMalformed[name] = false;
    }
    shownMalformed["bmp/pillow__pal8badindex.bmp"] = shownMalformed["psd/pillow__psd-oob-write-overflow.psd"] = true;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file() || entry.path().parent_path().filename() == "ref") {
            continue;
        }
        const std::string name = entry.path().lexically_relative(dir).generic_string();
        OpenedPicture pic;
        const Status s = OpenPictureFile(ProgramPathFromHost(entry.path().string()), pic);
        const bool shown = s == Status::Ok && pic.HasPicture();
        if (auto it = shownMalformed.find(name); it != shownMalformed.end()) {
            EXPECT_EQ(shown, it->second) << name << ": " << StatusText(s);
            shownMalformed.erase(it);
        }
        if (shown) {
            const ImageBuffer& img = pic.reader->image();
            EXPECT_GE(img.stride, RowStride(img.bitsPerPixel, img.width)) << name;
            test::Pixels(img);  // every pixel read, inside its buffer (asan)
        }
    }
    EXPECT_TRUE(shownMalformed.empty()) << shownMalformed.size() << " listed files missing";
}

}  // namespace
}  // namespace pv
