// A folder listing for walks that need the details of only a few entries. Next gives the
// name and the folder and reparse-point bits; Complete adds the times, sizes and other
// attribute bits of the entry Next gave last. Where the platform's enumeration reports
// everything at once (FindFirstFile), Complete has nothing left to do; natively it saves
// one status call for every entry that the name alone rules out.
#pragma once

#include <memory>
#include <string>

#include "platform/FileSystem.h"

namespace pv {

class FolderScan {
public:
    FolderScan();
    FolderScan(const FolderScan&) = delete;
    FolderScan& operator=(const FolderScan&) = delete;
    FolderScan(FolderScan&&) noexcept;
    FolderScan& operator=(FolderScan&&) noexcept;
    ~FolderScan();

    // `folder` with or without its trailing "\". False when it cannot be listed.
    [[nodiscard]] bool Open(const std::string& folder);
    // Opens `folder`, the entry `name` of the folder `parent` lists; natively the name is
    // looked up inside the open parent instead of walking the whole path again.
    [[nodiscard]] bool OpenSubfolder(const FolderScan& parent, const std::string& folder, const std::string& name);
    // The next entry other than "." and "..": name, and attributes holding at least the
    // folder (0x10) and reparse-point (0x400) bits. False at the end.
    [[nodiscard]] bool Next(FindRecord& record);
    // Fills the rest of the record Next gave last. False when the entry has vanished.
    [[nodiscard]] bool Complete(FindRecord& record);
    void Close();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace pv
