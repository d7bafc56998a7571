// The recent-files list of one frame: the files opened through File Open, most recent on
// top, at most `maximum` of them (2 to 16), kept under the program's MRU key and shown in
// the File menu's "Recent Files" submenu (commands 57616 + k, k = 0 the most recent).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pv {

struct RecentMenuItem {
    uint32_t id = 0;
    std::string text;
    bool enabled = true;
    friend bool operator==(const RecentMenuItem&, const RecentMenuItem&) = default;
};

class RecentFiles {
public:
    static constexpr int32_t kLowest = 2;
    static constexpr int32_t kHighest = 16;

    // The limit within 2 to 16.
    void SetMaximum(int32_t maximum);

    [[nodiscard]] int32_t Maximum() const { return maximum_; }

    [[nodiscard]] int32_t Count() const { return static_cast<int32_t>(entries_.size()); }

    // Entry k of the menu (0 the most recent).
    [[nodiscard]] const std::string& MenuEntry(int32_t k) const;

    // The list as stored: with the key and DocumentCount present, the maximum is taken from
    // DocumentCount and the entries from "Document%i"; otherwise the list stays as it is.
    void Read();
    // DocumentCount = the maximum, "Document1" the most recent; values past the count deleted.
    void Write() const;

    // File Open: an equal path (case ignored) leaves its place, the oldest goes when the list
    // is full, the path becomes the most recent.
    void Add(const std::string& path);
    // The entry a recent-file command names, or nothing for a command outside the list.
    [[nodiscard]] std::optional<int32_t> EntryOfCommand(uint32_t id) const;
    void MoveToTop(int32_t entry);
    void Remove(int32_t entry);

    [[nodiscard]] const std::string& Entry(int32_t entry) const { return entries_[static_cast<size_t>(entry)]; }

    // The submenu's items: one "&%i %s" per entry, most recent first, or the disabled
    // placeholder with `emptyText`.
    [[nodiscard]] std::vector<RecentMenuItem> MenuItems(const std::string& emptyText) const;

private:
    std::vector<std::string> entries_;  // oldest first
    int32_t maximum_ = 4;
};

}  // namespace pv
