// The image view's entry point to the media window that plays audio and video files in
// its pane. The Win32 shell implements it over the MCI window; natively there is none.
#pragma once

#include <string>

namespace pv {

class MediaWindow {
public:
    MediaWindow() = default;
    MediaWindow(const MediaWindow&) = delete;
    MediaWindow& operator=(const MediaWindow&) = delete;
    virtual ~MediaWindow() = default;

    [[nodiscard]] virtual bool Exists() const = 0;
    // A picture follows: send the window its close request and forget it.
    virtual void Close() = 0;
    // Another medium follows: stop and close the current one, keep the window for reuse.
    virtual void StopAndCloseMedium() = 0;
    // Opens and plays the file, creating the window when there is none.
    virtual void Play(const std::string& path) = 0;
};

}  // namespace pv
