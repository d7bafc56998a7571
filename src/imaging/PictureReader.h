// The common face of the reader classes (CBmpToBmp, CGifToBmp, ...): each turns a file's
// bytes into an ImageBuffer that points at memory the reader object owns.
#pragma once

#include <cstdint>
#include <span>

#include "base/Status.h"
#include "imaging/ImageBuffer.h"

namespace pv {

class PictureReader {
public:
    PictureReader() = default;
    PictureReader(const PictureReader&) = delete;
    PictureReader& operator=(const PictureReader&) = delete;
    virtual ~PictureReader() = default;

    // Decodes the whole file. Ok: image() holds the picture. Unsupported: a valid file
    // this reader leaves to the picture-object reader. Anything else: nothing to show.
    [[nodiscard]] virtual Status Read(std::span<const uint8_t> file) = 0;

    [[nodiscard]] const ImageBuffer& image() const { return image_; }

    // More than 1 only for animations.
    [[nodiscard]] virtual int32_t FrameCount() const { return 1; }

protected:
    ImageBuffer image_;
};

}  // namespace pv
