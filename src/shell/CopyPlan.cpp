#include "shell/CopyPlan.h"

#include <cstdio>
#include <set>

#include "base/Text.h"
#include "platform/Collation.h"

namespace pv {

namespace {

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const { return CompareNamesNoCase(a, b) < 0; }
};

std::string_view BaseNameOf(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    return name.substr(0, name.size() - ExtensionOf(name).size());
}

}  // namespace

std::vector<CopyPair> PlanCopy(std::span<const std::string> sourcePaths,
                               std::string_view destFolder,
                               std::span<const std::string> takenNames) {
    std::set<std::string, NoCaseLess> taken;
    for (const std::string& name : takenNames) {
        taken.emplace(BaseNameOf(name));
    }
    std::vector<CopyPair> pairs;
    pairs.reserve(sourcePaths.size());
    for (const std::string& source : sourcePaths) {
        const std::string base(BaseNameOf(source));
        std::string candidate = base;
        for (uint32_t counter = 1; taken.contains(candidate); ++counter) {
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, "_%06u", counter);
            candidate = base + suffix;
        }
        pairs.push_back({source, std::string(destFolder) + candidate + std::string(ExtensionOf(FileNameOf(source)))});
        taken.insert(std::move(candidate));
    }
    return pairs;
}

std::string DestinationFolder(std::string_view chosen) {
    std::string folder(chosen);
    if (folder.empty() || folder.back() != '\\') {
        folder.push_back('\\');
    }
    return folder;
}

std::string CopySummary(int32_t count, std::string_view destFolder) {
    return "Copy " + std::to_string(count) + " files to folder: " + std::string(destFolder);
}

std::string DeleteQuestion(int32_t count) {
    return "   Delete  " + std::to_string(count) + "  files?   ";
}

}  // namespace pv
