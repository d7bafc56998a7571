#include "shell/PrintCopy.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "base/DecodeLimits.h"
#include "view/ViewRenderer.h"

namespace pv {

namespace {

int32_t TruncProduct(int32_t n, float f) {
    return static_cast<int32_t>(static_cast<double>(n) * static_cast<double>(f));
}

}  // namespace

float PrintScale(int32_t printerPixels, int32_t printerMillimetres, int32_t screenPixels, int32_t screenMillimetres) {
    if (printerMillimetres <= 0 || screenMillimetres <= 0 || printerPixels <= 0 || screenPixels <= 0) {
        return 0.0f;
    }
    const float printer = static_cast<float>(printerPixels) / static_cast<float>(printerMillimetres);
    const float screen = static_cast<float>(screenPixels) / static_cast<float>(screenMillimetres);
    return printer / screen;
}

Status RenderPrintCopy(const PrintSource& source, float f, DisplayBuffer& out) {
    const ImageBuffer* image = source.image;
    if (image == nullptr || !image->HasPicture() || source.zoomedWidth <= 0 || source.zoomedHeight <= 0) {
        return Status::NotFound;
    }
    const ClientSize visible = VisibleSize(source.zoomedWidth, source.zoomedHeight, source.client);
    // A printer reporting absurd sizes must not ask for more than a picture may hold.
    const double pw = std::trunc(static_cast<double>(visible.width) * static_cast<double>(f));
    const double ph = std::trunc(static_cast<double>(visible.height) * static_cast<double>(f));
    if (!(f > 0.0f) || !std::isfinite(f) || pw < 1.0 || ph < 1.0 || pw > INT32_MAX || ph > INT32_MAX) {
        return Status::TooLarge;
    }
    const auto printWidth = static_cast<int32_t>(pw);
    const auto printHeight = static_cast<int32_t>(ph);
    if (Budgeted24BitSize(printWidth, printHeight) == 0) {
        return Status::TooLarge;
    }
    RenderRequest rq;
    rq.image = image;
    rq.zoomedWidth = printWidth;
    rq.zoomedHeight = printHeight;
    rq.client = {printWidth - 1, printHeight - 1};
    rq.hPos = TruncProduct(source.hPos, f);
    rq.vPos = TruncProduct(source.vPos, f);
    rq.filter = source.filter;
    rq.effects.grayScale = source.effects.grayScale;
    rq.effects.horizontalFlip = source.effects.horizontalFlip;
    rq.givenSteps = true;
    rq.xStep = static_cast<float>(image->width) / (static_cast<float>(source.zoomedWidth) * f);
    rq.yStep = static_cast<float>(image->height) / (static_cast<float>(source.zoomedHeight) * f);
    try {
        ViewRenderer renderer;
        if (!renderer.Render(rq)) {
            return Status::NotFound;
        }
        out = std::move(renderer.display());
    } catch (const std::bad_alloc&) {
        return Status::OutOfMemory;
    }
    return Status::Ok;
}

PagePlacement PlaceOnPage(ClientSize printable, int32_t printWidth, int32_t printHeight) {
    const int32_t w = std::max(printWidth, 1);
    const int32_t h = std::max(printHeight, 1);
    PagePlacement p;
    p.x = std::max((printable.width - w) / 2, 0);
    p.y = std::max((printable.height - h) / 2, 0);
    p.width = p.x + printWidth > printable.width ? printable.width : printWidth;
    p.height = p.y + printHeight > printable.height ? printable.height : printHeight;
    return p;
}

}  // namespace pv
