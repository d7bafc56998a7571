#include "search/SearchCriteria.h"

#include "search/ExtensionTable.h"

namespace pv {

std::vector<std::string> CheckedExtensions() {
    std::vector<std::string> out;
    for (const ExtensionRow& row : ExtensionTable) {
        if (row.checked != 0) {
            out.emplace_back(row.extension);
        }
    }
    return out;
}

}  // namespace pv
