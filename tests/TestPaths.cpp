#include "TestPaths.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace pv::test {

namespace fs = std::filesystem;

std::string TestDataDir() {
    fs::path dir(PV_TESTDATA_DIR);
    std::error_code ec;
    return fs::is_directory(dir, ec) ? dir.string() : std::string();
}

std::string MakeScratchDir(const std::string& name) {
    fs::path dir = fs::temp_directory_path() / ("pictavo-test-" + name);
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir);
    return dir.string();
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
