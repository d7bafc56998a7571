#include "imaging/ThumbSlot.h"

namespace pv {

struct ThumbScratch::Parts {};

ThumbScratch::ThumbScratch() : parts_(std::make_unique<Parts>()) {}

ThumbScratch::~ThumbScratch() = default;

ThumbGroup ThumbGroupFor(std::string_view) {
    return ThumbGroup::PictureObject;
}

bool DecodeThumbnail(ThumbSlot& slot, const std::string& fullPath, ThumbScratch&) {
    slot.path = fullPath;
    slot.status = ThumbStatus::Unreadable;
    return true;
}

bool DecodeThumbnailBytes(ThumbSlot& slot, const std::string& fullPath, std::span<const uint8_t>, ThumbScratch&) {
    slot.path = fullPath;
    slot.status = ThumbStatus::Unreadable;
    return true;
}

void FitAndFrame(const ImageBuffer&, uint8_t*) {}

Status ReadBmpScaled(std::span<const uint8_t>, HeapBlock&, ImageBuffer&, int32_t&, int32_t&) {
    return Status::Unsupported;
}

}  // namespace pv
