#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>
#include <unistd.h>

#include "TestPaths.h"
#include "app/CommandTail.h"
#include "platform/FileSystem.h"

namespace pv {
namespace {

TEST(CommandTailTest, SkipsProgramNameAndBlanksThenTakesThePath) {
    const std::pair<std::string, std::string> tails[] = {
            {R"("C:\Program Files\Pictavo\Pictavo.exe"  "D:\a b.jpg")", R"("D:\a b.jpg")"},
            {"pictavo.exe\t\t C:\\x.jpg", "C:\\x.jpg"},
            {"\"pictavo.exe\"", ""},
            {"pictavo.exe", ""},
            {"\"unterminated name", ""},
    };
    for (const auto& [line, tail] : tails) {
        EXPECT_EQ(CommandTailFrom(line), tail) << line;
    }
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

// Unquoted with blanks is taken whole; an existing empty folder goes down the file road;
// relative paths resolve against the current folder.
TEST_F(DecideArgumentTest, FileOrFolder) {
    std::filesystem::current_path(root_);
    const std::pair<std::string, ArgumentKind> rows[] = {
            {"\"" + Prog("/full folder") + "\" extra", ArgumentKind::Folder},
            {Prog("/full folder"), ArgumentKind::Folder},
            {Prog("/empty"), ArgumentKind::File},
            {Prog("/pic.jpg"), ArgumentKind::File},
            {Prog("/nothing here"), ArgumentKind::File},
            {"full folder", ArgumentKind::Folder},
            {"Q:\\", ArgumentKind::Folder},  // a drive root that cannot be listed is still a folder
    };
    for (const auto& [argument, kind] : rows) {
        EXPECT_EQ(DecideArgument(argument).kind, kind) << argument;
    }
    EXPECT_EQ(DecideArgument("\"" + Prog("/full folder") + "\" extra").fullPath, Prog("/full folder"));
    EXPECT_EQ(DecideArgument("\"full folder\\..\\pic.jpg\"").fullPath, Prog("/pic.jpg"));
}

TEST(DriveRootTest, OnlyLetterColonBackslash) {
    EXPECT_EQ(std::tuple(IsDriveRoot("Q:\\"), IsDriveRoot("Q:"), IsDriveRoot("Q:\\x")), std::tuple(true, false, false));
}

}  // namespace
}  // namespace pv
