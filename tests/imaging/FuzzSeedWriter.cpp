// Writes the fuzz targets' seed files from the builders the reader tests use, when
// PV_WRITE_FUZZ_SEEDS names the seed folder (fuzz/seeds). Each seed is a small valid file
// that reaches a different path of its reader.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "BmpBuilder.h"
#include "ReaderFileBuilders.h"
#include "TestPaths.h"

namespace pv {
namespace {

using test::Bytes;

void Write(const std::string& dir, const std::string& target, const std::string& name, const Bytes& bytes) {
    std::filesystem::create_directories(dir + "/" + target);
    test::WriteHostFile(dir + "/" + target + "/" + name, bytes);
}

TEST(FuzzSeedWriter, WritesSeedsWhenAsked) {
    const char* dir = std::getenv("PV_WRITE_FUZZ_SEEDS");
    if (dir == nullptr) {
        GTEST_SKIP() << "set PV_WRITE_FUZZ_SEEDS to the seed folder to write the seeds";
    }
    {
        test::PcxSpec s;
        s.width = 5;
        s.height = 3;
        s.bytesPerLine = 6;
        s.data = {1, 2, 0xC3, 7, 0xC0, 0xC1, 200, 0xC6, 9, 4, 5, 6, 7, 8, 9};
        Write(dir, "FuzzPcx", "palette.pcx", test::BuildPcx(s));
        s.planes = 3;
        s.palette = false;
        s.data = Bytes(3 * 3 * 6, 0x41);
        s.data[4] = 0xC2;
        Write(dir, "FuzzPcx", "three-planes.pcx", test::BuildPcx(s));
    }
    {
        test::TgaSpec s;
        s.width = 3;
        s.height = 2;
        s.descriptor = 0x00;
        s.data = Bytes(18, 0x33);
        Write(dir, "FuzzTga", "true-colour.tga", test::BuildTga(s));
        s.imageType = 10;
        s.descriptor = 0x30;
        s.id = {'i', 'd'};
        s.data = {0x82, 1, 2, 3, 0x02, 4, 5, 6, 7, 8, 9, 10, 11, 12};
        Write(dir, "FuzzTga", "run-length.tga", test::BuildTga(s));
        s.imageType = 9;
        s.bitsPerPixel = 8;
        s.mapType = 1;
        s.mapFirst = 2;
        s.mapLength = 3;
        s.mapEntryBits = 16;
        s.map = {0x1F, 0, 0xE0, 0x03, 0x00, 0x7C};
        s.data = {0x81, 2, 0x03, 3, 4, 2, 3};
        Write(dir, "FuzzTga", "mapped-run-length.tga", test::BuildTga(s));
        s = {};
        s.imageType = 3;
        s.bitsPerPixel = 8;
        s.width = 4;
        s.data = {0, 50, 100, 250};
        Write(dir, "FuzzTga", "grey.tga", test::BuildTga(s));
    }
    {
        test::PsdSpec s;
        s.width = 3;
        s.height = 2;
        s.data = Bytes(18, 0x60);
        s.layers = Bytes(12, 0);
        Write(dir, "FuzzPsd", "raw.psd", test::BuildPsd(s));
        s.compression = 1;
        s.data = {0xFE, 0x10, 0x02, 1, 2, 3, 0x80, 0xFB, 0x20, 0x05, 1, 2, 3, 4, 5, 6};
        Write(dir, "FuzzPsd", "packbits.psd", test::BuildPsd(s));
        s.channels = 1;
        s.mode = 1;
        s.depth = 16;
        s.compression = 0;
        s.data = Bytes(12, 0x80);
        Write(dir, "FuzzPsd", "grey16.psd", test::BuildPsd(s));
    }
    {
        auto image = [](uint8_t size, uint16_t bits) {
            test::IconEntrySpec e;
            e.width = e.height = size;
            e.headerWidth = size;
            e.headerHeight = 2 * size;
            e.bitCount = bits;
            e.palette.assign(bits <= 8 ? size_t{1} << bits : 0, Bgr{10, 20, 30});
            const size_t rows = 2 * size_t{size};
            e.rows.assign(rows, Bytes(RowStride(bits, size), 0x5A));
            return e;
        };
        Write(dir, "FuzzIco", "two-images.ico", test::BuildIconFile(1, {image(4, 4), image(6, 24)}));
        Write(dir, "FuzzIco", "depths.ico", test::BuildIconFile(1, {image(3, 1), image(2, 32), image(5, 8)}));
        Write(dir, "FuzzCur", "one-bit.cur", test::BuildIconFile(2, {image(8, 1)}));
        Write(dir, "FuzzCur", "depths.cur", test::BuildIconFile(2, {image(4, 4), image(3, 24), image(2, 32)}));
    }
    {
        test::BmpSpec s;
        s.width = 3;
        s.height = 2;
        s.fileRows = {Bytes(12, 1), Bytes(12, 2)};
        Write(dir, "FuzzBmp", "rgb24.bmp", test::BuildBmp(s));
        s.bitsPerPixel = 8;
        s.paletteEntries = 4;
        s.coloursUsed = 4;
        s.height = -2;
        s.fileRows = {{0, 1, 2, 0}, {3, 2, 1, 0}};
        Write(dir, "FuzzBmp", "pal8-top-down.bmp", test::BuildBmp(s));
    }
}

}  // namespace
}  // namespace pv
