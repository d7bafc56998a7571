#include "imaging/PictureFactory.h"

#include "imaging/BmpToBmp.h"

namespace pv {

std::unique_ptr<PictureReader> MakeReader(ReaderKind kind) {
    switch (kind) {
    case ReaderKind::Bmp: return std::make_unique<CBmpToBmp>();
    case ReaderKind::PictureObject: return MakePictureObjectReader();
    case ReaderKind::Media:
    case ReaderKind::Psd:
    case ReaderKind::Pcx:
    case ReaderKind::Tga:
    case ReaderKind::Gif:
    case ReaderKind::JpegByContent:
    case ReaderKind::Ico:
    case ReaderKind::Cur: return nullptr;
    }
    return nullptr;
}

}  // namespace pv
