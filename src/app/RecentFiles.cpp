#include "app/RecentFiles.h"

#include <algorithm>
#include <memory>

#include "base/ResourceIds.h"
#include "platform/Collation.h"
#include "platform/Settings.h"
#include "platform/SettingsValues.h"

namespace pv {

namespace {

constexpr size_t kEntryBytes = 260;

std::string DocumentName(int32_t i) {
    return "Document" + std::to_string(i);
}

}  // namespace

void RecentFiles::SetMaximum(int32_t maximum) {
    maximum_ = std::clamp(maximum, kLowest, kHighest);
    while (Count() > maximum_) {
        entries_.erase(entries_.begin());
    }
}

const std::string& RecentFiles::MenuEntry(int32_t k) const {
    return entries_[static_cast<size_t>(Count() - 1 - k)];
}

void RecentFiles::Read() {
    std::unique_ptr<SettingsKey> key = OpenSettingsKey(kRecentFilesKey);
    int32_t count = 0;
    if (!key || !ReadDwordInto(*key, "DocumentCount", count)) {
        return;
    }
    maximum_ = std::clamp(count, kLowest, kHighest);
    entries_.clear();
    for (int32_t i = maximum_; i >= 1; --i) {
        std::string path;
        if (ReadStringInto(*key, DocumentName(i), path, kEntryBytes)) {
            entries_.push_back(std::move(path));
        }
    }
}

void RecentFiles::Write() const {
    std::unique_ptr<SettingsKey> key = CreateSettingsKey(kRecentFilesKey);
    if (!key) {
        return;
    }
    key->WriteDword("DocumentCount", static_cast<uint32_t>(maximum_));
    for (int32_t i = Count(); i >= 1; --i) {
        key->WriteString(DocumentName(i), entries_[static_cast<size_t>(Count() - i)]);
    }
    for (int32_t i = Count() + 1; i <= kHighest; ++i) {
        key->DeleteValue(DocumentName(i));
    }
}

void RecentFiles::Add(const std::string& path) {
    auto same = std::find_if(entries_.begin(), entries_.end(),
                             [&path](const std::string& e) { return CompareNamesNoCase(e, path) == 0; });
    if (same != entries_.end()) {
        entries_.erase(same);
    }
    if (Count() >= maximum_) {
        entries_.erase(entries_.begin());
    }
    entries_.push_back(path);
}

std::optional<int32_t> RecentFiles::EntryOfCommand(uint32_t id) const {
    const int64_t k = static_cast<int64_t>(id) - ID_FILE_MRU_FIRST;
    if (k < 0 || k >= Count()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(Count() - 1 - k);
}

void RecentFiles::MoveToTop(int32_t entry) {
    std::string path = std::move(entries_[static_cast<size_t>(entry)]);
    entries_.erase(entries_.begin() + entry);
    entries_.push_back(std::move(path));
}

void RecentFiles::Remove(int32_t entry) {
    entries_.erase(entries_.begin() + entry);
}

std::vector<RecentMenuItem> RecentFiles::MenuItems(const std::string& emptyText) const {
    std::vector<RecentMenuItem> items;
    if (entries_.empty()) {
        items.push_back({ID_FILE_MRU_FIRST, emptyText, false});
        return items;
    }
    for (int32_t k = 0; k < Count(); ++k) {
        items.push_back(
                {static_cast<uint32_t>(ID_FILE_MRU_FIRST + k), "&" + std::to_string(k + 1) + " " + MenuEntry(k), true});
    }
    return items;
}

}  // namespace pv
