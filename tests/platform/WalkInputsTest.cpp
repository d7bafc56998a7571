// What a folder walk reads from the platform besides names: the Escape key between entries
// and the reparse tag that says whether a folder is a link to stay out of.
#include <gtest/gtest.h>
#include <vector>

#include "TestPaths.h"
#include "platform/CancelPoll.h"
#include "platform/FileSystem.h"
#include "platform/FullPath.h"

namespace pv {
namespace {

constexpr EscapeKeySample kUp{false, false};
constexpr EscapeKeySample kUpPressedMeanwhile{false, true};
constexpr EscapeKeySample kDown{true, false};
constexpr EscapeKeySample kDownRepeating{true, true};

struct PollCase {
    const char* what;
    EscapeKeySample atStart;
    std::vector<EscapeKeySample> polls;
    int firstPressed;  // index of the first poll that reports a press, -1 for none
};

void PrintTo(const PollCase& c, std::ostream* os) {
    *os << c.what;
}

class EscapePollTest : public ::testing::TestWithParam<PollCase> {};

TEST_P(EscapePollTest, OnlyPressesAfterTheStartCount) {
    const PollCase& c = GetParam();
    EscapePoll poll;
    poll.Start(c.atStart);
    int first = -1;
    for (size_t i = 0; i < c.polls.size() && first < 0; ++i) {
        if (poll.Pressed(c.polls[i])) {
            first = static_cast<int>(i);
        }
    }
    EXPECT_EQ(first, c.firstPressed);
}

INSTANTIATE_TEST_SUITE_P(
        Sequences,
        EscapePollTest,
        ::testing::Values(PollCase{"no key at all", kUp, {kUp, kUp, kUp}, -1},
                          PollCase{"a press before the start is forgotten", kUpPressedMeanwhile, {kUp, kUp}, -1},
                          PollCase{"then a new tap counts", kUpPressedMeanwhile, {kUp, kUpPressedMeanwhile}, 1},
                          PollCase{"a key held from before, repeating, then let go",
                                   kDownRepeating,
                                   {kDownRepeating, kDown, kUpPressedMeanwhile, kUp},
                                   -1},
                          PollCase{"pressed again after letting go", kDown, {kDown, kUp, kDown}, 2},
                          PollCase{"held down during the walk", kUp, {kUp, kDown}, 1},
                          PollCase{"a tap between two polls", kUp, {kUp, kUpPressedMeanwhile}, 1}));

TEST(ReparseTagTest, OnlySymbolicLinksAndJunctionsAreLinks) {
    constexpr uint32_t kFolderLink = kAttrDirectory | kAttrReparsePoint;

    struct Case {
        uint32_t attributes;
        uint32_t tag;
        bool link;
    };

    const Case cases[] = {
            {kFolderLink, kReparseTagSymlink, true},
            {kFolderLink, kReparseTagMountPoint, true},
            {kAttrNormal | kAttrReparsePoint, kReparseTagSymlink, true},
            {kFolderLink, 0x9000001Au, false},  // a cloud placeholder (OneDrive and the like)
            {kFolderLink, 0x9000701Au, false},  // a cloud placeholder with its flag bits
            {kFolderLink, 0x80000013u, false},  // a deduplicated file's stub
            {kFolderLink, 0x8000001Bu, false},  // an app-execution alias
            {kFolderLink, 0, false},
            {kAttrDirectory, kReparseTagSymlink, false},  // a tag without the attribute means nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsLinkEntry(c.attributes, c.tag), c.link) << std::hex << c.attributes << " " << c.tag;
    }
}

TEST(FullPathTest, FoldsLikeGetFullPathName) {
    EXPECT_EQ(FoldFullPath("a.jpg", "C:\\pics"), "C:\\pics\\a.jpg");
    EXPECT_EQ(FoldFullPath("..\\b\\.\\c.jpg", "C:\\pics\\x"), "C:\\pics\\b\\c.jpg");
    EXPECT_EQ(FoldFullPath("..\\..\\..", "C:\\a"), "C:\\");
    EXPECT_EQ(FoldFullPath("D:/photos//2003/", "C:\\a"), "D:\\photos\\2003\\");
    EXPECT_EQ(FoldFullPath("\\root.jpg", "C:\\a\\b"), "C:\\root.jpg");
    EXPECT_EQ(FoldFullPath("C:", "C:\\a\\b"), "C:\\a\\b");
    EXPECT_EQ(FoldFullPath("x\\y", "\\tmp\\t"), "\\tmp\\t\\x\\y");
    EXPECT_EQ(FoldFullPath("Фото 2003\\пляж.jpg", "\\tmp"), "\\tmp\\Фото 2003\\пляж.jpg");
}

// A list file's line is looked up as the one entry it names.
TEST(FindEntryTest, ReportsTheEntryAPathNames) {
    const std::string dir = test::MakeScratchDir("find-entry");
    test::WriteHostFile(dir + "/a.jpg", std::vector<uint8_t>(5, 1));
    const std::string root = ProgramPathFromHost(dir) + "\\";
    FindRecord record;
    ASSERT_TRUE(FindEntry(root + "a.jpg", record));
    EXPECT_EQ(record.name, "a.jpg");
    EXPECT_EQ(record.sizeLow, 5u);
    EXPECT_FALSE(record.IsFolder());
    EXPECT_FALSE(FindEntry(root + "b.jpg", record));
}

}  // namespace
}  // namespace pv
