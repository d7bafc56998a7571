// The process-wide background grey level: RGB(v, v, v) of the frame and thumbnail
// backgrounds and the byte StippledGlass writes. 216 at start-up; full-screen view sets 0.
#pragma once

#include <atomic>
#include <cstdint>

namespace pv {

inline constexpr uint8_t kStartupBackgroundGrey = 216;

// Frames share it without a lock; a single byte read or written whole is all they need.
std::atomic<uint8_t>& BackgroundGrey();

}  // namespace pv
