// Native folder scan: the directory's own entry type answers "folder or not" for free, so
// a status call is made only for links, for file systems that report no type, and for the
// entries a walk asks to complete. The entries are read straight into a buffer of the scan
// (no directory stream, which costs a status call of its own for every folder).
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include "platform/FolderScan.h"
#include "platform/posix/StatxRecord.h"

namespace pv {

namespace {

constexpr size_t kEntryBufferSize = 32 * 1024;

}  // namespace

struct FolderScan::Impl {
    int fd = -1;
    size_t used = 0;  // bytes of `buffer` the last read filled
    size_t next = 0;  // offset of the next entry in it
    bool atEnd = false;
    bool detailsReady = false;  // Next already had to look at the entry
    alignas(alignof(dirent64)) char buffer[kEntryBufferSize];
};

// Not make_unique: the entry buffer needs no zeroing.
FolderScan::FolderScan() : impl_(new Impl) {}

FolderScan::FolderScan(FolderScan&&) noexcept = default;

FolderScan& FolderScan::operator=(FolderScan&&) noexcept = default;

FolderScan::~FolderScan() {
    Close();
}

bool FolderScan::Open(const std::string& folder) {
    Close();
    const std::string host = HostPathFromProgram(folder);
    if (host.empty()) {
        return false;
    }
    impl_->fd = open(host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    impl_->used = 0;
    impl_->next = 0;
    impl_->atEnd = false;
    return impl_->fd >= 0;
}

bool FolderScan::OpenSubfolder(const FolderScan& parent, const std::string& folder, const std::string& name) {
    if (!parent.impl_ || parent.impl_->fd < 0) {
        return Open(folder);
    }
    Close();
    impl_->fd = openat(parent.impl_->fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    impl_->used = 0;
    impl_->next = 0;
    impl_->atEnd = false;
    return impl_->fd >= 0;
}

bool FolderScan::Next(FindRecord& record) {
    if (!impl_ || impl_->fd < 0) {
        return false;
    }
    Impl& s = *impl_;
    for (;;) {
        if (s.next >= s.used) {
            if (s.atEnd) {
                return false;
            }
            const ssize_t n = getdents64(s.fd, s.buffer, sizeof s.buffer);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                s.atEnd = true;
                return false;
            }
            s.used = static_cast<size_t>(n);
            s.next = 0;
        }
        const auto* entry = reinterpret_cast<const dirent64*>(s.buffer + s.next);
        if (entry->d_reclen == 0 || entry->d_reclen > s.used - s.next) {
            s.atEnd = true;  // a record the kernel would never write: stop rather than loop
            s.used = 0;
            return false;
        }
        s.next += entry->d_reclen;
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
            continue;
        }
        record.name.assign(name);
        record.shortName.clear();
        record.reparseTag = 0;
        s.detailsReady = false;
        switch (entry->d_type) {
        case DT_DIR: record.attributes = kAttrDirectory; return true;
        case DT_REG: record.attributes = kAttrNormal; return true;
        default:
            // Links (whose target decides), unknown types and special files: look now.
            if (!StatFindRecord(s.fd, name, record)) {
                continue;
            }
            s.detailsReady = true;
            return true;
        }
    }
}

bool FolderScan::Complete(FindRecord& record) {
    if (!impl_ || impl_->fd < 0) {
        return false;
    }
    if (impl_->detailsReady) {
        return true;
    }
    if (!StatFindRecord(impl_->fd, record.name.c_str(), record)) {
        return false;
    }
    impl_->detailsReady = true;
    return true;
}

void FolderScan::Close() {
    if (impl_ && impl_->fd >= 0) {
        close(impl_->fd);
        impl_->fd = -1;
    }
}

}  // namespace pv
