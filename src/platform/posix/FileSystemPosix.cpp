// Native file system: POSIX calls behind the program's Windows-form paths.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/DecodeLimits.h"
#include "platform/FileSystem.h"
#include "platform/FullPath.h"
#include "platform/posix/StatxRecord.h"

namespace pv {

namespace {

// Seconds between 1601-01-01 and 1970-01-01.
constexpr uint64_t kEpochDelta = 11644473600ULL;

uint64_t FileTimeFrom(int64_t seconds, int64_t nanoseconds) {
    if (seconds < -static_cast<int64_t>(kEpochDelta)) {
        return 0;
    }
    return (static_cast<uint64_t>(seconds + static_cast<int64_t>(kEpochDelta))) * 10000000ULL +
           static_cast<uint64_t>(nanoseconds / 100);
}

constexpr unsigned kStatxMask = STATX_BASIC_STATS | STATX_BTIME;

// Creation time where the kernel reports a birth time, else the change time.
uint64_t CreationTime(const struct statx& sx) {
    if ((sx.stx_mask & STATX_BTIME) != 0) {
        return FileTimeFrom(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec);
    }
    return FileTimeFrom(sx.stx_ctime.tv_sec, sx.stx_ctime.tv_nsec);
}

// One statx per entry: the link itself, then, for a link only, what it points at.
bool StatEntry(int dirFd, const char* name, struct statx& sx, bool& isLink) {
    if (statx(dirFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, kStatxMask, &sx) != 0) {
        return false;  // vanished between the listing and the look
    }
    isLink = S_ISLNK(sx.stx_mode);
    if (isLink) {
        struct statx target {};

        if (statx(dirFd, name, AT_NO_AUTOMOUNT, kStatxMask, &target) == 0) {
            sx = target;
        }
    }
    return true;
}

}  // namespace

void FillFindRecordFromStatx(FindRecord& rec, const struct statx& sx, bool isLink) {
    const bool isDir = S_ISDIR(sx.stx_mode);
    rec.attributes = isDir ? kAttrDirectory : kAttrNormal;
    if ((sx.stx_mode & S_IWUSR) == 0) {
        rec.attributes |= kAttrReadOnly;
    }
    rec.reparseTag = 0;
    if (isLink) {
        rec.attributes |= kAttrReparsePoint;
        rec.reparseTag = kReparseTagSymlink;
    }
    rec.creationTime = CreationTime(sx);
    rec.lastAccessTime = FileTimeFrom(sx.stx_atime.tv_sec, sx.stx_atime.tv_nsec);
    rec.lastWriteTime = FileTimeFrom(sx.stx_mtime.tv_sec, sx.stx_mtime.tv_nsec);
    auto size = isDir ? uint64_t{0} : static_cast<uint64_t>(sx.stx_size);
    rec.sizeHigh = static_cast<uint32_t>(size >> 32);
    rec.sizeLow = static_cast<uint32_t>(size);
}

bool StatFindRecord(int dirFd, const char* name, FindRecord& record) {
    struct statx sx {};

    bool isLink = false;
    if (!StatEntry(dirFd, name, sx, isLink)) {
        return false;
    }
    FillFindRecordFromStatx(record, sx, isLink);
    return true;
}

std::string HostPathFromProgram(const std::string& programPath) {
    std::string out = programPath;
    for (char& c : out) {
        if (c == '\\') {
            c = '/';
        }
    }
    return out;
}

struct FolderListing::Impl {
    DIR* dir = nullptr;
};

FolderListing::FolderListing() : impl_(std::make_unique<Impl>()) {}

FolderListing::~FolderListing() {
    Close();
}

bool FolderListing::Open(const std::string& folder) {
    Close();
    std::string host = HostPathFromProgram(folder);
    if (host.empty()) {
        return false;
    }
    impl_->dir = opendir(host.c_str());
    return impl_->dir != nullptr;
}

bool FolderListing::Next(FindRecord& record) {
    if (impl_->dir == nullptr) {
        return false;
    }
    const int dirFd = dirfd(impl_->dir);
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(impl_->dir);
        if (entry == nullptr) {
            return false;
        }
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
            continue;
        }
        if (!StatFindRecord(dirFd, name, record)) {
            continue;
        }
        record.name.assign(name);
        record.shortName.clear();
        return true;
    }
}

bool FindEntry(const std::string& fullPath, FindRecord& record) {
    if (fullPath.empty() || fullPath.find_first_of("*?") != std::string::npos) {
        return false;
    }
    const std::string host = HostPathFromProgram(fullPath);
    if (!StatFindRecord(AT_FDCWD, host.c_str(), record)) {
        return false;
    }
    const size_t slash = fullPath.find_last_of('\\');
    record.name = fullPath.substr(slash == std::string::npos ? 0 : slash + 1);
    record.shortName.clear();
    return true;
}

void FolderListing::Close() {
    if (impl_ && impl_->dir != nullptr) {
        closedir(impl_->dir);
        impl_->dir = nullptr;
    }
}

std::string FullPathOf(const std::string& path) {
    char buf[4096];
    std::string cwd = getcwd(buf, sizeof buf) != nullptr ? std::string(buf) : std::string("/");
    std::string full = FoldFullPath(path, ProgramPathFromHost(cwd));
    return full.size() < kMaxPath ? full : std::string();
}

Status ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    // The bytes a caller's vector already holds are overwritten, not zeroed first: a reader
    // that reads file after file into one vector (the thumbnail workers) pays for zeroing
    // only what the vector grows by.
    const auto refuse = [&bytes](Status s) {
        bytes.clear();
        return s;
    };
    std::string host = HostPathFromProgram(path);
    int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return refuse(errno == ENOENT || errno == ENOTDIR ? Status::NotFound : Status::IoError);
    }

    struct stat st {};

    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return refuse(Status::IoError);
    }
    // No picture file worth reading is larger than the decoded budget itself.
    if (static_cast<uint64_t>(st.st_size) > kDecodeBudget) {
        close(fd);
        return refuse(Status::TooLarge);
    }
    const auto size = static_cast<size_t>(st.st_size);
    if (size > bytes.capacity()) {
        bytes.clear();  // growing would copy the old bytes first
    }
#ifdef MADV_HUGEPAGE
    // Large files: let the kernel back the buffer with huge pages before it is first
    // touched; page faults one 4 KiB page at a time cost more than the read itself here.
    constexpr size_t kHugePage = size_t{2} << 20;
    if (size >= 4 * kHugePage) {
        bytes.reserve(size);
        const auto start = reinterpret_cast<uintptr_t>(bytes.data());
        const uintptr_t first = (start + kHugePage - 1) & ~uintptr_t{kHugePage - 1};
        const uintptr_t end = (start + size) & ~uintptr_t{kHugePage - 1};
        if (first < end) {
            madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
        }
    }
#endif
    bytes.resize(size);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    close(fd);
    bytes.resize(done);  // a file that shrank while we read it yields what was there
    return Status::Ok;
}

Status WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string host = HostPathFromProgram(path);
    std::string temp = host + ".pictavo-tmp";
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return Status::IoError;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    bool ok = done == bytes.size() && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (!ok || rename(temp.c_str(), host.c_str()) != 0) {
        unlink(temp.c_str());
        return Status::IoError;
    }
    return Status::Ok;
}

}  // namespace pv
