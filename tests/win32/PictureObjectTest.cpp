// Files only the Windows picture object reads (metafiles, unusual BMP variants, GIF or BMP
// data behind a JPEG name) come out as 24-bit top-down pictures through the view's road.
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

#include "TestPaths.h"
#include "base/win32/Wide.h"
#include "base/win32/WinInclude.h"
#include "imaging/OpenPicture.h"
#include "platform/FileSystem.h"

namespace pv {
namespace {

std::string TempPath(const std::string& name) {
    return test::MakeScratchDir(name) + "\\" + name;
}

void Put(std::vector<uint8_t>& v, std::initializer_list<uint32_t> values, int bytes = 4) {
    for (uint32_t x : values) {
        for (int i = 0; i < bytes; ++i) {
            v.push_back(static_cast<uint8_t>(x >> (8 * i)));
        }
    }
}

// 4 x 2, 4 bits: the top row red (index 1), the bottom row blue (index 2).
std::vector<uint8_t> FourBitBmp() {
    std::vector<uint8_t> v{'B', 'M'};
    Put(v, {14 + 40 + 64 + 8, 0, 14 + 40 + 64, 40, 4, 2});
    Put(v, {1, 4}, 2);
    Put(v, {0, 0, 0, 0, 0, 0});
    for (uint32_t i = 0; i < 16; ++i) {
        Put(v, {i == 2 ? 0xFFu : i == 1 ? 0xFF0000u : 0u});  // blue, green, red, 0
    }
    Put(v, {0x2222, 0x1111});  // bottom row first
    return v;
}

// `probe` is the colour expected in the middle of the picture's top row.
void ExpectTwentyFourBit(const std::string& path, Bgr probe) {
    OpenedPicture pic;
    ASSERT_EQ(OpenPictureFile(path, pic), Status::Ok) << path;
    ASSERT_TRUE(pic.HasPicture()) << path;
    const ImageBuffer& img = pic.reader->image();
    EXPECT_EQ(img.bitsPerPixel, 24) << path;
    EXPECT_EQ(img.stride, RowStride(24, img.width)) << path;
    EXPECT_EQ(PixelAt(img, img.width / 2, img.height / 4), probe) << path << " " << img.width << "x" << img.height;
}

// Also BMP data behind a JPEG name, which shows through the picture object.
TEST(PictureObjectTest, FourBitBmpComesOutTwentyFourBitTopRowFirst) {
    for (const char* name : {"four.bmp", "really-a-bmp.JpG"}) {
        const std::string path = TempPath(name);
        ASSERT_EQ(WriteWholeFile(path, FourBitBmp()), Status::Ok);
        ExpectTwentyFourBit(path, Bgr{0, 0, 255});
        OpenedPicture pic;
        ASSERT_EQ(OpenPictureFile(path, pic), Status::Ok);
        EXPECT_EQ(PixelAt(pic.reader->image(), 1, 1), (Bgr{255, 0, 0})) << name;
    }
}

TEST(PictureObjectTest, EnhancedAndPlaceableMetafilesAreRendered) {
    // An enhanced metafile recorded here: a red square.
    const std::string emf = TempPath("square.emf");
    HDC screen = GetDC(nullptr);
    RECT frame{0, 0, 1000, 1000};  // 0.01 mm
    HDC rec = CreateEnhMetaFileW(screen, Widen(emf).c_str(), &frame, nullptr);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(rec, nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT all{0, 0, 200, 200};
    FillRect(rec, &all, red);
    DeleteEnhMetaFile(CloseEnhMetaFile(rec));
    ExpectTwentyFourBit(emf, Bgr{0, 0, 255});

    // A placeable Windows metafile: the same square behind the 22-byte header.
    HDC wmfDc = CreateMetaFileW(nullptr);
    SetWindowOrgEx(wmfDc, 0, 0, nullptr);
    SetWindowExtEx(wmfDc, 32, 32, nullptr);
    SelectObject(wmfDc, red);
    SelectObject(wmfDc, GetStockObject(NULL_PEN));
    Rectangle(wmfDc, 0, 0, 33, 33);
    HMETAFILE mf = CloseMetaFile(wmfDc);
    std::vector<uint8_t> bits(GetMetaFileBitsEx(mf, 0, nullptr));
    GetMetaFileBitsEx(mf, static_cast<UINT>(bits.size()), bits.data());
    DeleteMetaFile(mf);
    DeleteObject(red);
    std::vector<uint8_t> wmf;
    Put(wmf, {0x9AC6CDD7});
    Put(wmf, {0, 0, 0, 32, 32, 96, 0, 0}, 2);
    uint32_t checksum = 0;
    for (size_t i = 0; i < 20; i += 2) {
        checksum ^= static_cast<uint32_t>(wmf[i] | wmf[i + 1] << 8);
    }
    Put(wmf, {checksum}, 2);
    wmf.insert(wmf.end(), bits.begin(), bits.end());
    const std::string wmfPath = TempPath("square.wmf");
    ASSERT_EQ(WriteWholeFile(wmfPath, wmf), Status::Ok);
    ExpectTwentyFourBit(wmfPath, Bgr{0, 0, 255});
}

}  // namespace
}  // namespace pv
