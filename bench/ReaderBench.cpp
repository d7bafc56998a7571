// In-process decode speed of the readers: each file is read into memory once and decoded
// repeatedly by one reader object (so its buffers are reused), for at least the given
// time. Each decode is timed in CPU time of this thread (other builds on a shared machine
// then cost us little), and the median run counts. Prints
// "FILE WIDTHxHEIGHT MEDIAN_MPIXELS_PER_SECOND BEST_MPIXELS_PER_SECOND RUNS" per file;
// bench/reader_bench.py runs it beside Pillow on the same files.
// Usage: pictavo-readerbench SECONDS FILE...
//        pictavo-readerbench --touch FILE BYTES   (the one-shot baseline: read the file
//        and write BYTES of output once, as a process of its own)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "base/Text.h"
#include "imaging/BmpToBmp.h"
#include "imaging/PcxToBmp.h"
#include "imaging/PsdToBmp.h"
#include "imaging/TgaToBmp.h"
#include "platform/FileSystem.h"

namespace {

double ThreadSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

std::unique_ptr<pv::PictureReader> ReaderFor(const std::string& path) {
    const std::string_view ext = pv::ExtensionOf(path);
    if (pv::EqualsNoCase(ext, ".pcx")) {
        return std::make_unique<pv::CPcxToBmp>();
    }
    if (pv::EqualsNoCase(ext, ".tga")) {
        return std::make_unique<pv::CTgaToBmp>();
    }
    if (pv::EqualsNoCase(ext, ".psd")) {
        return std::make_unique<pv::CPsdToBmp>();
    }
    if (pv::EqualsNoCase(ext, ".bmp")) {
        return std::make_unique<pv::CBmpToBmp>();
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--touch") {
        std::vector<uint8_t> bytes;
        if (pv::ReadWholeFile(pv::ProgramPathFromHost(argv[2]), bytes) != pv::Status::Ok) {
            return 1;
        }
        std::vector<uint8_t> out(std::strtoull(argv[3], nullptr, 10));
        unsigned sum = 0;
        for (size_t i = 0; i < out.size(); i += 4096) {
            out[i] = bytes[i % bytes.size()];
            sum += out[i];
        }
        return sum == 1 ? 3 : 0;
    }
    if (argc < 3) {
        std::fputs("usage: pictavo-readerbench SECONDS FILE...\n", stderr);
        return 2;
    }
    const double seconds = std::atof(argv[1]);
    int status = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string path = pv::ProgramPathFromHost(argv[i]);
        std::vector<uint8_t> bytes;
        auto reader = ReaderFor(path);
        if (!reader || pv::ReadWholeFile(path, bytes) != pv::Status::Ok) {
            std::fprintf(stderr, "%s: cannot read\n", argv[i]);
            status = 1;
            continue;
        }
        std::vector<double> times;
        double total = 0;
        while (total < seconds || times.size() < 5) {
            const double start = ThreadSeconds();
            const pv::Status s = reader->Read(bytes);
            const double t = ThreadSeconds() - start;
            if (s != pv::Status::Ok) {
                std::fprintf(stderr, "%s: %s\n", argv[i], pv::StatusText(s));
                status = 1;
                break;
            }
            times.push_back(t);
            total += t;
        }
        const pv::ImageBuffer& img = reader->image();
        const double pixels = static_cast<double>(img.width) * static_cast<double>(img.height);
        if (times.empty()) {
            continue;
        }
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        std::printf("%s %dx%d %.1f %.1f %zu\n", argv[i], img.width, img.height, pixels / median / 1e6,
                    pixels / times.front() / 1e6, times.size());
    }
    return status;
}
