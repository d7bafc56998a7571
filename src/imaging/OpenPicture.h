// Opening a picture file the way the image view does: dispatch by extension, the JPEG
// content check, and the hand-over of unusual files to the picture-object reader.
#pragma once

#include <memory>
#include <string>

#include "base/Status.h"
#include "imaging/IconCells.h"
#include "imaging/PictureReader.h"
#include "imaging/ReaderChoice.h"

namespace pv {

struct OpenedPicture {
    std::unique_ptr<PictureReader> reader;     // owns the pixels image() points at
    bool isMedia = false;                      // handed to the media window, no picture
    bool namedJpegWithUnknownContent = false;  // counts as opened, but shows nothing

    [[nodiscard]] bool HasPicture() const { return reader && reader->image().HasPicture(); }
};

// Ok when the file was opened (a picture is in `out.reader`, or it is a media file, or a
// JPEG-named file of unknown content); otherwise why nothing can be shown. `kind` is
// ReaderForPath(path), found once by the caller and handed down: the view and the thumbnail
// producer need it too, and the extension is looked at once per open. A cursor strip's cells
// show `cursorBackground` grey where no image covers them (the view passes the current
// background grey level).
[[nodiscard]] Status OpenPictureFile(const std::string& path,
                                     ReaderKind kind,
                                     OpenedPicture& out,
                                     uint8_t cursorBackground = kIconBackground);

// The same from bytes already in memory.
[[nodiscard]] Status OpenPictureBytes(ReaderKind kind,
                                      std::span<const uint8_t> bytes,
                                      OpenedPicture& out,
                                      uint8_t cursorBackground = kIconBackground);

// Shorthands that find the kind from the path (the command-line tool, tests, fuzzing).
[[nodiscard]] Status OpenPictureFile(const std::string& path, OpenedPicture& out);
[[nodiscard]] Status OpenPictureBytes(const std::string& path, std::span<const uint8_t> bytes, OpenedPicture& out);

}  // namespace pv
