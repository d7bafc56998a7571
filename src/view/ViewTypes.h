// Small value types shared by the image view's model, renderer and window.
#pragma once

#include <cstdint>

namespace pv {

// Right and bottom of a client rectangle whose left and top are 0.
struct ClientSize {
    int32_t width = 0;
    int32_t height = 0;

    friend bool operator==(const ClientSize&, const ClientSize&) = default;
};

struct Point {
    int32_t x = 0;
    int32_t y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    [[nodiscard]] bool IsEmpty() const { return right <= left || bottom <= top; }

    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class ScrollBar {
    Horizontal,
    Vertical
};

// The scroll-bar request codes, with the values the window messages carry.
enum class ScrollCode : int32_t {
    LineUp = 0,  // also line left
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Top = 6,
    Bottom = 7,
    EndScroll = 8,
};

inline constexpr int32_t kFilterNearest = 1;
inline constexpr int32_t kFilterBilinear = 2;

// The display effects, applied in this order when several are on.
struct EffectFlags {
    bool grayScale = false;
    bool horizontalFlip = false;
    bool verticalFlip = false;
    bool negative = false;
    bool glass = false;
    bool stippledGlass = false;

    [[nodiscard]] bool Any() const {
        return grayScale || horizontalFlip || verticalFlip || negative || glass || stippledGlass;
    }
};

// The colour of every part of the pane the picture does not cover: RGB(208, 211, 209).
inline constexpr uint8_t kViewBackgroundRed = 208;
inline constexpr uint8_t kViewBackgroundGreen = 211;
inline constexpr uint8_t kViewBackgroundBlue = 209;

}  // namespace pv
