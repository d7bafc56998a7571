#include "TestPaths.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#ifdef _WIN32
#include <process.h>
#define PV_TEST_PID _getpid()
#else
#include <unistd.h>
#define PV_TEST_PID getpid()
#endif

namespace pv::test {

namespace fs = std::filesystem;

std::string TestDataDir() {
    fs::path dir(PV_TESTDATA_DIR);
    std::error_code ec;
    return fs::is_directory(dir, ec) ? dir.string() : std::string();
}

namespace {

// Removes every scratch folder the process made when it ends, so runs leave no litter.
struct ScratchFolders {
    std::vector<fs::path> made;

    ~ScratchFolders() {
        for (const fs::path& dir : made) {
            std::error_code ec;
            fs::remove_all(dir, ec);
        }
    }
};

}  // namespace

std::string MakeScratchDir(const std::string& name) {
    static ScratchFolders folders;
    // CTest runs the cases of one suite side by side: the folder carries the running case
    // and the process, so no case removes a folder another is using.
    std::string owner = "none";
    if (const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info()) {
        owner = std::string(info->test_suite_name()) + "." + info->name();
        std::replace(owner.begin(), owner.end(), '/', '_');
    }
    fs::path dir =
            fs::temp_directory_path() / ("pictavo-test-" + owner + "-" + std::to_string(PV_TEST_PID) + "-" + name);
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir);
    folders.made.push_back(dir);
    const std::u8string utf8 = dir.u8string();
    return {utf8.begin(), utf8.end()};
}

void WriteHostFile(const std::string& hostPath, const std::vector<uint8_t>& bytes) {
    std::ofstream out(fs::u8path(hostPath), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadHostFile(const std::string& hostPath) {
    std::ifstream in(fs::u8path(hostPath), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace pv::test
