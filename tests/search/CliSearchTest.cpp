// pictavo-cli search and folder as the acceptance checks drive them.
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "SearchTree.h"

namespace pv {
namespace {

struct CliRun {
    int exitCode = -1;
    std::vector<std::string> lines;
};

CliRun RunCli(const std::string& args) {
    CliRun r;
    const std::string cmd = std::string(PV_CLI_PATH) + " " + args + " 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    std::string out;
    char buf[512];
    while (p != nullptr && std::fgets(buf, sizeof buf, p) != nullptr) {
        out += buf;
    }
    const int status = p != nullptr ? pclose(p) : -1;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    size_t start = 0;
    while (start < out.size()) {
        const size_t nl = out.find('\n', start);
        r.lines.push_back(out.substr(start, nl - start));
        start = nl == std::string::npos ? out.size() : nl + 1;
    }
    return r;
}

std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

std::string PathColumn(const std::string& line) {
    return line.substr(0, line.find('\t'));
}

TEST(CliSearchTest, PrintsRecordsInSortedOrderThenTheStatus) {
    const std::string dir = test::MakeScratchDir("cli-search");
    const uint64_t t = 130000000000000000ULL;
    ASSERT_TRUE(test::MakeFile(dir + "/b.jpg", 300, t));
    ASSERT_TRUE(test::MakeFile(dir + "/2003/a.JPG", 100, t + 10000000));
    ASSERT_TRUE(test::MakeFile(dir + "/zoo/c.gif", 200, t));
    ASSERT_TRUE(test::MakeFile(dir + "/notes.txt", 5, t));

    CliRun r = RunCli("search " + Quote(dir));
    ASSERT_EQ(r.exitCode, 0);
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(PathColumn(r.lines[0]), "2003\\a.JPG");
    EXPECT_EQ(PathColumn(r.lines[1]), "b.jpg");
    EXPECT_EQ(r.lines[2], "Find   2 ");
    // relativePath, sizeHigh, sizeLow, attributes, creation, access, write.
    std::vector<std::string> cols;
    size_t s = 0;
    for (size_t tab = r.lines[1].find('\t');; tab = r.lines[1].find('\t', s)) {
        cols.push_back(r.lines[1].substr(s, tab - s));
        if (tab == std::string::npos) {
            break;
        }
        s = tab + 1;
    }
    ASSERT_EQ(cols.size(), 7u);
    EXPECT_EQ(cols[1], "0");
    EXPECT_EQ(cols[2], "300");
    EXPECT_EQ(cols[3], "0x80");
    EXPECT_EQ(cols[6], std::to_string(t));

    r = RunCli("search " + Quote(dir + "/") + " --ext GIF,jpg --sort 'Size (descending)'");
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_EQ(PathColumn(r.lines[0]), "b.jpg");
    EXPECT_EQ(PathColumn(r.lines[1]), "zoo\\c.gif");
    EXPECT_EQ(PathColumn(r.lines[2]), "2003\\a.JPG");

    r = RunCli("search " + Quote(dir) + " --no-subfolders --size 300 300 --title B");
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(PathColumn(r.lines[0]), "b.jpg");

    // The dates are taken as they stand: 2012-12-14 23:06:41 is file time t + 1 s exactly.
    r = RunCli("search " + Quote(dir) + " --date '2012-12-14 23:06:41' '2012-12-14 23:06:41'");
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(PathColumn(r.lines[0]), "2003\\a.JPG");
}

TEST(CliSearchTest, FailuresAndUsage) {
    const std::string dir = test::MakeScratchDir("cli-search-fail");
    std::filesystem::create_directory(dir + "/empty");
    CliRun r = RunCli("search " + Quote(dir + "/empty"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.lines, std::vector<std::string>{"root has no entries"});
    EXPECT_EQ(RunCli("search").exitCode, 2);
    EXPECT_EQ(RunCli("search " + Quote(dir) + " --ext PNG").exitCode, 2);
    EXPECT_EQ(RunCli("search " + Quote(dir) + " --size 1").exitCode, 2);
    EXPECT_EQ(RunCli("search " + Quote(dir) + " --date '2012-02-30 00:00:00' '2013-01-01 00:00:00'").exitCode, 2);
    EXPECT_EQ(RunCli("search " + Quote(dir) + " --size 0 4294967296").exitCode, 2);
}

TEST(CliSearchTest, FolderListsNeighboursAndTheCurrentIndex) {
    const std::string dir = test::MakeScratchDir("cli-folder");
    for (const char* name : {"a.gif", "b.jpg", "c.txt", "d/e.jpg"}) {
        ASSERT_TRUE(test::MakeFile(dir + "/" + name, 1));
    }
    CliRun r = RunCli("folder " + Quote(dir + "/b.jpg"));
    EXPECT_EQ(r.exitCode, 0);
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(PathColumn(r.lines[0]), "a.gif");
    EXPECT_EQ(PathColumn(r.lines[1]), "b.jpg");
    EXPECT_EQ(r.lines[2], "current 1");

    r = RunCli("folder " + Quote(dir + "/d/nothing-here.txt"));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.lines.back(), "current 0");
    r = RunCli("folder " + Quote(dir + "/c.txt/../missing/x.jpg"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.lines, std::vector<std::string>{" No Image Selected"});
}

}  // namespace
}  // namespace pv
