// Where tests find the shared test pictures and make their scratch files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pv::test {

// The shared test-data folder (host form); empty when it is not beside the checkout.
std::string TestDataDir();

// A fresh, empty scratch folder (host form) of its own for the running test case and process.
std::string MakeScratchDir(const std::string& name);

void WriteHostFile(const std::string& hostPath, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadHostFile(const std::string& hostPath);

}  // namespace pv::test
