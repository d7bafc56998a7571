// The portable half of the image view: what the view holds of the current file (the
// reader object and its picture, or the media flag), the zoom model, the renderer and
// the effect switches. The Win32 window owns one and forwards its messages to it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/OpenPicture.h"
#include "view/MediaWindow.h"
#include "view/ViewRenderer.h"
#include "view/ZoomModel.h"

namespace pv {

inline constexpr std::string_view kCantReadImageText = "Can't read image!";
inline constexpr std::string_view kPictavoCaption = "Pictavo";

// Everything else the loading road asks of the window.
class ImageViewEvents {
public:
    ImageViewEvents() = default;
    ImageViewEvents(const ImageViewEvents&) = delete;
    ImageViewEvents& operator=(const ImageViewEvents&) = delete;
    virtual ~ImageViewEvents() = default;

    // Stop the animation worker if it runs (state 5: write 1, wait for 2).
    virtual void StopAnimation() = 0;
    // A picture of several frames was loaded: start the worker (it shows each frame's
    // canvas through ShowAnimationFrame and renders it with RenderVisible).
    virtual void StartAnimation() = 0;
    // Paint the whole client area in the background colour (before media plays there).
    virtual void FillBackground() = 0;
    // An information message box with this text and caption, owned by the frame. The
    // frame may open another file while it is up: the view has finished with the failed
    // open before it asks.
    virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;
};

// Where the window draws: the display buffer at `picture`'s top-left, and the background
// colour over the rest of the client area (at most four bands).
struct PaintPlan {
    bool drawPicture = false;
    Rect picture;
    Rect background[4];
    int backgroundCount = 0;
};

struct PathParts {
    std::string drive;
    std::string folder;
    std::string name;
    std::string extension;
};

PathParts SplitPath(std::string_view path);

// A picture that came from no file (the clipboard, a window capture): 24-bit top-down rows
// of RowStride(24, width) bytes. The view owns it once it is adopted.
struct HeldPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;

    [[nodiscard]] uint32_t Stride() const;
};

class ImageView {
public:
    // `events` and `media` may be null (no window: the command-line tool, tests).
    ImageView(ScrollHost& host, ImageViewEvents* events, MediaWindow* media);

    // Loads a file by its type. 1 when it went to the media window or a picture (or a
    // JPEG-named file of unknown content, which shows nothing) is loaded, 0 otherwise.
    int OpenByType(const std::string& path);
    // Remembers both arguments, loads, then fits or centres. 0 when loading failed or a
    // fitted picture would be smaller than 3 pixels in width or height.
    int OpenInView(bool fit, const std::string& path);

    // Shows `picture` as the current picture under `name`, as a loaded still: the animation
    // stops, a media window closes, the zoom is reset and a picture larger than the pane
    // opens scrolled to its middle.
    void AdoptPicture(HeldPicture picture, const std::string& name);

    // Renders the visible window of the zoomed picture (for an animation, the frame shown)
    // and applies the effects. False when there is nothing to draw.
    bool RenderVisible();

    // The animation worker makes a frame's canvas the picture shown; it stays the shown
    // picture when the animation stops, until the next file is opened.
    void ShowAnimationFrame(const ImageBuffer& frame) { frame_ = frame; }

    [[nodiscard]] PaintPlan Plan() const;

    void SetFilter(int32_t filter);
    void SetEffects(const EffectFlags& effects);

    [[nodiscard]] ZoomModel& zoom() { return zoom_; }

    [[nodiscard]] const ZoomModel& zoom() const { return zoom_; }

    [[nodiscard]] const DisplayBuffer& display() const { return renderer_.display(); }

    [[nodiscard]] const EffectFlags& effects() const { return effects_; }

    // The picture shown: the loaded still, or the animation's current frame.
    [[nodiscard]] const ImageBuffer* Image() const;

    // The reader object of the current picture (the animation worker plays its frames).
    [[nodiscard]] const PictureReader* Reader() const { return opened_.reader.get(); }

    [[nodiscard]] bool IsMedia() const { return media_; }

    // A picture (a still or an animation) is loaded: paint, zoom, fit, resize and save act
    // on the picture shown.
    [[nodiscard]] bool ImageReady() const { return imageReady_; }

    [[nodiscard]] bool AnimationMode() const { return animationMode_; }

    [[nodiscard]] int32_t FrameCount() const { return frameCount_; }

    [[nodiscard]] bool FitFlag() const { return fit_; }

    [[nodiscard]] const std::string& CurrentPath() const { return path_; }

    [[nodiscard]] const PathParts& CurrentPathParts() const { return parts_; }

    // Once the animation worker has stopped.
    void EndAnimationMode() { animationMode_ = false; }

private:
    bool Render(const ImageBuffer& source);

    ScrollHost& host_;
    ImageViewEvents* events_;
    MediaWindow* mediaWindow_;
    ZoomModel zoom_;
    ViewRenderer renderer_;
    OpenedPicture opened_;
    ImageBuffer frame_;  // the animation frame shown (pixels belong to the reader)
    EffectFlags effects_;
    std::string path_;
    PathParts parts_;
    bool fit_ = false;
    bool media_ = false;
    bool imageReady_ = false;
    bool animationMode_ = false;
    int32_t frameCount_ = 0;
};

}  // namespace pv
