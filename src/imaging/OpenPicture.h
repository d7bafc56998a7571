// Opening a picture file the way the image view does: dispatch by extension, the JPEG
// content check, and the hand-over of unusual files to the picture-object reader.
#pragma once

#include <memory>
#include <string>

#include "base/Status.h"
#include "imaging/IconCells.h"
#include "imaging/PictureReader.h"

namespace pv {

struct OpenedPicture {
    std::unique_ptr<PictureReader> reader;     // owns the pixels image() points at
    bool isMedia = false;                      // handed to the media window, no picture
    bool namedJpegWithUnknownContent = false;  // counts as opened, but shows nothing

    [[nodiscard]] bool HasPicture() const { return reader && reader->image().HasPicture(); }
};

// Ok when the file was opened (a picture is in `out.reader`, or it is a media file, or a
// JPEG-named file of unknown content); otherwise why nothing can be shown. A cursor strip's
// cells show `cursorBackground` grey where no image covers them (the view passes the
// current background grey level).
[[nodiscard]] Status OpenPictureFile(const std::string& path,
                                     OpenedPicture& out,
                                     uint8_t cursorBackground = kIconBackground);

// The same from bytes already in memory (tests, fuzzing); `path` only chooses the reader.
[[nodiscard]] Status OpenPictureBytes(const std::string& path,
                                      std::span<const uint8_t> bytes,
                                      OpenedPicture& out,
                                      uint8_t cursorBackground = kIconBackground);

}  // namespace pv
