// The frame's position counter, title and main status pane texts.
#pragma once

#include <cstdint>
#include <string>

namespace pv {

// What the title says about the file in the image view.
struct ViewTextState {
    bool media = false;
    int32_t frameCount = 1;
    int32_t width = 0;
    int32_t height = 0;
    int32_t zoomPermille = 1000;
};

// "%d  /  %d" with the 1-based position and the entry count.
std::string CounterText(int32_t currentIndex, int32_t fileCount);
// The media file's path; "%s : %d frames src: %d x %d pixels zoom: %d %%" for a picture of
// two or more frames; "%s: src: %d x %d pixels zoom: %d %%" for a still one.
std::string TitleText(const std::string& currentPath, const ViewTextState& view);
std::string StatusText(const std::string& currentPath);

}  // namespace pv
