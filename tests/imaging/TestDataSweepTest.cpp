// Every file of the shared test set goes through the view's opening road: each is either
// shown or refused, never a crash, hang or sanitizer report (run this under the asan build).
#include <gtest/gtest.h>

#include <filesystem>

#include "TestPaths.h"
#include "imaging/OpenPicture.h"
#include "platform/FileSystem.h"

namespace pv {
namespace {

namespace fs = std::filesystem;

TEST(TestDataSweepTest, EveryFileIsShownOrRefusedCleanly) {
    std::string dir = test::TestDataDir();
    if (dir.empty()) {
        GTEST_SKIP() << "shared test data not present";
    }
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file() || entry.path().parent_path().filename() == "ref") {
            continue;
        }
        OpenedPicture pic;
        Status s = OpenPictureFile(ProgramPathFromHost(entry.path().string()), pic);
        if (s == Status::Ok && pic.HasPicture()) {
            const ImageBuffer& img = pic.reader->image();
            EXPECT_GT(img.width, 0) << entry.path();
            EXPECT_GT(img.height, 0) << entry.path();
            EXPECT_GE(img.stride, RowStride(img.bitsPerPixel, img.width)) << entry.path();
            // Touch every byte: uninitialised or out-of-bounds rows show up under the sanitizers.
            unsigned sum = 0;
            for (int32_t y = 0; y < img.height; ++y) {
                for (int32_t x = 0; x < img.width; ++x) {
                    Bgr p = PixelAt(img, x, y);
                    sum += static_cast<unsigned>(p.b + p.g + p.r);
                }
            }
            (void)sum;
        }
        ++files;
    }
    EXPECT_GT(files, 10);
}

}  // namespace
}  // namespace pv
