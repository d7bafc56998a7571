// The folder scan where the platform's listing already reports every detail with the name
// (Windows' FindFirstFile/FindNextFile): a plain FolderListing, nothing to complete.
#if defined(_WIN32)

#include "platform/FolderScan.h"

namespace pv {

struct FolderScan::Impl {
    FolderListing listing;
};

FolderScan::FolderScan() : impl_(std::make_unique<Impl>()) {}

FolderScan::FolderScan(FolderScan&&) noexcept = default;

FolderScan& FolderScan::operator=(FolderScan&&) noexcept = default;

FolderScan::~FolderScan() = default;

bool FolderScan::Open(const std::string& folder) {
    return impl_->listing.Open(folder);
}

bool FolderScan::OpenSubfolder(const FolderScan&, const std::string& folder, const std::string&) {
    return Open(folder);
}

bool FolderScan::Next(FindRecord& record) {
    return impl_->listing.Next(record);
}

bool FolderScan::Complete(FindRecord&) {
    return true;
}

void FolderScan::Close() {
    impl_->listing.Close();
}

}  // namespace pv

#endif
