// Independent decoders as references: ImageMagick (and libjpeg-turbo's djpeg) print the
// picture as 8-bit PPM or PGM rows, which tests compare with ours.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "imaging/ImageBuffer.h"

namespace pv::test {

struct RgbPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;  // top-down, 3 bytes a pixel
};

// The PPM or PGM (grey widened to three channels) a shell command prints; false when the
// command is missing or fails (exit status 2, djpeg's warnings, still counts as printed).
inline bool DecodeWith(const std::string& command, RgbPicture& out) {
    FILE* p = popen((command + " 2>/dev/null").c_str(), "r");
    if (p == nullptr) {
        return false;
    }
    char kind = 0;
    int maxval = 0;
    bool ok = std::fscanf(p, "P%c %d %d %d", &kind, &out.width, &out.height, &maxval) == 4 && maxval == 255 &&
              (kind == '5' || kind == '6');
    if (ok) {
        std::fgetc(p);
        const size_t pixels = static_cast<size_t>(out.width) * static_cast<size_t>(out.height);
        std::vector<uint8_t> raw(pixels * (kind == '5' ? 1 : 3));
        ok = std::fread(raw.data(), 1, raw.size(), p) == raw.size();
        out.rgb.resize(pixels * 3);
        for (size_t i = 0; i < out.rgb.size(); ++i) {
            out.rgb[i] = kind == '5' ? raw[i / 3] : raw[i];
        }
    }
    const int status = pclose(p);
    return ok && WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 2);
}

// Decodes the first frame through `convert`.
inline bool ReferenceDecode(const std::string& hostPath, RgbPicture& out) {
    return DecodeWith("convert '" + hostPath + "[0]' -auto-orient -strip -depth 8 ppm:-", out);
}

struct Compare {
    int tolerance = 0;
    uint8_t mask = 0xFF;  // applied to the reference
    bool mirror = false;  // reference mirrored left to right

    // Cells: the reference against the bottom-left or top-left of a 64 x 64 cell.
    enum {
        Whole,
        BottomCell,
        TopCell
    } region = Whole;
};

// Pixels of `img` (inside the region) that differ from `ref`; -1 when the sizes disagree.
inline int Mismatches(const ImageBuffer& img, const RgbPicture& ref, const Compare& how = {}) {
    if (how.region == Compare::Whole ? (img.width != ref.width || img.height != ref.height)
                                     : (ref.width > 64 || ref.height > 64)) {
        return -1;
    }
    const int y0 = how.region == Compare::BottomCell ? 64 - ref.height : 0;
    int wrong = 0;
    for (int y = 0; y < ref.height; ++y) {
        for (int x = 0; x < ref.width; ++x) {
            const uint8_t* r = &ref.rgb[static_cast<size_t>(y * ref.width + (how.mirror ? ref.width - 1 - x : x)) * 3];
            const Bgr p = PixelAt(img, x, y0 + y);
            wrong += std::max({std::abs(p.r - (r[0] & how.mask)), std::abs(p.g - (r[1] & how.mask)),
                               std::abs(p.b - (r[2] & how.mask))}) > how.tolerance;
        }
    }
    return wrong;
}

}  // namespace pv::test
