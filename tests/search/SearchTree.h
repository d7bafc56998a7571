// Builds small folder trees for the search tests: files of a given size (sparse, so 4 GiB
// costs nothing) and last-write time, folders, links.
#pragma once

#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "TestPaths.h"
#include "platform/FileSystem.h"

namespace pv::test {

inline constexpr uint64_t kUnixEpochAsFileTime = 116444736000000000ULL;

// Creates `hostPath` (and its folders) with `size` bytes; sets the last-write time when
// `writeTime` is not 0. False when the file system refused.
inline bool MakeFile(const std::string& hostPath, uint64_t size = 0, uint64_t writeTime = 0) {
    std::filesystem::create_directories(std::filesystem::path(hostPath).parent_path());
    const int fd = open(hostPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    bool ok = ftruncate(fd, static_cast<off_t>(size)) == 0;
    if (ok && writeTime != 0) {
        const uint64_t sinceEpoch = writeTime - kUnixEpochAsFileTime;
        const struct timespec times[2] = {
                {0, UTIME_OMIT},
                {static_cast<time_t>(sinceEpoch / 10000000ULL), static_cast<long>((sinceEpoch % 10000000ULL) * 100)}};
        ok = futimens(fd, times) == 0;
    }
    close(fd);
    return ok;
}

// A fresh scratch folder in the program's form, ending in "\".
inline std::string ProgramRootOf(const std::string& hostDir) {
    return ProgramPathFromHost(hostDir) + "\\";
}

}  // namespace pv::test
