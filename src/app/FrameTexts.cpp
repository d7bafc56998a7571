#include "app/FrameTexts.h"

#include <cstdio>
#include <vector>

namespace pv {

namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
    const int n = std::snprintf(nullptr, 0, format, args...);
    if (n <= 0) {
        return {};
    }
    std::vector<char> out(static_cast<size_t>(n) + 1);
    std::snprintf(out.data(), out.size(), format, args...);
    return std::string(out.data(), static_cast<size_t>(n));
}

}  // namespace

std::string CounterText(int32_t currentIndex, int32_t fileCount) {
    return Format("%d  /  %d", currentIndex + 1, fileCount);
}

std::string TitleText(const std::string& currentPath, const ViewTextState& view) {
    if (view.media) {
        return currentPath;
    }
    if (view.frameCount >= 2) {
        return Format("%s : %d frames src: %d x %d pixels zoom: %d %%", currentPath.c_str(), view.frameCount,
                      view.width, view.height, view.zoomPermille / 10);
    }
    return Format("%s: src: %d x %d pixels zoom: %d %%", currentPath.c_str(), view.width, view.height,
                  view.zoomPermille / 10);
}

std::string StatusText(const std::string& currentPath) {
    return currentPath;
}

}  // namespace pv
