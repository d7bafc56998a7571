// The BMP, PCX, TGA, PSD, ICO and CUR readers against independent decodes: ImageMagick on
// files it writes itself and on the shared test files, and the expected outputs that come
// with the synthetic files; and every shared file shown or refused cleanly. Icon and cursor
// strips are compared cell 0 against the first image; 16-bit TGA colours against the
// reference with the three low bits cleared (the program widens 5-bit channels by shifting).
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

#include "ReferenceDecode.h"
#include "TestPaths.h"
#include "imaging/OpenPicture.h"
#include "platform/FileSystem.h"

namespace pv {
namespace {

using test::Compare;

void ExpectLike(const std::string& hostPath, const test::RgbPicture& ref, const Compare& how) {
    OpenedPicture pic;
    ASSERT_EQ(OpenPictureFile(ProgramPathFromHost(hostPath), pic), Status::Ok) << hostPath;
    ASSERT_TRUE(pic.HasPicture()) << hostPath;
    EXPECT_EQ(test::Mismatches(pic.reader->image(), ref, how), 0) << hostPath;
}

TEST(ReaderConformanceTest, FilesImageMagickWrites) {
    const std::string dir = test::MakeScratchDir("reader-conformance");
    const std::string base = dir + "/base.ppm";
    if (std::system(("convert -seed 7 -size 37x23 plasma: -depth 8 '" + base + "' 2>/dev/null").c_str()) != 0) {
        GTEST_SKIP() << "ImageMagick not available";
    }

    struct Case {
        const char* name;
        const char* options;
        Compare how;
    } cases[] = {
            {"three-planes.pcx", "", {}},
            {"palette.pcx", "-type palette", {}},
            {"true-colour.tga", "-compress none", {}},
            {"run-length.tga", "-compress RLE", {}},
            {"mapped.tga", "-type palette -compress none", {}},
            {"mapped-run-length.tga", "-type palette -compress RLE", {}},
            {"grey.tga", "-type grayscale -compress none", {}},
            {"grey-run-length.tga", "-type grayscale -compress RLE", {}},
            {"packbits.psd", "-compress RLE", {}},
            {"raw.psd", "-compress none", {}},
            {"grey.psd", "-type grayscale", {}},
            {"grey-alpha.psd", "-type grayscalealpha", {}},
            {"bitmap.psd", "-monochrome", {}},
            {"cmyk.psd", "-colorspace cmyk", {1}},
            {"cmyk-alpha.psd", "-colorspace cmyk -alpha set", {1}},
            // ImageMagick rounds 16-bit samples; the reader keeps the high byte.
            {"sixteen.psd", "-depth 16", {1}},
            {"icon.ico", "-resize 32x32!", {0, 0xFF, false, Compare::BottomCell}},
            {"palette-icon.ico", "-resize 16x16! -type palette", {0, 0xFF, false, Compare::BottomCell}},
    };

    for (const auto& c : cases) {
        const std::string file = dir + "/" + c.name;
        ASSERT_EQ(std::system(("convert '" + base + "' " + c.options + " '" + file + "'").c_str()), 0) << c.name;
        test::RgbPicture ref;
        ASSERT_TRUE(test::ReferenceDecode(file, ref)) << c.name;
        ExpectLike(file, ref, c.how);
    }
}

TEST(ReaderConformanceTest, SharedTestFilesAgreeWithTheirReferences) {
    const std::string dir = test::TestDataDir();
    if (dir.empty()) {
        GTEST_SKIP() << "shared test data not present";
    }
    if (std::system("convert -version >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ImageMagick not available";
    }
    // The synthetic files come with their expected output; the expected outputs of
    // right-to-left TGA files ignore that bit, which the reader honours.
    const Compare mirror{0, 0xFF, true};
    const Compare bottom{0, 0xFF, false, Compare::BottomCell};
    const Compare top{0, 0xFF, false, Compare::TopCell};

    struct Case {
        const char* file;
        Compare how;
    } cases[] = {
            {"bmp/pillow__pal8.bmp", {}},
            {"bmp/pillow__pal8-0.bmp", {}},
            {"bmp/pillow__pal8w125.bmp", {}},
            {"bmp/pillow__rgb24.bmp", {}},
            {"bmp/pillow__pal8topdown.bmp", {}},
            {"bmp/pillow__pal8v5.bmp", {}},
            {"pcx/imagick__input.pcx", {}},
            {"pcx/pcxrs__marbles.pcx", {}},
            {"pcx/pcxrs__gmarbles.pcx", {}},
            {"pcx/pillow__odd_stride.pcx", {}},
            {"tga/imagers__ctc24.tga", {}},
            {"tga/imagers__ccm8.tga", {0, 0xF8}},
            {"tga/imagers__utc16.tga", {0, 0xF8}},
            {"tga/imagers__ubw8.tga", {}},
            {"tga/pillow__rgb32rle_top_right.tga", {}},
            {"tga/pillow__tga_id_field.tga", {}},
            {"psd/pillow__hopper.psd", {}},
            {"psd/pillow__rgba.psd", {}},
            {"psd/imagick__input.psd", {}},
            {"psd/psdtools__4x4_8bit_grayscale.psd", {}},
            {"psd/pillow__negative_layer_count.psd", {}},
            {"ico/pillow__hopper.ico", bottom},
            {"ico/pillow__python.ico", bottom},
            {"ico/imagers__bmp-24bpp-mask.ico", bottom},
            {"ico/imagers__multiple_entries_with_different_bit_depth.ico", bottom},
            {"cur/pillow__deerstalker.cur", top},
            {"cur/pillow__mask_1.cur", top},
            {"synthetic/pcx/rgb24_3plane_w5.pcx", {}},
            {"synthetic/pcx/pal8_raw_c0.pcx", {}},
            {"synthetic/tga/t1_cmap8_tl.tga", {}},
            {"synthetic/tga/t2_rgb16_br.tga", mirror},
            {"synthetic/tga/t10_rle_rgb24_tr.tga", mirror},
            {"synthetic/psd/ch1_raw.psd", {}},
            {"synthetic/psd/ch4_rle.psd", {}},
            {"synthetic/ico/multi_8_entries.ico", {}},
            {"synthetic/cur/multi_4_entries.cur", {}},
    };

    for (const auto& c : cases) {
        const std::string path = dir + "/" + c.file;
        const bool synthetic = path.find("/synthetic/") != std::string::npos;
        test::RgbPicture ref;
        ASSERT_TRUE(synthetic ? test::DecodeWith("cat '" + path.substr(0, path.rfind('.')) + ".spec.ppm'", ref)
                              : test::ReferenceDecode(path, ref))
                << c.file;
        ExpectLike(path, ref, c.how);
    }
}

// Every shared file is shown or refused, never a crash or a sanitizer report (run it under
// the asan build); the malformed ones listed here are refused or shown partly, as marked.
TEST(ReaderConformanceTest, EveryFileIsShownOrRefusedCleanly) {
    const std::string dir = test::TestDataDir();
    if (dir.empty()) {
        GTEST_SKIP() << "shared test data not present";
    }
    std::map<std::string, bool> shownMalformed = {
            {"bmp/pillow__badpalettesize.bmp", false},
            {"bmp/pillow__reallybig.bmp", false},
            {"bmp/pillow__shortfile.bmp", false},  // 1-bit: only the picture object reads it
            {"bmp/pillow__pal8badindex.bmp", true},
            {"pcx/pcxrs__CGA_FSD.PCX", false},
            {"pcx/pillow__ossfuzz-4836216264589312.pcx", false},
            {"pcx/pillow__01r_00.pcx", false},
            {"tga/gdkpixbuf__overflow.tga", false},
            {"tga/imagers__bad-color-map.tga", false},
            {"synthetic/tga/huge_dims.tga", false},
            {"psd/pillow__psd-oob-write-overflow.psd", true},
            {"ico/gdkpixbuf__bug779012.ico", false},
            {"synthetic/cur/count_65535.cur", false},
            {"jpeg/gdkpixbuf__CVE-2017-2862.jpg", false},
    };
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
            unsigned sum = 0;
            for (int32_t y = 0; y < img.height; ++y) {
                for (int32_t x = 0; x < img.width; ++x) {
                    const Bgr p = PixelAt(img, x, y);
                    sum += static_cast<unsigned>(p.b + p.g + p.r);
                }
            }
            volatile unsigned sink = sum;  // every byte read
            (void)sink;
        }
    }
    EXPECT_TRUE(shownMalformed.empty()) << shownMalformed.size() << " listed files missing";
}

}  // namespace
}  // namespace pv
