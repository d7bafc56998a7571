// Our BMP decodes against ImageMagick's on real files, and the malformed ones refused or
// shown partly without harm.
#include <gtest/gtest.h>

#include <filesystem>

#include "ReferenceDecode.h"
#include "TestPaths.h"
#include "imaging/OpenPicture.h"
#include "platform/FileSystem.h"

namespace pv {
namespace {

namespace fs = std::filesystem;

TEST(BmpConformanceTest, MatchesReferenceDecoderPixelForPixel) {
    std::string dir = test::TestDataDir();
    if (dir.empty()) {
        GTEST_SKIP() << "shared test data not present";
    }
    const char* files[] = {"pillow__pal8.bmp", "pillow__pal8-0.bmp", "pillow__pal8w125.bmp",
                           "pillow__rgb24.bmp", "pillow__pal8topdown.bmp", "pillow__pal8v5.bmp"};
    for (const char* name : files) {
        std::string host = dir + "/bmp/" + name;
        test::RgbPicture ref;
        if (!test::ReferenceDecode(host, ref)) {
            GTEST_SKIP() << "ImageMagick not available";
        }
        OpenedPicture pic;
        ASSERT_EQ(OpenPictureFile(ProgramPathFromHost(host), pic), Status::Ok) << name;
        ASSERT_TRUE(pic.HasPicture()) << name;
        const ImageBuffer& img = pic.reader->image();
        ASSERT_EQ(img.width, ref.width) << name;
        ASSERT_EQ(img.height, ref.height) << name;
        int mismatches = 0;
        for (int y = 0; y < img.height; ++y) {
            for (int x = 0; x < img.width; ++x) {
                Bgr p = PixelAt(img, x, y);
                const uint8_t* r = &ref.rgb[(static_cast<size_t>(y) * static_cast<size_t>(img.width) +
                                             static_cast<size_t>(x)) * 3];
                mismatches += (p.r != r[0] || p.g != r[1] || p.b != r[2]) ? 1 : 0;
            }
        }
        EXPECT_EQ(mismatches, 0) << name;
    }
}

TEST(BmpConformanceTest, MalformedFilesAreRefusedOrShownPartly) {
    std::string dir = test::TestDataDir();
    if (dir.empty()) {
        GTEST_SKIP() << "shared test data not present";
    }
    struct Case {
        const char* name;
        bool shown;
    } cases[] = {
            {"pillow__badpalettesize.bmp", false},
            {"pillow__reallybig.bmp", false},
            {"pillow__shortfile.bmp", false},  // 1-bit: only the picture object reads it
            {"pillow__pal8badindex.bmp", true},
    };
    for (const Case& c : cases) {
        OpenedPicture pic;
        Status s = OpenPictureFile(ProgramPathFromHost(dir + "/bmp/" + c.name), pic);
        EXPECT_EQ(s == Status::Ok && pic.HasPicture(), c.shown) << c.name << ": " << StatusText(s);
    }
}

}  // namespace
}  // namespace pv
