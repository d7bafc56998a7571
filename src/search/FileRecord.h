// One found file: the head of the platform's directory-entry data, a selection mark and the
// path relative to the list's root folder.
#pragma once

#include <cstdint>
#include <string>

namespace pv {

struct FileRecord {
    uint32_t attributes = 0;
    uint64_t creationTime = 0;  // 100-ns units since 1601-01-01 UTC
    uint64_t lastAccessTime = 0;
    uint64_t lastWriteTime = 0;
    uint32_t sizeHigh = 0;
    uint32_t sizeLow = 0;  // the size filter and the size keys look at this half only
    int16_t mark = 0;      // 0 none, 1 selected, 4 excluded in all-selected mode, 7 scratch
    std::string relativePath;
};

// File times compared the way the platform's CompareFileTime-style code does it: the high
// halves as signed 32-bit numbers, then the low halves as unsigned ones.
constexpr int CompareFileTimes(uint64_t a, uint64_t b) {
    const auto highA = static_cast<int32_t>(static_cast<uint32_t>(a >> 32));
    const auto highB = static_cast<int32_t>(static_cast<uint32_t>(b >> 32));
    if (highA != highB) {
        return highA < highB ? -1 : 1;
    }
    const auto lowA = static_cast<uint32_t>(a);
    const auto lowB = static_cast<uint32_t>(b);
    if (lowA != lowB) {
        return lowA < lowB ? -1 : 1;
    }
    return 0;
}

}  // namespace pv
