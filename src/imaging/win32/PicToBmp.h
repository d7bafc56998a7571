// CPicToBmp: files the program does not decode itself (DIB, EMF, WMF, unusual BMP,
// mis-named GIF/BMP) rendered by the Windows picture object into 24-bit top-down rows.
#pragma once

#include "imaging/ClassHeap.h"
#include "imaging/PictureReader.h"

namespace pv {

class CPicToBmp final : public PictureReader {
public:
    // Ok, or: BadData (the picture object refused the bytes), TooLarge, OutOfMemory,
    // IoError (no device context or bitmap to render into).
    [[nodiscard]] Status Read(std::span<const uint8_t> file) override;

private:
    HeapBlock rows_;
};

}  // namespace pv
