// pictavo-cli search and folder as the acceptance checks drive them.
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "SearchTree.h"
#include "cli/RunCli.h"

namespace pv {
namespace {

using Lines = std::vector<std::string>;

std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

// The path column of every record line, then the last line whole.
Lines PathsThenStatus(const test::CliRun& r) {
    Lines out;
    for (size_t i = 0; i < r.lines.size(); ++i) {
        out.push_back(i + 1 < r.lines.size() ? r.lines[i].substr(0, r.lines[i].find('\t')) : r.lines[i]);
    }
    return out;
}

TEST(CliSearchTest, PrintsRecordsInSortedOrderThenTheStatus) {
    const std::string dir = test::MakeScratchDir("cli-search");
    const uint64_t t = 130000000000000000ULL;
    ASSERT_TRUE(test::MakeFile(dir + "/b.jpg", 300, t));
    ASSERT_TRUE(test::MakeFile(dir + "/2003/a.JPG", 100, t + 10000000));
    ASSERT_TRUE(test::MakeFile(dir + "/zoo/c.gif", 200, t));
    ASSERT_TRUE(test::MakeFile(dir + "/notes.txt", 5, t));

    test::CliRun r = test::RunCli("search " + Quote(dir));
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(PathsThenStatus(r), (Lines{"2003\\a.JPG", "b.jpg", "Find   2 "}));
    // relativePath, sizeHigh, sizeLow, attributes, creation, access, write.
    ASSERT_EQ(r.lines.size(), 3u);
    const std::string& b = r.lines[1];
    EXPECT_TRUE(b.starts_with("b.jpg\t0\t300\t0x80\t") && b.ends_with("\t" + std::to_string(t))) << b;
    EXPECT_EQ(std::count(b.begin(), b.end(), '\t'), 6);

    struct Row {
        std::string options;
        Lines expected;
    };

    // The dates are taken as they stand: 2012-12-14 23:06:41 is file time t + 1 s exactly.
    const Row rows[] = {
            {"/' --ext GIF,jpg --sort 'Size (descending)", {"b.jpg", "zoo\\c.gif", "2003\\a.JPG", "Find   3 "}},
            {"' --no-subfolders --size 300 300 --title 'B", {"b.jpg", "Find   1 "}},
            {"' --date '2012-12-14 23:06:41' '2012-12-14 23:06:41", {"2003\\a.JPG", "Find   1 "}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PathsThenStatus(test::RunCli("search '" + dir + row.options + "'")), row.expected) << row.options;
    }
}

TEST(CliSearchTest, FailuresAndUsage) {
    const std::string dir = test::MakeScratchDir("cli-search-fail");
    std::filesystem::create_directory(dir + "/empty");
    test::CliRun r = test::RunCli("search " + Quote(dir + "/empty"));
    EXPECT_EQ(std::pair(r.exitCode, r.lines), std::pair(1, Lines{"root has no entries"}));
    for (const char* usage :
         {" --ext PNG", " --size 1", " --date '2012-02-30 00:00:00' '2013-01-01 00:00:00'", " --size 0 4294967296"}) {
        EXPECT_EQ(test::RunCli("search " + Quote(dir) + usage).exitCode, 2) << usage;
    }
    EXPECT_EQ(test::RunCli("search").exitCode, 2);
}

TEST(CliSearchTest, FolderListsNeighboursAndTheCurrentIndex) {
    const std::string dir = test::MakeScratchDir("cli-folder");
    for (const char* name : {"a.gif", "b.jpg", "c.txt", "d/e.jpg"}) {
        ASSERT_TRUE(test::MakeFile(dir + "/" + name, 1));
    }
    test::CliRun r = test::RunCli("folder " + Quote(dir + "/b.jpg"));
    EXPECT_EQ(std::pair(r.exitCode, PathsThenStatus(r)), std::pair(0, Lines{"a.gif", "b.jpg", "current 1"}));
    r = test::RunCli("folder " + Quote(dir + "/c.txt/../missing/x.jpg"));
    EXPECT_EQ(std::pair(r.exitCode, r.lines), std::pair(1, Lines{" No Image Selected"}));
}

}  // namespace
}  // namespace pv
