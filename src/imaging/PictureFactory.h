// Creating the reader object for a file's kind. Readers that exist on one platform only
// (the picture object) or that are not built yet report null; the caller then treats the
// file as unreadable.
#pragma once

#include <memory>

#include "imaging/IconCells.h"
#include "imaging/PictureReader.h"
#include "imaging/ReaderChoice.h"

namespace pv {

// `cursorBackground`: the grey of a cursor strip's empty cells.
std::unique_ptr<PictureReader> MakeReader(ReaderKind kind, uint8_t cursorBackground = kIconBackground);

// The picture-object reader (DIB, EMF, WMF, unusual BMP, mis-named files). Provided by the
// platform layer: on Windows it renders through OLE, elsewhere it returns null.
std::unique_ptr<PictureReader> MakePictureObjectReader();

}  // namespace pv
