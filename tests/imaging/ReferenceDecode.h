// ImageMagick as an independent reference decoder: the picture as 8-bit RGB rows.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace pv::test {

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // top-down, 3 bytes a pixel
};

// Decodes the first frame through `convert`; false when ImageMagick is missing or refuses.
inline bool ReferenceDecode(const std::string& hostPath, RgbPicture& out) {
    std::string cmd = "convert '" + hostPath + "[0]' -auto-orient -strip -depth 8 ppm:- 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    if (p == nullptr) {
        return false;
    }
    int maxval = 0;
    bool ok = std::fscanf(p, "P6 %d %d %d", &out.width, &out.height, &maxval) == 3 && maxval == 255;
    if (ok) {
        std::fgetc(p);
        out.rgb.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height) * 3);
        ok = std::fread(out.rgb.data(), 1, out.rgb.size(), p) == out.rgb.size();
    }
    return pclose(p) == 0 && ok;
}

}  // namespace pv::test
