// The recent-files list: the submenu, how opening changes it, and what a restart keeps.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "app/FrameSettings.h"
#include "app/RecentFiles.h"
#include "base/ResourceIds.h"
#include "platform/Settings.h"
#include "platform/SettingsValues.h"

namespace pv {
namespace {

class RecentFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ResetMemorySettingsForTests(); }

    void TearDown() override { ResetMemorySettingsForTests(); }

    static std::vector<std::string> Texts(const RecentFiles& list) {
        std::vector<std::string> out;
        for (const RecentMenuItem& item : list.MenuItems("(empty)")) {
            out.push_back(item.text);
        }
        return out;
    }

    static std::unique_ptr<SettingsKey> Key() { return CreateSettingsKey(kRecentFilesKey); }

    static RecentFiles Restarted() {
        RecentFiles list;
        list.SetMaximum(12);
        list.Read();
        return list;
    }
};

TEST_F(RecentFilesTest, FirstRunShowsTheDisabledPlaceholderAndReadingNothingKeepsTheList) {
    RecentFiles list = Restarted();
    EXPECT_EQ(list.Maximum(), 12);
    EXPECT_EQ(list.MenuItems("(empty)"), (std::vector<RecentMenuItem>{{ID_FILE_MRU_FIRST, "(empty)", false}}));
    Key()->WriteString("Document1", "c:\\a.jpg");  // entries without DocumentCount are not read
    EXPECT_EQ(Restarted().Count(), 0);
}

TEST_F(RecentFilesTest, OpeningTwiceKeepsOneEntryOnTopAndAFullListDropsTheOldest) {
    RecentFiles list = Restarted();
    for (int i = 1; i <= 12; ++i) {
        list.Add("C:\\p\\" + std::to_string(i) + ".jpg");
    }
    list.Add("c:\\P\\3.JPG");  // the same file, other case: moves up, nothing dropped
    std::vector<std::string> t = Texts(list);
    EXPECT_EQ(std::tuple(t.size(), t[0], t[1], t[11]),
              std::tuple(12u, "&1 c:\\P\\3.JPG", "&2 C:\\p\\12.jpg", "&12 C:\\p\\1.jpg"));
    list.Add("C:\\p\\13.jpg");
    t = Texts(list);  // 1.jpg, the oldest, is gone
    EXPECT_EQ(std::tuple(t.size(), t[0], t[11]), std::tuple(12u, "&1 C:\\p\\13.jpg", "&12 C:\\p\\2.jpg"));
    EXPECT_EQ(list.MenuItems("").back().id, ID_FILE_MRU_FIRST + 11u);
}

TEST_F(RecentFilesTest, CommandsNameEntriesFromTheTopAndOutsideNamesNothing) {
    RecentFiles list = Restarted();
    for (const char* p : {"a", "b", "c"}) {
        list.Add(p);
    }
    EXPECT_EQ(list.Entry(*list.EntryOfCommand(ID_FILE_MRU_FIRST)) +
                      list.Entry(*list.EntryOfCommand(ID_FILE_MRU_FIRST + 2)),
              "ca");
    EXPECT_FALSE(list.EntryOfCommand(ID_FILE_MRU_FIRST + 3) || list.EntryOfCommand(ID_FILE_MRU_FIRST - 1));
    list.MoveToTop(*list.EntryOfCommand(ID_FILE_MRU_FIRST + 2));
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"&1 a", "&2 c", "&3 b"}));
    list.Remove(*list.EntryOfCommand(ID_FILE_MRU_FIRST + 1));  // a file that is gone
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"&1 a", "&2 b"}));
}

TEST_F(RecentFilesTest, TheStoreKeepsTheMaximumTheOrderAndNoStaleValues) {
    RecentFiles list = Restarted();
    for (const char* p : {"one", "two", "three"}) {
        list.Add(p);
    }
    list.Write();
    EXPECT_EQ(Key()->ReadDword("DocumentCount"), 12u);
    EXPECT_EQ(Key()->ReadString("Document1"), "three");
    EXPECT_EQ(Texts(Restarted()), (std::vector<std::string>{"&1 three", "&2 two", "&3 one"}));

    list.Remove(0);
    list.Remove(0);
    list.Write();
    EXPECT_EQ(Key()->ReadString("Document1"), "three");
    EXPECT_FALSE(Key()->ReadRaw("Document2") || Key()->ReadRaw("Document3"));
}

TEST_F(RecentFilesTest, StoredDocumentCountIsKeptWithinTwoAndSixteen) {
    struct Row {
        uint32_t stored;
        int32_t maximum;
    };

    for (const Row& r : {Row{5, 5}, Row{40, 16}, Row{0, 2}, Row{1, 2}, Row{0xFFFFFFFFu, 2}}) {
        Key()->WriteDword("DocumentCount", r.stored);
        RecentFiles list = Restarted();
        EXPECT_EQ(list.Maximum(), r.maximum) << r.stored;
        for (int i = 0; i < 20; ++i) {
            list.Add(std::to_string(i));
        }
        EXPECT_EQ(list.Count(), r.maximum) << r.stored;
        list.Write();
        EXPECT_EQ(Key()->ReadDword("DocumentCount"), static_cast<uint32_t>(r.maximum)) << r.stored;
    }
    // A value of another type is skipped, the others are read in order.
    Key()->WriteDword("DocumentCount", 3);
    Key()->WriteString("Document1", "new");
    Key()->WriteDword("Document2", 9);
    Key()->WriteString("Document3", "old");
    EXPECT_EQ(Texts(Restarted()), (std::vector<std::string>{"&1 new", "&2 old"}));
}

// The shell's single values: defaults for what is missing or misshapen, the stored forms.
TEST_F(RecentFilesTest, ProgramValuesKeepTheirDefaultsAndStoreTheirForms) {
    EXPECT_EQ(std::pair(ReadFileManager(), ReadOpenFile()), std::pair(0, std::string()));
    auto key = CreateSettingsKey(kProgramKey);
    key->WriteString("FileManager", "2");
    key->WriteString("OpenFile", std::string(260, 'x'));  // no room for its terminating zero
    EXPECT_EQ(std::pair(ReadFileManager(), ReadOpenFile()), std::pair(0, std::string()));
    key->WriteDword("FileManager", 2);
    WriteOpenFile("c:\\a.jpg");
    EXPECT_EQ(std::pair(ReadFileManager(), ReadOpenFile()), std::pair(2, std::string("c:\\a.jpg")));
    WriteFolderArgumentRoot("D:\\Фото");
    EXPECT_EQ(key->ReadString("TreeFullPath"), "d:\\Фото\\");
    WriteFolderArgumentRoot("E:\\");
    EXPECT_EQ(key->ReadString("TreeFullPath"), "e:\\");
    WriteCheckRunAuto(0);
    EXPECT_EQ(key->ReadRaw("CheckRunAuto")->type, ValueType::Dword);
}

}  // namespace
}  // namespace pv
