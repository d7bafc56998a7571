// Windows file system behind the core's interface. Names travel as UTF-8 inside the
// program and as UTF-16 at the calls, so any script works whatever the code page.
#include "base/DecodeLimits.h"
#include "base/win32/Handles.h"
#include "base/win32/Wide.h"
#include "base/win32/WinInclude.h"
#include "platform/FileSystem.h"

namespace pv {

namespace {

uint64_t FileTime64(const FILETIME& t) {
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

void FillFromFindData(const WIN32_FIND_DATAW& d, FindRecord& record) {
    record.attributes = d.dwFileAttributes;
    record.creationTime = FileTime64(d.ftCreationTime);
    record.lastAccessTime = FileTime64(d.ftLastAccessTime);
    record.lastWriteTime = FileTime64(d.ftLastWriteTime);
    record.sizeHigh = d.nFileSizeHigh;
    record.sizeLow = d.nFileSizeLow;
    record.name = Narrow(d.cFileName);
    record.shortName = Narrow(d.cAlternateFileName);
    // The find data carries the reparse tag in dwReserved0 for reparse points only.
    record.reparseTag = (d.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? d.dwReserved0 : 0;
}

}  // namespace

std::string HostPathFromProgram(const std::string& programPath) {
    return programPath;
}

struct FolderListing::Impl {
    UniqueFind find;
    WIN32_FIND_DATAW data{};
    bool pending = false;  // `data` holds an entry not yet handed out
};

FolderListing::FolderListing() : impl_(std::make_unique<Impl>()) {}

FolderListing::~FolderListing() {
    Close();
}

bool FolderListing::Open(const std::string& folder) {
    Close();
    std::string pattern = folder;
    if (pattern.empty()) {
        return false;
    }
    if (pattern.back() != '\\') {
        pattern += '\\';
    }
    pattern += '*';
    impl_->find.Reset(FindFirstFileExW(Widen(pattern).c_str(), FindExInfoStandard, &impl_->data, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH));
    impl_->pending = impl_->find.valid();
    return impl_->pending;
}

bool FolderListing::Next(FindRecord& record) {
    while (impl_->find.valid()) {
        if (!impl_->pending && !FindNextFileW(impl_->find.get(), &impl_->data)) {
            return false;
        }
        impl_->pending = false;
        const WIN32_FIND_DATAW& d = impl_->data;
        if (wcscmp(d.cFileName, L".") == 0 || wcscmp(d.cFileName, L"..") == 0) {
            continue;
        }
        FillFromFindData(d, record);
        return true;
    }
    return false;
}

bool FindEntry(const std::string& fullPath, FindRecord& record) {
    if (fullPath.empty() || fullPath.find_first_of("*?") != std::string::npos) {
        return false;
    }
    WIN32_FIND_DATAW data{};
    const UniqueFind find(FindFirstFileW(Widen(fullPath).c_str(), &data));
    if (!find.valid()) {
        return false;
    }
    FillFromFindData(data, record);
    return true;
}

void FolderListing::Close() {
    if (impl_) {
        impl_->find.Reset();
        impl_->pending = false;
    }
}

std::string FullPathOf(const std::string& path) {
    // The program has always resolved with a MAX_PATH buffer; a longer result is refused
    // rather than cut into another name.
    wchar_t buffer[kMaxPath];
    DWORD n = GetFullPathNameW(Widen(path).c_str(), static_cast<DWORD>(kMaxPath), buffer, nullptr);
    if (n == 0 || n >= kMaxPath) {
        return {};
    }
    return Narrow(std::wstring_view(buffer, n));
}

Status ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    // The bytes a caller's vector already holds are overwritten, not zeroed first: a reader
    // that reads file after file into one vector (the thumbnail workers) pays for zeroing
    // only what the vector grows by.
    const auto refuse = [&bytes](Status s) {
        bytes.clear();
        return s;
    };
    UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        DWORD e = GetLastError();
        return refuse(e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? Status::NotFound : Status::IoError);
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) {
        return refuse(Status::IoError);
    }
    if (static_cast<uint64_t>(size.QuadPart) > kDecodeBudget) {
        return refuse(Status::TooLarge);
    }
    if (static_cast<uint64_t>(size.QuadPart) > bytes.capacity()) {
        bytes.clear();  // growing would copy the old bytes first
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr) || got == 0) {
            break;
        }
        done += got;
    }
    bytes.resize(done);
    return Status::Ok;
}

Status WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::wstring target = Widen(path);
    std::wstring temp = target + L".pictavo-tmp";
    {
        UniqueFile file(CreateFileW(temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
        if (!file.valid()) {
            return Status::IoError;
        }
        size_t done = 0;
        while (done < bytes.size()) {
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
            DWORD wrote = 0;
            if (!WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) {
                break;
            }
            done += wrote;
        }
        if (done != bytes.size()) {
            DeleteFileW(temp.c_str());
            return Status::IoError;
        }
    }
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        return Status::IoError;
    }
    return Status::Ok;
}

}  // namespace pv
