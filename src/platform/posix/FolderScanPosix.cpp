// Native folder scan: the directory's own entry type answers "folder or not" for free, so
// a status call is made only for links, for file systems that report no type, and for the
// entries a walk asks to complete.
#include <cstring>
#include <dirent.h>
#include <fcntl.h>

#include "platform/FolderScan.h"
#include "platform/posix/StatxRecord.h"

namespace pv {

struct FolderScan::Impl {
    DIR* dir = nullptr;
    bool detailsReady = false;  // Next already had to look at the entry
};

FolderScan::FolderScan() : impl_(std::make_unique<Impl>()) {}

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
    impl_->dir = opendir(host.c_str());
    return impl_->dir != nullptr;
}

bool FolderScan::Next(FindRecord& record) {
    if (!impl_ || impl_->dir == nullptr) {
        return false;
    }
    const int dirFd = dirfd(impl_->dir);
    for (;;) {
        const dirent* entry = readdir(impl_->dir);
        if (entry == nullptr) {
            return false;
        }
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
            continue;
        }
        record.name.assign(name);
        record.shortName.clear();
        impl_->detailsReady = false;
        switch (entry->d_type) {
        case DT_DIR: record.attributes = kAttrDirectory; return true;
        case DT_REG: record.attributes = kAttrNormal; return true;
        default:
            // Links (whose target decides), unknown types and special files: look now.
            if (!StatFindRecord(dirFd, name, record)) {
                continue;
            }
            impl_->detailsReady = true;
            return true;
        }
    }
}

bool FolderScan::Complete(FindRecord& record) {
    if (!impl_ || impl_->dir == nullptr) {
        return false;
    }
    if (impl_->detailsReady) {
        return true;
    }
    if (!StatFindRecord(dirfd(impl_->dir), record.name.c_str(), record)) {
        return false;
    }
    impl_->detailsReady = true;
    return true;
}

void FolderScan::Close() {
    if (impl_ && impl_->dir != nullptr) {
        closedir(impl_->dir);
        impl_->dir = nullptr;
    }
}

}  // namespace pv
