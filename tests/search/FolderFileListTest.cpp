// The file list of one folder: which entries, their order, the current record.
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "SearchTree.h"
#include "search/FolderFileList.h"
#include "search/SharedLists.h"

namespace pv {
namespace {

std::vector<std::string> Paths(SharedLists& lists) {
    std::vector<std::string> out;
    for (const FileRecord& r : lists.Lock()->ResultList.Records()) {
        out.push_back(r.relativePath);
    }
    return out;
}

TEST(FolderFileListTest, KnownNamesOfOneLevelSortedWithTheOpenedFileCurrent) {
    const std::string dir = test::MakeScratchDir("folderlist");
    for (const char* name : {"b.jpg", "a.gif", "c.txt", "d/inner.jpg", "IMG.JPG", "archive.jpg.zip", "song.aif",
                             "clip.wmv", "list.m3u", "radio.ra", "noext", "e.jpeg"}) {
        ASSERT_TRUE(test::MakeFile(dir + "/" + name, 1));
    }
    std::filesystem::create_directory(dir + "/x.jpg");
    const std::string folder = test::ProgramRootOf(dir);
    SharedLists lists;
    lists.Lock()->SortCode = kSortWriteTimeAscending;

    const FolderListResult r = BuildFolderList(lists, folder + "b.jpg");
    ASSERT_TRUE(r.found);
    EXPECT_EQ(Paths(lists),
              (std::vector<std::string>{"a.gif", "b.jpg", "clip.wmv", "e.jpeg", "IMG.JPG", "song.aif", "x.jpg"}));
    EXPECT_EQ(r.current, 1);
    EXPECT_EQ(r.folder, folder);
    EXPECT_EQ(lists.Lock()->RootFolders, std::vector<std::string>{folder});
    EXPECT_EQ(lists.Lock()->SortCode, kSortWriteTimeAscending);  // the folder list does not change the sort choice
    EXPECT_EQ(lists.Lock()->ResultList[6].attributes & kAttrDirectory, kAttrDirectory);

    struct Case {
        std::string opened;
        int32_t current;
    };

    const Case cases[] = {
            {folder + "x.jpg", 6},
            {folder + "B.jpg", 0},  // a case difference is not the same path
            {folder + "c.txt", 0},  // not listed
            {folder + "IMG.JPG", 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildFolderList(lists, c.opened).current, c.current) << c.opened;
    }
}

TEST(FolderFileListTest, NothingKnownOrNoFolderMeansNoImage) {
    const std::string dir = test::MakeScratchDir("folderlist-empty");
    ASSERT_TRUE(test::MakeFile(dir + "/readme.txt"));
    const std::string folder = test::ProgramRootOf(dir);
    SharedLists lists;
    for (const std::string& opened : {folder + "readme.txt", folder + "missing\\a.jpg"}) {
        FileRecord stale;
        stale.relativePath = "stale.jpg";
        lists.Lock()->ResultList.Append(stale);
        const FolderListResult r = BuildFolderList(lists, opened);
        EXPECT_FALSE(r.found) << opened;
        SharedLists::Access state = lists.Lock();
        EXPECT_TRUE(state->ResultList.Empty());
        ASSERT_EQ(state->RootFolders.size(), 1u);
        EXPECT_EQ(state->RootFolders[0], std::string(opened.substr(0, opened.rfind('\\') + 1)));
    }
}

TEST(FolderFileListTest, KnownExtensionsAreTheThirtyEight) {
    EXPECT_EQ(kFolderListExtensions.size(), 38u);
    for (const char* name : {"a.JPG", "a.jfif", "a.Cur", "a.aifc", "a.wm", "a.mpe", "x.y.qt"}) {
        EXPECT_TRUE(HasFolderListExtension(name)) << name;
    }
    for (const char* name : {"a.m3u", "a.ra", "a.jp", "a.jpgx", "jpg", "a.", "a.png"}) {
        EXPECT_FALSE(HasFolderListExtension(name)) << name;
    }
}

}  // namespace
}  // namespace pv
