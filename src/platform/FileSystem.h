// The core's view of the file system. Paths are in the program's Windows form on every
// platform: "\" separates folders. The native implementation maps them where it touches
// the file system, so natively a folder looks like "\tmp\photos\".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/Status.h"

namespace pv {

inline constexpr uint32_t kAttrReadOnly = 0x01;
inline constexpr uint32_t kAttrHidden = 0x02;
inline constexpr uint32_t kAttrDirectory = 0x10;
inline constexpr uint32_t kAttrArchive = 0x20;
inline constexpr uint32_t kAttrNormal = 0x80;

// Longest full path the platform's ANSI calls accept (MAX_PATH, terminator included).
inline constexpr size_t kMaxPath = 260;

// One entry of a folder, as the platform's find functions report it. Times are 100-ns
// units since 1601-01-01 UTC.
struct FindRecord {
    uint32_t attributes = 0;
    uint64_t creationTime = 0;
    uint64_t lastAccessTime = 0;
    uint64_t lastWriteTime = 0;
    uint32_t sizeHigh = 0;
    uint32_t sizeLow = 0;
    std::string name;         // the entry's own name, no folder
    std::string shortName;    // 8.3 alternate name where the platform has one, else empty
    uint32_t reparseTag = 0;  // what kind of reparse point the entry is (attribute 0x400), else 0

    [[nodiscard]] bool IsFolder() const { return (attributes & kAttrDirectory) != 0; }
};

// Lists one folder, like FindFirstFile/FindNextFile on "folder\*", without "." and "..".
// Entries behind symbolic links or junctions report the link itself as reparse point
// (attribute 0x400) so a walk can decline to follow them.
class FolderListing {
public:
    FolderListing();
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;
    ~FolderListing();

    // `folder` with or without its trailing "\". False when it cannot be listed.
    [[nodiscard]] bool Open(const std::string& folder);
    // Fills the next entry; false at the end. Names too long for the platform's paths are
    // still reported; callers decide what to do with them.
    [[nodiscard]] bool Next(FindRecord& record);
    void Close();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The one entry a full path names, as FindFirstFile on that path reports it (the link itself
// for a link). False when nothing is there, and for a path holding "*" or "?": those would
// match other files.
[[nodiscard]] bool FindEntry(const std::string& fullPath, FindRecord& record);

inline constexpr uint32_t kAttrReparsePoint = 0x400;

// The reparse tags of the entries a walk must not follow (IO_REPARSE_TAG_*): symbolic links
// and junctions (mount points) can lead back up the tree. Other reparse points (cloud
// placeholders, deduplicated or compressed files, app-execution aliases) are ordinary
// folders and files to the user.
inline constexpr uint32_t kReparseTagMountPoint = 0xA0000003u;
inline constexpr uint32_t kReparseTagSymlink = 0xA000000Cu;

// True when the entry is a symbolic link or a junction.
[[nodiscard]] constexpr bool IsLinkEntry(uint32_t attributes, uint32_t reparseTag) {
    return (attributes & kAttrReparsePoint) != 0 &&
           (reparseTag == kReparseTagSymlink || reparseTag == kReparseTagMountPoint);
}

// GetFullPathName: a relative path is resolved against the current folder, "." and ".."
// are folded, "/" becomes "\". Empty when the result would not fit kMaxPath.
std::string FullPathOf(const std::string& path);

// Reads a whole file. NotFound / IoError / TooLarge (beyond the decode budget's reach).
[[nodiscard]] Status ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

// Replaces `path` with `bytes` through a temporary file beside it, so a failure never
// leaves a half-written file in its place.
[[nodiscard]] Status WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Converts a path given by the host (a POSIX path natively, a Windows path on Windows)
// to the program's form, and back.
std::string ProgramPathFromHost(const std::string& hostPath);
std::string HostPathFromProgram(const std::string& programPath);

}  // namespace pv
