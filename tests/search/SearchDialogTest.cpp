// The search dialogs' rules without a window: choices, dates, tree paths, stored values, and
// the order of OK's checks, messages, stores and search.
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "SearchTree.h"
#include "platform/Settings.h"
#include "platform/SettingsValues.h"
#include "search/Ordering.h"
#include "search/SearchChoices.h"
#include "search/SearchOk.h"
#include "search/SearchSettings.h"

namespace pv {
namespace {

struct ChoiceRow {
    const char* text;
    int32_t sizeIndex;
    uint32_t minBytes;
    uint32_t maxBytes;
};

TEST(SearchChoicesTest, SizeTextsMapExactlyAndUnknownTextsGiveOpenBounds) {
    const ChoiceRow rows[] = {
            {"0", 0, 0, 0},
            {"1 000", 5, 1000, 1000},
            {"1 000 000", 17, 1000000, 1000000},
            {"Any", 18, 4000000000u, 4000000000u},
            {"1000", -1, 0, 4000000000u},  // no blank: in no list
            {"any", -1, 0, 4000000000u},   // case counts
            {"", -1, 0, 4000000000u},
    };
    for (const ChoiceRow& r : rows) {
        EXPECT_EQ(SizeChoiceIndex(r.text), r.sizeIndex) << r.text;
        EXPECT_EQ(MinSizeBytes(r.text), r.minBytes) << r.text;
        EXPECT_EQ(MaxSizeBytes(r.text), r.maxBytes) << r.text;
    }
    for (auto [text, index] : {std::pair{"Name", 0},
                               {"Modific. Time (ascending)", 5},
                               {"Unsorting", 10},
                               {"name", -1},
                               {"Size (Ascending)", -1}}) {
        EXPECT_EQ(SortChoiceIndex(text), index) << text;
    }
}

TEST(SearchChoicesTest, PickerValuesBecomeFileTimesWithoutTimeZoneAndBadOnesAreRefused) {
    struct Row {
        DateTime value;
        std::optional<uint64_t> expected;
    };

    const Row rows[] = {
            {{1601, 1, 1, 1, 0, 0, 0, 0}, 0},
            {{1970, 1, 4, 1, 0, 0, 0, 0}, 116444736000000000ULL},  // the day of the week is ignored
            {{2000, 2, 2, 29, 12, 34, 56, 789}, 125963012967890000ULL},
            {{2026, 12, 4, 31, 23, 59, 59, 999}, 134432351999990000ULL},
            {{2001, 2, 0, 29, 0, 0, 0, 0}, std::nullopt},  // no 29 February in 2001
            {{1900, 2, 0, 29, 0, 0, 0, 0}, std::nullopt},
            {{2000, 13, 0, 1, 0, 0, 0, 0}, std::nullopt},
            {{2000, 0, 0, 1, 0, 0, 0, 0}, std::nullopt},
            {{2000, 1, 0, 0, 0, 0, 0, 0}, std::nullopt},
            {{2000, 1, 0, 1, 24, 0, 0, 0}, std::nullopt},
            {{2000, 1, 0, 1, 0, 0, 0, 1000}, std::nullopt},
            {{1600, 12, 0, 31, 0, 0, 0, 0}, std::nullopt},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(FileTimeOf(r.value), r.expected) << r.value.year << "-" << r.value.month << "-" << r.value.day;
    }
    const DateTime d{2003, 7, 2, 15, 8, 9, 10, 11};
    EXPECT_EQ(DateTimeFromBytes(DateTimeBytes(d)), d);
    EXPECT_EQ(DateTimeBytes(d)[0], 0xD3);  // little-endian 2003
    EXPECT_FALSE(DateTimeFromBytes(std::vector<uint8_t>(15, 1)));
}

TEST(SearchChoicesTest, TreePathsAssembleSplitAndMatchWithoutRegardToCase) {
    EXPECT_EQ(TreePathOf({"C:", "Photos", "2003"}), "C:\\Photos\\2003\\");
    EXPECT_EQ(TreePathOf({"C:", "Photos", "a.jpg"}), "C:\\Photos\\a.jpg\\");
    EXPECT_EQ(TreePathOf({}), "");
    EXPECT_EQ(TreePathComponents("c:\\Photos\\2003\\"), (std::vector<std::string>{"c:", "Photos", "2003"}));
    EXPECT_EQ(TreePathComponents("\\\\x\\"), (std::vector<std::string>{"x"}));
    EXPECT_TRUE(TreePathComponents("").empty());
    // The stored root has a lower-case drive letter; the tree shows "C:".
    EXPECT_TRUE(TreeTextMatches("C:", "c:") && TreeTextMatches("Photos", "PHOTOS"));
    EXPECT_FALSE(TreeTextMatches("Photos", "Photo"));
    EXPECT_EQ(std::pair(WildcardCount("a*b?c*"), WildcardCount("abc")), std::pair(3, 0));
}

class SearchSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetMemorySettingsForTests(); }

    void TearDown() override { ResetMemorySettingsForTests(); }

    static std::unique_ptr<SettingsKey> Key() { return CreateSettingsKey(kProgramKey); }
};

TEST_F(SearchSettingsTest, EmptyStoreKeepsTheConstructionValuesAndWhatOkWroteComesBack) {
    SearchDialogValues v;
    ReadSearchValues(v, SearchDialogKind::Tree);
    EXPECT_EQ(v.checkInclude, 1);
    EXPECT_EQ(v.checkTitle + v.checkSize + v.checkDate, 0);
    EXPECT_EQ(v.titlePattern + "|" + v.sortedString + "|" + v.minSize + "|" + v.maxSize, "*|Name|0|Any");
    EXPECT_EQ(v.treeFullPath, "");
    EXPECT_FALSE(v.dateFrom || v.dateTo || ReadFolderRect());
    EXPECT_EQ(ReadExtensionChecks(DefaultExtensionChecks()), DefaultExtensionChecks());

    SearchDialogValues w{0, 1, 1, 1, 1, "Фото", "Size (ascending)", "1 000", "3 000", "c:\\x\\", {}, {}};
    const DateTime from{2003, 1, 3, 1, 0, 0, 0, 0};
    const DateTime to{2004, 6, 2, 30, 23, 0, 0, 0};
    WriteSearchValues(w, SearchDialogKind::Tree, from, to);
    WriteTreeFullPath("c:\\x\\");
    WriteFolderRect({10, 20, 710, 520});
    ExtensionChecks checks{};
    checks[3] = checks[35] = true;
    WriteExtensionChecks(checks);

    SearchDialogValues back;
    ReadSearchValues(back, SearchDialogKind::Tree);
    // The tree dialog neither writes nor reads CheckRunAuto.
    EXPECT_EQ(std::tuple(back.checkInclude, back.checkTitle, back.checkRunAuto), std::tuple(0, 1, 0));
    EXPECT_EQ(back.titlePattern + "|" + back.sortedString + "|" + back.minSize + "|" + back.maxSize,
              "Фото|Size (ascending)|1 000|3 000");
    EXPECT_EQ(back.treeFullPath, "c:\\x\\");
    EXPECT_EQ(std::pair(back.dateFrom, back.dateTo), std::pair(std::optional(from), std::optional(to)));
    EXPECT_EQ(ReadFolderRect(), (DialogRect{10, 20, 710, 520}));
    EXPECT_EQ(ReadExtensionChecks(DefaultExtensionChecks()), checks);
    EXPECT_EQ(Key()->ReadRaw("ExtensList")->data.size(), 144u);

    // The browse dialog reads neither CheckTitle nor TreeFullPath.
    SearchDialogValues browse;
    ReadSearchValues(browse, SearchDialogKind::Browse);
    EXPECT_EQ(std::pair(browse.checkTitle, browse.treeFullPath), std::pair(0, std::string()));
}

TEST_F(SearchSettingsTest, ValuesOfTheWrongTypeOrSizeLeaveTheMembersAlone) {
    auto key = Key();
    key->WriteString("CheckInclude", "0");
    key->WriteDword("TitlePattern", 7);
    key->WriteString("SortedString", std::string(64, 'x'));  // does not fit 64 bytes with its zero
    key->WriteString("MinSize", "10 000 000 00");            // 13 characters: fits 14 bytes
    key->WriteString("MaxSize", "100 000 000 00");           // 14: does not
    key->WriteBinary("DateFrom", std::vector<uint8_t>(15, 1));
    key->WriteBinary("DateTo", DateTimeBytes({2003, 2, 0, 30, 0, 0, 0, 0}));  // 30 February
    key->WriteBinary("FolderRect", std::vector<uint8_t>(20, 0));
    key->WriteBinary("ExtensList", std::vector<uint8_t>(140, 1));
    SearchDialogValues v;
    ReadSearchValues(v, SearchDialogKind::Tree);
    EXPECT_EQ(v.checkInclude, 1);
    EXPECT_EQ(v.titlePattern + "|" + v.sortedString + "|" + v.minSize + "|" + v.maxSize, "*|Name|10 000 000 00|Any");
    EXPECT_FALSE(v.dateFrom || v.dateTo || ReadFolderRect());
    ExtensionChecks all{};
    all.fill(true);
    EXPECT_EQ(ReadExtensionChecks(all), all);

    // Only a flag of exactly 1 checks its row.
    std::vector<uint8_t> flags(144, 0);
    flags[0] = 1;
    flags[4] = 2;
    flags[8 + 1] = 1;  // 256
    key->WriteBinary("ExtensList", flags);
    ExtensionChecks expected{};
    expected[0] = true;
    EXPECT_EQ(ReadExtensionChecks(all), expected);
}

// Records what the OK sequence shows and asks, in order.
class RecordingHost final : public SearchOkHost {
public:
    void ShowMessage(std::string_view text, MessageStyle style) override {
        events.push_back((style == MessageStyle::NorelPlain ? "Norel:" : "Pictavo:") + std::string(text));
    }

    void ShowStatus(std::string_view text) override { lastStatus = text; }

    void OpenPathAsFile() override { events.emplace_back("open as file"); }

    void ShowRoot(const std::string& root) override { events.push_back("root " + root); }

    std::vector<std::string> events;
    std::string lastStatus;
};

class SearchOkTest : public SearchSettingsTest {
protected:
    void SetUp() override {
        SearchSettingsTest::SetUp();
        dir_ = test::MakeScratchDir("search-ok");
        ASSERT_TRUE(test::MakeFile(dir_ + "/big.jpg", 3000));
        ASSERT_TRUE(test::MakeFile(dir_ + "/small.JPG", 100));
        ASSERT_TRUE(test::MakeFile(dir_ + "/sub/mid.jpeg", 500));
        ASSERT_TRUE(test::MakeFile(dir_ + "/note.txt", 5));
        root_ = test::ProgramRootOf(dir_);
        // The frame shows an earlier result: one record under its own root.
        SharedLists::Access s = lists_.Lock();
        s->ResultList.Append(FileRecord{.relativePath = "old.jpg"});
        s->RootFolders = {"C:\\old\\"};
        s->ShownList = ShownListId::KeywordMatch;
    }

    OkRequest Request(const std::string& root) const {
        OkRequest r;
        r.checked = DefaultExtensionChecks();
        r.root = root;
        r.pickerFrom = {2000, 1, 6, 1, 0, 0, 0, 0};
        r.pickerTo = {2000, 1, 6, 1, 0, 0, 0, 0};
        r.windowRect = {1, 2, 700, 500};
        return r;
    }

    std::vector<std::string> Found() {
        std::vector<std::string> out;
        for (const FileRecord& rec : lists_.Lock()->ResultList.Records()) {
            out.push_back(rec.relativePath);
        }
        return out;
    }

    bool Stored(const char* name) { return Key()->ReadRaw(name).has_value(); }

    void ExpectOldListKept() {
        EXPECT_EQ(Found(), std::vector<std::string>{"old.jpg"});
        EXPECT_EQ(lists_.Lock()->ShownList, ShownListId::KeywordMatch);
    }

    SharedLists lists_;
    RecordingHost host_;
    std::string dir_;
    std::string root_;
};

TEST_F(SearchOkTest, NoExtensionKeepsTheDialogOpenAndTouchesNothing) {
    OkRequest r = Request(root_);
    r.checked = {};
    for (auto run : {&RunTreeDialogOk, &RunBrowseDialogOk}) {
        EXPECT_EQ(run(lists_, r, host_), OkOutcome::StayOpen);
    }
    EXPECT_EQ(host_.events, (std::vector<std::string>(2, "Pictavo:   Please, Select one or more extension(s)!   ")));
    ExpectOldListKept();
    EXPECT_EQ(lists_.Lock()->RootFolders, std::vector<std::string>{"C:\\old\\"});
    EXPECT_FALSE(Stored("ExtensList") || Stored("CheckInclude"));
}

TEST_F(SearchOkTest, WildcardsWarnOncePerCharacterThenTheSearchRunsAndFindsNothing) {
    OkRequest r = Request(root_);
    r.values.checkInclude = 0;
    r.values.checkTitle = 1;
    r.values.titlePattern = "a*b";
    EXPECT_EQ(RunTreeDialogOk(lists_, r, host_), OkOutcome::StayOpen);
    EXPECT_EQ(host_.events, (std::vector<std::string>{"Pictavo:" + std::string(kWildcardText),
                                                      "Pictavo:" + std::string(kNothingFoundText)}));
    EXPECT_TRUE(Found().empty());
    EXPECT_EQ(host_.lastStatus, "Find   0 ");
    // Stored before the search, even though it found nothing.
    EXPECT_EQ(Key()->ReadString("TitlePattern"), "a*b");
    EXPECT_EQ(Key()->ReadString("TreeFullPath"), root_);
    EXPECT_TRUE(Stored("ExtensList") && Stored("FolderRect") && Stored("DateTo"));
}

TEST_F(SearchOkTest, AnEmptyTreePathIsRefusedAfterTheValuesAreStoredWithTheListKept) {
    EXPECT_EQ(RunTreeDialogOk(lists_, Request(""), host_), OkOutcome::StayOpen);
    EXPECT_EQ(host_.events, std::vector<std::string>{"Pictavo:" + std::string(kNoFolderText)});
    ExpectOldListKept();
    EXPECT_TRUE(Stored("CheckInclude") && Stored("FolderRect"));
    EXPECT_FALSE(Stored("TreeFullPath"));
}

TEST_F(SearchOkTest, AFileOrEmptyFolderInTheTreeIsOpenedAsAFile) {
    std::filesystem::create_directories(dir_ + "/empty");
    for (const std::string& path : {root_ + "big.jpg\\", root_ + "empty\\", root_ + "gone\\"}) {
        host_.events.clear();
        EXPECT_EQ(RunTreeDialogOk(lists_, Request(path), host_), OkOutcome::OpenedAsFile) << path;
        EXPECT_EQ(host_.events, std::vector<std::string>{"open as file"}) << path;
        EXPECT_EQ(Found(), std::vector<std::string>{"old.jpg"});
        EXPECT_TRUE(lists_.Lock()->RootFolders.empty());
    }
    EXPECT_TRUE(Stored("ExtensList"));
    EXPECT_FALSE(Stored("CheckInclude") || Stored("TreeFullPath"));
}

TEST_F(SearchOkTest, AFoundResultIsOrderedByTheChosenSortAndShown) {
    OkRequest r = Request(root_);
    r.values.sortedString = "Size (ascending)";
    r.values.checkSize = 1;
    r.values.minSize = "100";
    r.values.maxSize = "1 000";
    EXPECT_EQ(RunTreeDialogOk(lists_, r, host_), OkOutcome::Accepted);
    EXPECT_TRUE(host_.events.empty());
    EXPECT_EQ(Found(), (std::vector<std::string>{"small.JPG", "sub\\mid.jpeg"}));
    SharedLists::Access s = lists_.Lock();
    EXPECT_EQ(s->RootFolders, std::vector<std::string>{root_});
    EXPECT_EQ(s->SortCode, kSortSizeAscending);
    EXPECT_EQ(s->ShownList, ShownListId::Result);
    EXPECT_EQ(host_.lastStatus, "Find   2 ");
}

TEST_F(SearchOkTest, BrowseSearchesTheHandedFolderWithoutSubstringAndKeepsThePattern) {
    Key()->WriteString("TitlePattern", "keep*");
    OkRequest r = Request(root_.substr(0, root_.size() - 1));  // handed in without "\"
    r.values.titlePattern = "keep*";
    r.values.checkTitle = 1;  // the browse dialog has no substring: never applied
    r.values.checkRunAuto = 1;
    EXPECT_EQ(RunBrowseDialogOk(lists_, r, host_), OkOutcome::Accepted);
    EXPECT_EQ(host_.events, std::vector<std::string>{"root " + root_});
    // Paths relative to the folder: each names a file that opens.
    EXPECT_EQ(Found(), (std::vector<std::string>{"big.jpg", "small.JPG", "sub\\mid.jpeg"}));
    // The keyword lists went with the old root: the views show the new result.
    EXPECT_EQ(lists_.Lock()->ShownList, ShownListId::Result);
    EXPECT_EQ(Key()->ReadString("TitlePattern"), "keep*");
    EXPECT_EQ(Key()->ReadDword("CheckRunAuto"), 1u);
    EXPECT_FALSE(Stored("CheckTitle") || Stored("TreeFullPath") || Stored("FolderRect"));

    host_.events.clear();
    r.root = root_ + "missing";
    EXPECT_EQ(RunBrowseDialogOk(lists_, r, host_), OkOutcome::StayOpen);
    EXPECT_EQ(host_.events, (std::vector<std::string>{"root " + root_ + "missing\\", "Norel:No Images"}));
    EXPECT_TRUE(Found().empty());
}

TEST(SettingsValuesTest, StoredPathsTakeALowerCaseFirstLetterOnly) {
    EXPECT_EQ(FirstCharLower("C:\\Photos\\") + "|" + FirstCharLower("c:\\A") + "|" + FirstCharLower("") + "|" +
                      FirstCharLower("Фото"),
              "c:\\Photos\\|c:\\A||Фото");
}

}  // namespace
}  // namespace pv
