#include "app/CommandTail.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "TestPaths.h"
#include "platform/FileSystem.h"

namespace pv {
namespace {

TEST(CommandTailTest, SkipsProgramNameAndBlanks) {
    EXPECT_EQ(CommandTailFrom(R"("C:\Program Files\Pictavo\Pictavo.exe"  "D:\a b.jpg")"), R"("D:\a b.jpg")");
    EXPECT_EQ(CommandTailFrom("pictavo.exe\t\t C:\\x.jpg"), "C:\\x.jpg");
    EXPECT_EQ(CommandTailFrom("\"pictavo.exe\""), "");
    EXPECT_EQ(CommandTailFrom("pictavo.exe"), "");
    EXPECT_EQ(CommandTailFrom("\"unterminated name"), "");
}

TEST(CommandTailTest, ArgumentPathQuotingRules) {
    EXPECT_EQ(ArgumentPath(R"("C:\my pics\a.jpg" more words)"), R"(C:\my pics\a.jpg)");
    EXPECT_EQ(ArgumentPath(R"("C:\open quote)"), R"(C:\open quote)");
    EXPECT_EQ(ArgumentPath(R"(C:\my pics\a.jpg)"), R"(C:\my pics\a.jpg)");
}

class DecideArgumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = test::MakeScratchDir("decide");
        std::filesystem::create_directories(root_ + "/full folder");
        std::filesystem::create_directories(root_ + "/empty");
        test::WriteHostFile(root_ + "/full folder/a.jpg", {1});
        test::WriteHostFile(root_ + "/pic.jpg", {1});
        oldCwd_ = std::filesystem::current_path();
    }
    void TearDown() override { std::filesystem::current_path(oldCwd_); }

    std::string Prog(const std::string& host) const { return ProgramPathFromHost(root_ + host); }

    std::string root_;
    std::filesystem::path oldCwd_;
};

TEST_F(DecideArgumentTest, FileOrFolder) {
    ArgumentTarget t = DecideArgument("\"" + Prog("/full folder") + "\" extra");
    EXPECT_EQ(t.kind, ArgumentKind::Folder);
    EXPECT_EQ(t.fullPath, Prog("/full folder"));

    // Unquoted with blanks is taken whole.
    EXPECT_EQ(DecideArgument(Prog("/full folder")).kind, ArgumentKind::Folder);
    // An existing empty folder goes down the file road.
    EXPECT_EQ(DecideArgument(Prog("/empty")).kind, ArgumentKind::File);
    EXPECT_EQ(DecideArgument(Prog("/pic.jpg")).kind, ArgumentKind::File);
    EXPECT_EQ(DecideArgument(Prog("/nothing here")).kind, ArgumentKind::File);
}

TEST_F(DecideArgumentTest, RelativePathIsResolvedAgainstCurrentFolder) {
    std::filesystem::current_path(root_);
    ArgumentTarget t = DecideArgument("\"full folder\\..\\pic.jpg\"");
    EXPECT_EQ(t.kind, ArgumentKind::File);
    EXPECT_EQ(t.fullPath, Prog("/pic.jpg"));
    EXPECT_EQ(DecideArgument("full folder").kind, ArgumentKind::Folder);
}

TEST(DriveRootTest, OnlyLetterColonBackslash) {
    EXPECT_TRUE(IsDriveRoot("Q:\\"));
    EXPECT_FALSE(IsDriveRoot("Q:"));
    EXPECT_FALSE(IsDriveRoot("Q:\\x"));
    // A drive root that cannot be listed is still a folder.
    EXPECT_EQ(DecideArgument("Q:\\").kind, ArgumentKind::Folder);
}

}  // namespace
}  // namespace pv
