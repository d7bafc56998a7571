// In-process decode speed of the readers: each file is read into memory once and decoded
// repeatedly by one reader object (so its buffers are reused), for at least the given
// time. Prints "FILE WIDTHxHEIGHT MPIXELS_PER_SECOND" per file; bench/reader_bench.py
// runs it beside Pillow on the same files.
// Usage: pictavo-readerbench SECONDS FILE...
//        pictavo-readerbench --touch FILE BYTES   (the one-shot baseline: read the file
//        and write BYTES of output once, as a process of its own)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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
        using Clock = std::chrono::steady_clock;
        double best = 1e30;
        double total = 0;
        int runs = 0;
        while (total < seconds || runs < 3) {
            const auto start = Clock::now();
            const pv::Status s = reader->Read(bytes);
            const double t = std::chrono::duration<double>(Clock::now() - start).count();
            if (s != pv::Status::Ok) {
                std::fprintf(stderr, "%s: %s\n", argv[i], pv::StatusText(s));
                status = 1;
                break;
            }
            best = std::min(best, t);
            total += t;
            ++runs;
        }
        const pv::ImageBuffer& img = reader->image();
        const double pixels = static_cast<double>(img.width) * static_cast<double>(img.height);
        std::printf("%s %dx%d %.1f\n", argv[i], img.width, img.height, runs > 0 ? pixels / best / 1e6 : 0.0);
    }
    return status;
}
