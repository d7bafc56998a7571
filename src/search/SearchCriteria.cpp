#include "search/SearchCriteria.h"

namespace pv {

std::vector<std::string> CheckedExtensions(const std::array<bool, kExtensionCount>& checked) {
    std::vector<std::string> out;
    for (size_t i = 0; i < kExtensionCount; ++i) {
        if (checked[i]) {
            out.emplace_back(ExtensionTable[i].extension);
        }
    }
    return out;
}

}  // namespace pv
