#include "view/ImageView.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "base/Text.h"
#include "imaging/PcxToBmp.h"
#include "imaging/ReaderChoice.h"
#include "view/BackgroundGrey.h"

namespace pv {

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    std::string_view rest = path;
    if (rest.size() >= 2 && rest[1] == ':') {
        parts.drive = std::string(rest.substr(0, 2));
        rest.remove_prefix(2);
    }
    parts.folder = std::string(FolderOf(rest));
    const std::string_view file = FileNameOf(rest);
    parts.extension = std::string(ExtensionOf(file));
    parts.name = std::string(file.substr(0, file.size() - parts.extension.size()));
    return parts;
}

uint32_t HeldPicture::Stride() const {
    return RowStride(24, width);
}

namespace {

// Holds an adopted picture where the view keeps a reader's.
class HeldPictureReader final : public PictureReader {
public:
    explicit HeldPictureReader(HeldPicture picture) : picture_(std::move(picture)) {
        image_.width = picture_.width;
        image_.height = picture_.height;
        image_.bitsPerPixel = 24;
        image_.stride = picture_.Stride();
        image_.pixels = picture_.pixels.data();
    }

    [[nodiscard]] Status Read(std::span<const uint8_t> /*file*/) override { return Status::Unsupported; }

private:
    HeldPicture picture_;
};

}  // namespace

ImageView::ImageView(ScrollHost& host, ImageViewEvents* events, MediaWindow* media)
    : host_(host), events_(events), mediaWindow_(media), zoom_(host) {}

const ImageBuffer* ImageView::Image() const {
    if (!opened_.HasPicture()) {
        return nullptr;
    }
    return frame_.HasPicture() ? &frame_ : &opened_.reader->image();
}

int ImageView::OpenByType(const std::string& path) {
    if (events_ != nullptr) {
        events_->StopAnimation();
    }
    animationMode_ = false;
    // The previous picture's reader, and the pixels it owns, go before anything new is read.
    frame_ = {};
    opened_ = {};
    frameCount_ = 0;
    imageReady_ = false;

    path_ = path;
    parts_ = SplitPath(path);
    // The reader kind is found once here and handed down the whole open.
    const ReaderKind kind = ReaderForPath(path);
    media_ = kind == ReaderKind::Media;

    if (mediaWindow_ != nullptr && mediaWindow_->Exists()) {
        if (media_) {
            mediaWindow_->StopAndCloseMedium();
        } else {
            mediaWindow_->Close();
        }
        if (events_ != nullptr) {
            events_->FillBackground();
        }
    }
    if (media_) {
        if (mediaWindow_ != nullptr) {
            if (!mediaWindow_->Exists() && events_ != nullptr) {
                events_->FillBackground();  // the pane is cleared before the medium starts in it
            }
            mediaWindow_->Play(path);
        }
        return 1;
    }

    const Status s = OpenPictureFile(path, kind, opened_, BackgroundGrey().load(std::memory_order_relaxed));
    if (s != Status::Ok) {
        opened_ = {};
        // Last: while the box is up the frame may open another file in this view, and
        // nothing here may touch the view after that.
        if (events_ != nullptr) {
            // A reader that is missing on this platform (Unsupported) is not a broken file.
            if (kind == ReaderKind::Gif && s != Status::Unsupported) {
                events_->ShowMessage(kCantReadImageText, kPictavoCaption);
            } else if (kind == ReaderKind::Pcx && s == Status::OutOfMemory) {
                // The PCX reader is the one that tells the user when memory runs out.
                events_->ShowMessage(kPcxNoMemoryMessage, "");
            }
        }
        return 0;
    }
    if (!opened_.HasPicture()) {
        // A JPEG-named file that is neither JPEG, GIF nor BMP counts as opened and shows
        // nothing.
        zoom_.SetImageSize(0, 0);
        zoom_.ResetZoom();
        return 1;
    }
    const ImageBuffer& image = opened_.reader->image();
    frameCount_ = opened_.reader->FrameCount();
    zoom_.SetImageSize(image.width, image.height);
    zoom_.ResetZoom();
    imageReady_ = true;
    if (frameCount_ > 1) {
        animationMode_ = true;
        if (events_ != nullptr) {
            events_->StartAnimation();
        }
    }
    return 1;
}

void ImageView::AdoptPicture(HeldPicture picture, const std::string& name) {
    if (events_ != nullptr) {
        events_->StopAnimation();
    }
    animationMode_ = false;
    frame_ = {};
    opened_ = {};
    frameCount_ = 1;
    imageReady_ = false;
    media_ = false;
    if (mediaWindow_ != nullptr && mediaWindow_->Exists()) {
        mediaWindow_->Close();
    }
    path_ = name;
    parts_ = {};
    const bool whole = picture.width > 0 && picture.height > 0 &&
                       picture.pixels.size() >= size_t{picture.Stride()} * static_cast<size_t>(picture.height);
    if (whole) {
        opened_.reader = std::make_unique<HeldPictureReader>(std::move(picture));
        zoom_.SetImageSize(opened_.reader->image().width, opened_.reader->image().height);
        imageReady_ = true;
    } else {
        zoom_.SetImageSize(0, 0);
    }
    zoom_.ResetZoom();
    zoom_.LayOut(false);
    host_.Invalidate(true);
}

int ImageView::OpenInView(bool fit, const std::string& path) {
    fit_ = fit;
    if (OpenByType(path) == 0) {
        return 0;
    }
    if (media_) {
        return 1;
    }
    return zoom_.LayOut(fit);
}

bool ImageView::Render(const ImageBuffer& source) {
    if (!source.HasPicture()) {
        return false;
    }
    zoom_.ResetPositionsThatFit();
    RenderRequest rq;
    rq.image = &source;
    rq.zoomedWidth = zoom_.ZoomedWidth();
    rq.zoomedHeight = zoom_.ZoomedHeight();
    rq.zoomPermille = zoom_.Permille();
    rq.filter = zoom_.Filter();
    rq.client = zoom_.Client();
    rq.hPos = zoom_.Position(ScrollBar::Horizontal);
    rq.vPos = zoom_.Position(ScrollBar::Vertical);
    rq.effects = effects_;
    rq.grey = BackgroundGrey().load(std::memory_order_relaxed);
    return renderer_.Render(rq);
}

bool ImageView::RenderVisible() {
    const ImageBuffer* image = Image();
    return image != nullptr && Render(*image);
}

PaintPlan ImageView::Plan() const {
    PaintPlan plan;
    const ClientSize c = zoom_.Client();
    const DisplayBuffer& d = renderer_.display();
    Rect pic{};
    if (Image() != nullptr && !d.IsEmpty() && zoom_.ZoomedWidth() > 0 && zoom_.ZoomedHeight() > 0) {
        const ClientSize off = ImageOffset(zoom_.ZoomedWidth(), zoom_.ZoomedHeight(), c);
        plan.drawPicture = true;
        pic = {off.width, off.height, off.width + d.width, off.height + d.height};
        plan.picture = pic;
    }
    // The region outside the picture, clipped to the client area, as bands.
    const Rect clip{std::clamp(pic.left, 0, c.width), std::clamp(pic.top, 0, c.height),
                    std::clamp(pic.right, 0, c.width), std::clamp(pic.bottom, 0, c.height)};
    const Rect bands[4] = {
            {0, 0, c.width, clip.top},
            {0, clip.bottom, c.width, c.height},
            {0, clip.top, clip.left, clip.bottom},
            {clip.right, clip.top, c.width, clip.bottom},
    };
    for (const Rect& b : bands) {
        if (!b.IsEmpty()) {
            plan.background[plan.backgroundCount++] = b;
        }
    }
    if (!plan.drawPicture) {
        plan.backgroundCount = c.width > 0 && c.height > 0 ? 1 : 0;
        plan.background[0] = {0, 0, c.width, c.height};
    }
    return plan;
}

void ImageView::SetFilter(int32_t filter) {
    zoom_.SetFilter(filter);
    host_.Redraw();
}

void ImageView::SetEffects(const EffectFlags& effects) {
    effects_ = effects;
    host_.Redraw();
}

}  // namespace pv
