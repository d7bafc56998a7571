// Names in any script survive the platform layer on Windows: listing, full paths,
// reading and replacing files, and the registry.
#include <gtest/gtest.h>

#include "Harness.h"
#include "TestPaths.h"
#include "base/win32/Wide.h"
#include "platform/FileSystem.h"
#include "platform/Settings.h"

namespace pv {
namespace {

TEST(UnicodeNamesTest, ActiveCodePageIsUtf8) {
    EXPECT_EQ(GetACP(), 65001u);
}

TEST(UnicodeNamesTest, CyrillicAndCjkNamesRoundTrip) {
    std::string folder = test::MakeScratchDir("unicode") + "\\Фото 2003\\";
    ASSERT_TRUE(CreateDirectoryW(Widen(folder).c_str(), nullptr));

    ASSERT_EQ(WriteWholeFile(folder + "пляж.jpg", {1, 2, 3}), Status::Ok);
    ASSERT_EQ(WriteWholeFile(folder + "写真.jpg", {4, 5}), Status::Ok);

    FolderListing listing;
    ASSERT_TRUE(listing.Open(folder));
    std::vector<std::string> names;
    FindRecord rec;
    while (listing.Next(rec)) {
        names.push_back(rec.name);
        EXPECT_FALSE(rec.IsFolder());
    }
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "пляж.jpg");
    EXPECT_EQ(names[1], "写真.jpg");

    std::vector<uint8_t> bytes;
    ASSERT_EQ(ReadWholeFile(folder + "写真.jpg", bytes), Status::Ok);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{4, 5}));
    EXPECT_EQ(ReadWholeFile(folder + "нет.jpg", bytes), Status::NotFound);

    SetCurrentDirectoryW(Widen(folder).c_str());
    EXPECT_EQ(FullPathOf("..\\Фото 2003\\пляж.jpg"), folder + "пляж.jpg");

    test::RegistrySandbox sandbox;
    auto key = CreateSettingsKey(kProgramKey);
    ASSERT_NE(key, nullptr);
    key->WriteString("OpenFile", folder + "пляж.jpg");
    EXPECT_EQ(OpenSettingsKey(kProgramKey)->ReadString("OpenFile"), folder + "пляж.jpg");
    SetCurrentDirectoryW(L"C:\\");
}

TEST(UnicodeNamesTest, OverlongPathsAreRefusedNotTruncated) {
    std::string longName = "C:\\" + std::string(300, 'a') + ".jpg";
    EXPECT_EQ(FullPathOf(longName), "");
}

}  // namespace
}  // namespace pv
