// Sorts 100 000 file records by every key and prints the time of each sort. Built and run
// by bench/search_bench.sh.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <time.h>

#include "search/Ordering.h"

namespace {

double CpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

}  // namespace

int main() {
    using namespace pv;
    constexpr int kRecords = 100000;
    std::mt19937 rnd(1234);
    const char* extensions[] = {"jpg", "JPG", "jpeg", "gif", "bmp", "Jpg", "png", "tif"};
    FileList shuffled;
    for (int i = 0; i < kRecords; ++i) {
        FileRecord r;
        char path[128];
        std::snprintf(path, sizeof path, "d%u\\sub %u\\f-%u\\IMG_%06u.%s", rnd() % 10, rnd() % 10, rnd() % 10,
                      rnd() % 1000000, extensions[rnd() % 8]);
        r.relativePath = path;
        r.sizeLow = rnd();
        r.sizeHigh = rnd() % 2;
        // Times within a few years, many of them equal to the second, as copies produce.
        const uint64_t base = 130000000000000000ULL + (rnd() % 100000000ULL) * 10000000ULL;
        r.lastWriteTime = base;
        r.creationTime = base - (rnd() % 1000) * 10000000ULL;
        r.lastAccessTime = base + rnd() % 10000000ULL;
        shuffled.Append(r);
    }
    std::printf("sorting %d records\n", kRecords);
    for (int key = kSortName; key <= kSortAccessTimeAscending; ++key) {
        double best = 1e9;
        double bestCpu = 1e9;
        for (int run = 0; run < 5; ++run) {
            FileList list = shuffled;
            const double c0 = CpuMs();
            const auto t0 = std::chrono::steady_clock::now();
            SortFileList(list, key);
            const auto t1 = std::chrono::steady_clock::now();
            const double c1 = CpuMs();
            best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
            bestCpu = std::min(bestCpu, c1 - c0);
        }
        std::printf("  %-28s %7.1f ms wall %7.1f ms cpu\n", std::string(kSortTexts[static_cast<size_t>(key)]).c_str(),
                    best, bestCpu);
    }
    return 0;
}
